#include "calendar/MsgBox.h"
#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "events/EventStore.h"

#include <QRandomGenerator>
#include <QTest>

class EventFileFormatTest : public QObject {
    Q_OBJECT

  private slots:
    void parse_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("records");
        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("only blank lines") << QByteArray(" \r\n\r\n  \n") << QStringList();
        QTest::newRow("written file")
            << QByteArray("\"5/3/2004=Dentist at ten\"\r\n\"25/12/9999=Christmas\"\r\n")
            << QStringList{"5/3/2004=Dentist at ten", "25/12/9999=Christmas"};
        QTest::newRow("two physical lines")
            << QByteArray("\"1/1/2004=first\r\nsecond\"\r\n\"2/1/2004=x\"\r\n")
            << QStringList{"1/1/2004=first\r\nsecond", "2/1/2004=x"};
        QTest::newRow("trailing blank lines")
            << QByteArray("\"1/1/2004=a\"\r\n\r\n\r\n  \r\n") << QStringList{"1/1/2004=a"};
        QTest::newRow("unquoted commas split") << QByteArray("1/1/2004=a, b ,c\r\n  d  \r\n")
                                               << QStringList{"1/1/2004=a", "b", "c", "d"};
        QTest::newRow("empty field between commas")
            << QByteArray("a,,b\r\n,c") << QStringList{"a", "", "b", "", "c"};
        QTest::newRow("comma at line end opens no field")
            << QByteArray("a,\r\nb,") << QStringList{"a", "b"};
        QTest::newRow("rest of quoted line dropped")
            << QByteArray("  \"x, y\" junk,\"z\"tail\r\nw") << QStringList{"x, y", "z", "w"};
        QTest::newRow("empty quoted record") << QByteArray("\"\"\r\n") << QStringList{""};
        QTest::newRow("unterminated quote takes the rest")
            << QByteArray("\"a\"\r\n\"b\r\nc, d") << QStringList{"a", "b\r\nc, d"};
        QTest::newRow("lone quote") << QByteArray("\"") << QStringList{""};
        QTest::newRow("utf-8 bom skipped") << QByteArray("\xEF\xBB\xBF\"1/1/2004=caf\xC3\xA9\"\r\n")
                                           << QStringList{QStringLiteral("1/1/2004=caf\u00E9")};
        QTest::newRow("windows-1252 bytes")
            << QByteArray("\"1/1/2004=Caf\xE9 \x80 \x93q\x94 \x81\"\r\n")
            << QStringList{QStringLiteral("1/1/2004=Caf\u00E9 \u20AC \u201Cq\u201D \u0081")};
        // The last code of the high range, where a table one entry short would end.
        QTest::newRow("windows-1252 0x9F and 0x8A")
            << QByteArray("\"1/1/2004=\x9F \x8A \x9C\"\r\n")
            << QStringList{QStringLiteral("1/1/2004=\u0178 \u0160 \u0153")};
        QTest::newRow("cut utf-8 sequence read as 1252")
            << QByteArray("\"a\xC3\"") << QStringList{QStringLiteral("a\u00C3")};
    }

    void parse() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, records);
        QCOMPARE(Parse_Event_File(bytes), records);
    }

    void format_writes_quoted_crlf_utf8() {
        const QStringList records{QStringLiteral("14/2/2004=Flowers && caf\u00E9"),
                                  QStringLiteral("1/1/2004=one\r\ntwo"),
                                  QStringLiteral("2/2/2004=say \"hi\"")};
        QCOMPARE(Format_Event_File(records), QByteArray("\"14/2/2004=Flowers && caf\xC3\xA9\"\r\n"
                                                        "\"1/1/2004=one\r\ntwo\"\r\n"
                                                        "\"2/2/2004=say 'hi'\"\r\n"));
        QCOMPARE(Format_Event_File({}), QByteArray());
    }

    // Random bytes rich in the characters the reader cares about: it must never crash, must give
    // the same answer twice, and the file lookup must end normally.
    void fuzz_parse_and_lookup() {
        static const char alphabet[] =
            "\"\",,\r\n \0=/9aZ\xC3\xA9\xE2\x82\xAC\xFF\x80\x93\xEF\xBB\xBF";
        QRandomGenerator random(20040305);
        TestEnv env;
        MsgBoxRecorder recorder;
        EventStore store(env.Data_File());
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes;
            const int length = random.bounded(64);
            for (int i = 0; i < length; ++i) {
                bytes += random.bounded(4) == 0
                             ? char(random.bounded(256))
                             : alphabet[random.bounded(int(sizeof(alphabet) - 1))];
            }
            const QStringList first = Parse_Event_File(bytes);
            QCOMPARE(Parse_Event_File(bytes), first);
            env.Write_File(QStringLiteral("Almanor/calendar.dat"), bytes);
            store.current_key = random.bounded(2) ? QStringLiteral("9/") : QStringLiteral("a");
            store.Get_Message(true);
            QVERIFY(store.Load_File());
            QCOMPARE(store.records, first);
        }
    }

    void fuzz_format_parse_round_trip() {
        const QStringList pieces{" ",
                                 ",",
                                 "\r",
                                 "\n",
                                 "=",
                                 "/",
                                 "&",
                                 "'",
                                 QString(QChar(0)),
                                 "a",
                                 "Z",
                                 "9",
                                 QStringLiteral("\u00E9\u20AC\uFEFF"),
                                 QStringLiteral("\U0001F600")};
        QRandomGenerator random(1031);
        for (int round = 0; round < 2000; ++round) {
            QStringList records;
            const int count = random.bounded(6);
            for (int r = 0; r < count; ++r) {
                QString record;
                for (int i = random.bounded(12); i > 0; --i)
                    record += pieces.at(random.bounded(int(pieces.size())));
                records.append(record);
            }
            QCOMPARE(Parse_Event_File(Format_Event_File(records)), records);
        }
    }
};

ALMANOR_TEST(EventFileFormatTest)
#include "test_event_file_format.moc"
