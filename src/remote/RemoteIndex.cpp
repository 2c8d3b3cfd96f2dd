#include "remote/RemoteIndex.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QIODevice>

namespace {

constexpr quint32 Index_Magic = 0x414C4D49; // "ALMI"
constexpr quint16 Index_Version = 1;
// The smallest record: start, kind, span and an empty summary.
constexpr qint64 Min_Record_Bytes = 8 + 1 + 2 + 4;

} // namespace

QByteArray Remote_Data_Digest(const QByteArray& data) {
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex().left(32);
}

RemoteIndex Build_Remote_Index(const QByteArray& data, const QDate& today) {
    RemoteIndex index;
    const ICalParseResult parsed = Parse_ICal_Calendars(data);
    if (!parsed.ok || !today.isValid())
        return index;
    const QDate month(today.year(), today.month(), 1);
    index.first = month.addMonths(-Remote_Index_Months);
    index.last = month.addMonths(Remote_Index_Months + 1).addDays(-1);
    index.data_digest = Remote_Data_Digest(data);
    index.instances = Expand_Remote_Instances(parsed.calendars, index.first, index.last);
    return index;
}

QByteArray Format_Remote_Index(const RemoteIndex& index) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << Index_Magic << Index_Version << index.first << index.last << index.data_digest
        << static_cast<quint32>(index.instances.size());
    for (const RemoteInstance& instance : index.instances)
        out << instance.start << static_cast<quint8>(instance.kind) << instance.span_days
            << instance.summary;
    return bytes;
}

std::optional<RemoteIndex> Read_Remote_Index(const QByteArray& bytes) {
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint16 version = 0;
    quint32 count = 0;
    RemoteIndex index;
    in >> magic >> version >> index.first >> index.last >> index.data_digest >> count;
    if (in.status() != QDataStream::Ok || magic != Index_Magic || version != Index_Version ||
        !index.first.isValid() || !index.last.isValid() || index.last < index.first ||
        qint64(count) * Min_Record_Bytes > bytes.size())
        return std::nullopt;
    index.instances.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        RemoteInstance instance;
        quint8 kind = 0;
        in >> instance.start >> kind >> instance.span_days >> instance.summary;
        if (in.status() != QDataStream::Ok || kind > RemoteInstance::Date ||
            instance.span_days < 1 || instance.span_days > Max_Remote_Span_Days ||
            (!index.instances.isEmpty() && instance.start < index.instances.last().start))
            return std::nullopt;
        instance.kind = static_cast<RemoteInstance::Kind>(kind);
        index.instances.append(std::move(instance));
    }
    if (!in.atEnd())
        return std::nullopt;
    return index;
}
