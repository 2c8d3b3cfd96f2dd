#include "common/TestEnv.h"
#include "common/TestMain.h"

#include "platform/Platform.h"
#include "platform/RegistryBackend.h"
#include "platform/linux/FileRegistry.h"
#include "registry/Registry.h"

#include <QDir>
#include <QTest>

namespace {

const QString Key = QStringLiteral("Software\\Almanor Test\\Options");

// The raw type and bytes of a stored value, read straight from the backend.
struct Raw {
    qint32 status = -1;
    quint32 type = 0;
    QByteArray data;
};

Raw Raw_Value(qint32 root, const QString& key, const QString& name) {
    RegistryBackend& backend = Current_Platform().Registry();
    Raw raw;
    RegistryBackend::Key handle = 0;
    raw.status = backend.Open_Key(root, key, KEY_QUERY_VALUE_Right, &handle);
    if (raw.status != 0)
        return raw;
    quint32 size = 0;
    raw.status = backend.Query_Value(handle, name, &raw.type, nullptr, &size);
    raw.data.resize(size);
    if (raw.status == 0)
        raw.status = backend.Query_Value(handle, name, &raw.type, raw.data.data(), &size);
    backend.Close_Key(handle);
    return raw;
}

QVariant Read(const QString& root, const QString& key, const QString& name, const QString& type,
              qint32* status = nullptr) {
    QVariant result;
    const qint32 got = Read_Value(root, key, name, type, QStringLiteral("BLANK"), result);
    if (status)
        *status = got;
    return result;
}

} // namespace

class RegistryModuleTest : public QObject {
    Q_OBJECT

  private slots:
    void rootNamesAnyCaseAndFiles() {
        TestEnv env;
        QCOMPARE(Get_Root(QStringLiteral("HKCU")), qint32(0x80000001u));
        QCOMPARE(Get_Root(QStringLiteral("hkcu")), qint32(0x80000001u));
        QCOMPARE(Get_Root(QStringLiteral("HkLm")), qint32(0x80000002u));
        QCOMPARE(Get_Root(QStringLiteral("hku")), qint32(0x80000003u));
        QCOMPARE(Get_Root(QStringLiteral("hkdd")), qint32(0x80000006u));
        QCOMPARE(Get_Root(QStringLiteral("hkcc")), qint32(0x80000005u));
        QCOMPARE(Get_Root(QStringLiteral("hkcr")), qint32(0x80000000u));
        const QString file = env.Write_File(QStringLiteral("a.ini"), "[s]\n");
        QCOMPARE(Get_Root(file), 1);
        QCOMPARE(Get_Root(env.Root()), 0); // a folder is not a profile file
        QCOMPARE(Get_Root(file + QStringLiteral(".missing")), 0);
        QCOMPARE(Get_Root(QString()), 0);
        QCOMPARE(Get_Root(QStringLiteral("HKEY_CURRENT_USER")), 0);
    }

    void unknownRootReturns99FromEveryProcedure() {
        TestEnv env;
        const QString root = QStringLiteral("HKXX");
        QVariant result;
        QCOMPARE(Read_Value(root, Key, QStringLiteral("v"), QStringLiteral("S"), 7, result), 99);
        QCOMPARE(result, QVariant(7));
        QCOMPARE(Write_Value(root, Key, QStringLiteral("v"), QStringLiteral("S"), 1), 99);
        QCOMPARE(Delete_Value(root, Key, QStringLiteral("v")), 99);
        QVERIFY(!QDir(env.Config_Home() + QStringLiteral("/Almanor")).exists());
    }

