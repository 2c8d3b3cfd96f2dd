#include "settings/gui/General_Page.h"

#include "calendar/Clock.h"
#include "calendar/General_Mod.h"
#include "calendar/MsgBox.h"
#include "calendar/SettingsStore.h"
#include "calendar/gui/Main_Frm.h"
#include "events/Reminders.h"
#include "settings/RunEntry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimeEdit>

namespace {
// Shows text in a list that offers fixed items; a stored text that isn't one of them (typed by
// hand into the settings file) is added, so that Apply writes it back unchanged.
void Select_Text(QComboBox* list, const QString& text) {
    int index = list->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (index < 0) {
        list->addItem(text);
        index = list->count() - 1;
    }
    list->setCurrentIndex(index);
}

qint16 Ticked(const QCheckBox* box) {
    return box->isChecked() ? 1 : 0;
}
} // namespace

General_Page::General_Page(Settings_Frm* frame, Main_Frm* calendar)
    : SettingsPage(frame, calendar) {
    Create_Title_Bar();
    Create_General();
    Create_Reminders();
}

void General_Page::Create_Title_Bar() {
    auto* bar = new QGroupBox(QStringLiteral("Title Bar"), this);
    bar->setObjectName(QStringLiteral("Frame11"));
    bar->setGeometry(Place(0, 0, 343, 84));
    Bar_Time_Chk = new QCheckBox(QStringLiteral("Time:"), bar);
    Bar_Time_Chk->setObjectName(QStringLiteral("Bar_Time_Chk"));
    Bar_Time_Chk->setGeometry(Place(8, 18, 56, 18));
    Bar_Time_Cbo = new QComboBox(bar);
    Bar_Time_Cbo->setObjectName(QStringLiteral("Bar_Time_Cbo"));
    Bar_Time_Cbo->addItems(Bar_Time_Formats());
    Bar_Time_Cbo->setGeometry(Place(66, 17, 120, 20));
    Label2 = new QLabel(QStringLiteral("Date:"), bar);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(Place(26, 41, 38, 16));
    Bar_Date_Cbo = new QComboBox(bar);
    Bar_Date_Cbo->setObjectName(QStringLiteral("Bar_Date_Cbo"));
    Bar_Date_Cbo->addItems(Bar_Date_Formats());
    Bar_Date_Cbo->setGeometry(Place(66, 39, 180, 20));
    Bar_Preview_Lbl = new QLabel(QStringLiteral("13:56:21 - 11th May - 2002"), bar);
    Bar_Preview_Lbl->setObjectName(QStringLiteral("Bar_Preview_Lbl"));
    Bar_Preview_Lbl->setFrameShape(QFrame::StyledPanel);
    Bar_Preview_Lbl->setAlignment(Qt::AlignCenter);
    Bar_Preview_Lbl->setTextFormat(Qt::PlainText);
    Bar_Preview_Lbl->setGeometry(Place(8, 62, 327, 18));

    connect(Bar_Time_Chk, &QCheckBox::clicked, this, [this] { Bar_Preview(); });
    connect(Bar_Time_Cbo, &QComboBox::activated, this, [this] { Bar_Preview(); });
    connect(Bar_Date_Cbo, &QComboBox::activated, this, [this] { Bar_Preview(); });
}

