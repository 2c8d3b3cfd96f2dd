#include "common/TestEnv.h"
#include "common/TestMain.h"

#include "platform/linux/AutostartRunKey.h"
#include "registry/Registry.h"

#include <QFileInfo>
#include <QTest>

namespace {

const QString Run = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");

qint32 Read_Run(const QString& root, const QString& name, QString* text) {
    QVariant result;
    const qint32 status = Read_Value(root, Run, name, QStringLiteral("S"), QString(), result);
    *text = result.toString();
    return status;
}

} // namespace

class RunKeyTest : public QObject {
    Q_OBJECT

  private slots:
    void userEntryIsAnAutostartFile() {
        TestEnv env;
        const QString path = env.Config_Home() + QStringLiteral("/autostart/Almanor.desktop");
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), Run, QStringLiteral("Almanor"),
                             QStringLiteral("S"), QStringLiteral("/opt/almanor/Almanor")),
                 0);
        QCOMPARE(TestEnv::Read_File(path), QByteArray("[Desktop Entry]\n"
                                                      "Type=Application\n"
                                                      "Name=Almanor\n"
                                                      "Exec=/opt/almanor/Almanor\n"
                                                      "X-GNOME-Autostart-enabled=true\n"
                                                      "X-Almanor-Registry-Value=Almanor\n"));
        QString text;
        QCOMPARE(Read_Run(QStringLiteral("hkcu"), QStringLiteral("ALMANOR"), &text), 0);
        QCOMPARE(text, QStringLiteral("/opt/almanor/Almanor"));
        // Any spelling of the key path is the run key.
        QCOMPARE(Delete_Value(QStringLiteral("HKCU"), Run.toLower(), QStringLiteral("almanor")), 0);
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(Read_Run(QStringLiteral("HKCU"), QStringLiteral("Almanor"), &text), 2);
        QCOMPARE(Delete_Value(QStringLiteral("HKCU"), Run, QStringLiteral("Almanor")), 0);
    }

    void commandsRoundTripThroughExec_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("exec");
        QTest::newRow("blanks") << "/home/me/My Apps/Almanor"
                                << "\"/home/me/My Apps/Almanor\"";
        QTest::newRow("backslash") << "C:\\Almanor\\Almanor.exe"
                                   << "\"C:\\\\\\\\Almanor\\\\\\\\Almanor.exe\"";
        QTest::newRow("shell characters") << "/a/$HOME `x` \"q\" 50%"
                                          << "\"/a/\\\\$HOME \\\\`x\\\\` \\\\\"q\\\\\" 50%%\"";
        QTest::newRow("percent") << "/a/100%"
                                 << "/a/100%%";
        QTest::newRow("empty") << ""
                               << "\"\"";
    }
    void commandsRoundTripThroughExec() {
        QFETCH(QString, command);
        QFETCH(QString, exec);
        TestEnv env;
        QCOMPARE(Exec_From_Command(command), exec);
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), Run, QStringLiteral("Almanor"),
                             QStringLiteral("S"), command),
                 0);
        const QByteArray file =
            TestEnv::Read_File(env.Config_Home() + QStringLiteral("/autostart/Almanor.desktop"));
        QVERIFY(file.contains("\nExec=" + exec.toUtf8() + '\n'));
        QString text;
        QCOMPARE(Read_Run(QStringLiteral("HKCU"), QStringLiteral("Almanor"), &text), 0);
        QCOMPARE(text, command);
    }

    void handWrittenExecLinesAreUnquoted() {
        QCOMPARE(Command_From_Exec(QStringLiteral("almanor  --quiet \"a b\"")),
                 QStringLiteral("almanor --quiet a b"));
        QCOMPARE(Command_From_Exec(QStringLiteral("\"unclosed")), QStringLiteral("unclosed"));
        QCOMPARE(Command_From_Exec(QStringLiteral("trailing\\")), QStringLiteral("trailing\\"));
    }

    void machineEntryAndMigration() {
        TestEnv env;
        const QString machine = env.Config_Dirs() + QStringLiteral("/autostart/Almanor.desktop");
        QCOMPARE(Write_Value(QStringLiteral("HKLM"), Run, QStringLiteral("Almanor"),
                             QStringLiteral("S"), QStringLiteral("/usr/bin/almanor")),
                 0);
        QVERIFY(QFileInfo::exists(machine));
        // The start-up migration: read, delete, check it is gone, write the user entry.
        QString text;
        QCOMPARE(Read_Run(QStringLiteral("HKLM"), QStringLiteral("Almanor"), &text), 0);
        QCOMPARE(Delete_Value(QStringLiteral("HKLM"), Run, QStringLiteral("Almanor")), 0);
        QString again;
        QCOMPARE(Read_Run(QStringLiteral("HKLM"), QStringLiteral("Almanor"), &again), 2);
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), Run, QStringLiteral("Almanor"),
                             QStringLiteral("S"), text),
                 0);
        QVERIFY(!QFileInfo::exists(machine));
        QVERIFY(
            QFileInfo::exists(env.Config_Home() + QStringLiteral("/autostart/Almanor.desktop")));
    }

    void otherProgramsEntriesAreLeftAlone() {
        TestEnv env;
        const QByteArray foreign = "[Desktop Entry]\nType=Application\nExec=other\n";
        const QString path =
            env.Write_File(QStringLiteral("config/autostart/Almanor.desktop"), foreign);
        QString text;
        QCOMPARE(Read_Run(QStringLiteral("HKCU"), QStringLiteral("Almanor"), &text), 2);
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), Run, QStringLiteral("Almanor"),
                             QStringLiteral("S"), QStringLiteral("mine")),
                 5);
        QCOMPARE(Delete_Value(QStringLiteral("HKCU"), Run, QStringLiteral("Almanor")), 0);
        QCOMPARE(TestEnv::Read_File(path), foreign);
    }

    void switchedOffEntriesReadAsMissing() {
        TestEnv env;
        env.Write_File(QStringLiteral("config/autostart/Almanor.desktop"),
                       "[Desktop Entry]\nExec=x\nX-GNOME-Autostart-enabled=false\n"
                       "X-Almanor-Registry-Value=Almanor\n");
        QString text;
        QCOMPARE(Read_Run(QStringLiteral("HKCU"), QStringLiteral("Almanor"), &text), 2);
        // Writing the value switches it back on.
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), Run, QStringLiteral("Almanor"),
                             QStringLiteral("S"), QStringLiteral("y")),
                 0);
        QCOMPARE(Read_Run(QStringLiteral("HKCU"), QStringLiteral("Almanor"), &text), 0);
        QCOMPARE(text, QStringLiteral("y"));
    }

    void onlyNamedStringsFitTheRunKey() {
        TestEnv env;
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), Run, QStringLiteral("Almanor"),
                             QStringLiteral("D"), 1),
                 87);
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), Run, QStringLiteral("a/b"),
                             QStringLiteral("S"), QStringLiteral("x")),
                 87);
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), Run, QString(), QStringLiteral("S"),
                             QStringLiteral("x")),
                 87);
        QVERIFY(!QFileInfo::exists(env.Config_Home() + QStringLiteral("/autostart")));
    }
};

ALMANOR_TEST(RunKeyTest)
#include "RunKeyTest.moc"
