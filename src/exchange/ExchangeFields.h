#pragma once

#include <QString>
#include <QStringView>

#include <functional>

// The items of a key=value or calendar.dat style exchange file, read field by field as
// calendar.dat is read, each with the line it starts on, so a message can name the line.
struct ExchangeField {
    QStringView text;
    // 1-based line of the file where the field starts.
    qsizetype line = 1;
    // A quoted field whose closing double quote never came: the file ends inside it.
    bool cut_off = false;
};
using Field_Visitor = std::function<bool(const ExchangeField& field)>;
// Visits the fields of decoded text in order; visit returns false to stop.
void For_Each_Exchange_Field(QStringView text, const Field_Visitor& visit);

// True when the bytes hold a zero byte, which no text file of ours does.
bool Looks_Binary(const QByteArray& bytes);

// An item as the user may see it in a message: one line, printable, at most 40 characters.
QString Shown_Item(QStringView item);
