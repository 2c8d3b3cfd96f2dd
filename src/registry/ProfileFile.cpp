#include "registry/ProfileFile.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

// One line of the file: its bytes without the line break, and the break that followed it.
struct Line {
    QByteArray text;
    QByteArray end;
};

QList<Line> Split_Lines(const QByteArray& bytes) {
    QList<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        if (newline < 0) {
            lines.append(Line{bytes.mid(start), {}});
            break;
        }
        QByteArray text = bytes.mid(start, newline - start);
        QByteArray end = "\n";
        if (text.endsWith('\r')) {
            text.chop(1);
            end = "\r\n";
        }
        lines.append(Line{text, end});
        start = newline + 1;
    }
    return lines;
}

// Profile files come from anywhere: UTF-8 when the bytes are, else one byte per character.
QString Decode(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    return decoder.hasError() ? QString::fromLatin1(bytes) : text;
}

// The section name of a "[name]" line, or a null string for any other line.
QString Section_Of(const QString& line) {
    const QString text = line.trimmed();
    if (!text.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype close = text.indexOf(QLatin1Char(']'));
    const QString name = text.mid(1, close < 0 ? -1 : close - 1).trimmed();
    return name.isNull() ? QString(QLatin1String("")) : name;
}

bool Same(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// Where a section's lines are: the header line and one past its last line; header < 0 when the
// section isn't there.
struct SectionSpan {
    qsizetype header = -1;
    qsizetype end = -1;
};

SectionSpan Find_Section(const QList<QString>& texts, const QString& section) {
    SectionSpan span;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QString name = Section_Of(texts[i]);
        if (name.isNull())
            continue;
        if (span.header >= 0) {
            span.end = i;
            return span;
        }
        if (Same(name, section))
            span.header = i;
    }
    if (span.header >= 0)
        span.end = texts.size();
    return span;
}

// The index of the entry's line inside the section, or -1.
qsizetype Find_Entry(const QList<QString>& texts, SectionSpan span, const QString& entry) {
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        const qsizetype equals = texts[i].indexOf(QLatin1Char('='));
        if (equals >= 0 && Same(texts[i].left(equals), entry))
            return i;
    }
    return -1;
}

QString Limit(const QString& text) {
    if (text.size() <= Profile_Read_Limit)
        return text;
    qsizetype size = Profile_Read_Limit;
    if (text[size - 1].isHighSurrogate())
        --size;
    return text.left(size);
}

bool Has_Line_Break(const QString& text) {
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

} // namespace

QString Profile_Read_String(const QString& file_path, const QString& section, const QString& entry,
                            const QString& default_value) {
    qsizetype keep = default_value.size();
    while (keep > 0 && default_value[keep - 1] == QLatin1Char(' '))
        --keep;
    const QString fallback = Limit(default_value.left(keep));

    QFile file(file_path);
    if (!file.open(QIODevice::ReadOnly))
        return fallback;
    QList<QString> texts;
    for (const Line& line : Split_Lines(file.readAll()))
        texts.append(Decode(line.text));
    const SectionSpan span = Find_Section(texts, section);
    if (span.header < 0)
        return fallback;
    const qsizetype index = Find_Entry(texts, span, entry);
    if (index < 0)
        return fallback;
    QString value = texts[index].mid(texts[index].indexOf(QLatin1Char('=')) + 1).trimmed();
    if (value.size() >= 2 &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return Limit(value);
}

qint32 Profile_Write_String(const QString& file_path, const QString& section, const QString& entry,
                            const QString& value) {
    if (Has_Line_Break(section) || Has_Line_Break(entry) || Has_Line_Break(value) ||
        section.contains(QLatin1Char(']')) || entry.contains(QLatin1Char('=')) ||
        entry.trimmed().startsWith(QLatin1Char('[')))
        return 87;

    QByteArray bytes;
    {
        QFile file(file_path);
        if (file.exists() && !file.open(QIODevice::ReadOnly))
            return 5;
        bytes = file.isOpen() ? file.readAll() : QByteArray();
    }
    QList<Line> lines = Split_Lines(bytes);
    QList<QString> texts;
    for (const Line& line : lines)
        texts.append(Decode(line.text));
    // New lines take the break the file already uses.
    const QByteArray line_end = bytes.contains("\r\n") || !bytes.contains('\n') ? "\r\n" : "\n";

    const SectionSpan span = Find_Section(texts, section);
    if (span.header < 0) {
        if (!lines.isEmpty() && lines.back().end.isEmpty())
            lines.back().end = line_end;
        lines.append(Line{'[' + section.trimmed().toUtf8() + ']', line_end});
        lines.append(Line{entry.trimmed().toUtf8() + '=' + value.toUtf8(), line_end});
    } else if (const qsizetype index = Find_Entry(texts, span, entry); index >= 0) {
        const QString name = texts[index].left(texts[index].indexOf(QLatin1Char('='))).trimmed();
        lines[index].text = name.toUtf8() + '=' + value.toUtf8();
    } else {
        // After the section's last non-blank line, so blank lines before the next section stay.
        qsizetype after = span.header;
        for (qsizetype i = span.header + 1; i < span.end; ++i) {
            if (!texts[i].trimmed().isEmpty())
                after = i;
        }
        if (lines[after].end.isEmpty())
            lines[after].end = line_end;
        lines.insert(after + 1, Line{entry.trimmed().toUtf8() + '=' + value.toUtf8(), line_end});
    }

    QByteArray out;
    for (const Line& line : lines)
        out += line.text + line.end;
    QSaveFile save(file_path);
    if (!save.open(QIODevice::WriteOnly))
        return 5;
    if (save.write(out) != out.size()) {
        save.cancelWriting();
        return 5;
    }
    return save.commit() ? 0 : 5;
}
