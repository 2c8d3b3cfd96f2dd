#include "packs/gui/Packs_Page.h"

#include "calendar/AppPath.h"
#include "calendar/Clock.h"
#include "calendar/SettingsStore.h"
#include "calendar/TwipScale.h"
#include "calendar/gui/Main_Frm.h"
#include "calendar/gui/TransparentForm.h"
#include "packs/PackFolder.h"
#include "packs/gui/DesktopPreview.h"
#include "settings/gui/Settings_Frm.h"
#include "settings/gui/StylePosition_Page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolTip>

Packs_Page::Packs_Page(Settings_Frm* frame, Main_Frm* calendar) : SettingsPage(frame, calendar) {
    const TwipScale scale = TwipScale::For_Screen(screen());
    auto place = [&](QWidget* widget, const char* name, const TwipRect& twips) {
        widget->setObjectName(QString::fromLatin1(name));
        widget->setGeometry(scale.Pixels(twips));
    };
    auto label = [&](const char* name, const char* text, const TwipRect& twips) {
        auto* l = new QLabel(QString::fromLatin1(text), this);
        place(l, name, twips);
        return l;
    };
    Theme_Use_Chk = new QCheckBox(QStringLiteral("Use Almanor Wallpaper Packs...."), this);
    place(Theme_Use_Chk, "Theme_Use_Chk", {0, 0, 5145, 285});
    Packs_Cbo = new QComboBox(this);
    place(Packs_Cbo, "Packs_Cbo", {0, 375, 2400, 330});
    Theme_Style_Lbl = label("Theme_Style_Lbl", "Box Style:", {0, 840, 2400, 240});
    Theme_Pos_Lbl = label("Theme_Pos_Lbl", "Position:", {0, 1110, 2400, 240});
    Theme_Display_Lbl = label("Theme_Display_Lbl", "Display:", {0, 1380, 2400, 240});
    Preview_Btn = new QPushButton(QStringLiteral("Preview"), this);
    place(Preview_Btn, "Preview_Btn", {0, 1800, 1140, 345});
    Other_Display_Chk = new QCheckBox(QStringLiteral("Use Other Display Mode...."), this);
    place(Other_Display_Chk, "Other_Display_Chk", {0, 2640, 2430, 285});
    Display_Cbo = new QComboBox(this);
    place(Display_Cbo, "Display_Cbo", {240, 2985, 1560, 330});
    Display_Cbo->addItems(
        {QStringLiteral("Center"), QStringLiteral("Tile"), QStringLiteral("Stretch")});

    Theme_Preview_Img = new QLabel(this);
    place(Theme_Preview_Img, "Theme_Preview_Img", {2520, 375, 2625, 1965});
    Theme_Preview_Img->setScaledContents(true);
    Theme_Preview_Img->setFrameShape(QFrame::Box);
    Loading_Lbl = label("Loading_Lbl", "Loading...", {2520, 1215, 2625, 285});
    Loading_Lbl->setAlignment(Qt::AlignCenter);
    Loading_Lbl->hide();
    Preview_Sli = new QSlider(Qt::Horizontal, this);
    place(Preview_Sli, "Preview_Sli", {2520, 2415, 2625, 450});
    Preview_Sli->setRange(1, 12);
    Preview_Sli->setPageStep(1);
    Preview_Sli->setTickPosition(QSlider::TicksBelow);
    Preview_Sli->setTickInterval(1);
    // A month is shown when the handle is let go, not on the way.
    Preview_Sli->setTracking(false);

    // Packs are off until the settings say otherwise.
    Set_Pack_Controls(false);
    Display_Cbo->setEnabled(false);

    connect(Theme_Use_Chk, &QCheckBox::toggled, this, [this] { Theme_Use_Chk_Click(); });
    connect(Packs_Cbo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            Packs_Cbo_Click();
    });
    connect(Preview_Sli, &QSlider::valueChanged, this, [this] { Preview_Sli_Change(); });
    connect(Preview_Sli, &QSlider::sliderPressed, this,
            [this] { SliderMonthBefore = qint16(Preview_Sli->value()); });
    connect(Preview_Sli, &QSlider::sliderMoved, this, [this](int month) {
        const QString name = QLocale().monthName(month, QLocale::LongFormat);
        Preview_Sli->setToolTip(name);
        QToolTip::showText(QCursor::pos(), name, Preview_Sli);
    });
    connect(Other_Display_Chk, &QCheckBox::toggled, this, [this] { Other_Display_Chk_Click(); });
    connect(Preview_Btn, &QPushButton::clicked, this, [this] { Preview_Btn_Click(); });
}

