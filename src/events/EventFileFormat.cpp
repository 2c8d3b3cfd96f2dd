// The bytes of calendar.dat: decoding, splitting into records and writing them back.
#include "events/EventStore.h"

#include <QFile>
#include <QStringDecoder>
#include <QVarLengthArray>

#include <cstring>

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

// The field reader works alike on decoded text and on the file's bytes: every character it looks
// for is ASCII, and neither UTF-8 nor Windows-1252 makes an ASCII character of anything else.
inline char16_t Code(QChar c) {
    return c.unicode();
}
inline char16_t Code(char c) {
    return char16_t(static_cast<unsigned char>(c));
}

template <typename View> qsizetype Find_Quote(View all, qsizetype from) {
    const auto* s = all.data();
    for (qsizetype i = from; i < all.size(); ++i)
        if (Code(s[i]) == u'"')
            return i;
    return -1;
}
template <> qsizetype Find_Quote(QStringView all, qsizetype from) {
    return all.indexOf(u'"', from);
}
template <> qsizetype Find_Quote(QByteArrayView all, qsizetype from) {
    if (from >= all.size())
        return -1;
    const void* found = std::memchr(all.data() + from, '"', size_t(all.size() - from));
    return found ? static_cast<const char*>(found) - all.data() : -1;
}

template <typename View, typename Visit> void Split_Fields(View all, const Visit& visit) {
    const auto is_line_end = [](char16_t c) { return c == u'\r' || c == u'\n'; };
    const auto ends_field = [&](char16_t c) { return c == u',' || is_line_end(c); };
    const qsizetype n = all.size();
    const auto* s = all.data();
    qsizetype i = 0;
    for (;;) {
        while (i < n && (Code(s[i]) == u' ' || is_line_end(Code(s[i]))))
            ++i;
        if (i >= n)
            break;
        if (Code(s[i]) == u'"') {
            const qsizetype close = Find_Quote(all, i + 1);
            if (close < 0) {
                visit(all.sliced(i + 1));
                break;
            }
            if (!visit(all.sliced(i + 1, close - i - 1)))
                return;
            i = close + 1;
            while (i < n && !ends_field(Code(s[i])))
                ++i;
        } else {
            qsizetype end = i;
            while (end < n && !ends_field(Code(s[end])))
                ++end;
            qsizetype last = end;
            while (last > i && Code(s[last - 1]) == u' ')
                --last;
            if (!visit(all.sliced(i, last - i)))
                return;
            i = end;
        }
        if (i < n && Code(s[i]) == u',')
            ++i;
    }
}

QStringDecoder Utf8_Decoder() {
    return QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                      QStringConverter::Flag::ConvertInitialBom);
}

} // namespace

QByteArrayView Event_File_Body(const QByteArray& data) {
    QByteArrayView bytes(data);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    return bytes;
}

// Files saved by this program are UTF-8; older ones come from Windows in its 8-bit code page,
// which is almost never valid UTF-8 once it holds anything beyond ASCII.
bool Event_File_Is_Utf8(QByteArrayView body) {
    // Most files are ASCII: look at eight bytes at a time for one with its high bit set.
    qsizetype i = 0;
    const qsizetype n = body.size();
    for (; i + 8 <= n; i += 8) {
        quint64 word;
        std::memcpy(&word, body.data() + i, sizeof word);
        if (word & 0x8080808080808080ULL)
            break;
    }
    while (i < n && static_cast<unsigned char>(body.at(i)) < 0x80)
        ++i;
    if (i == n)
        return true;
    // The rest in pieces cut at ASCII bytes, which never fall inside a character, through one
    // reused buffer: the decoder's own judgement without a copy of the whole file.
    constexpr qsizetype Piece = 64 * 1024;
    QStringDecoder utf8 = Utf8_Decoder();
    QVarLengthArray<QChar, 1> buffer(Piece + 8);
    while (i < n) {
        qsizetype end = std::min(n, i + Piece);
        while (end < n && static_cast<unsigned char>(body.at(end)) >= 0x80)
            ++end;
        if (end - i + 8 > buffer.size())
            buffer.resize(end - i + 8);
        utf8.appendToBuffer(buffer.data(), body.sliced(i, end - i));
        if (utf8.hasError())
            return false;
        i = end;
    }
    return true;
}

QString Decode_Event_Bytes(QByteArrayView bytes, bool utf8) {
    if (!utf8)
        return Decode_Cp1252(bytes);
    QStringDecoder decoder = Utf8_Decoder();
    return decoder.decode(bytes);
}

QString Decode_Event_File(const QByteArray& data) {
    const QByteArrayView body = Event_File_Body(data);
    QStringDecoder utf8 = Utf8_Decoder();
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    return Decode_Cp1252(body);
}

// Reads fields the way the classic quoted, comma-delimited reader does:
// - spaces, CR and LF before a field are skipped, so blank lines (also at the end) add nothing;
// - "text" runs to the next double quote across line ends; the rest of its line up to the next
//   comma or line end is dropped; a quote never closed takes the rest of the file;
// - otherwise the field runs to the next comma or line end, trimmed of spaces.
// Two commas in a row enclose an empty field ("a,,b" is "a", "", "b"), while a comma at the end
// of a line or of the file opens no field: an empty record is never made from whitespace alone.
void For_Each_Event_Record(QStringView all, const Record_Visitor& visit) {
    Split_Fields(all, visit);
}

void For_Each_Event_Field(QByteArrayView body, const Byte_Record_Visitor& visit) {
    Split_Fields(body, visit);
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

bool Map_Event_Bytes(const QString& path, const std::function<void(const QByteArray&)>& use) {
    QFile file(path);
    if (file.exists() && file.open(QIODevice::ReadOnly) && file.size() > 0) {
        if (uchar* mapped = file.map(0, file.size())) {
            // Only a view of the mapping: it goes with the call.
            use(QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), file.size()));
            file.unmap(mapped);
            return true;
        }
    }
    QByteArray data;
    const bool read = Read_Event_Bytes(path, &data);
    use(data);
    return read;
}
