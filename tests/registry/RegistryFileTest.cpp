#include "common/TestEnv.h"
#include "common/TestMain.h"

#include "platform/RegistryBackend.h"
#include "platform/linux/FileRegistry.h"
#include "platform/linux/RegistryFile.h"
#include "registry/Registry.h"

#include <QFileInfo>
#include <QTest>

class RegistryFileTest : public QObject {
    Q_OBJECT

  private slots:
    void damagedFilesReadAsFarAsTheyCan() {
        TestEnv env;
        const QByteArray damaged = "garbage before any key=1:00\n"
                                   "[Good]\n"
                                   "Text=1:616200\n"
                                   "NoColon=1\n"
                                   "OddHex=1:abc\n"
                                   "BadHex=1:zz\n"
                                   "BadType=x:00\n"
                                   "\x01\xff\xfe binary junk\n"
                                   "Text=1:7a7a00\n"
                                   "[Unclosed\n"
                                   "Lost=1:6c00\n"
                                   "[good]\r\n"
                                   "Number=4:ffffffff\r\n";
        env.Write_File(QStringLiteral("config/Almanor/registry/HKCU.ini"), damaged);
        QVariant result;
        QCOMPARE(Read_Value(QStringLiteral("HKCU"), QStringLiteral("Good"), QStringLiteral("Text"),
                            QStringLiteral("S"), QString(), result),
                 0);
        QCOMPARE(result, QVariant(QStringLiteral("ab"))); // the first of two wins
        QCOMPARE(Read_Value(QStringLiteral("HKCU"), QStringLiteral("GOOD"),
                            QStringLiteral("number"), QStringLiteral("D"), 0, result),
                 0);
        QCOMPARE(result, QVariant(-1));
        for (const char* name : {"NoColon", "OddHex", "BadHex", "BadType", "Lost"}) {
            QCOMPARE(Read_Value(QStringLiteral("HKCU"), QStringLiteral("Good"), QLatin1String(name),
                                QStringLiteral("S"), QString(), result),
                     2);
        }
        // Writing goes on and keeps what could be read.
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), QStringLiteral("Good"), QStringLiteral("New"),
                             QStringLiteral("S"), QStringLiteral("n")),
                 0);
        const RegistryFile file =
            RegistryFile::Load(FileRegistry::Root_File(HKEY_CURRENT_USER_Handle));
        QCOMPARE(file.Keys().size(), 1);
        QCOMPARE(file.Keys()[0].values.size(), 3);
    }

    void binaryNoiseIsAnEmptyRegistry() {
        QByteArray noise;
        for (int i = 0; i < 4096; ++i)
            noise += char((i * 7919) % 256);
        const RegistryFile file = RegistryFile::Parse(noise);
        QVERIFY(file.Keys().size() <= 1);
        RegistryFile::Parse(file.Serialise()); // and its own form parses again
    }

    void awkwardNamesSurviveTheFile() {
        RegistryFile file;
        const QStringList names = {QStringLiteral("a=b"),      QStringLiteral("[x]"),
                                   QStringLiteral(" 50% "),    QStringLiteral("line\nbreak"),
                                   QStringLiteral(";comment"), QString()};
        for (const QString& name : names)
            file.Set_Value(QStringLiteral("Key]\\[Sub"), name, 1, name.toUtf8());
        const RegistryFile back = RegistryFile::Parse(file.Serialise());
        QCOMPARE(back.Keys().size(), 1);
        QCOMPARE(back.Keys()[0].path, QStringLiteral("Key]\\[Sub"));
        for (const QString& name : names) {
            const RegistryFileValue* value = back.Find_Value(QStringLiteral("key]\\[sub"), name);
            QVERIFY2(value, qPrintable(name));
            QCOMPARE(value->data, name.toUtf8());
        }
    }

    void namesKeepTheirFirstSpelling() {
        TestEnv env;
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), QStringLiteral("Control Panel\\Desktop"),
                             QStringLiteral("Wallpaper"), QStringLiteral("S"), QStringLiteral("a")),
                 0);
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), QStringLiteral("CONTROL PANEL\\desktop"),
                             QStringLiteral("WALLPAPER"), QStringLiteral("S"), QStringLiteral("b")),
                 0);
        const QByteArray text =
            TestEnv::Read_File(FileRegistry::Root_File(HKEY_CURRENT_USER_Handle));
        QVERIFY(text.contains("[Control Panel\\Desktop]\nWallpaper=1:6200\n"));
        QVERIFY(!text.contains("WALLPAPER"));
    }

    // The calls behave as the Windows ones do for buffers and rights.
    void backendCallsFollowTheWindowsContract() {
        TestEnv env;
        FileRegistry registry;
        RegistryBackend::Key key = 0;
        QCOMPARE(registry.Open_Key(HKEY_CURRENT_USER_Handle, QStringLiteral("A"),
                                   KEY_QUERY_VALUE_Right, &key),
                 2);
        QCOMPARE(registry.Open_Key(0x12345, QStringLiteral("A"), KEY_QUERY_VALUE_Right, &key), 6);
        QCOMPARE(registry.Create_Key(HKEY_CURRENT_USER_Handle, QStringLiteral("A\\B"),
                                     KEY_SET_VALUE_Right, &key),
                 0);
        QCOMPARE(registry.Set_Value(key, QStringLiteral("v"), 3, "\x01\x02\x03", 3), 0);
        quint32 type = 0;
        quint32 size = 0;
        QCOMPARE(registry.Query_Value(key, QStringLiteral("v"), &type, nullptr, &size), 5);
        QCOMPARE(registry.Close_Key(key), 0);
        QCOMPARE(registry.Close_Key(key), 6);

        QCOMPARE(registry.Open_Key(HKEY_CURRENT_USER_Handle, QStringLiteral("a"),
                                   KEY_QUERY_VALUE_Right, &key),
                 0); // a parent of a stored key exists
        QCOMPARE(registry.Close_Key(key), 0);
        QCOMPARE(registry.Open_Key(HKEY_CURRENT_USER_Handle, QStringLiteral("a\\b"),
                                   KEY_QUERY_VALUE_Right, &key),
                 0);
        char small[2] = {};
        size = sizeof small;
        QCOMPARE(registry.Query_Value(key, QStringLiteral("V"), &type, small, &size), 234);
        QCOMPARE(size, 3u);
        QCOMPARE(type, 3u);
        char fits[8] = {};
        size = sizeof fits;
        QCOMPARE(registry.Query_Value(key, QStringLiteral("V"), &type, fits, &size), 0);
        QCOMPARE(QByteArray(fits, int(size)), QByteArray("\x01\x02\x03"));
        QCOMPARE(registry.Set_Value(key, QStringLiteral("w"), 1, "x", 2), 5);
        QCOMPARE(registry.Delete_Value(key, QStringLiteral("v")), 5);
        QCOMPARE(registry.Close_Key(key), 0);
    }

    // Each save replaces the file and syncs it: a value set again as it stands leaves the file
    // alone, while a new type or new data is written.
    void settingAnUnchangedValueLeavesTheFileAlone() {
        TestEnv env;
        FileRegistry registry;
        RegistryBackend::Key key = 0;
        QCOMPARE(registry.Create_Key(HKEY_CURRENT_USER_Handle,
                                     QStringLiteral("Control Panel\\Desktop"),
                                     KEY_SET_VALUE_Right | KEY_QUERY_VALUE_Right, &key),
                 0);
        QCOMPARE(registry.Set_Value(key, QStringLiteral("TileWallpaper"), 1, "0", 2), 0);
        const QString path = FileRegistry::Root_File(HKEY_CURRENT_USER_Handle);
        // An old time on the file tells whether it was written again.
        const QDateTime old(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);
        const auto age = [&path, &old] {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
        };
        const auto rewritten = [&path, &old] { return QFileInfo(path).lastModified() != old; };
        age();
        QCOMPARE(registry.Set_Value(key, QStringLiteral("tilewallpaper"), 1, "0", 2), 0);
        QVERIFY(!rewritten());
        QCOMPARE(registry.Set_Value(key, QStringLiteral("TileWallpaper"), 2, "0", 2), 0);
        QVERIFY(rewritten());
        age();
        QCOMPARE(registry.Set_Value(key, QStringLiteral("TileWallpaper"), 2, "1", 2), 0);
        QVERIFY(rewritten());
        quint32 type = 0;
        char data[4] = {};
        quint32 size = sizeof data;
        QCOMPARE(registry.Query_Value(key, QStringLiteral("TileWallpaper"), &type, data, &size), 0);
        QCOMPARE(type, 2u);
        QCOMPARE(QByteArray(data), QByteArray("1"));
        QCOMPARE(registry.Close_Key(key), 0);
    }
};

ALMANOR_TEST(RegistryFileTest)
#include "RegistryFileTest.moc"
