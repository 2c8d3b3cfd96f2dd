#include "settings/gui/StylePosition_Page.h"

#include "calendar/AppPath.h"
#include "calendar/TwipScale.h"
#include "calendar/gui/Main_Frm.h"
#include "packs/PackFolder.h"
#include "packs/PacksTab.h"
#include "packs/gui/Packs_Page.h"
#include "settings/gui/PreviewPictures.h"
#include "settings/gui/Settings_Frm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QToolTip>

namespace {
// Frames of the page, in twips.
constexpr TwipRect Style_Frame{0, 0, 1890, 3855};
constexpr TwipRect Position_Frame{1980, 0, 3165, 3855};
// Room for a frame's caption above its controls.
constexpr qint32 Frame_Caption = 120;
} // namespace

StylePosition_Page::StylePosition_Page(Settings_Frm* frame, Main_Frm* calendar)
    : SettingsPage(frame, calendar) {
    Build_Style_Frame();
    Build_Position_Frame();
    Small_Preview();
    Set_Box_Preview_Size(1);
}

void StylePosition_Page::Place(QWidget* widget, const TwipRect& twips) const {
    widget->setGeometry(TwipScale::For_Screen(screen()).Pixels(twips));
}

void StylePosition_Page::Build_Style_Frame() {
    Frame6 = new QGroupBox(QStringLiteral("Box Style"), this);
    Frame6->setObjectName(QStringLiteral("Frame6"));
    Place(Frame6, Style_Frame);
    auto option = [&](const char* name, qint32 top) {
        auto* button = new QRadioButton(Frame6);
        button->setObjectName(QString::fromLatin1(name));
        Place(button, {90, top, 300, 255});
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                Style_Opt_Click();
        });
        return button;
    };
    // Each option stands beside a day box of its style: the day number, and the event caption
    // where the style has room for one.
    auto box = [&](const TwipRect& where) {
        auto* frame = new QFrame(Frame6);
        frame->setFrameShape(QFrame::Box);
        frame->setStyleSheet(QStringLiteral("QFrame { background: white; color: black; }"));
        Place(frame, where);
        return frame;
    };
    auto label = [&](QWidget* parent, int index, const char* text, const TwipRect& where,
                     Qt::Alignment align) {
        auto* l = new QLabel(QString::fromLatin1(text), parent);
        l->setObjectName(QStringLiteral("Example%1_Lbl").arg(index + 1));
        l->setAlignment(align);
        l->setWordWrap(true);
        l->setStyleSheet(QStringLiteral("QLabel { border: none; }"));
        Place(l, where);
        Example_Lbl[index] = l;
    };
    Style1_Opt = option("Style1_Opt", 600);
    QFrame* square = box({420, 330, 1110, 855});
    label(square, 0, " 1", {30, 15, 600, 225}, Qt::AlignLeft | Qt::AlignTop);
    label(square, 1, "This is an example.", {30, 255, 1050, 570}, Qt::AlignHCenter | Qt::AlignTop);
    Style2_Opt = option("Style2_Opt", 1545);
    QFrame* thin = box({420, 1500, 1380, 345});
    label(thin, 2, " 1", {15, 15, 300, 300}, Qt::AlignLeft | Qt::AlignVCenter);
    label(thin, 3, "This is an...", {330, 15, 1035, 300}, Qt::AlignLeft | Qt::AlignVCenter);
    Style3_Opt = option("Style3_Opt", 2190);
    QFrame* small = box({420, 2160, 375, 315});
    label(small, 4, "1", {15, 0, 345, 300}, Qt::AlignCenter);
    Theme_Style_Chk = new QCheckBox(QStringLiteral("Use Pack Style"), Frame6);
    Theme_Style_Chk->setObjectName(QStringLiteral("Theme_Style_Chk"));
    Place(Theme_Style_Chk, {90, 3000, 1740, 285});
    connect(Theme_Style_Chk, &QCheckBox::toggled, this, [this] { Theme_Style_Chk_Click(); });
}

