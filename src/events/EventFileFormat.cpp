// The bytes of calendar.dat: decoding, splitting into records and writing them back.
#include "events/EventStore.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F. The five codes it leaves unassigned map
// to the C1 control of the same number, as the system's own converter does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString Decode_Cp1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(kCp1252High[byte - 0x80])
                                                : QChar(char16_t(byte));
    }
    return text;
}

bool Is_Line_End(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}
bool Ends_Field(QChar c) {
    return c == QLatin1Char(',') || Is_Line_End(c);
}

} // namespace

// Files saved by this program are UTF-8; older ones come from Windows in its 8-bit code page,
// which is almost never valid UTF-8 once it holds anything beyond ASCII.
QString Decode_Event_File(const QByteArray& data) {
    QByteArrayView bytes(data);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                    QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return Decode_Cp1252(bytes);
}

// Reads fields the way the classic quoted, comma-delimited reader does:
// - spaces, CR and LF before a field are skipped, so blank lines (also at the end) add nothing;
// - "text" runs to the next double quote across line ends; the rest of its line up to the next
//   comma or line end is dropped; a quote never closed takes the rest of the file;
// - otherwise the field runs to the next comma or line end, trimmed of spaces.
// Two commas in a row enclose an empty field ("a,,b" is "a", "", "b"), while a comma at the end
// of a line or of the file opens no field: an empty record is never made from whitespace alone.
void For_Each_Event_Record(QStringView all, const Record_Visitor& visit) {
    const qsizetype n = all.size();
    const QChar* s = all.data();
    qsizetype i = 0;
    for (;;) {
        while (i < n && (s[i] == QLatin1Char(' ') || Is_Line_End(s[i])))
            ++i;
        if (i >= n)
            break;
        if (s[i] == QLatin1Char('"')) {
            const qsizetype close = all.indexOf(QLatin1Char('"'), i + 1);
            if (close < 0) {
                visit(all.sliced(i + 1));
                break;
            }
            if (!visit(all.sliced(i + 1, close - i - 1)))
                return;
            i = close + 1;
            while (i < n && !Ends_Field(s[i]))
                ++i;
        } else {
            qsizetype end = i;
            while (end < n && !Ends_Field(s[end]))
                ++end;
            qsizetype last = end;
            while (last > i && s[last - 1] == QLatin1Char(' '))
                --last;
            if (!visit(all.sliced(i, last - i)))
                return;
            i = end;
        }
        if (i < n && s[i] == QLatin1Char(','))
            ++i;
    }
}

void For_Each_Event_Record(const QByteArray& data, const Record_Visitor& visit) {
    const QString text = Decode_Event_File(data);
    For_Each_Event_Record(QStringView(text), visit);
}

QStringList Parse_Event_File(const QByteArray& data) {
    QStringList records;
    For_Each_Event_Record(data, [&records](QStringView record) {
        records.append(record.toString());
        return true;
    });
    return records;
}

QByteArray Format_Event_File(const QStringList& records) {
    qsizetype size = 0;
    for (const QString& record : records)
        size += record.size() + 4;
    QString text;
    text.reserve(size);
    for (const QString& record : records) {
        text += QLatin1Char('"');
        // A double quote inside would end the record early and lose the rest of its line on the
        // next read; the apostrophe is what the editor puts in its place.
        if (record.contains(QLatin1Char('"')))
            text += QString(record).replace(QLatin1Char('"'), QLatin1Char('\''));
        else
            text += record;
        text += QLatin1String("\"\r\n");
    }
    return text.toUtf8();
}

QStringList Read_Event_Records(const QString& path, bool* ok) {
    QByteArray data;
    const bool read = Read_Event_Bytes(path, &data);
    if (ok)
        *ok = read;
    return Parse_Event_File(data);
}

bool Read_Event_Bytes(const QString& path, QByteArray* data) {
    data->clear();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *data = file.readAll();
    return file.error() == QFileDevice::NoError;
}
