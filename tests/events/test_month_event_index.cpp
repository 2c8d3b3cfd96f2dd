#include "common/TestMain.h"
#include "events/CaptionFit.h"
#include "events/EventStore.h"
#include "events/MonthEventCache.h"
#include "events/MonthEventIndex.h"
#include "events/MonthEvents.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <chrono>
#include <filesystem>

namespace {

constexpr int kBoxes = 37;

// What a month rebuild leaves behind: the caption text of each box, the boxes filled when the
// alert appears, the alert's text, and whether the load error is shown.
struct Outcome {
    QMap<int, QString> boxes;
    QMap<int, QString> at_alert;
    QString alert;
    bool error = false;
    bool operator==(const Outcome&) const = default;
};

// The month view as a plain pass over every record of the file.
Outcome Plain_Pass(const QByteArray& bytes, qint16 month, qint16 year, int first_box,
                   const QDate& today) {
    Outcome out;
    bool alerted = false;
    For_Each_Event_Record(bytes, [&](QStringView record) {
        EventDay event;
        if (!Parse_Event_Record(record, &event)) {
            out.error = true;
            return false;
        }
        if (Shown_In_Month(event, month, year)) {
            const int box = first_box + event.day - 1;
            if (box < 0 || box >= kBoxes) {
                out.error = true;
                return false;
            }
            out.boxes[box] = event.text;
        }
        if (!alerted && Falls_Today(event, today)) {
            alerted = true;
            out.at_alert = out.boxes;
            out.alert = event.text;
        }
        return true;
    });
    return out;
}

Outcome From_Plan(const MonthEventIndex& index, qint16 month, qint16 year, int first_box,
                  const QDate& today) {
    const MonthPlan plan = Plan_Month(index, month, year, first_box, kBoxes, today, true);
    Outcome out;
    for (const IndexedEvent& event : plan.before_alert)
        out.boxes[first_box + event.day - 1] = index.Text(event).toString();
    if (plan.alert) {
        out.at_alert = out.boxes;
        out.alert = index.Text(*plan.alert).toString();
    }
    for (const IndexedEvent& event : plan.after_alert)
        out.boxes[first_box + event.day - 1] = index.Text(event).toString();
    out.error = plan.load_error;
    return out;
}

// A file of dated and every-year records around 2004, with days no month has, texts holding
// "=" and "&&", and now and then a malformed record.
QByteArray Random_File(QRandomGenerator& random, int count) {
    QStringList records;
    for (int i = 0; i < count; ++i) {
        const int kind = random.bounded(100);
        const int day = kind < 3 ? random.bounded(-2, 45) : random.bounded(1, 32);
        const int year = kind < 30 ? 9999 : random.bounded(2003, 2006);
        QString key = QStringLiteral("%1/%2/%3").arg(day).arg(random.bounded(1, 13)).arg(year);
        if (kind == 99)
            key = random.bounded(2) ? QStringLiteral("12/x/2004") : QStringLiteral("no key");
        // Keys as hand edits and other programs write them: padded, or with characters beyond
        // ASCII that the decoded text reads as spaces or as no number at all.
        if (kind == 98)
            key = QStringLiteral("\u00A0%1/3/2004").arg(day);
        if (kind == 97)
            key = QStringLiteral(" %1/ 3 /2004 ").arg(day);
        if (kind == 96)
            key = QStringLiteral("%1/3/2004\u00E9").arg(day);
        records.append(key + QStringLiteral("=text %1 = a && b \u00FC").arg(i));
    }
    return Format_Event_File(records);
}

void Set_Modified(const QString& path, const QDateTime& time) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class MonthEventIndexTest : public QObject {
    Q_OBJECT

  private slots:
    // Generated files, well formed and damaged, answer as the plain pass does for months with
    // and without today, with the alert's place among the captions kept.
    void index_answers_as_plain_pass() {
        QRandomGenerator random(20260211);
        for (int round = 0; round < 40; ++round) {
            QByteArray bytes = Random_File(random, random.bounded(0, 300));
            if (round % 8 == 7) {
                // Damaged bytes: cut records, stray quotes, invalid UTF-8.
                for (int i = 0; i < 20 && !bytes.isEmpty(); ++i)
                    bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            }
            if (round % 8 == 6)
                bytes = Decode_Event_File(bytes).toLatin1();
            for (const QDate& view :
                 {QDate(2004, 2, 1), QDate(2004, 3, 1), QDate(2005, 12, 1), QDate(2010, 7, 1)}) {
                const QDate today(2004, 3, random.bounded(1, 32));
                const int first_box = random.bounded(0, 7);
                const qint16 month = qint16(view.month());
                const qint16 year = qint16(view.year());
                const MonthEventIndex index(bytes, month, year, today);
                QCOMPARE(From_Plan(index, month, year, first_box, today),
                         Plain_Pass(bytes, month, year, first_box, today));
            }
        }
    }

    // The kept index is used while the file stays as it was, and every kind of change is seen.
    void cache_follows_the_file() {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/calendar.dat");
        const QDateTime old = QDateTime::currentDateTimeUtc().addSecs(-3600);
        MonthEventCache cache;
        bool ok = false;
        const QDate today(2004, 1, 20);
        const auto get = [&](quint64 saves, qint16 month = 1) {
            return cache.Get(path, month, 2004, today, saves, &ok);
        };

        QCOMPARE(get(0)->Count(), 0);
        QVERIFY(ok);

        Write(path, Format_Event_File({"1/1/2004=aaa"}));
        Set_Modified(path, old);
        const auto first = get(0);
        QCOMPARE(first->Count(), 1);
        QCOMPARE(get(0), first);
        // Another month is another pass over the file.
        const auto february = get(0, 2);
        QVERIFY(february != first);
        QVERIFY(february->Month(2, 2004).isEmpty());
        QCOMPARE(get(0, 2), february);

        // A save through the store, even one that leaves size and times alike, reads again.
        QVERIFY(get(1) != first);

        // Same size and modification time, new content: the status-change time tells.
        QThread::msleep(30);
        Write(path, Format_Event_File({"2/1/2004=bbb"}));
        Set_Modified(path, old);
        auto index = get(1);
        QCOMPARE(index->Month(1, 2004).size(), 1);
        QCOMPARE(index->Text(index->Month(1, 2004).at(0)), QStringLiteral("bbb"));

        // Written just now: a file this fresh is never trusted to its times, so a rewrite of the
        // same size within their grain can't be missed.
        Write(path, Format_Event_File({"3/1/2004=ccc"}));
        index = get(1);
        QCOMPARE(index->Text(index->Month(1, 2004).at(0)), QStringLiteral("ccc"));
        QVERIFY(get(1) != index);

        QVERIFY(QFile::remove(path));
        QCOMPARE(get(1)->Count(), 0);
        QVERIFY(ok);
    }

    // A file that can't be read reports it on every rebuild, not just the first.
    void unreadable_file_is_not_kept() {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/calendar.dat");
        QVERIFY(QDir().mkpath(path));
        std::filesystem::last_write_time(path.toStdString(),
                                         std::filesystem::file_time_type::clock::now() -
                                             std::chrono::hours(1));
        MonthEventCache cache;
        bool ok = true;
        const QDate today(2004, 1, 20);
        QCOMPARE(cache.Get(path, 1, 2004, today, 0, &ok)->Count(), 0);
        QVERIFY(!ok);
        ok = true;
        cache.Get(path, 1, 2004, today, 0, &ok);
        QVERIFY(!ok);
    }

    // A caption is cut to the longest beginning narrower than the label, as taking one character
    // off at a time would give, with widths that differ from character to character.
    void caption_cut_is_the_longest_fitting_beginning() {
        const auto width = [](const QString& text) {
            qint32 sum = 0;
            for (const QChar c : text)
                sum += c == QLatin1Char('&') ? 0 : 60 + (c.unicode() % 7) * 25;
            return sum;
        };
        const QString text = QStringLiteral("Tom && Jerry meet Wilhelmina at the station");
        for (qint32 label = 0; label <= 3000; label += 37) {
            QString cut = text;
            while (!cut.isEmpty() && width(cut) >= label)
                cut.chop(1);
            const QString expected =
                width(text) < label ? text : cut.left(qMax(0, int(cut.size()) - 3)) + "...";
            QCOMPARE(DotDotDot(text, label, 0, width), expected);
        }
    }

    void store_save_moves_its_counter() {
        QTemporaryDir dir;
        EventStore store(dir.path() + QStringLiteral("/calendar.dat"));
        store.current_key = Event_Key(5, 3, 2004);
        QVERIFY(store.Check_For_Pre(QStringLiteral("x")));
        QCOMPARE(store.Save_Count(), quint64(1));
    }
};

ALMANOR_TEST(MonthEventIndexTest)
#include "test_month_event_index.moc"
