// The configuration and data-file buttons of the settings window, driven as a user does: the
// file dialogs answered through their test hook, the message boxes through MsgBoxRecorder.
#include "calendar/SettingsStore.h"
#include "common/TestMain.h"
#include "common/TestPacks.h"
#include "desktop/RecordingPlatform.h"
#include "exchange/ExchangePageWorld.h"
#include "packs/OwnWallpaper.h"
#include "settings/gui/Colours_Page.h"
#include "settings/gui/General_Page.h"
#include "settings/gui/StylePosition_Page.h"
#include "settings/gui/Tooltips_Page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// What a test reads back.
QString Path(const PageWorld& w, const QString& name) {
    return w.world.env.Root() + "/" + name;
}
QByteArray Data_Bytes(const PageWorld& w) {
    return TestEnv::Read_File(w.Data());
}
QByteArray Store_Bytes() {
    return TestEnv::Read_File(Settings_File_Path());
}

} // namespace

class ConfigDataPageTest : public QObject {
    Q_OBJECT

  private slots:
    void Configuration_Export_Writes_What_The_Window_Shows() {
        PageWorld w;
        // Changes on other tabs, not applied.
        Settings_Frm* frame = w.window->Settings_Window();
        frame->Style_Position()->Style3_Opt->click();
        frame->General()->Alert_Chk->click();
        QComboBox* date_format = frame->General()->Bar_Date_Cbo;
        date_format->setCurrentIndex(date_format->count() - 1);
        frame->Tooltips()->Tips_Opt[2]->click();
        frame->Colours()->Col_Sys_Opt->click();
        w.dialogs.Answer_With(Path(w, "setup"));
        w.page->Export_Btn[1]->click();
        QCOMPARE(w.dialogs.shown.size(), 1);
        QVERIFY(w.dialogs.shown[0].save);
        QCOMPARE(w.dialogs.shown[0].title, "Export Configuration File");
        const QString path = Path(w, "setup.ini");
        QCOMPARE(w.world.boxes.shown.size(), 1);
        QCOMPARE(w.world.boxes.shown.at(0).text,
                 "Successfully exported current configuration to file...\r\n\r\n" + path);
        QCOMPARE(w.world.boxes.shown.at(0).icon, MsgIcon::Information);
        const QByteArray file = TestEnv::Read_File(path);
        QVERIFY(file.startsWith("\"Style=2\"\r\n\"TaskPos=0\"\r\n"));
        QCOMPARE(file.count("\r\n"), 32);
        for (const QString& line :
             {QString("\"Menu_Col_Sorce=0\""), QString("\"Show_Alerts=0\""),
              "\"Bar_Date_Format=" + date_format->currentText() + "\"", QString("\"Tooltips=2\"")})
            QVERIFY2(file.contains(line.toUtf8()), qPrintable(line));
        // Exporting is no Apply.
        QCOMPARE(w.window->Settings.Style, 1);
        QCOMPARE(w.window->Settings.Show_Alerts, 1);
        QCOMPARE(w.window->Settings.Tooltips, 1);

        // A folder that isn't there: the export's own message, and no file.
        w.dialogs.Answer_With(Path(w, "nowhere/setup.ini"));
        w.page->Export_Btn[1]->click();
        QCOMPARE(w.world.boxes.shown.size(), 2);
        QCOMPARE(w.world.boxes.shown.at(1).text, "Error when exporting configuration to file.");
        QCOMPARE(w.world.boxes.shown.at(1).icon, MsgIcon::Exclamation);
    }

