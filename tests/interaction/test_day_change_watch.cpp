// The watch that wakes the calendar for a new day, on the real kernel timer and a time-zone folder
// of the test's own.
#include "common/TestMain.h"
#include "platform/DayChangeWatch.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {
void Write_File(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}
} // namespace

class DayChangeWatchTest : public QObject {
    Q_OBJECT
  private slots:
    void armed_time_comes_once_and_never_early() {
        QTemporaryDir zone;
        DayChangeWatch watch(zone.path(), nullptr);
        QSignalSpy changed(&watch, &DayChangeWatch::Changed);
        // A later Arm replaces the earlier one: one wake-up, at the new time.
        watch.Arm(3'600'000);
        QElapsedTimer since;
        since.start();
        watch.Arm(80);
        QVERIFY(watch.Armed());
        QTRY_COMPARE_WITH_TIMEOUT(changed.size(), 1, 5000);
        QVERIFY(since.elapsed() >= 80);
        QVERIFY(!watch.Armed());
        QTest::qWait(150);
        QCOMPARE(changed.size(), 1);
    }

    void disarmed_watch_stays_quiet() {
        QTemporaryDir zone;
        DayChangeWatch watch(zone.path(), nullptr);
        QSignalSpy changed(&watch, &DayChangeWatch::Changed);
        watch.Arm(40);
        watch.Disarm();
        QVERIFY(!watch.Armed());
        QTest::qWait(250);
        QCOMPARE(changed.size(), 0);
        // A time already past fires at once rather than never.
        watch.Arm(-5);
        QTRY_COMPARE_WITH_TIMEOUT(changed.size(), 1, 5000);
    }

    void a_new_time_zone_wakes_the_watch_other_files_do_not() {
        QTemporaryDir zone;
        const QDir folder(zone.path());
        Write_File(folder.filePath(QStringLiteral("localtime")), "TZif old");
        Write_File(folder.filePath(QStringLiteral("timezone")), "Europe/Berlin\n");
        DayChangeWatch watch(zone.path(), nullptr);
        QSignalSpy changed(&watch, &DayChangeWatch::Changed);
        watch.Arm(3'600'000);

        // Other files of the folder change all the time (a network's resolver, the mount list).
        Write_File(folder.filePath(QStringLiteral("resolv.conf")), "nameserver 10.0.0.1\n");
        QTest::qWait(200);
        QCOMPARE(changed.size(), 0);

        // The zone tools replace the link in one rename.
        QVERIFY(QFile::link(QStringLiteral("/usr/share/zoneinfo/Asia/Tokyo"),
                            folder.filePath(QStringLiteral(".localtime.new"))));
        QVERIFY(::rename(QFile::encodeName(folder.filePath(QStringLiteral(".localtime.new"))),
                         QFile::encodeName(folder.filePath(QStringLiteral("localtime")))) == 0);
        QTRY_VERIFY_WITH_TIMEOUT(changed.size() >= 1, 5000);
        // The wall-clock time stays armed: a zone change is a look at the date, not midnight.
        QVERIFY(watch.Armed());

        changed.clear();
        Write_File(folder.filePath(QStringLiteral("timezone")), "Asia/Tokyo\n");
        QTRY_VERIFY_WITH_TIMEOUT(changed.size() >= 1, 5000);
    }

    void a_missing_zone_folder_still_keeps_the_time() {
        DayChangeWatch watch(QStringLiteral("/nonexistent/almanor-zone"), nullptr);
        QSignalSpy changed(&watch, &DayChangeWatch::Changed);
        watch.Arm(20);
        QTRY_COMPARE_WITH_TIMEOUT(changed.size(), 1, 5000);
    }
};

ALMANOR_TEST(DayChangeWatchTest)
#include "test_day_change_watch.moc"