void General_Page::Create_General() {
    auto* general = new QGroupBox(QStringLiteral("General Settings"), this);
    general->setObjectName(QStringLiteral("Frame5"));
    general->setGeometry(Place(0, 88, 343, 167));
    auto check = [this, general](const char* name, const char* caption, int top, int width) {
        auto* box = new QCheckBox(QString::fromUtf8(caption), general);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(Place(8, top, width, 18));
        return box;
    };
    Allow_Dragging_Chk =
        check("Allow_Dragging_Chk", "Allow dragging when Manual Position is not selected", 18, 327);
    Alert_Chk = check("Alert_Chk", "Alert me when a date Comes up", 38, 327);
    Carriage_Return_Chk = check("Carriage_Return_Chk",
                                "Don't close the event window with a Carriage Return.", 58, 327);
    Auto_Compact_Chk = check("Auto_Compact_Chk", "Switch into Compact Mode after", 80, 186);
    Trans_Icons_Chk = check("Trans_Icons_Chk", "Make Icon Backs Transparent", 102, 327);
    Startup_Chk = check("Startup_Chk", "Run at Startup", 122, 327);
    Splash_Chk = check("Splash_Chk", "Splash Screen", 142, 327);

    // The delay list takes typed values too; Apply refuses what isn't a whole number 1..60.
    Timeout_Value_Cbo = new QComboBox(general);
    Timeout_Value_Cbo->setObjectName(QStringLiteral("Timeout_Value_Cbo"));
    Timeout_Value_Cbo->setEditable(true);
    Timeout_Value_Cbo->setInsertPolicy(QComboBox::NoInsert);
    Timeout_Value_Cbo->setGeometry(Place(196, 79, 52, 20));
    Timeout_Format_Cbo = new QComboBox(general);
    Timeout_Format_Cbo->setObjectName(QStringLiteral("Timeout_Format_Cbo"));
    Timeout_Format_Cbo->setGeometry(Place(252, 79, 83, 20));

    connect(Auto_Compact_Chk, &QCheckBox::clicked, this, [this] { Auto_Compact_Chk_Click(); });
    connect(Trans_Icons_Chk, &QCheckBox::clicked, this, [this] { Trans_Icons_Chk_MouseUp(); });
}

void General_Page::Create_Reminders() {
    auto* frame = new QGroupBox(QStringLiteral("Reminders"), this);
    frame->setObjectName(QStringLiteral("Reminders_Fra"));
    frame->setGeometry(Place(0, 259, 343, 64));
    auto* before = new QLabel(QStringLiteral("Remind me"), frame);
    before->setGeometry(Place(8, 19, 62, 18));
    Remind_Days_Spn = new QSpinBox(frame);
    Remind_Days_Spn->setObjectName(QStringLiteral("Remind_Days_Spn"));
    Remind_Days_Spn->setRange(0, Max_Remind_Days);
    Remind_Days_Spn->setGeometry(Place(72, 17, 48, 22));
    auto* after = new QLabel(QStringLiteral("days ahead, at"), frame);
    after->setGeometry(Place(126, 19, 86, 18));
    Remind_Time_Edt = new QTimeEdit(frame);
    Remind_Time_Edt->setObjectName(QStringLiteral("Remind_Time_Edt"));
    Remind_Time_Edt->setDisplayFormat(QStringLiteral("HH:mm"));
    Remind_Time_Edt->setGeometry(Place(214, 17, 64, 22));
    Notifications_Chk = new QCheckBox(QStringLiteral("Show as desktop notifications"), frame);
    Notifications_Chk->setObjectName(QStringLiteral("Notifications_Chk"));
    Notifications_Chk->setGeometry(Place(8, 42, 327, 18));
}

void General_Page::Fill_Timeout_Lists() {
    Timeout_Value_Cbo->clear();
    Timeout_Value_Cbo->addItems(Timeout_Values());
    Timeout_Value_Cbo->setEditText(QStringLiteral("30"));
    Timeout_Format_Cbo->clear();
    Timeout_Format_Cbo->addItems(Timeout_Formats());
    Timeout_Format_Cbo->setCurrentIndex(0);
}

void General_Page::Form_Load() {
    Fill_Timeout_Lists();
    const Main_Frm* calendar = Calendar();
    if (!calendar)
        return;
    const AppSettings& settings = calendar->Settings;
    Carriage_Return_Chk->setChecked(settings.Carriage_Return != 0);
    Timeout_Value_Cbo->setEditText(QString::number(settings.Timeout_Value));
    Timeout_Format_Cbo->setCurrentIndex(settings.Timeout_Format == 1 ? 1 : 0);
    Trans_Icons_Chk->setChecked(settings.Trans_Icons != 0);
    Splash_Chk->setChecked(settings.Show_Splash != 0);
    Alert_Chk->setChecked(settings.Show_Alerts != 0);
    Auto_Compact_Chk->setChecked(settings.Auto_Compact != 0);
    Allow_Dragging_Chk->setChecked(settings.Allow_Dragging != 0);
    Select_Text(Bar_Time_Cbo, settings.Bar_Time_Format);
    Select_Text(Bar_Date_Cbo, settings.Bar_Date_Format);
    Bar_Time_Chk->setChecked(settings.Bar_Time);
    Remind_Days_Spn->setValue(settings.Remind_Days);
    Remind_Time_Edt->setTime(Remind_Time_Of(settings.Remind_Time));
    Notifications_Chk->setChecked(settings.Use_Notifications != 0);
    Get_Startup_Value();
    Auto_Compact_Chk_Click();
    Bar_Preview();
}