    void Configuration_Import_Applies_Renews_And_Closes_The_Window() {
        PageWorld w;
        const QString file = w.world.env.Write_File(
            "in.ini",
            "\"Col_Normal=255\"\r\n\"Start_Day=2\"\r\n\"Style=0\"\r\n\"Show_Splash=0\"\r\n");
        // A missing file is told and the dialog comes again.
        w.dialogs.Answer_With(Path(w, "missing.ini"));
        w.dialogs.Answer_With(file);
        w.page->Import_Btn[1]->click();
        QCOMPARE(w.dialogs.shown.size(), 2);
        QCOMPARE(w.dialogs.shown[1].title, "Import Configuration File");
        QVERIFY(!w.dialogs.shown[1].save);
        QCOMPARE(w.world.boxes.shown.size(), 2);
        QCOMPARE(w.world.boxes.shown.at(0).text, "File doesn't exist!");
        QCOMPARE(w.world.boxes.shown.at(1).text, "Loaded configuration file successfully.");
        QCOMPARE(w.world.boxes.shown.at(1).icon, MsgIcon::Information);

        // The record and the store together.
        QCOMPARE(w.window->Settings.Normal, 255);
        QCOMPARE(w.window->Settings.Start_Day, 2);
        QCOMPARE(w.window->Settings.Style, 0);
        QCOMPARE(w.window->Settings.Show_Splash, 0);
        AppSettings stored = Load_Settings(SettingsStore());
        QCOMPARE(stored, w.window->Settings);
        // The calendar renewed: weeks start on Monday, boxes in the new colour and style.
        QCOMPARE(w.window->Day_Lbl[0]->text().left(1), "M");
        QCOMPARE(w.window->Box_Lbl[w.Box_Of_Day(20)]->Back_Colour(), 255);
        // The settings window is unloaded.
        QTRY_VERIFY(w.window->Settings_Window() == nullptr);
    }

    void Configuration_Import_Turning_Packs_On_And_Off_Keeps_The_Own_Wallpaper() {
        RecordingPlatform platform;
        platform.own_wallpaper = WallpaperRecord{"gnome", {{"picture-uri", "'file:///sea.jpg'"}}};
        PageWorld w;
        Write_Test_Pack(w.world.env.Program_Dir(), "Sea", "2=0-0-2\r\n", {2});
        w.dialogs.Answer_With(w.world.env.Write_File(
            "on.ini", "\"Use_Themes=1\"\r\n\"Pack_Name=Sea\"\r\n\"Show_Splash=0\"\r\n"));
        w.page->Import_Btn[1]->click();
        QCOMPARE(platform.wallpapers.size(), 1);
        QVERIFY(Own_Wallpaper_Record());
        QTRY_VERIFY(w.window->Settings_Window() == nullptr);

        QTest::keyClick(w.window, Qt::Key_F8);
        w.page = w.window->Settings_Window()->Exchange();
        w.dialogs.Answer_With(w.world.env.Write_File("off.ini", "\"Use_Themes=0\"\r\n"));
        w.page->Import_Btn[1]->click();
        QCOMPARE(platform.restored.size(), 1);
        QCOMPARE(platform.wallpapers.size(), 1);
        QVERIFY(!Own_Wallpaper_Record());
    }

    void Configuration_Import_Refuses_A_Bad_File_And_Changes_Nothing() {
        PageWorld w;
        const AppSettings before = w.window->Settings;
        const QByteArray store_before = Store_Bytes();
        const QString file =
            w.world.env.Write_File("bad.ini", "\"Col_Normal=255\"\r\n\"Timeout_Value=0\"\r\n");
        w.dialogs.Answer_With(file);
        w.page->Import_Btn[1]->click();
        QCOMPARE(w.world.boxes.shown.size(), 1);
        QVERIFY2(w.world.boxes.shown.at(0).text.startsWith(
                     "Error when importing configuration from file.\r\n\r\nLine 2: "),
                 qPrintable(w.world.boxes.shown.at(0).text));
        QCOMPARE(w.world.boxes.shown.at(0).icon, MsgIcon::Exclamation);
        QCOMPARE(w.window->Settings, before);
        QCOMPARE(Store_Bytes(), store_before);
        QVERIFY(w.window->Box_Lbl[w.Box_Of_Day(20)]->Back_Colour() != 255);
        QVERIFY(w.window->Settings_Window() != nullptr);

        // Cancelling ends without a word.
        w.dialogs.Answer_Cancel();
        w.page->Import_Btn[1]->click();
        QCOMPARE(w.world.boxes.shown.size(), 1);
    }

