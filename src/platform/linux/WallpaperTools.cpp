#include "platform/linux/WallpaperTools.h"

#include <QFile>
#include <QList>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {
// One setting of a desktop: how to read it (to put it back), write it and restore it.
struct ToolSetting {
    QString program;
    // Prints the current value; empty when the old value can't or needn't be put back.
    QStringList read;
    QStringList write;
    // Stores a value given after these arguments.
    QStringList restore;
    // A setting some versions of the desktop lack: skipped when it can't be read.
    bool optional = false;
};

struct Changed {
    const ToolSetting* setting;
    QString old_value;
};

void Put_Back(const QList<Changed>& changed) {
    for (auto it = changed.crbegin(); it != changed.crend(); ++it)
        Run_Tool(it->setting->program, it->setting->restore + QStringList{it->old_value});
}

bool Apply(const QList<ToolSetting>& settings) {
    QList<Changed> changed;
    for (const ToolSetting& setting : settings) {
        QString old_value;
        const bool restorable = !setting.read.isEmpty();
        if (restorable && !Run_Tool(setting.program, setting.read, &old_value)) {
            if (setting.optional)
                continue;
            Put_Back(changed);
            return false;
        }
        if (!Run_Tool(setting.program, setting.write)) {
            Put_Back(changed);
            return false;
        }
        if (restorable)
            changed.append({&setting, old_value.trimmed()});
    }
    return true;
}

ToolSetting Gsetting(const QString& schema, const QString& key, const QString& value,
                     bool optional = false) {
    const QString gsettings = QStringLiteral("gsettings");
    return {gsettings,
            {QStringLiteral("get"), schema, key},
            {QStringLiteral("set"), schema, key, value},
            {QStringLiteral("set"), schema, key},
            optional};
}

QString Gnome_Options(const QString& path, WallpaperFit fit) {
    if (path.isEmpty())
        return QStringLiteral("'none'");
    switch (fit) {
    case WallpaperFit::Centre:
        return QStringLiteral("'centered'");
    case WallpaperFit::Tile:
        return QStringLiteral("'wallpaper'");
    case WallpaperFit::Stretch:
        break;
    }
    return QStringLiteral("'stretched'");
}

