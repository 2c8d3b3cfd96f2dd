#include "common/TestEnv.h"

#include "calendar/AppPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestEnv::TestEnv()
    : old_home_(qgetenv("XDG_CONFIG_HOME")), old_dirs_(qgetenv("XDG_CONFIG_DIRS")),
      had_home_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")),
      had_dirs_(qEnvironmentVariableIsSet("XDG_CONFIG_DIRS")) {
    old_state_ = qgetenv("XDG_STATE_HOME");
    had_state_ = qEnvironmentVariableIsSet("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", State_Home().toLocal8Bit());
    QDir().mkpath(Config_Home());
    QDir().mkpath(Config_Dirs());
    QDir().mkpath(Program_Dir());
    qputenv("XDG_CONFIG_HOME", Config_Home().toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", Config_Dirs().toLocal8Bit());
    Set_App_Path(Program_Dir());
}

TestEnv::~TestEnv() {
    Set_App_Path(QString());
    if (had_home_)
        qputenv("XDG_CONFIG_HOME", old_home_);
    else
        qunsetenv("XDG_CONFIG_HOME");
    if (had_dirs_)
        qputenv("XDG_CONFIG_DIRS", old_dirs_);
    else
        qunsetenv("XDG_CONFIG_DIRS");
    if (had_state_)
        qputenv("XDG_STATE_HOME", old_state_);
    else
        qunsetenv("XDG_STATE_HOME");
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
