#include "common/TestEnv.h"
#include "common/TestMain.h"

#include "registry/Registry.h"

#include <QTest>

namespace {

const QByteArray Sample = "; settings of a pack\r\n"
                          "[Pack]\r\n"
                          "  Name = \"Winter Pack\" \r\n"
                          "Style=2\r\n"
                          "\r\n"
                          "[Months]\r\n"
                          "1=1-0-2\r\n";

QVariant Read(const QString& file, const QString& section, const QString& entry,
              const QString& type = QStringLiteral("S"), qint32* status = nullptr) {
    QVariant result;
    const qint32 got = Read_Value(file, section, entry, type, QStringLiteral("NONE  "), result);
    if (status)
        *status = got;
    return result;
}

} // namespace

class ProfileFileTest : public QObject {
    Q_OBJECT

  private slots:
    void readsLikeTheProfileCalls() {
        TestEnv env;
        const QString file = env.Write_File(QStringLiteral("settings.ini"), Sample);
        qint32 status = -1;
        QCOMPARE(Read(file, QStringLiteral("pack"), QStringLiteral("NAME"), QStringLiteral("s"),
                      &status),
                 QVariant(QStringLiteral("Winter Pack")));
        QCOMPARE(status, 0);
        QCOMPARE(Read(file, QStringLiteral("PACK"), QStringLiteral("style")), QVariant("2"));
        // Missing entries give the default without its trailing blanks, still status 0.
        QCOMPARE(
            Read(file, QStringLiteral("Pack"), QStringLiteral("1"), QStringLiteral("S"), &status),
            QVariant(QStringLiteral("NONE")));
        QCOMPARE(status, 0);
        // Other letters read nothing: the result stays the default.
        QCOMPARE(Read(file, QStringLiteral("Pack"), QStringLiteral("Style"), QStringLiteral("D"),
                      &status),
                 QVariant(QStringLiteral("NONE  ")));
        QCOMPARE(status, 0);
    }

    void longValuesAreCutAt254Characters() {
        TestEnv env;
        const QString file =
            env.Write_File(QStringLiteral("long.ini"), "[s]\nk=" + QByteArray(300, 'x') + '\n');
        QCOMPARE(Read(file, QStringLiteral("s"), QStringLiteral("k")).toString(),
                 QString(254, QLatin1Char('x')));
    }

