#include "installer/InstallRecord.h"

#include "registry/Registry.h"

#include <QDir>
#include <QVariant>

namespace {

const QString Install_Key = QStringLiteral("SOFTWARE\\Quillfern Software\\Almanor");
const QString Install_Value = QStringLiteral("InstallPath");

QString Clean(const QString& path) {
    return QDir::cleanPath(QDir(path).absolutePath());
}

} // namespace

QString Install_Root_For(const QString& folder, const QString& home) {
    if (home.isEmpty())
        return QStringLiteral("HKLM");
    const QString clean_home = Clean(home);
    const QString clean_folder = Clean(folder);
    // A home of "/" would make every folder per-user; such a home is no sign of a user install.
    if (clean_home == QLatin1String("/"))
        return QStringLiteral("HKLM");
    if (clean_folder == clean_home || clean_folder.startsWith(clean_home + QLatin1Char('/')))
        return QStringLiteral("HKCU");
    return QStringLiteral("HKLM");
}

qint32 Record_Install_Path(const QString& root, const QString& folder) {
    return Write_Value(root, Install_Key, Install_Value, QStringLiteral("S"), Clean(folder));
}

qint32 Forget_Install_Path(const QString& root, const QString& folder) {
    QVariant current;
    const qint32 status =
        Read_Value(root, Install_Key, Install_Value, QStringLiteral("S"), QString(), current);
    if (status != 0 || Clean(current.toString()) != Clean(folder))
        return 0;
    return Delete_Value(root, Install_Key, Install_Value);
}
