#pragma once

#include "events/Overview.h"
#include "settings/gui/SettingsPage.h"

#include <array>

class OpenSaveDialog;
class QGroupBox;
class QPushButton;

// The "Import\Export" tab: events and configuration to and from files. Each button asks for a
// file, calls the reader or writer of the core library and tells the outcome; the formats' own
// procedures live in one file each (Exchange_Page_*.cpp).
class Exchange_Page : public SettingsPage {
    Q_OBJECT
  public:
    Exchange_Page(Settings_Frm* frame, Main_Frm* calendar);

    // By index: "Data File", "Configuration", "from CSV File", "from iCalendar File".
    std::array<QPushButton*, 4> Import_Btn{};
    // By index: "Data File", "Configuration", "to Text File", "to CSV File", "to iCalendar File".
    std::array<QPushButton*, 5> Export_Btn{};
    QGroupBox* Import_Fra = nullptr;
    QGroupBox* Export_Fra = nullptr;
    OpenSaveDialog* Dialog1 = nullptr;

    void Export_Btn_Click(int index);
    void Import_Btn_Click(int index);

    // True when the lower-cased last four characters of Dialog1's FileName differ from
    // extension (such as ".csv").
    bool Needs_Extension(const QString& extension) const;
    // The shared choice of an export file: the save dialog with title and filter, the extension
    // added when missing, and "Overwrite existing file?" (No shows the dialog again). Empty when
    // the user cancelled.
    QString Choose_Export_File(const QString& title, const QString& filter,
                               const QString& extension);
    // The open dialog with title and filter until the user picks an existing file ("File
    // doesn't exist!" shows it again). Empty when the user cancelled.
    QString Choose_Import_File(const QString& title, const QString& filter);
    // calendar.dat of the program.
    static QString Data_File_Path();
    // After an import: the calendar window rebuilds the month on show from calendar.dat, and the
    // overview lists what the file now holds.
    void Renew_Calendar();

    // The events the CSV and text exports write: the overview's entries, read again. False when
    // calendar.dat couldn't be read whole (the user has been told).
    bool Events_To_Export(QList<OverviewEntry>* entries);

    void Import_CSV();
    void Export_CSV();
    void Export_Text();
    void Import_Config();
    void Export_Config();
    void Import_Data();
    void Export_Data();
    void Import_ICal();
    void Export_ICal();
};
