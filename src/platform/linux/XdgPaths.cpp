#include "platform/linux/XdgPaths.h"

#include <QDir>
#include <QStringList>

QString Xdg_Config_Home() {
    const QString value = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::homePath() + QStringLiteral("/.config");
}

QString Xdg_First_Config_Dir() {
    const QStringList dirs =
        qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& dir : dirs) {
        if (QDir::isAbsolutePath(dir))
            return QDir::cleanPath(dir);
    }
    return QStringLiteral("/etc/xdg");
}
