#include "settings/RunEntry.h"

#include "calendar/AppPath.h"
#include "registry/Registry.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
const QString User = QStringLiteral("HKCU");
const QString Machine = QStringLiteral("HKLM");
const QString Blank = QStringLiteral("BLANK");

bool Entry_Exists(const QString& root) {
    QVariant text;
    return Read_Value(root, Run_Key(), Run_Value_Name(), QStringLiteral("S"), QString(), text) == 0;
}
} // namespace

QString Run_Key() {
    return QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
}

QString Run_Value_Name() {
    return QStringLiteral("Almanor");
}

QString Run_Entry_Program() {
    return App_Path() + QLatin1Char('/') +
           QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

bool Get_Startup_Value() {
    for (const QString& root : {User, Machine}) {
        QVariant text;
        Read_Value(root, Run_Key(), Run_Value_Name(), QStringLiteral("S"), Blank, text);
        if (text.toString() != Blank)
            return true;
    }
    return false;
}

void Save_Run_Entry(bool startup, const QString& program) {
    if (!startup) {
        Delete_Value(User, Run_Key(), Run_Value_Name());
        Delete_Value(Machine, Run_Key(), Run_Value_Name());
        return;
    }
    if (Entry_Exists(Machine)) {
        // A machine-wide entry moves to the user; while it can't be removed the calendar would
        // start twice, so no per-user entry is written then.
        Delete_Value(Machine, Run_Key(), Run_Value_Name());
        if (Entry_Exists(Machine))
            return;
    }
    Write_Value(User, Run_Key(), Run_Value_Name(), QStringLiteral("S"), program);
}