void General_Page::Get_Startup_Value() {
    Startup_Chk->setChecked(::Get_Startup_Value());
}

void General_Page::Bar_Preview() {
    const Main_Frm* calendar = Calendar();
    if (!calendar)
        return;
    Bar_Preview_Lbl->setText(Title_Text(calendar->Settings, calendar->ViewMonth, calendar->ViewYear,
                                        Bar_Time_Chk->isChecked(), Bar_Time_Cbo->currentText(),
                                        Bar_Date_Cbo->currentText(), Current_Clock().Now()));
}

void General_Page::Auto_Compact_Chk_Click() {
    const bool on = Auto_Compact_Chk->isChecked();
    Timeout_Value_Cbo->setEnabled(on);
    Timeout_Format_Cbo->setEnabled(on);
}

void General_Page::Trans_Icons_Chk_MouseUp() {
    if (!Trans_Icons_Chk->isChecked()) {
        Msg_Box(QStringLiteral("Changes may not take effect till you restart your computer."),
                MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    const MsgAnswer answer = Msg_Box(
        QStringLiteral("Warning, this may not work on some machines and if it does it may "
                       "conflict with the 'Use System Colours' option. Do you still want to "
                       "proceed?"),
        MsgButtons::YesNoCancel, MsgIcon::Question);
    if (answer != MsgAnswer::Yes)
        Trans_Icons_Chk->setChecked(false);
}

GeneralChoices General_Page::Choices() const {
    GeneralChoices choices;
    choices.timeout_value = Timeout_Value_Cbo->currentText();
    choices.carriage_return = Ticked(Carriage_Return_Chk);
    choices.timeout_format = qint16(std::max(0, Timeout_Format_Cbo->currentIndex()));
    choices.trans_icons = Ticked(Trans_Icons_Chk);
    choices.show_splash = Ticked(Splash_Chk);
    choices.show_alerts = Ticked(Alert_Chk);
    choices.allow_dragging = Ticked(Allow_Dragging_Chk);
    choices.auto_compact = Ticked(Auto_Compact_Chk);
    choices.remind_days = qint16(Remind_Days_Spn->value());
    // A stored time the editor shows unchanged is no change, whatever its form ("9:00").
    const Main_Frm* calendar = Calendar();
    const QTime shown = Remind_Time_Edt->time();
    choices.remind_time = calendar && Remind_Time_Of(calendar->Settings.Remind_Time) == shown
                              ? calendar->Settings.Remind_Time
                              : shown.toString(QStringLiteral("HH:mm"));
    choices.use_notifications = Ticked(Notifications_Chk);
    return choices;
}

void General_Page::Save_General_Settings() {
    Main_Frm* calendar = Calendar();
    if (!calendar)
        return;
    SettingsStore store;
    const GeneralSaveResult result = Save_General_Choices(store, calendar->Settings, Choices());
    if (result.refused_timeout) {
        Timeout_Value_Cbo->setEditText(QString::number(calendar->Settings.Timeout_Value));
        Msg_Box(Refused_Timeout_Message(*result.refused_timeout, calendar->Settings.Timeout_Value),
                MsgButtons::Ok, MsgIcon::Exclamation);
    }
    if (result.auto_compact_changed)
        calendar->Update_Timeout();
}

void General_Page::Save_Run_Entry() {
    ::Save_Run_Entry(Startup_Chk->isChecked(), Run_Entry_Program());
}

void General_Page::Save_Title_Bar() {
    Main_Frm* calendar = Calendar();
    if (!calendar)
        return;
    SettingsStore store;
    Save_Title_Bar_Choices(store, calendar->Settings, Bar_Time_Chk->isChecked(),
                           Bar_Time_Cbo->currentText(), Bar_Date_Cbo->currentText());
}
