#include "settings/ProgramInfo.h"

#include "calendar/AppPath.h"
#include "platform/Platform.h"

#include <QFileInfo>

#ifndef ALMANOR_VERSION
#define ALMANOR_VERSION "0.0"
#endif

QString Program_Name() {
    return QStringLiteral("Almanor");
}

QString Program_Version() {
    return QStringLiteral("Version ") + QStringLiteral(ALMANOR_VERSION);
}

QString Help_Page_Path() {
    return App_Path() + QStringLiteral("/help.html");
}

bool Open_Help_Page() {
    const QString path = Help_Page_Path();
    if (!QFileInfo(path).isFile())
        return false;
    return Current_Platform().Open_File(path);
}