void StylePosition_Page::Build_Position_Frame() {
    Frame4 = new QGroupBox(QStringLiteral("Position"), this);
    Frame4->setObjectName(QStringLiteral("Frame4"));
    Place(Frame4, Position_Frame);
    // The frame's controls lie below its caption, in twips from this area's corner.
    auto* area = new QWidget(Frame4);
    Place(area, {0, Frame_Caption, Position_Frame.width, Position_Frame.height - Frame_Caption});
    Theme_Pos_Chk = new QCheckBox(QStringLiteral("Use Pack Position when available"), area);
    Theme_Pos_Chk->setObjectName(QStringLiteral("Theme_Pos_Chk"));
    Place(Theme_Pos_Chk, {90, 225, 3000, 255});
    connect(Theme_Pos_Chk, &QCheckBox::toggled, this, [this] { Theme_Pos_Chk_Click(); });
    Pos_Set_Opt = new QRadioButton(QStringLiteral("Set Position"), area);
    Pos_Set_Opt->setObjectName(QStringLiteral("Pos_Set_Opt"));
    Place(Pos_Set_Opt, {90, 480, 1320, 255});
    connect(Pos_Set_Opt, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Pos_Set_Opt_Click();
    });
    Pos_Manual_Opt = new QRadioButton(QStringLiteral("Manual Position"), area);
    Pos_Manual_Opt->setObjectName(QStringLiteral("Pos_Manual_Opt"));
    Place(Pos_Manual_Opt, {1470, 480, 1620, 255});
    connect(Pos_Manual_Opt, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Pos_Manual_Opt_Click();
    });

    Preview_Screen_Img = new ScreenPicture(area);
    Preview_Screen_Img->setObjectName(QStringLiteral("Preview_Screen_Img"));
    Pos_Preview_Img = new QLabel(area);
    Pos_Preview_Img->setObjectName(QStringLiteral("Pos_Preview_Img"));
    Pos_Preview_Img->setScaledContents(true);
    Pos_Preview_Img->setStyleSheet(QStringLiteral("QLabel { background: black; }"));
    Box_Preview_Img = new QLabel(area);
    Box_Preview_Img->setObjectName(QStringLiteral("Box_Preview_Img"));
    Box_Preview_Img->setScaledContents(true);

    auto slider = [&](const char* name, Qt::Orientation orientation, const TwipRect& where) {
        auto* s = new QSlider(orientation, area);
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(0, 2);
        s->setPageStep(1);
        s->setTickPosition(QSlider::TicksBothSides);
        s->setTickInterval(1);
        Place(s, where);
        connect(s, &QSlider::valueChanged, this, [this, s] {
            Show_Slider_Position();
            Slider_Text(s);
        });
        connect(s, &QSlider::sliderPressed, this, [this, s] {
            Show_Slider_Position();
            Slider_Text(s);
        });
        return s;
    };
    Vertical_Sli = slider("Vertical_Sli", Qt::Vertical, {270, 720, 435, 1680});
    // Top of the screen at the top of the slider.
    Vertical_Sli->setInvertedAppearance(true);
    Vertical_Sli->setInvertedControls(true);
    Horizontal_Sli = slider("Horizontal_Sli", Qt::Horizontal, {720, 2655, 2265, 480});
}

void StylePosition_Page::Load_Desktop_Preview() {
    Load_Position_Picture(Current_Desktop_Picture());
}