QString File_Uri(const QString& path) {
    return path.isEmpty() ? QString() : QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

QList<ToolSetting> Gnome_Settings(const QString& schema, bool dark_variant, const QString& path,
                                  WallpaperFit fit) {
    const QString uri = GVariant_String(File_Uri(path));
    QList<ToolSetting> settings{
        Gsetting(schema, QStringLiteral("picture-options"), Gnome_Options(path, fit)),
        Gsetting(schema, QStringLiteral("picture-uri"), uri)};
    // GNOME 42 and later show picture-uri-dark with a dark style; older versions lack it.
    if (dark_variant)
        settings.append(Gsetting(schema, QStringLiteral("picture-uri-dark"), uri, true));
    return settings;
}

QList<ToolSetting> Mate_Settings(const QString& path, WallpaperFit fit) {
    const QString schema = QStringLiteral("org.mate.background");
    return {Gsetting(schema, QStringLiteral("picture-options"), Gnome_Options(path, fit)),
            Gsetting(schema, QStringLiteral("picture-filename"), GVariant_String(path))};
}

QString Script_String(const QString& text) {
    QString quoted = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

bool Set_Kde(const QString& path, WallpaperFit fit) {
    // Plasma's fill modes: 0 stretched, 3 tiled, 6 centred.
    const int mode = fit == WallpaperFit::Centre ? 6 : fit == WallpaperFit::Tile ? 3 : 0;
    return Set_Plasma_Wallpaper(File_Uri(path), QString::number(mode));
}

bool Set_Xfce(const QString& path, WallpaperFit fit) {
    const QString xfconf = QStringLiteral("xfconf-query");
    const QStringList channel{QStringLiteral("-c"), QStringLiteral("xfce4-desktop")};
    QString listing;
    if (!Run_Tool(xfconf, channel + QStringList{QStringLiteral("-l")}, &listing))
        return false;
    // xfdesktop keeps one backdrop per monitor and workspace; set them all.
    QStringList backdrops = Xfce_Backdrops(listing);
    // 0 no picture, 1 centred, 2 tiled, 3 stretched.
    const int style = path.isEmpty()                ? 0
                      : fit == WallpaperFit::Centre ? 1
                      : fit == WallpaperFit::Tile   ? 2
                                                    : 3;
    const bool create = backdrops.isEmpty();
    QList<ToolSetting> settings;
    auto add = [&](const QString& property, const QString& type, const QString& value) {
        const QStringList at = channel + QStringList{QStringLiteral("-p"), property};
        if (create) {
            // A desktop that never had a backdrop: create the first monitor's properties.
            settings.append({xfconf,
                             {},
                             at + QStringList{QStringLiteral("-n"), QStringLiteral("-t"), type,
                                              QStringLiteral("-s"), value},
                             {},
                             false});
        } else {
            settings.append({xfconf, at, at + QStringList{QStringLiteral("-s"), value},
                             at + QStringList{QStringLiteral("-s")}, false});
        }
    };
    if (create)
        backdrops.append(QStringLiteral("/backdrop/screen0/monitor0/workspace0"));
    for (const QString& backdrop : backdrops) {
        add(backdrop + QStringLiteral("/image-style"), QStringLiteral("int"),
            QString::number(style));
        if (!path.isEmpty())
            add(backdrop + QStringLiteral("/last-image"), QStringLiteral("string"), path);
    }
    return Apply(settings);
}

bool Set_Lxqt(const QString& path, WallpaperFit fit) {
    if (path.isEmpty())
        return Run_Tool(QStringLiteral("pcmanfm-qt"), {QStringLiteral("--wallpaper-mode=color")});
    const QString mode = fit == WallpaperFit::Centre ? QStringLiteral("center")
                         : fit == WallpaperFit::Tile ? QStringLiteral("tile")
                                                     : QStringLiteral("stretch");
    return Run_Tool(QStringLiteral("pcmanfm-qt"), {QStringLiteral("--set-wallpaper=") + path,
                                                   QStringLiteral("--wallpaper-mode=") + mode});
}
} // namespace

bool Set_Plasma_Wallpaper(const QString& image, const QString& fill_mode) {
    QString script = QStringLiteral("var all = desktops();"
                                    "for (var i = 0; i < all.length; i++) {"
                                    " var d = all[i];"
                                    " d.wallpaperPlugin = \"org.kde.image\";"
                                    " d.currentConfigGroup = Array(\"Wallpaper\", "
                                    "\"org.kde.image\", \"General\");"
                                    " d.writeConfig(\"Image\", %1);")
                         .arg(Script_String(image));
    bool number = false;
    const int mode = fill_mode.toInt(&number);
    if (number)
        script += QStringLiteral(" d.writeConfig(\"FillMode\", %1);").arg(mode);
    script += QLatin1Char('}');
    const QString service = QStringLiteral("org.kde.plasmashell");
    const QString object = QStringLiteral("/PlasmaShell");
    const QString method = QStringLiteral("org.kde.PlasmaShell.evaluateScript");
    if (!QStandardPaths::findExecutable(QStringLiteral("qdbus")).isEmpty())
        return Run_Tool(QStringLiteral("qdbus"), {service, object, method, script});
    return Run_Tool(QStringLiteral("dbus-send"),
                    {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                     QStringLiteral("--dest=") + service, object, method,
                     QStringLiteral("string:") + script});
}

DesktopFamily Desktop_Family(const QString& current_desktop) {
    const QStringList names = current_desktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& raw : names) {
        const QString name = raw.trimmed().toUpper();
        if (name == QLatin1String("GNOME") || name == QLatin1String("GNOME-CLASSIC") ||
            name == QLatin1String("GNOME-FLASHBACK") || name == QLatin1String("UBUNTU") ||
            name == QLatin1String("UNITY") || name == QLatin1String("BUDGIE") ||
            name == QLatin1String("POP") || name == QLatin1String("PANTHEON"))
            return DesktopFamily::Gnome;
        if (name == QLatin1String("X-CINNAMON") || name == QLatin1String("CINNAMON"))
            return DesktopFamily::Cinnamon;
        if (name == QLatin1String("MATE"))
            return DesktopFamily::Mate;
        if (name == QLatin1String("KDE"))
            return DesktopFamily::Kde;
        if (name == QLatin1String("XFCE"))
            return DesktopFamily::Xfce;
        if (name == QLatin1String("LXQT"))
            return DesktopFamily::Lxqt;
    }
    return DesktopFamily::Bare_X;
}

