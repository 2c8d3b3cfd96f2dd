#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "installer/InstallRecord.h"
#include "registry/Registry.h"

#include <QTest>

namespace {

QString Stored(const QString& root) {
    QVariant result;
    Read_Value(root, QStringLiteral("SOFTWARE\\Quillfern Software\\Almanor"),
               QStringLiteral("InstallPath"), QStringLiteral("S"), QStringLiteral("NONE"), result);
    return result.toString();
}

} // namespace

class InstallRecordTest : public QObject {
    Q_OBJECT

  private slots:
    void root_follows_the_home_folder_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("root");
        QTest::newRow("inside") << "/home/ann/.local/lib/almanor"
                                << "/home/ann"
                                << "HKCU";
        QTest::newRow("home itself") << "/home/ann"
                                     << "/home/ann/"
                                     << "HKCU";
        QTest::newRow("dotted inside") << "/home/ann/x/../lib"
                                       << "/home/ann"
                                       << "HKCU";
        QTest::newRow("name prefix only") << "/home/ann2/lib"
                                          << "/home/ann"
                                          << "HKLM";
        QTest::newRow("dotted outside") << "/home/ann/../bob/lib"
                                        << "/home/ann"
                                        << "HKLM";
        QTest::newRow("system") << "/usr/local/lib/almanor"
                                << "/root"
                                << "HKLM";
        QTest::newRow("root home") << "/opt/almanor"
                                   << "/"
                                   << "HKLM";
        QTest::newRow("no home") << "/opt/almanor"
                                 << ""
                                 << "HKLM";
    }
    void root_follows_the_home_folder() {
        QFETCH(QString, folder);
        QFETCH(QString, home);
        QFETCH(QString, root);
        QCOMPARE(Install_Root_For(folder, home), root);
    }

    // The folder is stored cleaned under the root given; forgetting removes only a record that
    // still names the folder.
    void record_is_what_the_remover_finds() {
        TestEnv env;
        const QString user_folder = env.Root() + QStringLiteral("/home/lib/almanor");
        QCOMPARE(Record_Install_Path(QStringLiteral("HKCU"), user_folder + QStringLiteral("/")), 0);
        QCOMPARE(Stored(QStringLiteral("HKCU")), user_folder);

        const QString system_folder = env.Root() + QStringLiteral("/usr/lib/almanor");
        QCOMPARE(Record_Install_Path(QStringLiteral("HKLM"), system_folder), 0);
        QCOMPARE(Stored(QStringLiteral("HKLM")), system_folder);
        QCOMPARE(Stored(QStringLiteral("HKCU")), user_folder);

        QCOMPARE(Forget_Install_Path(QStringLiteral("HKLM"), user_folder), 0);
        QCOMPARE(Stored(QStringLiteral("HKLM")), system_folder);
        QCOMPARE(Forget_Install_Path(QStringLiteral("HKLM"), system_folder), 0);
        QCOMPARE(Stored(QStringLiteral("HKLM")), QStringLiteral("NONE"));
        QCOMPARE(Forget_Install_Path(QStringLiteral("HKCU"), user_folder), 0);
        QCOMPARE(Stored(QStringLiteral("HKCU")), QStringLiteral("NONE"));
        QCOMPARE(Forget_Install_Path(QStringLiteral("HKCU"), user_folder), 0);
    }

    void unwritable_registry_is_reported() {
        TestEnv env;
        // The per-user registry folder can't be made where a regular file stands.
        env.Write_File(QStringLiteral("config/Almanor"), "not a folder");
        QVERIFY(Record_Install_Path(QStringLiteral("HKCU"), env.Program_Dir()) != 0);
    }
};

ALMANOR_TEST(InstallRecordTest)

#include "test_install_record.moc"
