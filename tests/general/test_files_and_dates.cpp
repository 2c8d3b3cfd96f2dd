#include "calendar/General_Mod.h"
#include "common/TestEnv.h"
#include "common/TestMain.h"

#include <QDir>
#include <QTest>

class FilesAndDatesTest : public QObject {
    Q_OBJECT

  private slots:
    void Existence_Checks() {
        TestEnv env;
        const QString root = env.Root();
        env.Write_File("Packs/Default/1.jpg", "x");
        env.Write_File("Packs/Default/settings.ini", "x");
        env.Write_File("Packs/Default/a[1].bmp", "x");
        env.Write_File("Packs/.hidden", "x");
        QDir().mkpath(root + "/Packs/Folder.jpg");
        QFile::link(root + "/nowhere", root + "/Packs/broken.lnk");

        QVERIFY(File_Exists(root + "/Packs/Default/1.jpg"));
        QVERIFY(File_Exists(root + "/Packs/.hidden"));
        QVERIFY(!File_Exists(root + "/Packs/Default/2.jpg"));
        QVERIFY(!File_Exists(root + "/Packs/Default")); // a folder is no file
        QVERIFY(!File_Exists(root + "/Packs/Default/"));
        QVERIFY(!File_Exists(root + "/Packs/broken.lnk"));
        QVERIFY(!File_Exists(""));
        QVERIFY(!File_Exists(root + "/Packs/Default/1.jpg/x")); // a file as folder

        // Wildcards in the file name: any regular file that matches.
        QVERIFY(File_Exists(root + "/Packs/Default/*.jpg"));
        QVERIFY(File_Exists(root + "/Packs/Default/?.jpg"));
        QVERIFY(File_Exists(root + "/Packs/Default/*"));
        QVERIFY(!File_Exists(root + "/Packs/Default/??.jpg"));
        QVERIFY(!File_Exists(root + "/Packs/Default/*.JPG"));
        QVERIFY(File_Exists(root + "/Packs/Default/a[1]*")); // brackets are plain characters
        QVERIFY(!File_Exists(root + "/Packs/Default/a[0-9]*"));
        QVERIFY(!File_Exists(root + "/Packs/*.jpg")); // only the folder Folder.jpg matches
        QVERIFY(!File_Exists(root + "/Missing/*.jpg"));

        QVERIFY(Dir_Exists(root + "/Packs/Default"));
        QVERIFY(Dir_Exists(root + "/Packs/Default/"));
        QVERIFY(Dir_Exists(root + "/Packs/Default/1.jpg")); // a file answers true too
        QVERIFY(Dir_Exists(root + "/Packs/*.jpg"));
        QVERIFY(!Dir_Exists(root + "/Packs/Other"));
        QVERIFY(!Dir_Exists(root + "/Packs/O*"));
        QVERIFY(!Dir_Exists(""));
    }

    void Short_Format_Has_Four_Digit_Year() {
        QCOMPARE(Short_Date_Format(QLocale(QLocale::English, QLocale::UnitedStates)), "M/d/yyyy");
        QCOMPARE(Short_Date_Format(QLocale(QLocale::English, QLocale::UnitedKingdom)),
                 "dd/MM/yyyy");
        QCOMPARE(Short_Date_Format(QLocale(QLocale::German, QLocale::Germany)), "dd.MM.yyyy");
        QCOMPARE(Short_Date_Format(QLocale(QLocale::Bulgarian)), "d.MM.yyyy 'г'.");
        QCOMPARE(Date_Separator(QLocale(QLocale::English, QLocale::UnitedStates)), "/");
        QCOMPARE(Date_Separator(QLocale(QLocale::German, QLocale::Germany)), ".");
        QCOMPARE(Date_Separator(QLocale(QLocale::Korean)), ".");
        QCOMPARE(Format_Long_Date(QDate(2004, 3, 5), QLocale(QLocale::English)),
                 "Friday, March 5, 2004");
    }

    void Short_Dates_Round_Trip_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom);
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany);
        QTest::newRow("bg_BG") << QLocale(QLocale::Bulgarian);
        QTest::newRow("fa_IR") << QLocale(QLocale::Persian, QLocale::Iran);
    }
    void Short_Dates_Round_Trip() {
        QFETCH(QLocale, locale);
        for (const QDate& date :
             {QDate(99, 3, 5), QDate(100, 1, 1), QDate(1999, 12, 31), QDate(2000, 2, 29),
              QDate(2004, 3, 5), QDate(2026, 12, 6), QDate(9999, 12, 31)}) {
            const QString text = Format_Short_Date(date, locale);
            QCOMPARE(Parse_Short_Date(text, locale), date);
            QCOMPARE(Parse_Short_Date(" " + text + " ", locale), date);
        }
    }

    void Short_Dates_From_Elsewhere() {
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale de(QLocale::German, QLocale::Germany);
        QCOMPARE(Parse_Short_Date("12/25/2004", us), QDate(2004, 12, 25));
        QCOMPARE(Parse_Short_Date("5/3/04", us), QDate(2004, 5, 3)); // two-digit years
        QCOMPARE(Parse_Short_Date("5.3.29", de), QDate(2029, 3, 5));
        QCOMPARE(Parse_Short_Date("5.3.30", de), QDate(1930, 3, 5));
        QCOMPARE(Parse_Short_Date("05.03.2004", de), QDate(2004, 3, 5));
        for (const char* bad : {"", "abc", "2/30/2004", "13/1/2004", "1/2", "1/2/3/4", "1/2/2004x",
                                "1/2/20045", "123/1/2004", "005/3/2004", "5/003/2004"})
            QVERIFY2(!Parse_Short_Date(bad, us).isValid(), bad);
    }
};

ALMANOR_TEST(FilesAndDatesTest)
#include "test_files_and_dates.moc"