bool Run_Tool(const QString& program, const QStringList& arguments, QString* out) {
    if (QStandardPaths::findExecutable(program).isEmpty())
        return false;
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return false;
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    if (out)
        *out = QString::fromLocal8Bit(process.readAllStandardOutput());
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool Set_Wallpaper_With_Tools(DesktopFamily family, const QString& path, WallpaperFit fit) {
    switch (family) {
    case DesktopFamily::Gnome:
        return Apply(
            Gnome_Settings(QStringLiteral("org.gnome.desktop.background"), true, path, fit));
    case DesktopFamily::Cinnamon:
        return Apply(
            Gnome_Settings(QStringLiteral("org.cinnamon.desktop.background"), false, path, fit));
    case DesktopFamily::Mate:
        return Apply(Mate_Settings(path, fit));
    case DesktopFamily::Kde:
        return Set_Kde(path, fit);
    case DesktopFamily::Xfce:
        return Set_Xfce(path, fit);
    case DesktopFamily::Lxqt:
        return Set_Lxqt(path, fit);
    case DesktopFamily::Bare_X:
        break;
    }
    return false;
}

QString GVariant_String(const QString& text) {
    QString quoted = QStringLiteral("'");
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('\''))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return quoted + QLatin1Char('\'');
}

namespace {
QString Printed(const QString& program, const QStringList& arguments) {
    QString out;
    return Run_Tool(program, arguments, &out) ? out.trimmed() : QString();
}

QString Config_File(const QString& relative) {
    QFile file(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               QLatin1Char('/') + relative);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QString Xfce_Wallpaper() {
    const QString xfconf = QStringLiteral("xfconf-query");
    const QStringList channel{QStringLiteral("-c"), QStringLiteral("xfce4-desktop")};
    const QString listing = Printed(xfconf, channel + QStringList{QStringLiteral("-l")});
    for (const QString& line : listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString property = line.trimmed();
        if (property.startsWith(QLatin1String("/backdrop/")) &&
            property.endsWith(QLatin1String("/last-image")))
            return Picture_Path_From_Setting(
                Printed(xfconf, channel + QStringList{QStringLiteral("-p"), property}));
    }
    return QString();
}
} // namespace

QString Wallpaper_From_Tools(DesktopFamily family) {
    const QString gsettings = QStringLiteral("gsettings");
    const QString get = QStringLiteral("get");
    switch (family) {
    case DesktopFamily::Gnome:
        return Picture_Path_From_Setting(
            Printed(gsettings, {get, QStringLiteral("org.gnome.desktop.background"),
                                QStringLiteral("picture-uri")}));
    case DesktopFamily::Cinnamon:
        return Picture_Path_From_Setting(
            Printed(gsettings, {get, QStringLiteral("org.cinnamon.desktop.background"),
                                QStringLiteral("picture-uri")}));
    case DesktopFamily::Mate:
        return Picture_Path_From_Setting(
            Printed(gsettings, {get, QStringLiteral("org.mate.background"),
                                QStringLiteral("picture-filename")}));
    case DesktopFamily::Xfce:
        return Xfce_Wallpaper();
    case DesktopFamily::Kde:
        return Picture_Path_From_Setting(Config_File_Value(
            Config_File(QStringLiteral("plasma-org.kde.plasma.desktop-appletsrc")),
            QStringLiteral("[Wallpaper][org.kde.image][General]"), QStringLiteral("Image")));
    case DesktopFamily::Lxqt:
        return Picture_Path_From_Setting(
            Config_File_Value(Config_File(QStringLiteral("pcmanfm-qt/lxqt/settings.conf")),
                              QStringLiteral("Desktop"), QStringLiteral("Wallpaper")));
    case DesktopFamily::Bare_X:
        break;
    }
    return QString();
}

QString Picture_Path_From_Setting(const QString& printed) {
    QString text = printed.trimmed();
    if (text.size() >= 2 && text.startsWith(QLatin1Char('\'')) &&
        text.endsWith(QLatin1Char('\''))) {
        // Undo GVariant_String.
        const QString inner = text.mid(1, text.size() - 2);
        text.clear();
        for (qsizetype i = 0; i < inner.size(); ++i) {
            if (inner[i] == QLatin1Char('\\') && i + 1 < inner.size())
                ++i;
            text += inner[i];
        }
    }
    if (text.isEmpty())
        return QString();
    if (text.startsWith(QLatin1Char('/')))
        return text;
    const QUrl url(text);
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

QString Config_File_Value(const QString& text, const QString& section, const QString& key) {
    bool in_section = section.isEmpty();
    const QString prefix = key + QLatin1Char('=');
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            in_section = section.isEmpty() || line.contains(section);
            continue;
        }
        if (in_section && line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed();
    }
    return QString();
}

QStringList Xfce_Backdrops(const QString& listing) {
    QStringList backdrops;
    for (const QString& line : listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString property = line.trimmed();
        if (property.startsWith(QLatin1String("/backdrop/")) &&
            property.endsWith(QLatin1String("/last-image")))
            backdrops.append(property.chopped(int(qstrlen("/last-image"))));
    }
    return backdrops;
}
