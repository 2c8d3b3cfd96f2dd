#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Writes a pack folder into the program folder: settings.ini with these bytes and pictures of
// 40 x 30 pixels, each month in its own colour, for the months listed.
void Write_Test_Pack(const QString& program_dir, const QString& pack, const QByteArray& ini,
                     const QList<int>& months);
