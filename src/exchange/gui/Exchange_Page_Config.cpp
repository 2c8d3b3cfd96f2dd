// The configuration and data-file buttons of the "Import\Export" tab.
#include "exchange/gui/Exchange_Page.h"

#include "calendar/AppPath.h"
#include "calendar/MsgBox.h"
#include "calendar/SettingsStore.h"
#include "calendar/gui/Main_Frm.h"
#include "exchange/ConfigExchange.h"
#include "exchange/DataFileExchange.h"
#include "filedialog/gui/OpenSaveDialog.h"
#include "packs/OwnWallpaper.h"
#include "packs/gui/Packs_Page.h"
#include "settings/ColourChoice.h"
#include "settings/GeneralOptions.h"
#include "settings/gui/Colours_Page.h"
#include "settings/gui/General_Page.h"
#include "settings/gui/Settings_Frm.h"
#include "settings/gui/StylePosition_Page.h"
#include "settings/gui/Tooltips_Page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRadioButton>

namespace {

const QString Config_Filter = QStringLiteral("Configuration File (*.ini)|*.ini");
const QString Data_Filter = QStringLiteral("Data File (calendar.dat)|*.dat");
const QString Crlf = QStringLiteral("\r\n");

void Tell(const QString& text, MsgIcon icon) {
    Msg_Box(text, MsgButtons::Ok, icon, QStringLiteral("Almanor"));
}

// The hourglass while a file is read and applied.
class Hourglass {
  public:
    Hourglass() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Hourglass() { QGuiApplication::restoreOverrideCursor(); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};

qint16 Ticked(const QCheckBox* box, qint16 otherwise) {
    return box ? qint16(box->isChecked() ? 1 : 0) : otherwise;
}

// The style and position tab: box style, position and the two pack check boxes.
void Shown_Style_Position(const StylePosition_Page* page, AppSettings& shown) {
    if (!page)
        return;
    if (page->Style1_Opt && page->Style1_Opt->isChecked())
        shown.Style = 1;
    else if (page->Style2_Opt && page->Style2_Opt->isChecked())
        shown.Style = 0;
    else if (page->Style3_Opt && page->Style3_Opt->isChecked())
        shown.Style = 2;
    if (page->Pos_Manual_Opt && page->Pos_Manual_Opt->isChecked())
        shown.Alignment = 7;
    else if (page->Pos_Set_Opt && page->Pos_Set_Opt->isChecked())
        shown.Alignment = page->Get_Set_Position();
    shown.Use_Theme_Pos = Ticked(page->Theme_Pos_Chk, shown.Use_Theme_Pos);
    shown.Use_Theme_Style = Ticked(page->Theme_Style_Chk, shown.Use_Theme_Style);
}

// The wallpaper tab: packs on or off, the pack, and the display mode.
void Shown_Packs(const Packs_Page* page, AppSettings& shown) {
    if (!page)
        return;
    shown.Use_Themes = Ticked(page->Theme_Use_Chk, shown.Use_Themes);
    if (page->Packs_Cbo && !page->Packs_Cbo->currentText().isEmpty())
        shown.Pack_Name = page->Packs_Cbo->currentText();
    if (page->Other_Display_Chk)
        shown.Use_Other_Display_Mode = page->Other_Display_Chk->isChecked();
    if (page->Display_Cbo && page->Display_Cbo->currentIndex() >= 0)
        shown.Other_Display_Mode = qint16(page->Display_Cbo->currentIndex());
}

// The colours tab: the seven swatches and where the menu takes its colours from.
void Shown_Colours(const Colours_Page* page, AppSettings& shown) {
    if (!page)
        return;
    const ColourSet colours = page->Pending_Colours();
    auto colour = [&colours](ColourEntry entry) { return colours[std::size_t(entry)]; };
    shown.Today = colour(ColourEntry::Today);
    shown.Normal = colour(ColourEntry::Normal);
    shown.Num = colour(ColourEntry::Num);
    shown.Text = colour(ColourEntry::Text);
    shown.Back = colour(ColourEntry::Back);
    shown.Fore = colour(ColourEntry::Fore);
    shown.Inactive = colour(ColourEntry::Inactive);
    if (page->Col_Sys_Opt && page->Col_Sys_Opt->isChecked())
        shown.Menu_Colour_Source = 0;
    else if (page->Col_Other_Opt && page->Col_Other_Opt->isChecked())
        shown.Menu_Colour_Source = 1;
}

// The settings tab (title bar and general options) and the tooltips tab.
void Shown_General(const General_Page* page, const Tooltips_Page* tips, AppSettings& shown) {
    if (page) {
        const GeneralChoices choices = page->Choices();
        // A delay typed that isn't one keeps the applied one: the file must read back.
        if (const std::optional<qint16> delay = Parse_Timeout_Value(choices.timeout_value))
            shown.Timeout_Value = *delay;
        shown.Carriage_Return = choices.carriage_return;
        shown.Timeout_Format = choices.timeout_format;
        shown.Trans_Icons = choices.trans_icons;
        shown.Show_Splash = choices.show_splash;
        shown.Show_Alerts = choices.show_alerts;
        shown.Allow_Dragging = choices.allow_dragging;
        shown.Auto_Compact = choices.auto_compact;
        if (page->Bar_Time_Chk)
            shown.Bar_Time = page->Bar_Time_Chk->isChecked();
        if (page->Bar_Time_Cbo)
            shown.Bar_Time_Format = page->Bar_Time_Cbo->currentText();
        if (page->Bar_Date_Cbo)
            shown.Bar_Date_Format = page->Bar_Date_Cbo->currentText();
    }
    if (tips && tips->Selected_Tip() >= 0)
        shown.Tooltips = qint16(tips->Selected_Tip());
}

// What the settings window shows at this moment, applied or not. The manual position and the
// first day of the week have no control there and come from the settings record.
AppSettings Shown_Settings(const Exchange_Page& page) {
    const Main_Frm* calendar = page.Calendar();
    AppSettings shown = calendar ? calendar->Settings : AppSettings();
    if (const Settings_Frm* frame = page.Frame()) {
        Shown_Style_Position(frame->Style_Position(), shown);
        Shown_Packs(frame->Packs(), shown);
        Shown_Colours(frame->Colours(), shown);
        Shown_General(frame->General(), frame->Tooltips(), shown);
    }
    return shown;
}

// The calendar after an imported configuration: wallpaper, style, headers, boxes at the
// (possibly new) position, events, colours and today's mark.
void Renew_After_Config(Main_Frm& calendar) {
    calendar.Get_Wallpaper_Stuff(calendar.Settings.Pack_Name);
    calendar.Which_Style(calendar.Settings.Effective_Style());
    calendar.Set_Day_Headers();
    calendar.Setup_Boxes(calendar.ViewMonth, calendar.ViewYear);
    calendar.Load_Dates();
    calendar.Set_Colours();
    calendar.Mark_Today();
}

} // namespace

QString Exchange_Page::Choose_Import_File(const QString& title, const QString& filter) {
    for (;;) {
        Dialog1->Set_FileName(QString());
        Dialog1->Set_DialogTitle(title);
        Dialog1->Set_Filter(filter);
        Dialog1->ShowOpen();
        const QString path = Dialog1->FileName();
        if (path.isEmpty() || QFileInfo(path).isFile())
            return path;
        Tell(Missing_File_Message, MsgIcon::Exclamation);
    }
}

void Exchange_Page::Export_Config() {
    const QString path = Choose_Export_File(QStringLiteral("Export Configuration File"),
                                            Config_Filter, QStringLiteral(".ini"));
    if (path.isEmpty())
        return;
    if (!Export_Config_File(path, Shown_Settings(*this)).ok) {
        Tell(Config_Export_Error, MsgIcon::Exclamation);
        return;
    }
    Tell(Config_Exported_Message(path), MsgIcon::Information);
}

void Exchange_Page::Import_Config() {
    const QString path =
        Choose_Import_File(QStringLiteral("Import Configuration File"), Config_Filter);
    Main_Frm* calendar = Calendar();
    if (path.isEmpty() || !calendar)
        return;
    ConfigOutcome outcome;
    {
        Hourglass hourglass;
        SettingsStore store;
        const qint16 packs_before = calendar->Settings.Use_Themes;
        outcome = Import_Config_File(path, store, calendar->Settings);
        if (outcome.ok) {
            Packs_Switched(packs_before, calendar->Settings.Use_Themes, App_Path());
            Renew_After_Config(*calendar);
        }
    }
    if (!outcome.ok) {
        QString message = Config_Import_Error;
        if (!outcome.detail.isEmpty())
            message += Crlf + Crlf + outcome.detail;
        Tell(message, MsgIcon::Exclamation);
        return;
    }
    Tell(Config_Imported_Message, MsgIcon::Information);
    // Unloaded, the window shows the imported values when it is opened again.
    if (Settings_Frm* frame = Frame())
        frame->close();
}

void Exchange_Page::Export_Data() {
    const QString path =
        Choose_Export_File(QStringLiteral("Export Data File"), Data_Filter, QStringLiteral(".dat"));
    if (path.isEmpty())
        return;
    switch (Export_Data_File(Data_File_Path(), path)) {
    case DataExport::No_Data_File:
        Tell(No_Data_File_Message, MsgIcon::Exclamation);
        break;
    case DataExport::Failed:
        Tell(Data_Export_Error, MsgIcon::Exclamation);
        break;
    case DataExport::Exported:
        Tell(Data_Exported_Message(path), MsgIcon::Information);
        break;
    }
}

void Exchange_Page::Import_Data() {
    const QString data_path = Data_File_Path();
    QString chosen;
    for (;;) {
        chosen = Choose_Import_File(QStringLiteral("Import Data File"), Data_Filter);
        if (chosen.isEmpty())
            return;
        if (Check_Data_Import(chosen, data_path) != DataImportChoice::Own_Data_File)
            break;
        Tell(Own_Data_File_Message, MsgIcon::Exclamation);
    }
    if (QFileInfo(data_path).isFile()) {
        const QString title =
            Dialog1->FileTitle().isEmpty() ? QFileInfo(chosen).fileName() : Dialog1->FileTitle();
        const MsgAnswer answer =
            Msg_Box(Replace_Data_Question(data_path, chosen, title), MsgButtons::YesNoCancel,
                    MsgIcon::Exclamation, QStringLiteral("Almanor"));
        if (answer != MsgAnswer::Yes)
            return;
    }
    const DataImportOutcome outcome = Import_Data_File(chosen, data_path);
    if (!outcome.ok) {
        QString message = Data_Import_Error;
        if (!outcome.detail.isEmpty())
            message += Crlf + Crlf + outcome.detail;
        Tell(message, MsgIcon::Exclamation);
        return;
    }
    Renew_Calendar();
    Tell(Data_Imported_Message(chosen), MsgIcon::Information);
}
