// Copies of calendar.dat: out to a chosen file, and in over the program's own, whole or not at all.
#include "common/FileSizeLimit.h"
#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "exchange/DataFileExchange.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <unistd.h>

namespace {

const QByteArray Events = "\"5/3/2004=Dentist at ten\"\r\n\"25/12/9999=Christmas\"\r\n"
                          "\"14/2/2004=Flowers && card, caf\xE9\"\r\n";

QByteArray Fifty_Megabytes_Of_Events() {
    QByteArray block;
    for (int i = 0; block.size() < 1024 * 1024; ++i)
        block += "\"" + QByteArray::number(i % 28 + 1) + "/3/2004=Event number " +
                 QByteArray::number(i) + "\"\r\n";
    return block.repeated(50);
}

// The files of a folder, so a stray temporary file shows.
QStringList Files_In(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void Set_Modified(const QString& path, const QDateTime& time) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

} // namespace

class DataFileExchangeTest : public QObject {
    Q_OBJECT

  private slots:
    void Export_Copies_The_Data_File_Or_Says_Why_Not() {
        TestEnv env;
        const QString out = env.Root() + "/out";
        QDir().mkpath(out);
        // Before any event was saved there is nothing to copy, and nothing is made.
        QCOMPARE(Export_Data_File(env.Data_File(), out + "/copy.dat"), DataExport::No_Data_File);
        QVERIFY(Files_In(out).isEmpty());

        env.Write_File("Almanor/calendar.dat", Events);
        QCOMPARE(Export_Data_File(env.Data_File(), out + "/copy.dat"), DataExport::Exported);
        QCOMPARE(TestEnv::Read_File(out + "/copy.dat"), Events);
        // An older file under the name is replaced whole.
        env.Write_File("out/old.dat", QByteArray(5000, 'x'));
        QCOMPARE(Export_Data_File(env.Data_File(), out + "/old.dat"), DataExport::Exported);
        QCOMPARE(TestEnv::Read_File(out + "/old.dat"), Events);

        QCOMPARE(Export_Data_File(env.Data_File(), out + "/missing/copy.dat"), DataExport::Failed);
        QCOMPARE(Export_Data_File(env.Data_File(), out), DataExport::Failed);
    }

    void A_Failed_Export_Leaves_The_Old_File() {
        TestEnv env;
        env.Write_File("Almanor/calendar.dat", Fifty_Megabytes_Of_Events().left(4096));
        const QString target = env.Write_File("out/copy.dat", Events);
        {
            FileSizeLimit disk(1024);
            QCOMPARE(Export_Data_File(env.Data_File(), target), DataExport::Failed);
            QCOMPARE(Export_Data_File(env.Data_File(), env.Root() + "/out/new.dat"),
                     DataExport::Failed);
        }
        QCOMPARE(TestEnv::Read_File(target), Events);
        QCOMPARE(Files_In(env.Root() + "/out"), QStringList{"copy.dat"});
    }

    void Own_Data_File_Is_Known_By_What_It_Is() {
        TestEnv env;
        const QString data = env.Data_File();
        const QString chosen = env.Write_File("other.dat", Events);
        // No calendar.dat yet: nothing can be the program's own file.
        QCOMPARE(Check_Data_Import(chosen, data), DataImportChoice::Ok);
        QCOMPARE(Check_Data_Import(env.Root() + "/none.dat", data), DataImportChoice::Missing);
        QCOMPARE(Check_Data_Import(env.Root(), data), DataImportChoice::Missing);

        env.Write_File("Almanor/calendar.dat", Events);
        QCOMPARE(Check_Data_Import(data, data), DataImportChoice::Own_Data_File);
        QCOMPARE(Check_Data_Import(env.Root() + "/Almanor/../Almanor/./calendar.dat", data),
                 DataImportChoice::Own_Data_File);
        QVERIFY(QFile::link(data, env.Root() + "/link.dat"));
        QCOMPARE(Check_Data_Import(env.Root() + "/link.dat", data),
                 DataImportChoice::Own_Data_File);
        QCOMPARE(::link(QFile::encodeName(data).constData(),
                        QFile::encodeName(env.Root() + "/hard.dat").constData()),
                 0);
        QCOMPARE(Check_Data_Import(env.Root() + "/hard.dat", data),
                 DataImportChoice::Own_Data_File);
        // A folder that keeps case holds two files here; the other one may be imported.
        const QString other_case = env.Write_File("Almanor/Calendar.DAT", "\"1/1/2026=New\"\r\n");
        QCOMPARE(Check_Data_Import(other_case, data), DataImportChoice::Ok);
        QCOMPARE(Import_Data_File(other_case, data).ok, true);
        QCOMPARE(TestEnv::Read_File(data), QByteArray("\"1/1/2026=New\"\r\n"));
    }

