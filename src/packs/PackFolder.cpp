#include "packs/PackFolder.h"

#include "calendar/AppSettings.h"
#include "calendar/General_Mod.h"
#include "calendar/MsgBox.h"
#include "calendar/SettingsStore.h"
#include "events/EventStore.h"
#include "packs/OwnWallpaper.h"
#include "packs/PacksTab.h"
#include "packs/SetWallpaper_Mod.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSaveFile>

namespace {
const QString Crlf = QStringLiteral("\r\n");

QString Settings_Path(const QString& program_dir, const QString& pack) {
    return Pack_Folder(program_dir, pack) + QStringLiteral("/settings.ini");
}

QString Month_File(const QString& program_dir, const QString& pack, qint16 month,
                   const char* extension) {
    return Pack_Folder(program_dir, pack) + QLatin1Char('/') + QString::number(month) +
           QLatin1String(extension);
}

// The three fields of a details string; false when it doesn't hold three 16-bit integers.
bool Split_Details(const QString& details, qint16 fields[3]) {
    const qsizetype first = details.indexOf(QLatin1Char('-'));
    if (first < 0)
        return false;
    const qsizetype second = details.indexOf(QLatin1Char('-'), first + 1);
    if (second < 0)
        return false;
    const QString texts[3] = {details.left(first), details.mid(first + 1, second - first - 1),
                              details.mid(second + 1)};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        fields[i] = texts[i].trimmed().toShort(&ok);
        if (!ok)
            return false;
    }
    return true;
}

qint16 Details_Field(const QString& details, int index) {
    qint16 fields[3] = {0, 0, 0};
    if (!Split_Details(details, fields))
        return 0;
    return fields[index];
}

// Saves the picture as a bitmap in one step, so an interrupted save never leaves a broken bitmap
// that later calls would take for the converted picture.
bool Save_Bitmap(const QImage& picture, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!picture.save(&file, "BMP")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
} // namespace

QString Pack_Folder(const QString& program_dir, const QString& pack) {
    if (pack.isEmpty())
        return program_dir;
    return program_dir + QLatin1Char('/') + pack;
}

bool Is_Pack_Name(const QString& pack) {
    return !pack.contains(QLatin1Char('/')) && !pack.contains(QLatin1Char('\\')) &&
           pack != QLatin1String(".") && pack != QLatin1String("..");
}

bool Is_Pack(const QString& program_dir, const QString& pack) {
    return !pack.isEmpty() && Is_Pack_Name(pack) && All_Files(Pack_Folder(program_dir, pack));
}

QString Missing_Pack_Message(const QString& pack) {
    return QStringLiteral("Missing Pack ") + pack + QStringLiteral(". Packs will now be disabled.");
}

QString Settings_File_Message(const QString& settings_path) {
    return QStringLiteral("Error loading in Settings file...") + Crlf + Crlf + settings_path;
}

QString Picture_File_Message(const QString& picture_path) {
    return QStringLiteral("Error loading in Picture file...") + Crlf + Crlf + picture_path;
}

void Report_Settings_File(const QString& program_dir, const QString& pack) {
    Msg_Box(Settings_File_Message(Settings_Path(program_dir, pack)), MsgButtons::Ok,
            MsgIcon::Critical);
}

QString Get_Paper_Details(PackContext& context, qint16 month, const QString& pack) {
    // A name that reaches outside the program folder can't be a pack: it is missing, and the
    // bitmap clean-up never runs in a folder that isn't one.
    if (!Is_Pack_Name(pack) || !Dir_Exists(Pack_Folder(context.program_dir, pack))) {
        Msg_Box(Missing_Pack_Message(pack), MsgButtons::Ok, MsgIcon::Critical);
        Save_Setting(context.store, context.settings, QStringLiteral("Settings"),
                     QStringLiteral("Use Themes"), 0);
        Put_Back_Own_Wallpaper_After(Pack_Folder(context.program_dir, pack));
        return Paper_Error;
    }
    const QString path = Settings_Path(context.program_dir, pack);
    QByteArray bytes;
    if (!File_Exists(path) || !Read_Event_Bytes(path, &bytes)) {
        Report_Settings_File(context.program_dir, pack);
        return Paper_Error;
    }
    QString result;
    for (const QString& item : Parse_Event_File(bytes)) {
        const qsizetype equals = item.indexOf(QLatin1Char('='));
        // The file holds key=value items only; anything else (a section header) is an error.
        if (equals < 0) {
            Report_Settings_File(context.program_dir, pack);
            return Paper_Error;
        }
        bool number = false;
        const int key = item.left(equals).trimmed().toInt(&number);
        if (number && key == month)
            result = item.mid(equals + 1);
    }
    return result;
}

qint16 Get_Paper_BoxStyle(const QString& details) {
    return Details_Field(details, 0);
}

qint16 Get_Paper_Pos(const QString& details) {
    return Details_Field(details, 1);
}

qint16 Get_Paper_DisplayMode(const QString& details) {
    return Details_Field(details, 2);
}

bool Paper_Details_Valid(const QString& details) {
    qint16 fields[3];
    return Split_Details(details, fields);
}

QString Get_Paper_Path(const QString& program_dir, const QString& pack, qint16 month) {
    // "." and ".." would convert and delete bitmaps of the program folder or the one above it.
    if (!Is_Pack_Name(pack)) {
        Msg_Box(Picture_File_Message(Month_File(program_dir, pack, month, ".jpg")), MsgButtons::Ok,
                MsgIcon::Critical);
        return Paper_Error;
    }
    const QString bitmap = Month_File(program_dir, pack, month, ".bmp");
    if (File_Exists(bitmap))
        return bitmap;
    Delete_Old_Bmps(program_dir, pack);
    const QString picture_path = Month_File(program_dir, pack, month, ".jpg");
    const QImage picture(picture_path);
    if (picture.isNull() || !Save_Bitmap(picture, bitmap)) {
        Msg_Box(Picture_File_Message(picture_path), MsgButtons::Ok, MsgIcon::Critical);
        return Paper_Error;
    }
    return bitmap;
}

void Delete_Old_Bmps(const QString& program_dir, const QString& pack) {
    QDir folder(Pack_Folder(program_dir, pack));
    if (!Is_Pack_Name(pack) || !folder.exists())
        return;
    const QStringList files = folder.entryList(QDir::Files | QDir::NoDotAndDotDot);
    for (const QString& name : files) {
        if (name.endsWith(QLatin1String(".bmp"), Qt::CaseSensitive))
            QFile::remove(folder.filePath(name));
    }
}
