#include "exchange/gui/Exchange_Page.h"

#include "calendar/AppPath.h"
#include "calendar/General_Mod.h"
#include "calendar/MsgBox.h"
#include "calendar/TwipScale.h"
#include "calendar/gui/Main_Frm.h"
#include "events/gui/Events_Page.h"
#include "filedialog/gui/OpenSaveDialog.h"
#include "settings/gui/Settings_Frm.h"

#include <QGroupBox>
#include <QPushButton>

namespace {

// Geometry in twips, inside the page.
constexpr qint32 Frame_Top = 60;
constexpr qint32 Frame_Width = 2490;
constexpr qint32 Frame_Height = 2760;
constexpr qint32 Export_Left = 2655;
constexpr qint32 Button_Left = 240;
constexpr qint32 Button_Top = 360;
constexpr qint32 Button_Step = 450;
constexpr qint32 Button_Width = 2010;
constexpr qint32 Button_Height = 345;

} // namespace

Exchange_Page::Exchange_Page(Settings_Frm* frame, Main_Frm* calendar)
    : SettingsPage(frame, calendar) {
    const TwipScale scale = TwipScale::For_Screen(screen());
    auto group = [&](const char* name, const char* caption, qint32 left) {
        auto* box = new QGroupBox(QString::fromUtf8(caption), this);
        box->setObjectName(QString::fromUtf8(name));
        box->setGeometry(scale.Pixels(TwipRect{left, Frame_Top, Frame_Width, Frame_Height}));
        return box;
    };
    Import_Fra = group("Import_Fra", "Import", 0);
    Export_Fra = group("Export_Fra", "Export", Export_Left);
    auto button = [&](QGroupBox* box, const QString& name, const char* caption, int row) {
        auto* b = new QPushButton(QString::fromUtf8(caption), box);
        b->setObjectName(name);
        b->setGeometry(scale.Pixels(
            TwipRect{Button_Left, Button_Top + row * Button_Step, Button_Width, Button_Height}));
        return b;
    };
    const char* const import_captions[] = {"Data File", "Configuration", "from CSV File",
                                           "from iCalendar File"};
    const char* const export_captions[] = {"Data File", "Configuration", "to Text File",
                                           "to CSV File", "to iCalendar File"};
    for (int i = 0; i < int(Import_Btn.size()); ++i) {
        Import_Btn[i] =
            button(Import_Fra, QStringLiteral("Import_Btn_%1").arg(i), import_captions[i], i);
        connect(Import_Btn[i], &QPushButton::clicked, this, [this, i] { Import_Btn_Click(i); });
    }
    for (int i = 0; i < int(Export_Btn.size()); ++i) {
        Export_Btn[i] =
            button(Export_Fra, QStringLiteral("Export_Btn_%1").arg(i), export_captions[i], i);
        connect(Export_Btn[i], &QPushButton::clicked, this, [this, i] { Export_Btn_Click(i); });
    }
    Dialog1 = new OpenSaveDialog(this);
    Dialog1->setObjectName(QStringLiteral("Dialog1"));
}

void Exchange_Page::Export_Btn_Click(int index) {
    switch (index) {
    case 0:
        Export_Data();
        break;
    case 1:
        Export_Config();
        break;
    case 2:
        Export_Text();
        break;
    case 3:
        Export_CSV();
        break;
    case 4:
        Export_ICal();
        break;
    default:
        break;
    }
}

void Exchange_Page::Import_Btn_Click(int index) {
    switch (index) {
    case 0:
        Import_Data();
        break;
    case 1:
        Import_Config();
        break;
    case 2:
        Import_CSV();
        break;
    case 3:
        Import_ICal();
        break;
    default:
        break;
    }
}

bool Exchange_Page::Needs_Extension(const QString& extension) const {
    return Dialog1->FileName().right(4).toLower() != extension;
}

QString Exchange_Page::Choose_Export_File(const QString& title, const QString& filter,
                                          const QString& extension) {
    for (;;) {
        Dialog1->Set_FileName(QString());
        Dialog1->Set_DialogTitle(title);
        Dialog1->Set_Filter(filter);
        Dialog1->ShowSave();
        if (Dialog1->FileName().isEmpty())
            return QString();
        if (Needs_Extension(extension))
            Dialog1->Set_FileName(Dialog1->FileName() + extension);
        const QString path = Dialog1->FileName();
        if (File_Exists(path) && Msg_Box(QStringLiteral("Overwrite existing file?"),
                                         MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::No)
            continue;
        return path;
    }
}

QString Exchange_Page::Data_File_Path() {
    return App_Path() + QStringLiteral("/calendar.dat");
}

void Exchange_Page::Renew_Calendar() {
    Events_Page* overview = Frame()->Events();
    overview->LoadOverviewLists();
    overview->Sort_List();
    Main_Frm* calendar = Calendar();
    if (!calendar)
        return;
    calendar->Set_Day_Headers();
    calendar->Setup_Boxes(calendar->ViewMonth, calendar->ViewYear);
    calendar->Load_Dates();
    calendar->Set_Colours();
    calendar->Mark_Today();
    // Every caller has just imported into calendar.dat.
    calendar->Notes_Changed();
}
