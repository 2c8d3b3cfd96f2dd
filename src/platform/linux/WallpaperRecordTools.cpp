#include "platform/linux/WallpaperRecordTools.h"

#include <QFile>
#include <QStandardPaths>

namespace {
const QString Gsettings = QStringLiteral("gsettings");
const QString Xfconf = QStringLiteral("xfconf-query");
const QStringList Xfce_Channel{QStringLiteral("-c"), QStringLiteral("xfce4-desktop")};
// Names of values that say a property was missing: putting it back removes it.
const QString Missing = QStringLiteral("missing ");

struct GsettingsKey {
    QString schema;
    QString key;
    bool optional = false;
};

QList<GsettingsKey> Gsettings_Keys(DesktopFamily family) {
    const QString gnome = QStringLiteral("org.gnome.desktop.background");
    const QString cinnamon = QStringLiteral("org.cinnamon.desktop.background");
    const QString mate = QStringLiteral("org.mate.background");
    switch (family) {
    case DesktopFamily::Gnome:
        return {{gnome, QStringLiteral("picture-uri")},
                {gnome, QStringLiteral("picture-uri-dark"), true},
                {gnome, QStringLiteral("picture-options")}};
    case DesktopFamily::Cinnamon:
        return {{cinnamon, QStringLiteral("picture-uri")},
                {cinnamon, QStringLiteral("picture-options")}};
    case DesktopFamily::Mate:
        return {{mate, QStringLiteral("picture-filename")},
                {mate, QStringLiteral("picture-options")}};
    default:
        return {};
    }
}

std::optional<WallpaperRecord> Record_Gsettings(DesktopFamily family) {
    WallpaperRecord record{Backend_Name(family), {}};
    for (const GsettingsKey& key : Gsettings_Keys(family)) {
        QString printed;
        if (!Run_Tool(Gsettings, {QStringLiteral("get"), key.schema, key.key}, &printed)) {
            if (key.optional)
                continue;
            return std::nullopt;
        }
        record.values.append({key.schema + QLatin1Char(' ') + key.key, printed.trimmed()});
    }
    return record;
}

bool Restore_Gsettings(const WallpaperRecord& record) {
    for (const auto& [name, value] : record.values) {
        const QStringList schema_key = name.split(QLatin1Char(' '));
        if (schema_key.size() != 2 ||
            !Run_Tool(Gsettings, {QStringLiteral("set"), schema_key[0], schema_key[1], value}))
            return false;
    }
    return true;
}

QString Xfce_Value(const QString& property, bool* present) {
    QString printed;
    *present =
        Run_Tool(Xfconf, Xfce_Channel + QStringList{QStringLiteral("-p"), property}, &printed);
    return printed.trimmed();
}

std::optional<WallpaperRecord> Record_Xfce() {
    QString listing;
    if (!Run_Tool(Xfconf, Xfce_Channel + QStringList{QStringLiteral("-l")}, &listing))
        return std::nullopt;
    // The backdrops the wallpaper is set on: those with a picture, else the first monitor's.
    QStringList backdrops = Xfce_Backdrops(listing);
    if (backdrops.isEmpty())
        backdrops.append(QStringLiteral("/backdrop/screen0/monitor0/workspace0"));
    WallpaperRecord record{Backend_Name(DesktopFamily::Xfce), {}};
    for (const QString& backdrop : backdrops) {
        for (const QString& leaf :
             {QStringLiteral("/image-style"), QStringLiteral("/last-image")}) {
            bool present = false;
            const QString value = Xfce_Value(backdrop + leaf, &present);
            if (present)
                record.values.append({backdrop + leaf, value});
            else
                record.values.append({Missing + backdrop + leaf, QString()});
        }
    }
    return record;
}

bool Restore_Xfce(const WallpaperRecord& record) {
    bool ok = true;
    for (const auto& [name, value] : record.values) {
        const bool missing = name.startsWith(Missing);
        const QString property = missing ? name.mid(Missing.size()) : name;
        const QStringList at = Xfce_Channel + QStringList{QStringLiteral("-p"), property};
        if (missing) {
            bool present = false;
            Xfce_Value(property, &present);
            if (present)
                ok = Run_Tool(Xfconf, at + QStringList{QStringLiteral("-r")}) && ok;
        } else {
            ok = Run_Tool(Xfconf, at + QStringList{QStringLiteral("-s"), value}) && ok;
        }
    }
    return ok;
}

QString Config_Text(const QString& relative) {
    QFile file(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               QLatin1Char('/') + relative);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

const QString Plasma_File = QStringLiteral("plasma-org.kde.plasma.desktop-appletsrc");
const QString Plasma_Group = QStringLiteral("[Wallpaper][org.kde.image][General]");
const QString Lxqt_File = QStringLiteral("pcmanfm-qt/lxqt/settings.conf");

WallpaperRecord Record_From_File(DesktopFamily family, const QString& relative,
                                 const QString& section, const QStringList& keys) {
    const QString text = Config_Text(relative);
    WallpaperRecord record{Backend_Name(family), {}};
    for (const QString& key : keys)
        record.values.append({key, Config_File_Value(text, section, key)});
    return record;
}

QString Value_Of(const WallpaperRecord& record, const QString& name) {
    for (const auto& [key, value] : record.values) {
        if (key == name)
            return value;
    }
    return QString();
}

bool Restore_Lxqt(const WallpaperRecord& record) {
    const QString wallpaper = Value_Of(record, QStringLiteral("Wallpaper"));
    const QString mode = Value_Of(record, QStringLiteral("WallpaperMode"));
    QStringList arguments;
    if (!wallpaper.isEmpty())
        arguments.append(QStringLiteral("--set-wallpaper=") + wallpaper);
    arguments.append(QStringLiteral("--wallpaper-mode=") +
                     (mode.isEmpty() ? QStringLiteral("color") : mode));
    return Run_Tool(QStringLiteral("pcmanfm-qt"), arguments);
}
} // namespace

QString Backend_Name(DesktopFamily family) {
    switch (family) {
    case DesktopFamily::Gnome:
        return QStringLiteral("gnome");
    case DesktopFamily::Cinnamon:
        return QStringLiteral("cinnamon");
    case DesktopFamily::Mate:
        return QStringLiteral("mate");
    case DesktopFamily::Kde:
        return QStringLiteral("plasma");
    case DesktopFamily::Xfce:
        return QStringLiteral("xfce");
    case DesktopFamily::Lxqt:
        return QStringLiteral("lxqt");
    case DesktopFamily::Bare_X:
        break;
    }
    return QString();
}

std::optional<WallpaperRecord> Record_With_Tools(DesktopFamily family) {
    switch (family) {
    case DesktopFamily::Gnome:
    case DesktopFamily::Cinnamon:
    case DesktopFamily::Mate:
        return Record_Gsettings(family);
    case DesktopFamily::Xfce:
        return Record_Xfce();
    case DesktopFamily::Kde:
        return Record_From_File(family, Plasma_File, Plasma_Group,
                                {QStringLiteral("Image"), QStringLiteral("FillMode")});
    case DesktopFamily::Lxqt:
        return Record_From_File(family, Lxqt_File, QStringLiteral("Desktop"),
                                {QStringLiteral("Wallpaper"), QStringLiteral("WallpaperMode")});
    case DesktopFamily::Bare_X:
        break;
    }
    return std::nullopt;
}

bool Restore_With_Tools(DesktopFamily family, const WallpaperRecord& record) {
    if (record.backend != Backend_Name(family) || record.backend.isEmpty())
        return false;
    switch (family) {
    case DesktopFamily::Gnome:
    case DesktopFamily::Cinnamon:
    case DesktopFamily::Mate:
        return Restore_Gsettings(record);
    case DesktopFamily::Xfce:
        return Restore_Xfce(record);
    case DesktopFamily::Kde: {
        // A fill mode missing from the file was Plasma's default: scaled and cropped.
        const QString fill_mode = Value_Of(record, QStringLiteral("FillMode"));
        return Set_Plasma_Wallpaper(Value_Of(record, QStringLiteral("Image")),
                                    fill_mode.isEmpty() ? QStringLiteral("2") : fill_mode);
    }
    case DesktopFamily::Lxqt:
        return Restore_Lxqt(record);
    case DesktopFamily::Bare_X:
        break;
    }
    return false;
}
