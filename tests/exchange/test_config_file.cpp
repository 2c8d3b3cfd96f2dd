// The configuration file: what the export writes, what the import reads, and that a bad file
// changes nothing.
#include "calendar/AppSettings.h"
#include "calendar/SettingsStore.h"
#include "common/FileSizeLimit.h"
#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "exchange/ConfigExchange.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTest>

namespace {

// A file as the export writes it: each item quoted, CR LF.
QByteArray Config_File(const QStringList& items) {
    QByteArray bytes;
    for (const QString& item : items)
        bytes += '"' + item.toUtf8() + "\"\r\n";
    return bytes;
}

QByteArray Fifty_Megabytes_Of(const QByteArray& line) {
    return line.repeated(50 * 1024 * 1024 / line.size() + 1);
}

// Every option away from its default, as a settings window might show them.
AppSettings Unusual_Settings() {
    AppSettings s;
    s.Style = 2;
    s.Alignment = 7;
    s.Pack_Name = QStringLiteral("Été, Winter");
    s.Use_Themes = 1;
    s.Use_Theme_Pos = 1;
    s.Use_Theme_Style = 1;
    s.Show_Alerts = 0;
    s.Allow_Dragging = 0;
    s.Bar_Time = true;
    s.Bar_Time_Format = QStringLiteral("HH:mm:ss");
    s.Bar_Date_Format = QStringLiteral("dddd, d MMMM yyyy");
    s.Manual_PosX = -1200;
    s.Manual_PosY = 40000;
    s.Use_Other_Display_Mode = true;
    s.Other_Display_Mode = 2;
    s.Auto_Compact = 1;
    s.Tooltips = 2;
    s.Start_Day = 7;
    s.Show_Splash = 0;
    s.Trans_Icons = 1;
    s.Timeout_Value = 60;
    s.Timeout_Format = 1;
    s.Carriage_Return = 1;
    s.Today = 255;
    s.Normal = 0;
    s.Fore = 16777215;
    s.Num = -2147483648;
    s.Text = -2147483630;
    s.Back = 65280;
    s.Inactive = -2147483645;
    s.Menu_Colour_Source = 0;
    return s;
}

// A store with a few values of its own, and the record loaded from it.
struct StoreWorld {
    TestEnv env;
    SettingsStore store{env.Config_Home() + QStringLiteral("/Almanor/Almanor.ini")};
    AppSettings settings;

    StoreWorld() {
        Save_Setting(store, settings, "Settings", "Style", 0);
        Save_Setting(store, settings, "Settings", "Use Themes", 1);
        Save_Setting(store, settings, "Colours", "Today", 4242);
    }
    QByteArray Store_Bytes() const { return TestEnv::Read_File(store.File_Path()); }
    ConfigOutcome Import(const QByteArray& file) {
        return Import_Config_File(env.Write_File("chosen.ini", file), store, settings);
    }
};

} // namespace

class ConfigFileTest : public QObject {
    Q_OBJECT