bool StylePosition_Page::Load_Position_Picture(const QString& path) {
    if (path.isEmpty())
        return false;
    QImage picture(path);
    if (picture.isNull())
        return false;
    // The preview is small: keep a copy of its size, not the whole picture.
    const QSize size = Pos_Preview_Img->size().expandedTo(QSize(1, 1)) * 2;
    Pos_Preview_Img->setPixmap(
        QPixmap::fromImage(picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    return true;
}

void StylePosition_Page::Load_Settings() {
    if (!Calendar())
        return;
    const AppSettings& settings = Calendar()->Settings;
    switch (settings.Style) {
    case 0:
        Style2_Opt->setChecked(true);
        break;
    case 1:
        Style1_Opt->setChecked(true);
        break;
    case 2:
        Style3_Opt->setChecked(true);
        break;
    default:
        break;
    }
    if (settings.Alignment == 7) {
        Pos_Manual_Opt->setChecked(true);
        Large_Preview();
    } else {
        Pos_Set_Opt->setChecked(true);
        Setup_Set_Position(settings.Alignment);
        Small_Preview();
    }
}

qint16 StylePosition_Page::Get_Set_Position() const {
    return ::Get_Set_Position({Horizontal_Sli->value(), Vertical_Sli->value()});
}

void StylePosition_Page::Setup_Set_Position(qint16 position) {
    const auto sliders = Set_Position_Sliders(position);
    if (!sliders)
        return;
    Horizontal_Sli->setValue(sliders->horizontal);
    Vertical_Sli->setValue(sliders->vertical);
}

void StylePosition_Page::Show_Slider_Position() {
    Draw_Position_Preview(Get_Set_Position());
}

void StylePosition_Page::Draw_Position_Preview(qint16 position) {
    box_ = ::Draw_Position_Preview(position, desktop_, box_);
    Place(Box_Preview_Img, box_);
}

void StylePosition_Page::Slider_Text(QSlider* slider) {
    const QString name = Position_Name(Get_Set_Position());
    slider->setToolTip(name);
    // The tip follows the handle while it is dragged.
    if (slider->isSliderDown())
        QToolTip::showText(QCursor::pos(), name, slider);
}

void StylePosition_Page::Apply_Preview_Layout(const PreviewLayout& layout) {
    desktop_ = layout.desktop;
    Place(Preview_Screen_Img, layout.screen);
    Preview_Screen_Img->Set_Inner({layout.desktop.left - layout.screen.left,
                                   layout.desktop.top - layout.screen.top, layout.desktop.width,
                                   layout.desktop.height});
    Place(Pos_Preview_Img, layout.desktop);
    Horizontal_Sli->setVisible(layout.sliders_visible);
    Vertical_Sli->setVisible(layout.sliders_visible);
    Preview_Screen_Img->lower();
    Box_Preview_Img->raise();
}

void StylePosition_Page::Large_Preview() {
    Apply_Preview_Layout(Large_Preview_Layout());
}

void StylePosition_Page::Small_Preview() {
    Apply_Preview_Layout(Small_Preview_Layout());
}

qint16 StylePosition_Page::Selected_Style() const {
    if (Style1_Opt->isChecked())
        return 1;
    if (Style3_Opt->isChecked())
        return 2;
    return 0;
}

void StylePosition_Page::Style_Preview() {
    if (Pos_Manual_Opt->isChecked() && !Theme_Pos_Chk->isChecked()) {
        // A manual position has no fixed place to show.
        Box_Preview_Img->hide();
        return;
    }
    Packs_Page* packs = Frame()->Packs();
    if (Calendar() && packs && packs->Packs_Cbo->currentIndex() != -1 &&
        Theme_Style_Chk->isChecked() && packs->Theme_Use_Chk->isChecked()) {
        const QString details = Calendar()->Get_Paper_Details(qint16(packs->Preview_Sli->value()),
                                                              packs->Packs_Cbo->currentText());
        if (Paper_Details_Valid(details)) {
            Set_Box_Preview_Size(Style_Preview_Number(Calendar()->Get_Paper_BoxStyle(details)));
            return;
        }
    }
    Set_Box_Preview_Size(Style_Preview_Number(Selected_Style()));
}

void StylePosition_Page::Set_Box_Preview_Size(qint16 preview_number) {
    const TwipRect size = Box_Preview_Size(preview_number);
    box_.width = size.width;
    box_.height = size.height;
    Place(Box_Preview_Img, box_);
    if (box_number_ != preview_number) {
        box_number_ = preview_number;
        Box_Preview_Img->setPixmap(Calendar_Miniature(Box_Preview_Img->size(), preview_number));
    }
    Box_Preview_Img->show();
}

void StylePosition_Page::Redraw_Position() {
    Packs_Page* packs = Frame()->Packs();
    if (Theme_Pos_Chk->isChecked() && packs)
        Draw_Position_Preview(packs->PackPreviewPosition);
    else
        Show_Slider_Position();
}

void StylePosition_Page::Style_Opt_Click() {
    Style_Preview();
    Redraw_Position();
}

void StylePosition_Page::Pos_Set_Opt_Click() {
    Small_Preview();
    Style_Preview();
    Show_Slider_Position();
}

void StylePosition_Page::Pos_Manual_Opt_Click() {
    Large_Preview();
    Style_Preview();
    Show_Slider_Position();
}

void StylePosition_Page::Theme_Style_Chk_Click() {
    Style_Preview();
    Redraw_Position();
    // With a pack's style the user's own choice is greyed out.
    const bool own = !Theme_Style_Chk->isChecked();
    for (QLabel* label : Example_Lbl)
        label->setEnabled(own);
    Style1_Opt->setEnabled(own);
    Style2_Opt->setEnabled(own);
    Style3_Opt->setEnabled(own);
}

void StylePosition_Page::Theme_Pos_Chk_Click() {
    Packs_Page* packs = Frame()->Packs();
    if (Theme_Pos_Chk->isChecked()) {
        Pos_Set_Opt->setEnabled(false);
        Pos_Manual_Opt->setEnabled(false);
        Large_Preview();
        Style_Preview();
        Draw_Position_Preview(packs ? packs->PackPreviewPosition : qint16(7));
    } else {
        Pos_Set_Opt->setEnabled(true);
        Pos_Manual_Opt->setEnabled(true);
        if (Pos_Set_Opt->isChecked())
            Small_Preview();
        else
            Large_Preview();
        Style_Preview();
        Show_Slider_Position();
    }
}
