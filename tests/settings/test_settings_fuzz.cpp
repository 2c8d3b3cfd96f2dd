#include "calendar/AppSettings.h"
#include "calendar/MsgBox.h"
#include "calendar/SettingsStore.h"
#include "common/TestEnv.h"
#include "common/TestMain.h"

#include <QRandomGenerator>
#include <QTest>

// Hand-edited and damaged settings files: start-up must go on with the defaults.
class SettingsFuzzTest : public QObject {
    Q_OBJECT

  private slots:
    void Damaged_Files_Keep_Defaults_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only") << QByteArray("[Settings]");
        QTest::newRow("headers only") << QByteArray("[Settings]\n[Colours]\n[]\n[\n]\n");
        QTest::newRow("garbage lines") << QByteArray("Style\n=\n==\n;comment\n#x\n[Settings\n"
                                                     "Alignment\n=5\n%%%=%%\n\\\\\\=1\n");
        static const char binary[] = "\x00\x01\xff\xfe[Settings]\x00Style=\x80\x81\n"
                                     "Timeout Value=\x00\x00\n";
        QTest::newRow("binary") << QByteArray(binary, sizeof(binary) - 1);
        QTest::newRow("huge numbers")
            << QByteArray("[Settings]\nStyle=" + QByteArray(5000, '9') +
                          "\nManual_PosX=9223372036854775808\n"
                          "Start Day=-99999\n[Colours]\nToday=4294967295\n");
        QTest::newRow("huge line")
            << QByteArray("[Settings]\nTimeout Value=" + QByteArray(1 << 20, 'x') + "\n");
        QTest::newRow("serialised junk")
            << QByteArray("[Settings]\nStyle=@Variant(\\0\\0\\0\\n\\xff\\xff\\xff\\xf0)\n"
                          "Alignment=@Variant(\\0\\0\\0\\f\\xff\\xff\\xff\\xf0)\n"
                          "Auto%20Compact=@ByteArray(\\xff)\nTooltips=@Rect(1 2 3 4)\n"
                          "Show%20Splash=@Invalid()\n");
        QTest::newRow("bad escapes") << QByteArray("[Settings]\nStyle=\"\\x\\u12\n"
                                                   "Alignment=\"unterminated\n%zz=1\n%=2\n");
    }
    void Damaged_Files_Keep_Defaults() {
        QFETCH(QByteArray, content);
        TestEnv env;
        MsgBoxRecorder boxes;
        const SettingsStore store(env.Write_File("fuzz.ini", content));
        QCOMPARE(Load_Settings_Reporting(store), AppSettings());
        QVERIFY(boxes.shown.size() <= 1);
    }

    void Random_Bytes_Never_Crash() {
        TestEnv env;
        MsgBoxRecorder boxes;
        QRandomGenerator random(20261206);
        const QByteArray words[] = {"[Settings]\n", "[Colours]\n", "Style=", "Timeout Value=",
                                    "Bar%20Time=",  "Num=",        "=",      "\n",
                                    "\"",           "\\",          "@",      ","};
        for (int round = 0; round < 200; ++round) {
            QByteArray content;
            const int pieces = random.bounded(1, 40);
            for (int i = 0; i < pieces; ++i) {
                if (random.bounded(2))
                    content += words[random.bounded(int(std::size(words)))];
                else
                    content += char(random.bounded(256));
            }
            // A new file each round: QSettings caches files by name and time stamp.
            const SettingsStore store(
                env.Write_File(QStringLiteral("r%1.ini").arg(round), content));
            QList<IgnoredSetting> ignored;
            const AppSettings quiet = Load_Settings(store, &ignored);
            const qsizetype before = boxes.shown.size();
            QCOMPARE(Load_Settings_Reporting(store), quiet);
            QCOMPARE(boxes.shown.size() - before, ignored.isEmpty() ? 0 : 1);
        }
    }
};

ALMANOR_TEST(SettingsFuzzTest)
#include "test_settings_fuzz.moc"