  private slots:
    void Export_Writes_The_32_Items_In_Order() {
        AppSettings shown = Unusual_Settings();
        shown.Settings_Tab = 6;
        const QByteArray bytes = Format_Config_File(shown);
        QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
        QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines.size(), 33);
        QVERIFY(lines.takeLast().isEmpty());
        const QStringList keys = {"Style",
                                  "TaskPos",
                                  "Col_Today",
                                  "Col_Normal",
                                  "Col_Fore",
                                  "Col_Num",
                                  "Col_Text",
                                  "Col_Back",
                                  "Col_Inactive",
                                  "Menu_Col_Sorce",
                                  "Show_Alerts",
                                  "Use_Themes",
                                  "Use_Theme_Pos",
                                  "Use_Theme_Style",
                                  "Allow_Dragging",
                                  "Bar_Time",
                                  "Bar_Time_Format",
                                  "Bar_Date_Format",
                                  "Manual_PosX",
                                  "Manual_PosY",
                                  "Use_Other_Display_Mode",
                                  "Other_Display_Mode",
                                  "Auto_Compact",
                                  "Pack_Name",
                                  "Show_Splash",
                                  "Trans_Icons",
                                  "Timeout_Value",
                                  "Timeout_Format",
                                  "Carriage_Return",
                                  "Start_Day",
                                  "Auto_Compact",
                                  "Tooltips"};
        QStringList items;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QByteArray& line = lines[i];
            QVERIFY2(line.startsWith('"') && line.endsWith("\"\r"), line.constData());
            const QString item = QString::fromUtf8(line.mid(1, line.size() - 3));
            QCOMPARE(item.section('=', 0, 0), keys[i]);
            items.append(item);
        }
        QCOMPARE(items[0], "Style=2");
        QCOMPARE(items[1], "TaskPos=7");
        QCOMPARE(items[5], "Col_Num=-2147483648");
        QCOMPARE(items[9], "Menu_Col_Sorce=0");
        // Check boxes of boolean settings are written as the box's 0 or 1, not True / False.
        QCOMPARE(items[15], "Bar_Time=1");
        QCOMPARE(items[20], "Use_Other_Display_Mode=1");
        QCOMPARE(items[17], "Bar_Date_Format=dddd, d MMMM yyyy");
        QCOMPARE(items[22], "Auto_Compact=1");
        QCOMPARE(items[30], "Auto_Compact=1");
        QCOMPARE(items[23], QStringLiteral("Pack_Name=Été, Winter"));
        QCOMPARE(items[26], "Timeout_Value=60");
        QVERIFY(!bytes.contains("Settings_Tab") && !bytes.contains("6\""));
    }

    void Export_Then_Import_Gives_The_Same_Settings() {
        StoreWorld world;
        const AppSettings shown = Unusual_Settings();
        const QString path = world.env.Root() + "/out/setup.ini";
        QDir().mkpath(world.env.Root() + "/out");
        QVERIFY(Export_Config_File(path, shown).ok);
        QCOMPARE(QDir(world.env.Root() + "/out").entryList(QDir::Files), QStringList{"setup.ini"});

        const ConfigOutcome outcome = Import_Config_File(path, world.store, world.settings);
        QVERIFY2(outcome.ok, qPrintable(outcome.detail));
        QCOMPARE(world.settings, shown);
        // The record and the store were changed together.
        QCOMPARE(Load_Settings(world.store), shown);
    }

    void Items_Are_Read_As_The_Calendar_File_Is() {
        {
            // One item changes that option alone, in the record and in the store.
            StoreWorld world;
            AppSettings expected = world.settings;
            expected.Use_Themes = 0;
            QVERIFY(world.Import(Config_File({"Use_Themes=0"})).ok);
            QCOMPARE(world.settings, expected);
            QCOMPARE(Load_Settings(world.store), expected);
        }
        {
            // Keys are exact: another case, another spelling or an unknown key is ignored.
            StoreWorld world;
            const AppSettings before = world.settings;
            QVERIFY(
                world
                    .Import(Config_File({"style=2", "Menu_Col_Source=0", "Colour=5", "Tooltips=0"}))
                    .ok);
            AppSettings expected = before;
            expected.Tooltips = 0;
            QCOMPARE(world.settings, expected);
        }
        {
            // A key met twice ends with its second value; an unquoted line splits at commas; a
            // quoted value keeps its commas; LF alone and a byte order mark are fine.
            StoreWorld world;
            const QByteArray file = "\xEF\xBB\xBF\"Style=1\"\nStyle=2,TaskPos=3\n"
                                    "\"Bar_Date_Format=d, MMM yyyy\"\n\"Pack_Name=My Pack\"";
            const ConfigOutcome outcome = world.Import(file);
            QVERIFY2(outcome.ok, qPrintable(outcome.detail));
            QCOMPARE(world.settings.Style, 2);
            QCOMPARE(world.settings.Alignment, 3);
            QCOMPARE(world.settings.Bar_Date_Format, "d, MMM yyyy");
            QCOMPARE(world.settings.Pack_Name, "My Pack");
            QCOMPARE(Load_Settings(world.store), world.settings);
        }
        {
            // Boolean settings take the words True and False as well as numbers.
            StoreWorld world;
            QVERIFY(world.Import(Config_File({"Bar_Time=True", "Use_Other_Display_Mode=-1"})).ok);
            QVERIFY(world.settings.Bar_Time);
            QVERIFY(world.settings.Use_Other_Display_Mode);
            QVERIFY(world.Import(Config_File({"Bar_Time=false"})).ok);
            QVERIFY(!world.settings.Bar_Time);
            QCOMPARE(Load_Settings(world.store), world.settings);
        }
    }

    void Bad_Items_Name_Their_Line_And_Change_Nothing_data() {
        QTest::addColumn<QString>("item");
        QTest::newRow("style above 2") << "Style=3";
        QTest::newRow("style below 0") << "Style=-1";
        QTest::newRow("style not a number") << "Style=abc";
        QTest::newRow("style empty") << "Style=";
        QTest::newRow("position 10") << "TaskPos=10";
        QTest::newRow("colour beyond 32 bits") << "Col_Today=2147483648";
        QTest::newRow("colour in hex") << "Col_Back=0x00FF00";
        QTest::newRow("menu colour source 2") << "Menu_Col_Sorce=2";
        QTest::newRow("check box 2") << "Show_Alerts=2";
        QTest::newRow("check box -1") << "Auto_Compact=-1";
        QTest::newRow("boolean check box 2") << "Bar_Time=2";
        QTest::newRow("timeout 0") << "Timeout_Value=0";
        QTest::newRow("timeout 61") << "Timeout_Value=61";
        QTest::newRow("timeout beyond 16 bits") << "Timeout_Value=70000";
        QTest::newRow("timeout format 2") << "Timeout_Format=2";
        QTest::newRow("display mode 3") << "Other_Display_Mode=3";
        QTest::newRow("start day 8") << "Start_Day=8";
        QTest::newRow("tooltips 3") << "Tooltips=3";
        QTest::newRow("manual position beyond 32 bits") << "Manual_PosX=99999999999";
        QTest::newRow("pack outside the program folder") << "Pack_Name=../../etc";
        QTest::newRow("no equals sign") << "Style 1";
    }
    void Bad_Items_Name_Their_Line_And_Change_Nothing() {
        QFETCH(QString, item);
        StoreWorld world;
        const AppSettings before = world.settings;
        const QByteArray store_before = world.Store_Bytes();
        // Good items before and after the bad one: none of them may be applied.
        const ConfigOutcome outcome =
            world.Import(Config_File({"Style=2", "Show_Alerts=0", item, "Tooltips=0"}));
        QVERIFY(!outcome.ok);
        QVERIFY2(outcome.detail.startsWith("Line 3: "), qPrintable(outcome.detail));
        QVERIFY2(outcome.detail.contains(item.left(8)), qPrintable(outcome.detail));
        QCOMPARE(world.settings, before);
        QCOMPARE(world.Store_Bytes(), store_before);

        // One item alone is refused as well, and changes nothing.
        QCOMPARE(Apply_Config_Item(world.store, world.settings, item), ConfigApply::Failed);
        QCOMPARE(world.settings, before);
        QCOMPARE(world.Store_Bytes(), store_before);
    }

    void Damaged_Files_Change_Nothing_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("detail");
        QTest::newRow("empty") << QByteArray() << "holds no configuration item";
        QTest::newRow("blank lines") << QByteArray("\r\n  \r\n\n") << "holds no configuration";
        QTest::newRow("only unknown keys") << Config_File({"Colour=1"}) << "holds no config";
        QByteArray binary(4096, '\0');
        QRandomGenerator random(7);
        for (char& c : binary)
            c = char(random.bounded(256));
        binary[100] = '\0';
        QTest::newRow("binary") << binary << "not a text file";
        // Text-like noise without a single "=".
        QByteArray noise = binary;
        for (char& c : noise) {
            if (c == '\0' || c == '=')
                c = 'x';
        }
        QTest::newRow("noise") << noise << "Line ";
        QTest::newRow("cut inside an item")
            << QByteArray("\"Style=2\"\r\n\"Timeout_Val") << "Line 2: ";
        QTest::newRow("cut inside a value")
            << QByteArray("\"Style=2\"\r\n\"Timeout_Value=4") << "Line 2: ";
        QTest::newRow("bad item after CR line ends")
            << QByteArray("\"Style=2\"\r\"Style=1\"\r\n\"Tooltips=9\"\r") << "Line 3: ";
        QTest::newRow("cut after a quote") << QByteArray("\"Style=2\"\r\n\r\n\"") << "Line 3: ";
        QByteArray huge = Fifty_Megabytes_Of("\"Timeout_Value=5\"\r\n");
        huge += "\"Tooltips=9\"\r\n\"Style=0\"\r\n";
        QTest::newRow("50 MB, bad near the end") << huge << "Tooltips=9";
    }
    void Damaged_Files_Change_Nothing() {
        QFETCH(QByteArray, file);
        QFETCH(QString, detail);
        StoreWorld world;
        const AppSettings before = world.settings;
        const QByteArray store_before = world.Store_Bytes();
        const ConfigOutcome outcome = world.Import(file);
        QVERIFY(!outcome.ok);
        QVERIFY2(outcome.detail.contains(detail), qPrintable(outcome.detail));
        QCOMPARE(world.settings, before);
        QCOMPARE(world.Store_Bytes(), store_before);
    }

    void Large_And_Unreadable_Files() {
        StoreWorld world;
        // 50 MB of good items is read whole; the last value of a key wins.
        QByteArray huge = Fifty_Megabytes_Of("\"Timeout_Value=5\"\r\n");
        huge += "\"Timeout_Value=7\"";
        const ConfigOutcome outcome = world.Import(huge);
        QVERIFY2(outcome.ok, qPrintable(outcome.detail));
        QCOMPARE(world.settings.Timeout_Value, 7);

        const AppSettings before = world.settings;
        const QByteArray store_before = world.Store_Bytes();
        for (const QString& path : {world.env.Root() + "/missing.ini", world.env.Root()}) {
            const ConfigOutcome unreadable = Import_Config_File(path, world.store, world.settings);
            QVERIFY(!unreadable.ok);
            QCOMPARE(unreadable.detail, "The file could not be read.");
        }
        QCOMPARE(world.settings, before);
        QCOMPARE(world.Store_Bytes(), store_before);
    }

    void A_Store_That_Cant_Be_Written_Changes_Nothing() {
        StoreWorld world;
        const AppSettings before = world.settings;
        const QByteArray store_before = world.Store_Bytes();
        const QString chosen =
            world.env.Write_File("chosen.ini", Format_Config_File(Unusual_Settings()));
        ConfigOutcome outcome;
        {
            // A full disk: the store's first write fails, after the record took the value.
            FileSizeLimit disk(8);
            outcome = Import_Config_File(chosen, world.store, world.settings);
        }
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.detail, "The settings could not be stored.");
        QCOMPARE(world.settings, before);
        QCOMPARE(world.Store_Bytes(), store_before);
    }

    void A_Failed_Export_Leaves_No_Half_File() {
        TestEnv env;
        const QString folder = env.Root() + "/out";
        QDir().mkpath(folder);
        const QString path = env.Write_File("out/old.ini", "\"Style=0\"\r\n");
        {
            FileSizeLimit disk(100);
            QVERIFY(!Export_Config_File(path, Unusual_Settings()).ok);
        }
        QCOMPARE(TestEnv::Read_File(path), QByteArray("\"Style=0\"\r\n"));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"old.ini"});
        {
            FileSizeLimit disk(100);
            QVERIFY(!Export_Config_File(folder + "/new.ini", Unusual_Settings()).ok);
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"old.ini"});
        QVERIFY(!Export_Config_File(folder + "/no/such/folder.ini", AppSettings()).ok);
    }
};

ALMANOR_TEST(ConfigFileTest)
#include "test_config_file.moc"
