#include "common/TestEnv.h"

#include "calendar/AppPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestEnv::TestEnv() {
    QDir().mkpath(Config_Home());
    QDir().mkpath(Config_Dirs());
    QDir().mkpath(Program_Dir());
    Put("XDG_CONFIG_HOME", Config_Home());
    Put("XDG_CONFIG_DIRS", Config_Dirs());
    Put("XDG_STATE_HOME", State_Home());
    Put("DBUS_SESSION_BUS_ADDRESS", QString());
    Set_App_Path(Program_Dir());
}

void TestEnv::Put(const char* name, const QString& value) {
    saved_.append(Saved{name, qgetenv(name), qEnvironmentVariableIsSet(name)});
    if (value.isNull())
        qunsetenv(name);
    else
        qputenv(name, value.toLocal8Bit());
}

TestEnv::~TestEnv() {
    Set_App_Path(QString());
    for (const Saved& entry : saved_) {
        if (entry.was_set)
            qputenv(entry.name, entry.value);
        else
            qunsetenv(entry.name);
    }
}

QString TestEnv::Write_File(const QString& relative, const QByteArray& bytes) const {
    const QString path = dir_.path() + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

QByteArray TestEnv::Read_File(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
