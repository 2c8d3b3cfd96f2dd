// Reading and writing exchange files whole.
#include "exchange/ExchangeFile.h"

#include "events/EventStore.h"
#include "events/ReplaceFile.h"

#include <QFile>
#include <QStringDecoder>

QString Decode_Exchange_Text(const QByteArray& bytes) {
    // Spreadsheets save "Unicode text" as UTF-16 with its mark.
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                          : QStringConverter::Utf16BE);
        return utf16.decode(QByteArrayView(bytes).sliced(2));
    }
    return Decode_Event_File(bytes);
}

bool Read_Exchange_File(const QString& path, QByteArray* bytes, QString* error) {
    bytes->clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool Save_File_Atomically(const QString& path, const QByteArray& bytes) {
    return Replace_File(path, bytes);
}
