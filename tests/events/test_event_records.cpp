#include "common/TestMain.h"
#include "events/EventStore.h"

#include <QTest>

class EventRecordTest : public QObject {
    Q_OBJECT

  private slots:
    void keys() {
        QCOMPARE(Event_Key(5, 3, 2004), QStringLiteral("5/3/2004"));
        QCOMPARE(Event_Key(QDate(2010, 12, 25)), QStringLiteral("25/12/2010"));
        QCOMPARE(Every_Year_Key(QStringLiteral("25/12/2010")), QStringLiteral("25/12/9999"));
        // Keys too short to hold a year must not read before their start.
        QCOMPARE(Every_Year_Key(QString()), QStringLiteral("9999"));
        QCOMPARE(Every_Year_Key(QStringLiteral("abc")), QStringLiteral("9999"));
        QCOMPARE(Every_Year_Key(QStringLiteral("2004")), QStringLiteral("9999"));
    }

    void records_split_at_first_equals() {
        const QString record = QStringLiteral("5/3/2004=a=b == c");
        QCOMPARE(Record_Key(record), QStringLiteral("5/3/2004"));
        QCOMPARE(Record_Text(record), QStringLiteral("a=b == c"));
        QVERIFY(Record_Key(QStringLiteral("no equals sign")).isNull());
        QVERIFY(Record_Key(QString()).isNull());
        // An empty key is still a key: it must not read as "no =".
        QVERIFY(!Record_Key(QStringLiteral("=text")).isNull());
        QCOMPARE(Record_Text(QStringLiteral("5/3/2004=")), QString());
    }

    void matching_compares_day_month_and_year() {
        const QString key = QStringLiteral("5/3/2004");
        QVERIFY(Record_Matches(QStringLiteral("5/3/2004=x"), key));
        QVERIFY(Record_Matches(QStringLiteral("5/3/9999=x"), key));
        QVERIFY(Record_Matches(QStringLiteral("05/3/2004=x"), key));
        QVERIFY(Record_Matches(QStringLiteral(" 5/03/2004 =x"), key));
        QVERIFY(!Record_Matches(QStringLiteral("15/3/2004=x"), key));
        QVERIFY(!Record_Matches(QStringLiteral("5/3/2005=x"), key));
        QVERIFY(!Record_Matches(QStringLiteral("5/3/2004=x"), QStringLiteral("5/3/9999")));
        QVERIFY(!Record_Matches(QStringLiteral("5/3=x"), key));
        QVERIFY(!Record_Matches(QStringLiteral("5/3/2004"), key));
        QVERIFY(!Record_Matches(QString(), QString()));
    }

    void escaping_round_trip() {
        QCOMPARE(Escape_Event_Text(QStringLiteral("Tom & Jerry")), QStringLiteral("Tom && Jerry"));
        QCOMPARE(Unescape_Event_Text(QStringLiteral("Tom && Jerry")),
                 QStringLiteral("Tom & Jerry"));
        QCOMPARE(Escape_Event_Text(QStringLiteral("say \"hi\" & go")),
                 QStringLiteral("say 'hi' && go"));
        const QString typed = QStringLiteral("&&& a&b &");
        QCOMPARE(Unescape_Event_Text(Escape_Event_Text(typed)), typed);
    }
};

ALMANOR_TEST(EventRecordTest)
#include "test_event_records.moc"
