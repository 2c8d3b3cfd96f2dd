#include "calendar/AppSettings.h"
#include "calendar/MsgBox.h"
#include "calendar/SettingKeys.h"
#include "calendar/SettingsStore.h"
#include "common/FileSizeLimit.h"
#include "common/TestEnv.h"
#include "common/TestMain.h"

#include <QSettings>
#include <QTest>

namespace {

const QString app = QStringLiteral("Almanor");

// Writes an INI file by hand, as a user editing it would.
SettingsStore Hand_Written(const TestEnv& env, const QByteArray& content,
                           const QString& name = QStringLiteral("hand.ini")) {
    return SettingsStore(env.Write_File(name, content));
}

} // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT

  private slots:
    void First_Run_Gives_The_Table_Defaults() {
        TestEnv env;
        SettingsStore store;
        QCOMPARE(store.File_Path(), env.Config_Home() + QStringLiteral("/Almanor/Almanor.ini"));
        QList<IgnoredSetting> ignored;
        const AppSettings settings = Load_Settings(store, &ignored);
        QVERIFY(ignored.isEmpty());
        QVERIFY(!QFile::exists(store.File_Path())); // reading creates nothing

        // The defaults as the stored texts they stand for.
        const QStringList expected = {"Style=1",
                                      "Alignment=0",
                                      "Pack Name=Default",
                                      "Use Themes=0",
                                      "Use Theme Pos=0",
                                      "Use Theme Style=0",
                                      "Show Alerts=1",
                                      "Allow Dragging=1",
                                      "Bar Time=False",
                                      "Bar Time Format=H:mm",
                                      "Bar Date Format=d Month - yyyy",
                                      "Manual_PosX=0",
                                      "Manual_PosY=0",
                                      "Use Other Display Mode=False",
                                      "Other Display Mode=0",
                                      "Auto Compact=0",
                                      "Tooltips=1",
                                      "Settings Tab=4",
                                      "Start Day=0",
                                      "Show Splash=1",
                                      "Trans Icons=0",
                                      "Timeout Value=45",
                                      "Timeout Format=0",
                                      "Carriage_Return=0",
                                      "Remind Days=0",
                                      "Remind Time=09:00",
                                      "Use Notifications=1",
                                      "Today=16761024",
                                      "Normal=16777215",
                                      "Fore=16777215",
                                      "Num=-2147483630",
                                      "Text=-2147483630",
                                      "Back=8390687",
                                      "Inactive=-2147483645",
                                      "Menu Colour Source=1"};
        QStringList actual;
        for (const SettingKey& key : Setting_Keys())
            actual << key.key + QLatin1Char('=') + Setting_Field_Text(settings, key);
        QCOMPARE(actual, expected);
        QCOMPARE(settings.Idle_Seconds(), 45);
    }

    void Store_Keeps_Keys_And_Text_Forms() {
        TestEnv env;
        SettingsStore store;
        QVERIFY(store.Write(app, "Settings", "Use Theme Pos", 1));
        QVERIFY(store.Write(app, "Settings", "Bar Time", true));
        QVERIFY(store.Write(app, "Settings", "Use Other Display Mode", false));
        QVERIFY(store.Write(app, "Colours", "Num", -2147483630));
        QVERIFY(store.Write(app, "Settings", "Bar Time Format", QStringLiteral(" H:mm, ss ")));

        QSettings raw(store.File_Path(), QSettings::IniFormat);
        QCOMPARE(raw.childGroups(), QStringList({"Colours", "Settings"}));
        raw.beginGroup("Settings");
        QVERIFY(raw.childKeys().contains("Use Theme Pos"));
        raw.endGroup();
        const QByteArray file = TestEnv::Read_File(store.File_Path());
        QVERIFY(file.contains("Bar%20Time=True"));
        QVERIFY(file.contains("Use%20Other%20Display%20Mode=False"));
        QVERIFY(file.contains("Num=-2147483630"));

        QCOMPARE(store.Read(app, "Settings", "Use Theme Pos", 0), "1");
        QCOMPARE(store.Read(app, "Settings", "Bar Time Format", "H:mm"), " H:mm, ss ");
        QCOMPARE(store.Read(app, "Colours", "Num", 0), "-2147483630");
        // Absent keys give the default in text form.
        QCOMPARE(store.Read(app, "Settings", "Timeout Value", 45), "45");
        QCOMPARE(store.Read(app, "Settings", "Missing", false), "False");
        QCOMPARE(store.Read(app, "Nowhere", "Style", "1"), "1");
        // No other program lives in this file.
        QCOMPARE(store.Read("Other", "Settings", "Use Theme Pos", 7), "7");
        QVERIFY(!store.Write("Other", "Settings", "Style", 2));
        QCOMPARE(store.Read(app, "Settings", "Style", 1), "1");
    }

    void Hand_Edited_Keys_And_Lists_Read_Back() {
        TestEnv env;
        const SettingsStore store = Hand_Written(env, "[Settings]\n"
                                                      "Use Theme Pos = 1\n"
                                                      "Bar Time Format=H:mm, ddd\n"
                                                      "Timeout Value= 5 \n");
        QCOMPARE(store.Read(app, "Settings", "Use Theme Pos", 0), "1");
        QCOMPARE(store.Read(app, "Settings", "Bar Time Format", ""), "H:mm, ddd");
        const AppSettings settings = Load_Settings(store);
        QCOMPARE(settings.Use_Theme_Pos, qint16(1));
        QCOMPARE(settings.Timeout_Value, qint16(5));
    }

    void Settings_File_Follows_The_Config_Folder() {
        TestEnv env;
        QCOMPARE(Settings_File_Path(), env.Config_Home() + "/Almanor/Almanor.ini");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(env.Root() + "/other"));
        QCOMPARE(Settings_File_Path(), env.Root() + "/other/Almanor/Almanor.ini");
    }

    void Boolean_Conversion_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("value");
        QTest::newRow("True") << "True" << true << true;
        QTest::newRow("true") << "true" << true << true;
        QTest::newRow("FALSE spaced") << " FALSE " << true << false;
        QTest::newRow("False") << "False" << true << false;
        QTest::newRow("-1") << "-1" << true << true;
        QTest::newRow("0") << "0" << true << false;
        QTest::newRow("1") << "1" << true << true;
        QTest::newRow("0.0") << "0.0" << true << false;
        QTest::newRow("yes") << "yes" << false << false;
        QTest::newRow("empty") << "" << false << false;
    }
    void Boolean_Conversion() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(bool, value);
        bool converted = !ok;
        QCOMPARE(Setting_To_Bool(text, &converted), value);
        QCOMPARE(converted, ok);
    }

    void Number_Conversion() {
        QCOMPARE(Setting_To_Int16("32767"), qint16(32767));
        QCOMPARE(Setting_To_Int16("-32768"), qint16(-32768));
        QCOMPARE(Setting_To_Int16(" 5 "), qint16(5));
        QCOMPARE(Setting_To_Int16("+7"), qint16(7));
        QCOMPARE(Setting_To_Int16("2.5"), qint16(2)); // halves to even
        QCOMPARE(Setting_To_Int16("3.5"), qint16(4));
        QCOMPARE(Setting_To_Int16("32767.4"), qint16(32767));
        for (const char* bad : {"32768", "-32769", "32767.5", "abc", "", "1e3", "0x10", "&H10",
                                "5 5", "99999999999999999999999999999"})
            QVERIFY2(!Setting_To_Int16(bad), bad);
        QCOMPARE(Setting_To_Int32("-2147483648"), qint32(-2147483647 - 1));
        QCOMPARE(Setting_To_Int32("-2147483630"), qint32(-2147483630));
        QVERIFY(!Setting_To_Int32("2147483648"));
        QVERIFY(!Setting_To_Int32("-2147483649"));
    }

    void Every_Key_Round_Trips() {
        TestEnv env;
        SettingsStore store;
        AppSettings written;
        int n = 0;
        for (const SettingKey& key : Setting_Keys()) {
            ++n;
            QVariant value;
            switch (key.field.index()) {
            case 0:
                value = qint16(-n);
                break;
            case 1:
                value = n % 2 ? -2147483600 - n : 2147483600 + n;
                break;
            case 2:
                value = true;
                break;
            default:
                value = QStringLiteral(" text, %1 \"quoted\" @at ").arg(n);
            }
            QVERIFY2(Save_Setting(store, written, key.section, key.key, value),
                     qPrintable(key.key));
        }
        QVERIFY(!(written == AppSettings()));
        QList<IgnoredSetting> ignored;
        QCOMPARE(Load_Settings(store, &ignored), written);
        QVERIFY(ignored.isEmpty());

        // Unknown keys and values that don't fit change nothing.
        AppSettings settings;
        QVERIFY(!Save_Setting(store, settings, "Settings", "style", 2));
        QVERIFY(!Save_Setting(store, settings, "Settings", "Style", 40000));
        QVERIFY(!Save_Setting(store, settings, "Settings", "Timeout Value", "soon"));
        QCOMPARE(settings, AppSettings());
        QCOMPARE(Load_Settings(store), written);
    }

    void Idle_Time_Follows_The_Unit() {
        TestEnv env;
        SettingsStore store;
        AppSettings settings;
        QVERIFY(Save_Setting(store, settings, "Settings", "Timeout Format", 1));
        QCOMPARE(Load_Settings(store).Idle_Seconds(), 2700);
        QVERIFY(Save_Setting(store, settings, "Settings", "Timeout Value", 32767));
        QCOMPARE(Load_Settings(store).Idle_Seconds(), 32767 * 60);
    }

    void Bad_Values_Keep_Defaults_With_One_Message() {
        TestEnv env;
        const SettingsStore store = Hand_Written(env, "[Settings]\n"
                                                      "Timeout Value=abc\n"
                                                      "Style=70000\n"
                                                      "Alignment=5\n"
                                                      "Bar Time=maybe\n"
                                                      "Manual_PosX=-2147483649\n"
                                                      "Carriage_Return=\n"
                                                      "[Colours]\n"
                                                      "Today=ff\n"
                                                      "Num=-2147483630\n");
        MsgBoxRecorder boxes;
        const AppSettings settings = Load_Settings_Reporting(store);
        AppSettings expected;
        expected.Alignment = 5;
        QCOMPARE(settings, expected);

        QCOMPARE(boxes.shown.size(), 1);
        const MsgBoxRequest& box = boxes.shown.first();
        QCOMPARE(box.caption, "Almanor");
        QCOMPARE(box.icon, MsgIcon::Exclamation);
        QCOMPARE(box.buttons, MsgButtons::Ok);
        for (const char* part : {"Timeout Value (Settings): \"abc\"", "Style (Settings): \"70000\"",
                                 "Bar Time (Settings): \"maybe\"", "Manual_PosX", "Carriage_Return",
                                 "Today (Colours): \"ff\""})
            QVERIFY2(box.text.contains(QLatin1String(part)), part);
        QVERIFY(!box.text.contains("Alignment"));
        QVERIFY(!box.text.contains("Num"));
        QVERIFY(box.text.contains(store.File_Path()));

        // A clean file shows nothing.
        boxes.shown.clear();
        Load_Settings_Reporting(SettingsStore(env.Root() + "/none.ini"));
        QVERIFY(boxes.shown.isEmpty());
    }

    void Failed_Writes_Report_False() {
        TestEnv env;
        // The folder of the file is a regular file.
        env.Write_File("blocker", "x");
        SettingsStore under_file(env.Root() + "/blocker/Almanor.ini");
        QVERIFY(!under_file.Write(app, "Settings", "Style", 2));
        // The file is a folder.
        QDir().mkpath(env.Root() + "/folder.ini");
        SettingsStore folder(env.Root() + "/folder.ini");
        QVERIFY(!folder.Write(app, "Settings", "Style", 2));

        // A hand-edited file QSettings can't fully parse must not hide a failed write.
        SettingsStore messy = Hand_Written(env, "garbage line\n[Settings]\nStyle=1\n");
        QVERIFY(messy.Write(app, "Settings", "Style", 0));
        env.Write_File("hand.ini", "more garbage\n[Settings]\nStyle=1\npadding padding padding\n");
        bool written = true;
        {
            FileSizeLimit limit(8);
            written = messy.Write(app, "Settings", "Alignment", 3);
        }
        QVERIFY(!written);
    }
};

ALMANOR_TEST(SettingsStoreTest)
#include "test_settings_store.moc"
