#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A private world for one test: XDG_CONFIG_HOME, XDG_CONFIG_DIRS and the program folder all
// point into a fresh temporary folder, and are put back when the object goes.
class TestEnv {
  public:
    TestEnv();
    ~TestEnv();
    TestEnv(const TestEnv&) = delete;
    TestEnv& operator=(const TestEnv&) = delete;

    QString Root() const { return dir_.path(); }
    QString Config_Home() const { return dir_.path() + QStringLiteral("/config"); }
    QString State_Home() const { return dir_.path() + QStringLiteral("/state"); }
    QString Config_Dirs() const { return dir_.path() + QStringLiteral("/xdg"); }
    QString Program_Dir() const { return dir_.path() + QStringLiteral("/Almanor"); }
    QString Data_File() const { return Program_Dir() + QStringLiteral("/calendar.dat"); }

    // Writes bytes to a file below the root (folders made as needed); returns its path.
    QString Write_File(const QString& relative, const QByteArray& bytes) const;
    static QByteArray Read_File(const QString& path);

  private:
    QTemporaryDir dir_;
    QByteArray old_home_, old_dirs_, old_state_;
    bool had_home_, had_dirs_, had_state_;
};
