#include "events/CaptionFit.h"

#include "calendar/AppSettings.h"

namespace {
const QString Ellipsis = QStringLiteral("...");
const QString Line_Break = QStringLiteral("\r\n");

// Takes characters off the end while the text is at least as wide as the label. A text's
// beginnings never get narrower as they get longer, so the longest one narrower than the label is
// found by halving: a month of long captions would otherwise measure each of them character by
// character on every rebuild.
QString Cut_To_Fit(QString text, qint32 label_width, const Text_Width& width) {
    if (text.isEmpty() || width(text) < label_width)
        return text;
    qsizetype fits = 0; // the empty text ends the cutting whatever its width
    qsizetype too_wide = text.size();
    while (too_wide - fits > 1) {
        const qsizetype middle = fits + (too_wide - fits) / 2;
        if (width(text.first(middle)) < label_width)
            fits = middle;
        else
            too_wide = middle;
    }
    text.truncate(fits);
    return text;
}

// The text without its last three characters, followed by "..."; shorter texts lose all.
QString With_Ellipsis(const QString& text) {
    return text.left(qMax(0, int(text.size()) - 3)) + Ellipsis;
}
} // namespace

qint16 DDD_Style(const AppSettings& settings) {
    if (settings.Use_Themes == 0 || settings.Use_Theme_Style == 0)
        return settings.Style;
    if (settings.Use_Themes == 1 && settings.Use_Theme_Style == 1)
        return settings.PackBoxStyle;
    return 0;
}

QString Get_Line(const QString& buffer, qint32 label_width, const Text_Width& width) {
    QString remaining = buffer;
    QString line;
    QString previous_line;
    QString last_word;
    for (;;) {
        if (width(line) > label_width) {
            if (!previous_line.isEmpty())
                return previous_line;
            return Cut_To_Fit(last_word, label_width, width);
        }
        const qsizetype space = remaining.indexOf(QLatin1Char(' '));
        if (space < 0) {
            // The last word is measured too: a line that would overflow ends before it, and a
            // single word too wide for the label is cut, so no caption is clipped at its edges.
            if (width(line + remaining) <= label_width)
                return buffer;
            return line.isEmpty() ? Cut_To_Fit(remaining, label_width, width) : line;
        }
        previous_line = line;
        last_word = remaining.left(space);
        line += last_word;
        remaining = remaining.mid(space + 1);
        line += QLatin1Char(' ');
    }
}

QString DotDotDot(const QString& text, qint32 label_width, qint16 style, const Text_Width& width) {
    if (style != 1) {
        if (width(text) < label_width)
            return text;
        return With_Ellipsis(Cut_To_Fit(text, label_width, width));
    }

    QString lines[3];
    if (width(text) < label_width) {
        lines[0] = text;
    } else {
        lines[0] = Get_Line(text, label_width, width);
        QString rest = text.mid(lines[0].size());
        if (width(rest) < label_width) {
            lines[1] = rest;
        } else {
            lines[1] = Get_Line(rest, label_width, width);
            rest = rest.mid(lines[1].size());
            if (width(rest) < label_width) {
                lines[2] = rest;
            } else {
                const QString last = Get_Line(rest, label_width, width);
                lines[2] =
                    last.size() > 3 ? last.left(last.size() - 3) + Ellipsis : last + Ellipsis;
            }
        }
    }
    return lines[0] + Line_Break + lines[1] + Line_Break + lines[2];
}
