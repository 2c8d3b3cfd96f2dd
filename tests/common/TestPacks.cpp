#include "common/TestPacks.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>

void Write_Test_Pack(const QString& program_dir, const QString& pack, const QByteArray& ini,
                     const QList<int>& months) {
    const QString folder = program_dir + "/" + pack;
    QDir().mkpath(folder);
    QFile file(folder + "/settings.ini");
    if (file.open(QIODevice::WriteOnly))
        file.write(ini);
    file.close();
    for (int month : months) {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(month * 25, 200, 200));
        picture.save(folder + QString("/%1.jpg").arg(month), "JPG");
    }
}