    void Data_Export_Asks_First_And_Copies() {
        PageWorld w;
        // No events yet: the file is asked for, then the missing data file is told.
        w.dialogs.Answer_With(Path(w, "events"));
        w.page->Export_Btn[0]->click();
        QCOMPARE(w.dialogs.shown.size(), 1);
        QCOMPARE(w.dialogs.shown[0].title, "Export Data File");
        QCOMPARE(w.world.boxes.shown.at(0).text,
                 "Can't find data file! This could be because you havn't "
                 "created any events yet?");
        QVERIFY(!QFile::exists(Path(w, "events.dat")));

        w.world.Write_Events({"14/2/2026=Dinner"});
        w.dialogs.Answer_With(Path(w, "events"));
        w.page->Export_Btn[0]->click();
        QCOMPARE(w.world.boxes.shown.at(1).text,
                 "Successfully exported data file to...\r\n\r\n" + Path(w, "events.dat"));
        QCOMPARE(TestEnv::Read_File(Path(w, "events.dat")), Data_Bytes(w));
    }

    void Data_Import_Asks_Before_It_Replaces() {
        PageWorld w({"14/2/2026=Dinner"});
        const QByteArray old_data = Data_Bytes(w);
        const QString chosen = w.world.env.Write_File("in/backup.dat", "\"20/2/2026=Skiing\"\r\n");
        // The program's own file by another spelling is refused; the dialog comes again.
        w.dialogs.Answer_With(w.world.env.Program_Dir() + "/./calendar.dat");
        w.dialogs.Answer_With(chosen);
        // Answers in order: the refusal's OK, then No to the replace question.
        w.world.boxes.Set_Next_Answer(MsgAnswer::Ok);
        w.world.boxes.Set_Next_Answer(MsgAnswer::No);
        w.page->Import_Btn[0]->click();
        QCOMPARE(w.dialogs.shown.size(), 2);
        QCOMPARE(w.dialogs.shown[0].title, "Import Data File");
        QCOMPARE(w.world.boxes.shown.size(), 2);
        QCOMPARE(w.world.boxes.shown.at(0).text,
                 "You can't import the data file your currently using!");
        QVERIFY(w.world.boxes.shown.at(1).text.contains("with new file 'backup.dat' modified on "));
        QCOMPARE(w.world.boxes.shown.at(1).buttons, MsgButtons::YesNoCancel);
        QCOMPARE(w.world.boxes.shown.at(1).icon, MsgIcon::Exclamation);
        QCOMPARE(Data_Bytes(w), old_data);
        QCOMPARE(w.Caption_Of_Day(14), "Dinner");

        w.dialogs.Answer_With(chosen);
        w.world.boxes.Set_Next_Answer(MsgAnswer::Yes);
        w.page->Import_Btn[0]->click();
        QCOMPARE(w.world.boxes.shown.size(), 4);
        QCOMPARE(w.world.boxes.shown.at(3).text,
                 "Successfully imported data file from...\r\n\r\n" + chosen);
        QCOMPARE(Data_Bytes(w), QByteArray("\"20/2/2026=Skiing\"\r\n"));
        QCOMPARE(w.Caption_Of_Day(20), "Skiing");
        QCOMPARE(w.Caption_Of_Day(14), "");
    }

    void Data_Import_Refuses_A_Bad_File_And_Needs_No_Question_Without_Events() {
        PageWorld w;
        // Without calendar.dat nothing is asked; a binary file is refused all the same.
        const QString binary =
            w.world.env.Write_File("in/picture.dat", QByteArray("\x89PNG\0\0", 6));
        w.dialogs.Answer_With(binary);
        w.page->Import_Btn[0]->click();
        QCOMPARE(w.world.boxes.shown.size(), 1);
        QVERIFY(
            w.world.boxes.shown.at(0).text.startsWith("Error when importing data file.\r\n\r\n"));
        QVERIFY(!QFile::exists(w.world.env.Data_File()));

        const QString good = w.world.env.Write_File("in/good.dat", "\"20/2/2026=Skiing\"\r\n");
        w.dialogs.Answer_With(good);
        w.page->Import_Btn[0]->click();
        QCOMPARE(w.world.boxes.shown.size(), 2);
        QCOMPARE(w.world.boxes.shown.at(1).text,
                 "Successfully imported data file from...\r\n\r\n" + good);
        QCOMPARE(w.Caption_Of_Day(20), "Skiing");
    }
};

ALMANOR_TEST(ConfigDataPageTest)
#include "test_config_data_page.moc"
