#include "IcalTestSupport.h"

#include "common/TestEnv.h"
#include "common/TestMain.h"

#include <libical/ical.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

const QDateTime kNow(QDate(2026, 12, 7), QTime(9, 0), QTimeZone("Europe/Berlin"));

const QStringList kRecords{
    "5/3/2004=Tom && Jerry",
    "25/12/9999=Christmas",
    "7/8/2004=Pack bags\r\nTrain; early, at 9 \\ 10",
    "29/2/9999=Leap day",
    "no key at all",
    "x/y/2004=Not a day",
    "31/2/2004=Not a day either",
    QStringLiteral("14/2/2004=Blumen für Jürgen — 花 — and a text long enough that libical must "
                   "fold its line at least once"),
    "5/3/2004=Second note of the day",
};

// The values of one property in every VEVENT, in order.
QStringList Values_Of(const QByteArray& ics, const QByteArray& name) {
    QStringList values;
    QByteArray unfolded = ics;
    unfolded.replace("\r\n ", "");
    for (const QByteArray& line : unfolded.split('\n')) {
        if (line.startsWith(name + ":") || line.startsWith(name + ";"))
            values << QString::fromUtf8(line.trimmed());
    }
    return values;
}

} // namespace

class ICalWriteTest : public QObject {
    Q_OBJECT

  private slots:
    void one_all_day_event_per_record() {
        const ICalWriteResult written = Format_ICal_Events(kRecords, kNow, "host.example");
        QCOMPARE(written.count, 6);
        const QByteArray& ics = written.bytes;
        QVERIFY(ics.startsWith("BEGIN:VCALENDAR\r\n"));
        QVERIFY(ics.contains("\r\nVERSION:2.0\r\n"));
        QVERIFY(ics.contains("\r\nPRODID:-//Quillfern Software//Almanor//EN\r\n"));
        QCOMPARE(Values_Of(ics, "DTSTART"),
                 (QStringList{"DTSTART;VALUE=DATE:20040305", "DTSTART;VALUE=DATE:20261225",
                              "DTSTART;VALUE=DATE:20040807", "DTSTART;VALUE=DATE:20240229",
                              "DTSTART;VALUE=DATE:20040214", "DTSTART;VALUE=DATE:20040305"}));
        QCOMPARE(Values_Of(ics, "DTEND").first(), QStringLiteral("DTEND;VALUE=DATE:20040306"));
        QCOMPARE(Values_Of(ics, "RRULE"), (QStringList{"RRULE:FREQ=YEARLY", "RRULE:FREQ=YEARLY"}));
        QCOMPARE(Values_Of(ics, "DTSTAMP").first(), QStringLiteral("DTSTAMP:20261207T080000Z"));
        const QStringList summaries = Values_Of(ics, "SUMMARY");
        QCOMPARE(summaries.first(), QStringLiteral("SUMMARY:Tom & Jerry"));
        QCOMPARE(summaries.at(2),
                 QStringLiteral("SUMMARY:Pack bags\\nTrain\\; early\\, at 9 \\\\ 10"));
        for (const QByteArray& line : ics.split('\n'))
            QVERIFY2(line.size() <= 76, line.constData());

        // libical's own reader finds nothing to complain about.
        ICalComponentPtr parsed(icalparser_parse_string(ics.constData()));
        QVERIFY(parsed);
        QCOMPARE(icalcomponent_count_errors(parsed.get()), 0);
        QCOMPARE(icalcomponent_count_components(parsed.get(), ICAL_VEVENT_COMPONENT), 6);
        QVERIFY(icalrestriction_check(parsed.get()));
        for (icalcomponent* event =
                 icalcomponent_get_first_component(parsed.get(), ICAL_VEVENT_COMPONENT);
             event; event = icalcomponent_get_next_component(parsed.get(), ICAL_VEVENT_COMPONENT))
            QVERIFY(icalcomponent_get_dtstart(event).is_date);
    }

    void uid_stays_with_the_record_across_exports() {
        const QStringList first =
            Values_Of(Format_ICal_Events(kRecords, kNow, "host.example").bytes, "UID");
        QCOMPARE(first.size(), 6);
        QCOMPARE(QSet<QString>(first.begin(), first.end()).size(), 6);
        // A day's first record has the day alone; only a later one of the day is numbered.
        QCOMPARE(first.at(0), QStringLiteral("UID:almanor-20040305@host.example"));
        QCOMPARE(first.at(1), QStringLiteral("UID:almanor-every-year-1225@host.example"));
        QCOMPARE(first.at(5), QStringLiteral("UID:almanor-20040305-2@host.example"));

        // A day later, with one record removed and texts changed, the days keep their UIDs.
        QStringList changed = kRecords;
        changed.removeAt(1);
        changed[0] = QStringLiteral("5/3/2004=Tom && Jerry at eight");
        const QStringList second =
            Values_Of(Format_ICal_Events(changed, kNow.addDays(1), "host.example").bytes, "UID");
        QCOMPARE(second, QStringList(first).mid(0, 1) + first.mid(2));
    }

    void another_reader_accepts_the_file() {
        TestEnv env;
        const QString path = env.Write_File(
            QStringLiteral("out.ics"), Format_ICal_Events(kRecords, kNow, "host.example").bytes);
        QProcess python;
        python.start(QStringLiteral(ICAL_PYTHON), {QStringLiteral(ICAL_CHECK_SCRIPT), path});
        QVERIFY(python.waitForFinished(60000));
        const QString errors = QString::fromUtf8(python.readAllStandardError());
        QVERIFY2(python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0,
                 qPrintable(errors));
        const QStringList listing =
            QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(listing,
                 (QStringList{"2004-03-05|once|Tom & Jerry", "2026-12-25|yearly|Christmas",
                              "2004-08-07|once|Pack bags\\nTrain; early, at 9 \\ 10",
                              "2024-02-29|yearly|Leap day",
                              QStringLiteral("2004-02-14|once|Blumen für Jürgen — 花 — and a text "
                                             "long enough that libical must fold its line at "
                                             "least once"),
                              "2004-03-05|once|Second note of the day"}));
    }
};

ALMANOR_TEST(ICalWriteTest)

#include "test_ical_write.moc"
