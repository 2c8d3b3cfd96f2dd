#include "platform/linux/AutostartRunKey.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace {

const QLatin1StringView Marker_Key("X-Almanor-Registry-Value");
// Characters that make an Exec argument need quotes, and those escaped inside the quotes.
const QLatin1StringView Reserved_Chars(" \t\n\"'\\><~|&;$*?#()`");
const QLatin1StringView Quoted_Escapes("\"`$\\");
// An autostart entry is a few lines; anything far larger isn't one of ours.
constexpr qint64 Max_Entry_Size = 64 * 1024;

// Desktop-entry string escapes; blanks at either end as \s so that readers can't trim them.
QString Escape_String(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else if (c == QLatin1Char(' ') && (i == 0 || i == text.size() - 1))
            out += QLatin1String("\\s");
        else
            out += c;
    }
    return out;
}

QString Unescape_String(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\') || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const QChar next = text[++i];
        if (next == QLatin1Char('s'))
            out += QLatin1Char(' ');
        else if (next == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (next == QLatin1Char('t'))
            out += QLatin1Char('\t');
        else if (next == QLatin1Char('r'))
            out += QLatin1Char('\r');
        else if (next == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        else {
            out += c;
            out += next;
        }
    }
    return out;
}

struct EntryFile {
    QString path;
    QString marker;
    QString exec;
    bool ours = false;
    bool enabled = true;
};

EntryFile Read_Entry(const QString& path) {
    EntryFile entry;
    entry.path = path;
    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() > Max_Entry_Size ||
        !file.open(QIODevice::ReadOnly))
        return entry;
    bool in_main_group = false;
    bool have_exec = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            in_main_group = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!in_main_group || equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == Marker_Key && !entry.ours) {
            entry.ours = true;
            entry.marker = Unescape_String(value);
        } else if (key == QLatin1String("Exec") && !have_exec) {
            have_exec = true;
            entry.exec = value;
        } else if ((key == QLatin1String("Hidden") && value == QLatin1String("true")) ||
                   (key == QLatin1String("X-GNOME-Autostart-enabled") &&
                    value == QLatin1String("false"))) {
            entry.enabled = false;
        }
    }
    return entry;
}

bool Valid_Name(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(0)) &&
           name.toUtf8().size() + 8 <= 255;
}

QString Entry_Path(const QString& folder, const QString& name) {
    return folder + QLatin1Char('/') + name + QLatin1String(".desktop");
}

// Our entry for the value name (names compare without regard to case), or one with ours false.
EntryFile Find_Entry(const QString& folder, const QString& name) {
    QStringList paths{Entry_Path(folder, name)};
    const QStringList files =
        QDir(folder).entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        paths += folder + QLatin1Char('/') + file;
    for (const QString& path : paths) {
        EntryFile entry = Read_Entry(path);
        if (entry.ours && entry.marker.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

} // namespace

QString Exec_From_Command(const QString& command) {
    bool quote = command.isEmpty();
    for (const QChar c : command)
        quote = quote || Reserved_Chars.contains(c);
    QString argument;
    if (quote) {
        argument = QLatin1Char('"');
        for (const QChar c : command) {
            if (Quoted_Escapes.contains(c))
                argument += QLatin1Char('\\');
            argument += c;
        }
        argument += QLatin1Char('"');
    } else {
        argument = command;
    }
    argument.replace(QLatin1String("%"), QLatin1String("%%"));
    return Escape_String(argument);
}

QString Command_From_Exec(const QString& exec) {
    const QString text = Unescape_String(exec);
    QStringList arguments;
    QString current;
    bool in_argument = false;
    bool in_quotes = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (c == QLatin1Char('%') && next == QLatin1Char('%')) {
            current += c;
            in_argument = true;
            ++i;
        } else if (in_quotes) {
            if (c == QLatin1Char('"')) {
                in_quotes = false;
            } else if (c == QLatin1Char('\\') && !next.isNull() && Quoted_Escapes.contains(next)) {
                current += next;
                ++i;
            } else {
                current += c;
            }
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')) {
            if (in_argument)
                arguments += current;
            current.clear();
            in_argument = false;
        } else if (c == QLatin1Char('"')) {
            in_quotes = true;
            in_argument = true;
        } else {
            current += c;
            in_argument = true;
        }
    }
    if (in_argument)
        arguments += current;
    return arguments.join(QLatin1Char(' '));
}

QByteArray Autostart_File_Contents(const QString& name, const QString& command) {
    const QString text = QLatin1String("[Desktop Entry]\n"
                                       "Type=Application\n"
                                       "Name=") +
                         Escape_String(name) + QLatin1String("\nExec=") +
                         Exec_From_Command(command) +
                         QLatin1String("\nX-GNOME-Autostart-enabled=true\n") + Marker_Key +
                         QLatin1Char('=') + Escape_String(name) + QLatin1Char('\n');
    return text.toUtf8();
}

qint32 Autostart_Query(const QString& folder, const QString& name, QString* command) {
    if (!Valid_Name(name))
        return 2;
    const EntryFile entry = Find_Entry(folder, name);
    if (!entry.ours || !entry.enabled)
        return 2;
    *command = Command_From_Exec(entry.exec);
    return 0;
}

qint32 Autostart_Set(const QString& folder, const QString& name, const QString& command) {
    if (!Valid_Name(name))
        return 87;
    const EntryFile existing = Find_Entry(folder, name);
    QString path = existing.path;
    QString stored_name = existing.marker;
    if (!existing.ours) {
        path = Entry_Path(folder, name);
        stored_name = name;
        // Someone else's entry (or anything else) of that name is left alone.
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
            return 5;
    }
    if (!QDir().mkpath(folder))
        return 5;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 5;
    const QByteArray bytes = Autostart_File_Contents(stored_name, command);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return 5;
    }
    return file.commit() ? 0 : 5;
}

qint32 Autostart_Delete(const QString& folder, const QString& name) {
    if (!Valid_Name(name))
        return 2;
    const EntryFile entry = Find_Entry(folder, name);
    if (!entry.ours)
        return 2;
    return QFile::remove(entry.path) ? 0 : 5;
}
