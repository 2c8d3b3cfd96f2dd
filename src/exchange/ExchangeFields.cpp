#include "exchange/ExchangeFields.h"

#include "events/EventStore.h"

#include <QByteArray>

namespace {

// Line ends as the reader takes them: CR LF, LF, or CR alone.
qsizetype Line_Breaks(QStringView text) {
    return text.count(QLatin1Char('\n')) + text.count(QLatin1Char('\r')) -
           text.count(QStringView(u"\r\n"));
}

} // namespace

void For_Each_Exchange_Field(QStringView text, const Field_Visitor& visit) {
    const QChar* begin = text.data();
    const QChar* end = begin + text.size();
    const QChar* counted = begin;
    qsizetype line = 1;
    For_Each_Event_Record(text, [&](QStringView record) {
        const QChar* start = record.data();
        // An empty view may carry no pointer of its own; it then counts no further lines.
        if (start && start >= counted && start <= end) {
            line += Line_Breaks(QStringView(counted, start));
            counted = start;
        }
        // A quoted field starts right after its quote; the reader's view of a quote that is
        // never closed runs to the very end of the text.
        const bool quoted = start && start > begin && start <= end && start[-1] == QLatin1Char('"');
        const bool cut_off = quoted && start + record.size() == end;
        return visit(ExchangeField{record, line, cut_off});
    });
}

bool Looks_Binary(const QByteArray& bytes) {
    return bytes.contains('\0');
}

QString Shown_Item(QStringView item) {
    constexpr qsizetype max_length = 40;
    QString shown = item.left(max_length).toString();
    for (QChar& c : shown) {
        if (!c.isPrint())
            c = QLatin1Char('?');
    }
    if (item.size() > max_length)
        shown += QStringLiteral("...");
    return shown;
}
