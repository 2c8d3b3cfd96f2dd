#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

// A private world for one test: XDG_CONFIG_HOME, XDG_CONFIG_DIRS, XDG_STATE_HOME and the program
// folder all point into a fresh temporary folder, and the desktop's session bus is hidden
// (DBUS_SESSION_BUS_ADDRESS unset); all are put back when the object goes.
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
    struct Saved {
        const char* name;
        QByteArray value;
        bool was_set;
    };
    QList<Saved> saved_;
    void Put(const char* name, const QString& value);
};
