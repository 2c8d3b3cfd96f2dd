#include "calendar/AppPath.h"

#include <QCoreApplication>

namespace {
QString& Override() {
    static QString path;
    return path;
}
} // namespace

QString App_Path() {
    if (!Override().isEmpty())
        return Override();
    return QCoreApplication::applicationDirPath();
}

void Set_App_Path(const QString& path) {
    Override() = path;
}