void Packs_Page::Set_Pack_Controls(bool enabled) {
    Packs_Cbo->setEnabled(enabled);
    Preview_Sli->setEnabled(enabled);
    Preview_Btn->setEnabled(enabled);
}

void Packs_Page::Form_Load() {
    if (!Calendar())
        return;
    const AppSettings& settings = Calendar()->Settings;
    Other_Display_Chk->setChecked(settings.Use_Other_Display_Mode);
    Display_Cbo->setCurrentIndex(settings.Other_Display_Mode);
}

void Packs_Page::Get_Papers() {
    Packs_Lst = Pack_Folders(App_Path());
    {
        const QSignalBlocker quiet(Packs_Cbo);
        Packs_Cbo->clear();
        for (int i = 0; i < Packs_Lst.size(); ++i) {
            if (All_Files(i))
                Packs_Cbo->addItem(
                    Packs_Lst[i].mid(Packs_Lst[i].lastIndexOf(QLatin1Char('/')) + 1));
        }
        Packs_Cbo->setCurrentIndex(-1);
    }
    if (!Calendar())
        return;
    // A pack that isn't listed leaves nothing selected.
    const int index = Packs_Cbo->findText(Calendar()->Settings.Pack_Name,
                                          Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (index >= 0)
        Packs_Cbo->setCurrentIndex(index);
}

bool Packs_Page::All_Files(int index) const {
    return index >= 0 && index < Packs_Lst.size() && ::All_Files(Packs_Lst[index]);
}

bool Packs_Page::Check_Vaild() {
    if (Is_Pack(App_Path(), Packs_Cbo->currentText()))
        return true;
    Packs_Cbo->removeItem(Packs_Cbo->currentIndex());
    if (Packs_Cbo->count() > 0)
        Packs_Cbo->setCurrentIndex(0);
    return false;
}

void Packs_Page::Load_Pack_Checks() {
    if (!Calendar())
        return;
    const AppSettings& settings = Calendar()->Settings;
    StylePosition_Page* style = Frame()->Style_Position();
    Theme_Use_Chk->setChecked(settings.Use_Themes == 1);
    style->Theme_Pos_Chk->setChecked(settings.Use_Theme_Pos == 1);
    style->Theme_Style_Chk->setChecked(settings.Use_Theme_Style == 1);
    // The activation has just laid the preview out for the position options and drawn it from
    // the sliders; a pack position that was already ticked must take it over again, or the
    // sliders would show beside disabled options.
    style->Theme_Pos_Chk_Click();
    style->Style_Preview();
}

void Packs_Page::Packs_Cbo_Click() {
    Theme_Preview_Img->clear();
    const MonthDetailLabels bare;
    Theme_Style_Lbl->setText(bare.box_style);
    Theme_Pos_Lbl->setText(bare.position);
    Theme_Display_Lbl->setText(bare.display);
    if (!Check_Vaild())
        return;
    const qint16 month = qint16(Current_Clock().Today().month());
    {
        const QSignalBlocker quiet(Preview_Sli);
        Preview_Sli->setValue(month);
    }
    SliderMonthBefore = 0;
    Preview_Sli_Change();
    if (Packs_Cbo->isEnabled()) {
        StylePosition_Page* style = Frame()->Style_Position();
        style->Style_Preview();
        style->Redraw_Position();
        style->Load_Position_Picture(Pack_Folder(App_Path(), Packs_Cbo->currentText()) +
                                     QStringLiteral("/%1.jpg").arg(month));
    }
}

void Packs_Page::Preview_Sli_Change() {
    if (Preview_Sli->value() == SliderMonthBefore)
        return;
    // The month shown now is the one the next change is compared with.
    SliderMonthBefore = qint16(Preview_Sli->value());
    Get_Theme_Pos();
    Get_Theme_Style();
    Get_Theme_Display();
    Get_Theme_Picture();
}

QString Packs_Page::Details() const {
    if (!Calendar() || Packs_Cbo->currentIndex() < 0)
        return Paper_Error;
    return Calendar()->Get_Paper_Details(qint16(Preview_Sli->value()), Packs_Cbo->currentText());
}

void Packs_Page::Get_Theme_Pos() {
    // The month is read once per refresh: a broken file is reported once, not per label.
    month_details_ = Details();
    const QString& details = month_details_;
    Theme_Pos_Lbl->setText(Month_Detail_Labels(details).position);
    if (Paper_Details_Valid(details))
        PackPreviewPosition = Get_Paper_Pos(details);
}

void Packs_Page::Get_Theme_Style() {
    Theme_Style_Lbl->setText(Month_Detail_Labels(month_details_).box_style);
}

void Packs_Page::Get_Theme_Display() {
    Theme_Display_Lbl->setText(Month_Detail_Labels(month_details_).display);
}

void Packs_Page::Get_Theme_Picture() {
    Theme_Preview_Img->clear();
    Loading_Lbl->show();
    Loading_Lbl->raise();
    Loading_Lbl->repaint();
    const QImage picture(Pack_Folder(App_Path(), Packs_Cbo->currentText()) +
                         QStringLiteral("/%1.jpg").arg(Preview_Sli->value()));
    // A picture that can't be read leaves the preview empty.
    if (!picture.isNull())
        Theme_Preview_Img->setPixmap(QPixmap::fromImage(picture.scaled(
            Theme_Preview_Img->size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    Loading_Lbl->hide();
}

void Packs_Page::Theme_Use_Chk_Click() {
    if (Packs_Cbo->count() == 0) {
        // Packs can't be turned on without a valid pack.
        Theme_Use_Chk->setChecked(false);
        return;
    }
    if (Packs_Cbo->currentIndex() == -1)
        Packs_Cbo->setCurrentIndex(0);
    if (Theme_Use_Chk->isChecked()) {
        Set_Pack_Controls(true);
        Preview_Sli_Change();
        Packs_Cbo_Click();
    } else {
        Set_Pack_Controls(false);
        Frame()->Style_Position()->Load_Desktop_Preview();
    }
}

void Packs_Page::Other_Display_Chk_Click() {
    const bool other = Other_Display_Chk->isChecked();
    Display_Cbo->setEnabled(other);
    Theme_Display_Lbl->setEnabled(!other);
}

void Packs_Page::Save_Display_Mode() {
    if (!Calendar())
        return;
    SettingsStore store;
    AppSettings& settings = Calendar()->Settings;
    const QString section = QStringLiteral("Settings");
    Save_Setting(store, settings, section, QStringLiteral("Use Other Display Mode"),
                 Other_Display_Chk->isChecked());
    Save_Setting(store, settings, section, QStringLiteral("Other Display Mode"),
                 qint16(qMax(0, Display_Cbo->currentIndex())));
}

ThemeChoices Packs_Page::Choices() const {
    const StylePosition_Page* style = Frame()->Style_Position();
    ThemeChoices choices;
    choices.use_themes = Theme_Use_Chk->isChecked();
    choices.use_theme_pos = style->Theme_Pos_Chk->isChecked();
    choices.use_theme_style = style->Theme_Style_Chk->isChecked();
    choices.pack = Packs_Cbo->currentText();
    choices.style = style->Selected_Style();
    choices.manual_position = style->Pos_Manual_Opt->isChecked();
    choices.set_position = style->Get_Set_Position();
    return choices;
}

void Packs_Page::Save_Theme() {
    Main_Frm* calendar = Calendar();
    if (!calendar)
        return;
    const ThemeChoices choices = Choices();
    SettingsStore store;
    Store_Theme_Choices(choices, calendar->Settings, store);
    if (Theme_Renews_Calendar(choices, calendar->Settings)) {
        calendar->Get_Wallpaper_Stuff(choices.pack);
        calendar->Set_Day_Headers();
        calendar->Which_Style(Theme_Box_Style(choices, calendar->Settings));
        TransparentForm(calendar);
        calendar->Load_Dates();
    }
    if (const auto position = Theme_Position(choices, calendar->Settings))
        calendar->Position_Form(*position);
}

void Packs_Page::Preview_Btn_Click() {
    if (DesktopPreview::Running() || !Calendar())
        return;
    Set_Pack_Controls(false);
    const AppSettings preview =
        Preview_Settings(Calendar()->Settings, Choices(), Other_Display_Chk->isChecked(),
                         qint16(qMax(0, Display_Cbo->currentIndex())));
    if (!DesktopPreview::Start(Calendar(), Frame(), Packs_Cbo->currentText(), preview))
        Set_Pack_Controls(true);
}

void Packs_Page::Desktop_Preview_Ended() {
    Set_Pack_Controls(true);
    SliderMonthBefore = 0;
    Preview_Sli_Change();
}
