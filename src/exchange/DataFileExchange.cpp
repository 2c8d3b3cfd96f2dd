#include "exchange/DataFileExchange.h"

#include "calendar/General_Mod.h"
#include "events/EventFileLock.h"
#include "events/EventStore.h"
#include "exchange/ExchangeFields.h"
#include "exchange/ExchangeFile.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace {

// Far beyond any calendar of events; a bigger file is not one, and reading it whole would only
// exhaust the memory.
constexpr qint64 Max_Data_Bytes = 1024LL * 1024 * 1024;

const QString Crlf = QStringLiteral("\r\n");

std::filesystem::path Native_Path(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// The locale's long time form without the time zone: the date already says which day.
QString Time_Format(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        result += c;
    }
    return result.trimmed();
}

} // namespace

bool Read_Whole_File(const QString& path, QByteArray* bytes, qint64 max_size) {
    bytes->clear();
    const QFileInfo info(path);
    // Only normal files: a device or a pipe could be read forever.
    if (!info.isFile() || info.size() > max_size)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.read(max_size + 1);
    return file.error() == QFileDevice::NoError && bytes->size() <= max_size;
}

bool Same_File(const QString& a, const QString& b) {
    std::error_code error;
    const bool same = std::filesystem::equivalent(Native_Path(a), Native_Path(b), error);
    return !error && same;
}

QString Data_File_Path(const QString& program_dir) {
    return program_dir + QStringLiteral("/calendar.dat");
}

QString Check_Data_File(const QByteArray& bytes) {
    if (Looks_Binary(bytes))
        return QStringLiteral("The file is not a text file.");
    QString problem;
    const QString text = Decode_Event_File(bytes);
    For_Each_Exchange_Field(QStringView(text), [&](const ExchangeField& field) {
        if (field.cut_off)
            problem = QStringLiteral("Line %1: the file ends inside the event \"%2\".");
        else if (!field.text.contains(QLatin1Char('=')))
            problem = QStringLiteral("Line %1: \"%2\" is not an event (it has no \"=\").");
        if (problem.isEmpty())
            return true;
        problem = problem.arg(field.line).arg(Shown_Item(field.text));
        return false;
    });
    return problem;
}

DataExport Export_Data_File(const QString& data_path, const QString& target) {
    if (!QFileInfo(data_path).isFile())
        return DataExport::No_Data_File;
    QByteArray bytes;
    if (!Read_Whole_File(data_path, &bytes, Max_Data_Bytes) || !Save_File_Atomically(target, bytes))
        return DataExport::Failed;
    return DataExport::Exported;
}

DataImportChoice Check_Data_Import(const QString& chosen, const QString& data_path) {
    if (!QFileInfo(chosen).isFile())
        return DataImportChoice::Missing;
    if (Same_File(chosen, data_path))
        return DataImportChoice::Own_Data_File;
    return DataImportChoice::Ok;
}

DataImportOutcome Import_Data_File(const QString& chosen, const QString& data_path) {
    QByteArray bytes;
    if (!Read_Whole_File(chosen, &bytes, Max_Data_Bytes))
        return {false, QStringLiteral("The file could not be read.")};
    const QString problem = Check_Data_File(bytes);
    if (!problem.isEmpty())
        return {false, problem};
    // The bytes checked are the bytes written: a file changed meanwhile can't slip through. The
    // note sync must not write its copy of the old file over them.
    const EventFileLock lock(data_path);
    if (!Save_File_Atomically(data_path, bytes))
        return {false, QStringLiteral("The data file could not be written.")};
    return {true, {}};
}

QString Format_File_Time(const QDateTime& time, const QLocale& locale) {
    return Format_Short_Date(time.date(), locale) + QLatin1Char(' ') +
           locale.toString(time.time(), Time_Format(locale));
}

QString Replace_Data_Question(const QString& data_path, const QString& chosen,
                              const QString& chosen_title, const QLocale& locale) {
    const QDateTime data_time = QFileInfo(data_path).lastModified();
    const QDateTime chosen_time = QFileInfo(chosen).lastModified();
    return QStringLiteral("You already have a working data file. Importing another one will "
                          "completely overwrite the old one and you will lose all data. Are you "
                          "absolutely sure you want to do this?") +
           Crlf + Crlf + QStringLiteral("Replace current file 'calendar.dat' modified on ") +
           Format_File_Time(data_time, locale) + Crlf + Crlf + QStringLiteral("with new file '") +
           chosen_title + QStringLiteral("' modified on ") + Format_File_Time(chosen_time, locale);
}

QString Data_Exported_Message(const QString& path) {
    return QStringLiteral("Successfully exported data file to...") + Crlf + Crlf + path;
}

QString Data_Imported_Message(const QString& path) {
    return QStringLiteral("Successfully imported data file from...") + Crlf + Crlf + path;
}