    // Values as hand-edited files hold them.
    void editedValuesRead_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("value");
        QTest::newRow("two quotes are empty") << QByteArray("k=\"\"") << QString("");
        QTest::newRow("quoted blanks kept") << QByteArray("k=\" a \"") << QString(" a ");
        QTest::newRow("one quote kept") << QByteArray("k=\"a") << QString("\"a");
        // An emoji across the 254-character edge is dropped whole, never cut in half.
        QTest::newRow("surrogate pair at the edge")
            << (QByteArray("k=") + QByteArray(253, 'x') + "\xF0\x9F\x98\x80")
            << QString(253, QLatin1Char('x'));
        QTest::newRow("surrogate pair inside the limit")
            << (QByteArray("k=") + QByteArray(252, 'x') + "\xF0\x9F\x98\x80")
            << (QString(252, QLatin1Char('x')) + QString::fromUtf8("\xF0\x9F\x98\x80"));
    }
    void editedValuesRead() {
        QFETCH(QByteArray, line);
        QFETCH(QString, value);
        TestEnv env;
        const QString file =
            env.Write_File(QStringLiteral("edited.ini"), "[s]\r\n" + line + "\r\n");
        const QString got = Read(file, QStringLiteral("s"), QStringLiteral("k")).toString();
        QCOMPARE(got, value);
        QVERIFY(got.isEmpty() || !got.back().isHighSurrogate());
    }

    // Names that would make a line read as something else are refused and write nothing.
    void namesThatBreakTheFileAreRefused() {
        TestEnv env;
        const QString file = env.Write_File(QStringLiteral("settings.ini"), Sample);
        for (const char* entry : {"[Months]", "[x", "a=b", "a\nb"})
            QVERIFY2(Write_Value(file, QStringLiteral("Pack"), QString::fromUtf8(entry),
                                 QStringLiteral("S"), QStringLiteral("v")) == 87,
                     entry);
        QCOMPARE(Write_Value(file, QStringLiteral("Pa]ck"), QStringLiteral("k"),
                             QStringLiteral("S"), QStringLiteral("v")),
                 87);
        QCOMPARE(Write_Value(file, QStringLiteral("Pack"), QStringLiteral("k"), QStringLiteral("S"),
                             QStringLiteral("a\r\n[Months]")),
                 87);
        QCOMPARE(TestEnv::Read_File(file), Sample);
    }

    void writesChangeOnlyTheirLine() {
        TestEnv env;
        const QString file = env.Write_File(QStringLiteral("settings.ini"), Sample);
        QCOMPARE(Write_Value(file, QStringLiteral("PACK"), QStringLiteral("style"),
                             QStringLiteral("S"), 1),
                 0);
        QByteArray expected = Sample;
        expected.replace("Style=2", "Style=1");
        QCOMPARE(TestEnv::Read_File(file), expected);

        // A new entry goes after the section's last line, before the blank line.
        QCOMPARE(Write_Value(file, QStringLiteral("Pack"), QStringLiteral("Author"),
                             QStringLiteral("S"), QStringLiteral("Me")),
                 0);
        expected.replace("Style=1\r\n", "Style=1\r\nAuthor=Me\r\n");
        QCOMPARE(TestEnv::Read_File(file), expected);

        // A new section goes at the end.
        QCOMPARE(Write_Value(file, QStringLiteral("Extra"), QStringLiteral("On"),
                             QStringLiteral("S"), true),
                 0);
        expected += "[Extra]\r\nOn=True\r\n";
        QCOMPARE(TestEnv::Read_File(file), expected);
    }

    void fileWithoutFinalLineBreak() {
        TestEnv env;
        const QString file = env.Write_File(QStringLiteral("lf.ini"), "[a]\nx=1");
        QCOMPARE(
            Write_Value(file, QStringLiteral("a"), QStringLiteral("y"), QStringLiteral("S"), 2), 0);
        QCOMPARE(
            Write_Value(file, QStringLiteral("b"), QStringLiteral("z"), QStringLiteral("S"), 3), 0);
        QCOMPARE(TestEnv::Read_File(file), QByteArray("[a]\nx=1\ny=2\n[b]\nz=3\n"));
    }

    void deleteLeavesAnEmptyEntry() {
        TestEnv env;
        const QString file = env.Write_File(QStringLiteral("settings.ini"), Sample);
        QCOMPARE(Delete_Value(file, QStringLiteral("months"), QStringLiteral("1")), 0);
        QByteArray expected = Sample;
        expected.replace("1=1-0-2", "1=");
        QCOMPARE(TestEnv::Read_File(file), expected);
        QCOMPARE(Read(file, QStringLiteral("Months"), QStringLiteral("1")), QVariant(QString()));
    }

    void refusedWritesLeaveTheFileAlone() {
        TestEnv env;
        const QString file = env.Write_File(QStringLiteral("settings.ini"), Sample);
        for (const char* type : {"B", "D", "X"}) {
            QCOMPARE(Write_Value(file, QStringLiteral("Pack"), QStringLiteral("Style"),
                                 QLatin1String(type), 1),
                     99);
        }
        // A line break would add lines of its own to the file.
        QCOMPARE(Write_Value(file, QStringLiteral("Pack"), QStringLiteral("Style"),
                             QStringLiteral("S"), QStringLiteral("1\r\n[Evil]")),
                 87);
        QCOMPARE(Write_Value(file, QStringLiteral("Pack"), QStringLiteral("a=b"),
                             QStringLiteral("S"), QStringLiteral("1")),
                 87);
        QCOMPARE(TestEnv::Read_File(file), Sample);
    }
};

ALMANOR_TEST(ProfileFileTest)
#include "ProfileFileTest.moc"
