#include "calendar/gui/Splash_Frm.h"

#include "calendar/ColourValue.h"
#include "calendar/TwipScale.h"
#include "calendar/gui/ProgramPicture.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace {
constexpr qint32 Splash_Width = 5610;
constexpr qint32 Splash_Height = 1335;
constexpr int Show_Ms = 1500;
} // namespace

Splash_Frm::Splash_Frm() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Splash_Frm"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Nothing shows the splash's caption; a name of its own keeps it apart from the calendar.
    setWindowTitle(QStringLiteral("Almanor Splash"));
    const TwipScale scale = TwipScale::For_Screen(screen());
    setFixedSize(scale.X_Pixels(Splash_Width), scale.Y_Pixels(Splash_Height));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(scale.Pixels(TwipRect{120, 120, 1095, 1095}));
    Image1->setPixmap(Program_Picture(std::min(Image1->width(), Image1->height())));
    Image1->setAlignment(Qt::AlignCenter);

    Label9 = new QLabel(QStringLiteral("Almanor"), this);
    Label9->setObjectName(QStringLiteral("Label9"));
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(20.25);
    font.setBold(true);
    Label9->setFont(font);
    Label9->setAlignment(Qt::AlignCenter);
    Label9->setGeometry(scale.Pixels(TwipRect{1335, 120, 4155, 1095}));
    QPalette text_palette = Label9->palette();
    text_palette.setColor(QPalette::WindowText, Qt::white);
    Label9->setPalette(text_palette);

    Start_Timer = new QTimer(this);
    Start_Timer->setObjectName(QStringLiteral("Start_Timer"));
    Start_Timer->setSingleShot(true);
    Start_Timer->setInterval(Show_Ms);
    connect(Start_Timer, &QTimer::timeout, this, &Splash_Frm::Start_Timer_Timer);
    Start_Timer->start();
}

void Splash_Frm::Place_Over(const QWidget* calendar) {
    const TwipScale scale = TwipScale::For_Screen(calendar->screen());
    const QRect frame = calendar->geometry();
    const qint32 calendar_left = scale.X_Twips(frame.left());
    const qint32 calendar_top = scale.Y_Twips(frame.top());
    const qint32 left = calendar_left + (scale.X_Twips(frame.width()) - Splash_Width) / 2;
    const qint32 top = calendar_top + (scale.Y_Twips(frame.height()) - Splash_Height) / 2;
    move(scale.Pixels(QPoint(left, top)));
}

void Splash_Frm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Resolve_Colour(Dark_Grey, palette()));
}

void Splash_Frm::Start_Timer_Timer() {
    Start_Timer->stop();
    close();
}
