// Draws the twelve month pictures of the sample pack: 1.jpg .. 12.jpg in the folder given.
// Each picture has four solid quarters in the month's own colours, so a desktop showing it can be
// recognised pixel by pixel, and the month's name across the middle.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QPainter>

#include <cstdio>

namespace {
constexpr int Width = 640;
constexpr int Height = 480;

QImage Month_Picture(int month, const QString& name) {
    QImage picture(Width, Height, QImage::Format_RGB32);
    QPainter painter(&picture);
    const int hue = (month - 1) * 30;
    const QColor quarters[4] = {
        QColor::fromHsv(hue, 170, 230), QColor::fromHsv((hue + 90) % 360, 170, 200),
        QColor::fromHsv((hue + 180) % 360, 170, 170), QColor::fromHsv((hue + 270) % 360, 170, 140)};
    painter.fillRect(0, 0, Width / 2, Height / 2, quarters[0]);
    painter.fillRect(Width / 2, 0, Width / 2, Height / 2, quarters[1]);
    painter.fillRect(0, Height / 2, Width / 2, Height / 2, quarters[2]);
    painter.fillRect(Width / 2, Height / 2, Width / 2, Height / 2, quarters[3]);

    const QRect band(Width / 8, Height * 2 / 5, Width * 3 / 4, Height / 5);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 20, 30));
    painter.drawRoundedRect(band, 16, 16);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(56);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(band, Qt::AlignCenter, name);
    return picture;
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: almanor_packgen FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "almanor_packgen: can't make %s\n", argv[1]);
        return 1;
    }
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (int month = 1; month <= 12; ++month) {
        const QString path = folder + QStringLiteral("/%1.jpg").arg(month);
        if (!Month_Picture(month, english.monthName(month)).save(path, "JPG", 92)) {
            std::fprintf(stderr, "almanor_packgen: can't write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