    void Import_Replaces_The_Data_File_Whole() {
        TestEnv env;
        // No calendar.dat yet: the copy makes it.
        const QString chosen = env.Write_File("in/events.dat", Events);
        QVERIFY(Import_Data_File(chosen, env.Data_File()).ok);
        QCOMPARE(TestEnv::Read_File(env.Data_File()), Events);

        // A bigger file is replaced by a smaller one: nothing of the old one is left behind.
        env.Write_File("Almanor/calendar.dat", Events + Events + Events);
        QVERIFY(Import_Data_File(chosen, env.Data_File()).ok);
        QCOMPARE(TestEnv::Read_File(env.Data_File()), Events);

        // An empty file is a calendar without events.
        const QString empty = env.Write_File("in/empty.dat", {});
        QVERIFY(Import_Data_File(empty, env.Data_File()).ok);
        QVERIFY(QFileInfo(env.Data_File()).isFile());
        QCOMPARE(TestEnv::Read_File(env.Data_File()), QByteArray());

        const QByteArray big = Fifty_Megabytes_Of_Events();
        const QString large = env.Write_File("in/large.dat", big);
        QVERIFY(Import_Data_File(large, env.Data_File()).ok);
        QVERIFY(TestEnv::Read_File(env.Data_File()) == big);
        QCOMPARE(Files_In(env.Program_Dir()), QStringList{"calendar.dat"});
    }

    void Bad_Files_Leave_The_Data_File_As_It_Was_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("detail");
        QByteArray binary(2048, 'a');
        for (int i = 0; i < binary.size(); ++i)
            binary[i] = char((i * 37) % 256);
        QTest::newRow("binary") << binary << "not a text file";
        QTest::newRow("cut inside a record")
            << QByteArray("\"5/3/2004=Dentist\"\r\n\"6/3/2004=Den") << "Line 2: ";
        QTest::newRow("cut in a record of two lines")
            << QByteArray("\"5/3/2004=one\"\r\n\"6/3/2004=two\r\nthree") << "Line 2: ";
        QTest::newRow("a record without =")
            << QByteArray("\"5/3/2004=Dentist\"\r\nhello\r\n") << "Line 2: \"hello\"";
        QByteArray huge = Fifty_Megabytes_Of_Events();
        huge += "\"7/3/2004=cut";
        QTest::newRow("50 MB, cut at the end") << huge << "the file ends inside";
    }
    void Bad_Files_Leave_The_Data_File_As_It_Was() {
        QFETCH(QByteArray, file);
        QFETCH(QString, detail);
        TestEnv env;
        env.Write_File("Almanor/calendar.dat", Events);
        const QString chosen = env.Write_File("in/chosen.dat", file);
        const DataImportOutcome outcome = Import_Data_File(chosen, env.Data_File());
        QVERIFY(!outcome.ok);
        QVERIFY2(outcome.detail.contains(detail), qPrintable(outcome.detail));
        QCOMPARE(TestEnv::Read_File(env.Data_File()), Events);
        QCOMPARE(Files_In(env.Program_Dir()), QStringList{"calendar.dat"});
    }

    void A_Failed_Copy_Leaves_The_Old_Data_File() {
        TestEnv env;
        env.Write_File("Almanor/calendar.dat", Events);
        const QString chosen =
            env.Write_File("in/chosen.dat", Fifty_Megabytes_Of_Events().left(8192));
        DataImportOutcome outcome;
        {
            FileSizeLimit disk(4096);
            outcome = Import_Data_File(chosen, env.Data_File());
        }
        QVERIFY(!outcome.ok);
        QCOMPARE(TestEnv::Read_File(env.Data_File()), Events);
        QCOMPARE(Files_In(env.Program_Dir()), QStringList{"calendar.dat"});
        QVERIFY(!Import_Data_File(env.Root() + "/missing.dat", env.Data_File()).ok);
        QCOMPARE(TestEnv::Read_File(env.Data_File()), Events);
    }

    void Replace_Question_Shows_Both_Files_And_Times() {
        TestEnv env;
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        env.Write_File("Almanor/calendar.dat", Events);
        const QString chosen = env.Write_File("in/backup.dat", Events);
        Set_Modified(env.Data_File(), QDateTime(QDate(2026, 3, 5), QTime(9, 7, 5)));
        Set_Modified(chosen, QDateTime(QDate(2025, 12, 24), QTime(18, 30, 0)));
        QCOMPARE(Replace_Data_Question(env.Data_File(), chosen, "backup.dat", us),
                 "You already have a working data file. Importing another one will completely "
                 "overwrite the old one and you will lose all data. Are you absolutely sure you "
                 "want to do this?\r\n\r\nReplace current file 'calendar.dat' modified on "
                 "3/5/2026 9:07:05 AM\r\n\r\nwith new file 'backup.dat' modified on "
                 "12/24/2025 6:30:00 PM");
        // Day first where the locale writes it so.
        const QLocale uk(QLocale::English, QLocale::UnitedKingdom);
        QVERIFY(Format_File_Time(QDateTime(QDate(2026, 3, 5), QTime(9, 7, 5)), uk)
                    .startsWith("05/03/2026 09:07:05"));
    }
};

ALMANOR_TEST(DataFileExchangeTest)
#include "test_data_file_exchange.moc"