    void missingValueKeepsDefault() {
        TestEnv env;
        qint32 status = 0;
        QCOMPARE(
            Read(QStringLiteral("HKCU"), Key, QStringLiteral("v"), QStringLiteral("S"), &status),
            QVariant(QStringLiteral("BLANK")));
        QCOMPARE(status, 2); // no key
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), Key, QStringLiteral("other"),
                             QStringLiteral("S"), QStringLiteral("x")),
                 0);
        for (const char* type : {"S", "B", "D"}) {
            QCOMPARE(Read(QStringLiteral("HKCU"), Key, QStringLiteral("v"), QLatin1String(type),
                          &status),
                     QVariant(QStringLiteral("BLANK")));
            QCOMPARE(status, 2); // no value
        }
    }

    void stringsRoundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("one character") << QStringLiteral("x");
        QTest::newRow("empty") << QString(QLatin1String(""));
        QTest::newRow("blanks and backslashes") << QStringLiteral(" C:\\Program Files\\A.exe ");
        QTest::newRow("non-ASCII") << QStringLiteral("Grüße aus Köln");
    }
    void stringsRoundTrip() {
        QFETCH(QString, text);
        TestEnv env;
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), Key, QStringLiteral("Name"),
                             QStringLiteral("s"), text),
                 0);
        qint32 status = -1;
        const QVariant back = Read(QStringLiteral("hkcu"), Key.toUpper(), QStringLiteral("NAME"),
                                   QStringLiteral("S"), &status);
        QCOMPARE(status, 0);
        QCOMPARE(back.toString(), text);
        // Stored as REG_SZ with its terminating zero counted.
        const Raw raw = Raw_Value(HKEY_CURRENT_USER_Handle, Key, QStringLiteral("name"));
        QCOMPARE(raw.type, 1u);
        QCOMPARE(raw.data, text.toUtf8() + '\0');
    }

    void booleansAndNumbersRoundTrip() {
        TestEnv env;
        const QString hkcu = QStringLiteral("HKCU");
        QCOMPARE(Write_Value(hkcu, Key, QStringLiteral("b"), QStringLiteral("B"), true), 0);
        QCOMPARE(Raw_Value(HKEY_CURRENT_USER_Handle, Key, QStringLiteral("b")).data,
                 QByteArray("\xff\xff", 2));
        QCOMPARE(Raw_Value(HKEY_CURRENT_USER_Handle, Key, QStringLiteral("b")).type, 3u);
        QCOMPARE(Read(hkcu, Key, QStringLiteral("b"), QStringLiteral("b")), QVariant(true));
        QCOMPARE(Write_Value(hkcu, Key, QStringLiteral("b"), QStringLiteral("B"),
                             QStringLiteral("false")),
                 0);
        QCOMPARE(Read(hkcu, Key, QStringLiteral("b"), QStringLiteral("B")), QVariant(false));
        QCOMPARE(Write_Value(hkcu, Key, QStringLiteral("b"), QStringLiteral("B"), 5), 0);
        QCOMPARE(Read(hkcu, Key, QStringLiteral("b"), QStringLiteral("B")), QVariant(true));

        // -1 is sign-extended to 32 bits.
        QCOMPARE(Write_Value(hkcu, Key, QStringLiteral("d"), QStringLiteral("d"), -1), 0);
        QCOMPARE(Raw_Value(HKEY_CURRENT_USER_Handle, Key, QStringLiteral("d")).data,
                 QByteArray("\xff\xff\xff\xff", 4));
        QCOMPARE(Raw_Value(HKEY_CURRENT_USER_Handle, Key, QStringLiteral("d")).type, 4u);
        QCOMPARE(Read(hkcu, Key, QStringLiteral("d"), QStringLiteral("D")), QVariant(qint32(-1)));
        QCOMPARE(Write_Value(hkcu, Key, QStringLiteral("d"), QStringLiteral("D"),
                             QStringLiteral(" 32767 ")),
                 0);
        QCOMPARE(Read(hkcu, Key, QStringLiteral("d"), QStringLiteral("D")), QVariant(32767));
        QCOMPARE(Write_Value(hkcu, Key, QStringLiteral("d"), QStringLiteral("D"), -32768), 0);
        QCOMPARE(Read(hkcu, Key, QStringLiteral("d"), QStringLiteral("D")), QVariant(-32768));
        QCOMPARE(Write_Value(hkcu, Key, QStringLiteral("d"), QStringLiteral("D"), 2.5), 0);
        QCOMPARE(Read(hkcu, Key, QStringLiteral("d"), QStringLiteral("D")), QVariant(2));
    }

    // A value that can't be converted is an error, not a success, and changes nothing.
    void unconvertibleValuesAreRejected_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("D 40000") << "D" << QVariant(40000);
        QTest::newRow("D -32769") << "D" << QVariant(-32769);
        QTest::newRow("D text 40000") << "D" << QVariant(QStringLiteral("40000"));
        QTest::newRow("D word") << "D" << QVariant(QStringLiteral("many"));
        QTest::newRow("D empty") << "D" << QVariant(QString());
        QTest::newRow("D NaN") << "D" << QVariant(qQNaN());
        QTest::newRow("B word") << "B" << QVariant(QStringLiteral("maybe"));
        QTest::newRow("B nothing") << "B" << QVariant();
    }
    void unconvertibleValuesAreRejected() {
        QFETCH(QString, type);
        QFETCH(QVariant, value);
        TestEnv env;
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), Key, QStringLiteral("v"), type, 7), 0);
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), Key, QStringLiteral("v"), type, value), 87);
        const QVariant kept = Read(QStringLiteral("HKCU"), Key, QStringLiteral("v"), type);
        QCOMPARE(kept, type == QLatin1String("D") ? QVariant(7) : QVariant(true));
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), QStringLiteral("New"), QStringLiteral("v"),
                             type, value),
                 87);
        qint32 status = 0;
        Read(QStringLiteral("HKCU"), QStringLiteral("New"), QStringLiteral("v"), type, &status);
        QCOMPARE(status, 2); // not even the key was made
    }

    // Edge values at the module's boundaries: what a profile file or a caller may hand it.
    void edgeValuesWrittenAndRead_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<qint32>("status");
        QTest::addColumn<QVariant>("read");
        QTest::newRow("D 32767 unsigned")
            << "D" << QVariant(quint32(32767)) << 0 << QVariant(32767);
        QTest::newRow("D 32768 unsigned") << "D" << QVariant(quint32(32768)) << 87 << QVariant(7);
        QTest::newRow("D true is -1") << "D" << QVariant(true) << 0 << QVariant(-1);
        QTest::newRow("D false is 0") << "D" << QVariant(false) << 0 << QVariant(0);
        QTest::newRow("B NaN") << "B" << QVariant(qQNaN()) << 87 << QVariant(true);
        QTest::newRow("B 0.0 is false") << "B" << QVariant(0.0) << 0 << QVariant(false);
    }
    void edgeValuesWrittenAndRead() {
        QFETCH(QString, type);
        QFETCH(QVariant, value);
        QFETCH(qint32, status);
        QFETCH(QVariant, read);
        TestEnv env;
        const QString hkcu = QStringLiteral("HKCU");
        QCOMPARE(Write_Value(hkcu, Key, QStringLiteral("v"), type, 7), 0);
        QCOMPARE(Write_Value(hkcu, Key, QStringLiteral("v"), type, value), status);
        QCOMPARE(Read(hkcu, Key, QStringLiteral("v"), type), read);
        if (type == QLatin1String("D") && read == QVariant(-1))
            QCOMPARE(Raw_Value(HKEY_CURRENT_USER_Handle, Key, QStringLiteral("v")).data,
                     QByteArray("\xff\xff\xff\xff", 4));
    }

    void otherTypeLettersTouchNoValue() {
        TestEnv env;
        QCOMPARE(
            Write_Value(QStringLiteral("HKCU"), Key, QStringLiteral("v"), QStringLiteral("X"), 1),
            0);
        qint32 status = -1;
        QCOMPARE(
            Read(QStringLiteral("HKCU"), Key, QStringLiteral("v"), QStringLiteral("X"), &status),
            QVariant(QStringLiteral("BLANK")));
        QCOMPARE(status, 0); // the key was created, no value written
        Read(QStringLiteral("HKCU"), Key, QStringLiteral("v"), QStringLiteral("S"), &status);
        QCOMPARE(status, 2);
    }

    void deleteCountsMissingAsDeleted() {
        TestEnv env;
        const QString hkcu = QStringLiteral("HKCU");
        QCOMPARE(Delete_Value(hkcu, QStringLiteral("No\\Such\\Key"), QStringLiteral("v")), 0);
        QCOMPARE(Write_Value(hkcu, Key, QStringLiteral("Keep"), QStringLiteral("S"), 1), 0);
        QCOMPARE(Write_Value(hkcu, Key, QStringLiteral("Gone"), QStringLiteral("S"), 2), 0);
        QCOMPARE(Delete_Value(hkcu, Key, QStringLiteral("nothing")), 0);
        QCOMPARE(Delete_Value(hkcu, Key.toLower(), QStringLiteral("GONE")), 0);
        qint32 status = 0;
        Read(hkcu, Key, QStringLiteral("Gone"), QStringLiteral("S"), &status);
        QCOMPARE(status, 2);
        QCOMPARE(Read(hkcu, Key, QStringLiteral("Keep"), QStringLiteral("S")), QVariant("1"));
    }

    void rootsLiveInTheirOwnFiles() {
        TestEnv env;
        const QString second = env.Root() + QStringLiteral("/second");
        qputenv("XDG_CONFIG_DIRS", (env.Config_Dirs() + QLatin1Char(':') + second).toLocal8Bit());
        QCOMPARE(Write_Value(QStringLiteral("HKLM"), Key, QStringLiteral("Where"),
                             QStringLiteral("S"), QStringLiteral("machine")),
                 0);
        QCOMPARE(Write_Value(QStringLiteral("HKU"), Key, QStringLiteral("Where"),
                             QStringLiteral("S"), QStringLiteral("users")),
                 0);
        QVERIFY(
            QFileInfo::exists(env.Config_Dirs() + QStringLiteral("/Almanor/registry/HKLM.ini")));
        QVERIFY(QFileInfo::exists(env.Config_Home() + QStringLiteral("/Almanor/registry/HKU.ini")));
        qint32 status = 0;
        Read(QStringLiteral("HKCU"), Key, QStringLiteral("Where"), QStringLiteral("S"), &status);
        QCOMPARE(status, 2);
        QCOMPARE(Read(QStringLiteral("HKLM"), Key, QStringLiteral("Where"), QStringLiteral("S")),
                 QVariant(QStringLiteral("machine")));

        // The environment is read at each call.
        qputenv("XDG_CONFIG_DIRS", second.toLocal8Bit());
        Read(QStringLiteral("HKLM"), Key, QStringLiteral("Where"), QStringLiteral("S"), &status);
        QCOMPARE(status, 2);
        qputenv("XDG_CONFIG_DIRS", "");
        QCOMPARE(FileRegistry::Root_File(HKEY_LOCAL_MACHINE_Handle),
                 QStringLiteral("/etc/xdg/Almanor/registry/HKLM.ini"));
    }

    // As root nothing is refused for want of rights, so the store is put where no folder can be
    // made: below a regular file.
    void unwritableStoreGivesAccessDenied() {
        TestEnv env;
        const QString blocker = env.Write_File(QStringLiteral("blocker"), "plain file");
        qputenv("XDG_CONFIG_DIRS", (blocker + QStringLiteral("/xdg")).toLocal8Bit());
        QCOMPARE(Write_Value(QStringLiteral("HKLM"), Key, QStringLiteral("v"), QStringLiteral("S"),
                             QStringLiteral("x")),
                 5);
        QCOMPARE(Write_Value(QStringLiteral("HKLM"),
                             QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
                             QStringLiteral("Almanor"), QStringLiteral("S"), QStringLiteral("x")),
                 5);
        qint32 status = 0;
        Read(QStringLiteral("HKLM"), Key, QStringLiteral("v"), QStringLiteral("S"), &status);
        QCOMPARE(status, 2);

        // A store file that is a folder can't be replaced either.
        QDir().mkpath(env.Config_Home() + QStringLiteral("/Almanor/registry/HKCU.ini"));
        QCOMPARE(Write_Value(QStringLiteral("HKCU"), Key, QStringLiteral("v"), QStringLiteral("S"),
                             QStringLiteral("x")),
                 5);
    }
};

ALMANOR_TEST(RegistryModuleTest)
#include "RegistryModuleTest.moc"
