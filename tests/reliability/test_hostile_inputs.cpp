// Big and hostile inputs that a fuzzer won't reach: huge records, crowded days, files of zeros,
// huge pack settings and packs that are links in a loop. None may crash the calendar or cost a
// note.
#include "calendar/SettingsStore.h"
#include "calendar/gui/ColourLabel.h"
#include "common/CalendarWorld.h"
#include "common/TestMain.h"
#include "events/EventStore.h"
#include "packs/PackFolder.h"
#include "packs/PacksTab.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>

namespace {

QByteArray Data_File_Of(const CalendarWorld& world) {
    return TestEnv::Read_File(world.env.Data_File());
}

QString Shown_Caption(Main_Frm& window, int day) {
    const int box = window.Start_Box(window.ViewMonth, window.ViewYear) + day - 1;
    return window.Box_Caption_Lbl[box]->Shown_Text();
}

} // namespace

class HostileInputsTest : public QObject {
    Q_OBJECT
  private slots:
    void a_record_of_ten_megabytes_is_shown_cut_and_kept_whole() {
        CalendarWorld world;
        const QString text = QStringLiteral("Long ") + QString(10 * 1024 * 1024, QLatin1Char('x'));
        world.Write_Events(
            {QStringLiteral("10/2/2026=") + text, QStringLiteral("11/2/2026=Short")});
        const QByteArray before = Data_File_Of(world);
        Main_Frm& window = world.Start();
        QVERIFY(Shown_Caption(window, 10).startsWith(QStringLiteral("Long")));
        QCOMPARE(Shown_Caption(window, 11).trimmed(), QStringLiteral("Short"));
        window.Temp_Lst.current_key = QStringLiteral("10/2/2026");
        QCOMPARE(window.Temp_Lst.Get_Message(false).size(), text.size());
        QCOMPARE(Data_File_Of(world), before);
    }

    void a_hundred_thousand_records_on_one_day_show_the_last() {
        CalendarWorld world;
        QStringList records;
        for (int i = 0; i < 100000; ++i)
            records.append(QStringLiteral("12/2/2026=Note %1").arg(i));
        world.Write_Events(records);
        Main_Frm& window = world.Start();
        QCOMPARE(Shown_Caption(window, 12).simplified(), QStringLiteral("Note 99999"));
        QVERIFY(world.boxes.shown.isEmpty());
    }

    void a_file_of_zeros_shows_no_events_and_stays_as_it_is() {
        CalendarWorld world;
        world.env.Write_File(QStringLiteral("Almanor/calendar.dat"), QByteArray(1 << 20, '\0'));
        Main_Frm& window = world.Start();
        for (int day = 1; day <= 28; ++day)
            QVERIFY(Shown_Caption(window, day).trimmed().isEmpty());
        QCOMPARE(Data_File_Of(world), QByteArray(1 << 20, '\0'));
        // A note typed now doesn't throw the unreadable file away unnoticed.
        window.Temp_Lst.current_key = QStringLiteral("3/2/2026");
        window.Temp_Lst.Load_File();
        window.Temp_Lst.Check_For_Pre(QStringLiteral("New"));
        bool ok = false;
        const QStringList records = Read_Event_Records(world.env.Data_File(), &ok);
        QVERIFY(ok);
        QVERIFY(records.contains(QStringLiteral("3/2/2026=New")));
    }

    void a_pack_settings_file_of_a_hundred_thousand_lines() {
        CalendarWorld world;
        QByteArray ini;
        for (int i = 0; i < 100000; ++i)
            ini += QByteArray::number(13 + i) + "=0-0-0\r\n";
        ini += "3=1-4-2\r\n";
        world.env.Write_File(QStringLiteral("Almanor/Big/settings.ini"), ini);
        AppSettings settings;
        SettingsStore store(Settings_File_Path());
        PackContext context{world.env.Program_Dir(), settings, store};
        QCOMPARE(Get_Paper_Details(context, 3, QStringLiteral("Big")), QStringLiteral("1-4-2"));
        QCOMPARE(Get_Paper_Details(context, 4, QStringLiteral("Big")), QString());
    }

    void packs_that_are_links_in_a_loop_are_no_packs() {
        CalendarWorld world;
        const QString dir = world.env.Program_Dir();
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(QFile::link(dir + QStringLiteral("/B"), dir + QStringLiteral("/A")));
        QVERIFY(QFile::link(dir + QStringLiteral("/A"), dir + QStringLiteral("/B")));
        QVERIFY(QFile::link(dir, dir + QStringLiteral("/Self")));
        QVERIFY(QFile::link(dir + QStringLiteral("/Self/Self"), dir + QStringLiteral("/Deep")));
        // One real pack beside them.
        world.env.Write_File(QStringLiteral("Almanor/Real/settings.ini"), "1=0-0-2\r\n");
        for (int m = 1; m <= 12; ++m) {
            QImage picture(4, 4, QImage::Format_RGB32);
            picture.fill(Qt::blue);
            picture.save(dir + QStringLiteral("/Real/%1.jpg").arg(m), "JPG");
        }
        QCOMPARE(Valid_Packs(dir), QStringList{QStringLiteral("Real")});
        for (const QString& name : {QStringLiteral("A"), QStringLiteral("B"),
                                    QStringLiteral("Self"), QStringLiteral("Deep")})
            QVERIFY2(!Is_Pack(dir, name), qPrintable(name));
    }
};

ALMANOR_TEST(HostileInputsTest)
#include "test_hostile_inputs.moc"
