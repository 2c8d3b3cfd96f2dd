#include "settings/gui/Tooltips_Page.h"

#include "calendar/Clock.h"
#include "calendar/General_Mod.h"
#include "calendar/SettingsStore.h"
#include "calendar/TwipScale.h"
#include "calendar/gui/ColourLabel.h"
#include "calendar/gui/Main_Frm.h"
#include "events/TimeOut.h"
#include "events/gui/frmBalloon.h"
#include "settings/GeneralOptions.h"
#include "settings/gui/Settings_Frm.h"

#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>

namespace {
constexpr qint32 Button_Text = -2147483630;
constexpr qint32 Balloon_Offset = 30; // twips right of and below the example
} // namespace

Tooltips_Page::Tooltips_Page(Settings_Frm* frame, Main_Frm* calendar)
    : SettingsPage(frame, calendar) {
    auto* options = new QGroupBox(QStringLiteral("Options"), this);
    options->setObjectName(QStringLiteral("Frame1"));
    options->setGeometry(Place(0, 0, 343, 78));
    const char* captions[] = {"Don't use Tooltips", "Use 'Standard' Tooltips",
                              "Use 'Balloon' Tooltips"};
    for (int i = 0; i < 3; ++i) {
        Tips_Opt[i] = new QRadioButton(QString::fromUtf8(captions[i]), options);
        Tips_Opt[i]->setObjectName(QStringLiteral("Tips_Opt_%1").arg(i));
        Tips_Opt[i]->setGeometry(Place(8, 18 + i * 19, 327, 18));
        connect(Tips_Opt[i], &QRadioButton::clicked, this, [this, i] { Tips_Opt_Click(i); });
    }

    auto* preview = new QGroupBox(QStringLiteral("Preview"), this);
    preview->setObjectName(QStringLiteral("Preview_Fra"));
    preview->setGeometry(Place(0, 82, 343, 66));
    preview_ = preview;
    TipsTrigger_Lbl = new QLabel(QStringLiteral("Hover Over..."), preview);
    TipsTrigger_Lbl->setObjectName(QStringLiteral("TipsTrigger_Lbl"));
    TipsTrigger_Lbl->setGeometry(Place(8, 32, 160, 16));
    TipBoxExample_Lbl = new ColourLabel(QStringLiteral("TipBoxExample_Lbl"), preview);
    TipBoxExample_Lbl->setText(QStringLiteral(" 1"));
    TipBoxExample_Lbl->Set_Opaque(true);
    TipBoxExample_Lbl->Set_Fore_Colour(Button_Text);
    TipBoxExample_Lbl->setGeometry(Place(176, 21, 150, 38));
    TipExample_Lbl = new ColourLabel(QStringLiteral("TipExample_Lbl"), preview);
    TipExample_Lbl->setText(Tips_Example_Text());
    TipExample_Lbl->Set_Fore_Colour(Button_Text);
    TipExample_Lbl->setGeometry(Place(180, 38, 142, 16));
    for (QWidget* label :
         {static_cast<QWidget*>(TipBoxExample_Lbl), static_cast<QWidget*>(TipExample_Lbl)})
        label->installEventFilter(this);

    auto* notes = new QGroupBox(QStringLiteral("Notes"), this);
    notes->setObjectName(QStringLiteral("Frame14"));
    notes->setGeometry(Place(0, 152, 343, 103));
    TipsNotes_Lbl = new QLabel(notes);
    TipsNotes_Lbl->setObjectName(QStringLiteral("TipsNotes_Lbl"));
    TipsNotes_Lbl->setWordWrap(true);
    TipsNotes_Lbl->setTextFormat(Qt::PlainText);
    TipsNotes_Lbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    TipsNotes_Lbl->setGeometry(Place(8, 18, 327, 80));
}

int Tooltips_Page::Selected_Tip() const {
    for (int i = 0; i < 3; ++i)
        if (Tips_Opt[i]->isChecked())
            return i;
    return -1;
}

void Tooltips_Page::Tips_Opt_Click(int index) {
    const auto kind = qint16(index);
    TipsTrigger_Lbl->setText(Tips_Trigger_Text(kind));
    TipExample_Lbl->setToolTip(Tips_Example_Tooltip(kind));
    TipBoxExample_Lbl->setToolTip(Tips_Example_Tooltip(kind));
    TipsNotes_Lbl->setText(Tips_Notes_Text(kind));
}

void Tooltips_Page::Load_Settings() {
    const Main_Frm* calendar = Calendar();
    if (!calendar)
        return;
    const int index = std::clamp(int(calendar->Settings.Tooltips), 0, 2);
    Tips_Opt[index]->setChecked(true);
    Tips_Opt_Click(index);
}

void Tooltips_Page::Save_Tooltips() {
    Main_Frm* calendar = Calendar();
    const int selected = Selected_Tip();
    if (!calendar || selected < 0)
        return;
    SettingsStore store;
    Save_Tooltips_Choice(store, calendar->Settings, qint16(selected));
}

bool Tooltips_Page::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TipExample_Lbl || watched == TipBoxExample_Lbl) {
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            Example_Press();
        else if (event->type() == QEvent::MouseButtonRelease && Calendar())
            Calendar()->Mouse_Released = true;
    }
    return SettingsPage::eventFilter(watched, event);
}

void Tooltips_Page::Example_Press() {
    if (!Tips_Opt[2]->isChecked() || !Calendar())
        return;
    Calendar()->Mouse_Released = false;
    // The wait runs every handler: the window or the calendar may be gone when it returns.
    const QPointer<Tooltips_Page> self(this);
    TimeOut(0.3f);
    if (self && Calendar() && !Calendar()->Mouse_Released && Tips_Opt[2]->isChecked())
        Example_Tooltip();
}

void Tooltips_Page::Example_Tooltip() {
    const TwipScale scale = TwipScale::For_Screen(screen());
    // Just below and to the right of the example caption, wherever the window manager put the
    // window.
    const QPoint corner =
        TipExample_Lbl->mapToGlobal(QPoint(TipExample_Lbl->width(), TipExample_Lbl->height()));
    const qint32 x = scale.X_Twips(corner.x()) + Balloon_Offset;
    const qint32 y = scale.Y_Twips(corner.y()) + Balloon_Offset;
    auto* balloon = new frmBalloon(nullptr);
    // Owned by the settings window: it goes with it, and its closing is no activation from
    // another window of the program.
    balloon->setParent(Frame(), balloon->windowFlags());
    balloon->SetBalloon(Format_Short_Date(Current_Clock().Today()), Tips_Example_Text(), x, y,
                        QStringLiteral("i"), false, 0, 1620, 4680,
                        QStringLiteral("Tahoma, if exists"), 8);
    balloon->move(scale.Pixels(QPoint(x, y)));
    balloon->show();
    balloon->raise();
    balloon->activateWindow();
}
