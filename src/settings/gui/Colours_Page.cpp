#include "settings/gui/Colours_Page.h"

#include "calendar/ColourValue.h"
#include "calendar/SettingsStore.h"
#include "calendar/gui/ColourLabel.h"
#include "calendar/gui/Main_Frm.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace {
// The sample box is this many units across: the gradient's steps 0 to 254 fill it, and its scale
// marks land on whole tenths.
constexpr double Sample_Scale_Width = 254.0;
// The design colour of the preview's day numbers and captions: the system's button text.
constexpr qint32 Button_Text = -2147483630;

ColourLabel* Opaque_Label(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new ColourLabel(name, parent);
    label->setText(text);
    label->Set_Opaque(true);
    return label;
}
} // namespace

Colours_Page::Colours_Page(Settings_Frm* frame, Main_Frm* calendar)
    : SettingsPage(frame, calendar) {
    Create_Entries();
    Create_Preview();
    Create_Palette();
    Choose_Entry(0);
}

void Colours_Page::Create_Entries() {
    auto* boxes = new QGroupBox(QStringLiteral("Calendar Boxes"), this);
    boxes->setGeometry(Place(0, 0, 168, 86));
    auto* menu = new QGroupBox(QStringLiteral("Top Menu"), this);
    menu->setGeometry(Place(172, 0, 171, 111));
    for (int i = 0; i < Colour_Entry_Count; ++i) {
        const ColourEntryInfo& info = Colour_Entry_Info(i);
        QGroupBox* group = i < 4 ? boxes : menu;
        const int top = 18 + (i < 4 ? i : i - 4) * 17;
        // A dark edge, so that a white swatch still shows.
        auto* edge = new QWidget(group);
        edge->setGeometry(Place(7, top, 20, 15));
        edge->setAutoFillBackground(true);
        QPalette dark = edge->palette();
        dark.setColor(QPalette::Window, dark.color(QPalette::Dark));
        edge->setPalette(dark);
        Col_Pic[i] = new ColourLabel(QString::fromLatin1(info.swatch_name), group);
        Col_Pic[i]->Set_Opaque(true);
        Col_Pic[i]->setGeometry(Place(8, top + 1, 18, 13));
        Col_Pic[i]->setCursor(Qt::PointingHandCursor);
        Col_Pic[i]->installEventFilter(this);
        Col_Lbl[i] = new QLabel(QString::fromLatin1(info.caption), group);
        Col_Lbl[i]->setObjectName(QString::fromLatin1(info.label_name));
        Col_Lbl[i]->setGeometry(Place(31, top, 132, 15));
        Col_Lbl[i]->setCursor(Qt::PointingHandCursor);
        Col_Lbl[i]->installEventFilter(this);
    }
    Col_Sys_Opt = new QRadioButton(QStringLiteral("Use System Colours"), menu);
    Col_Sys_Opt->setObjectName(QStringLiteral("Col_Sys_Opt"));
    Col_Sys_Opt->setGeometry(Place(8, 70, 158, 18));
    Col_Other_Opt = new QRadioButton(QStringLiteral("Use Others..."), menu);
    Col_Other_Opt->setObjectName(QStringLiteral("Col_Other_Opt"));
    Col_Other_Opt->setGeometry(Place(8, 88, 158, 18));
    connect(Col_Sys_Opt, &QRadioButton::clicked, this, [this] { Col_Sys_Opt_Click(); });
    connect(Col_Other_Opt, &QRadioButton::clicked, this, [this] { Col_Other_Opt_Click(); });

    Default_Cols_Btn = new QPushButton(QStringLiteral("Restore Defaults"), this);
    Default_Cols_Btn->setObjectName(QStringLiteral("Default_Cols_Btn"));
    Default_Cols_Btn->setGeometry(Place(0, 89, 110, 22));
    connect(Default_Cols_Btn, &QPushButton::clicked, this, [this] { Default_Cols_Btn_Click(); });
}

void Colours_Page::Create_Preview() {
    auto* preview = new QGroupBox(QStringLiteral("Preview"), this);
    preview->setGeometry(Place(0, 115, 343, 66));
    Preview_Prev_Lbl =
        Opaque_Label(QStringLiteral("Preview_Prev_Lbl"), QStringLiteral("<"), preview);
    Preview_Prev_Lbl->setGeometry(Place(8, 17, 18, 15));
    Preview_Prev_Lbl->setAlignment(Qt::AlignHCenter);
    Preview_Month_Lbl =
        Opaque_Label(QStringLiteral("Preview_Month_Lbl"), QStringLiteral("April"), preview);
    Preview_Month_Lbl->setGeometry(Place(26, 17, 309, 15));
    Preview_Month_Lbl->setAlignment(Qt::AlignHCenter);

    struct Box {
        ColourLabel** day;
        ColourLabel** caption;
        const char* day_name;
        const char* caption_name;
        const char* number;
        const char* text;
    };
    const Box boxes[] = {
        {&Preview_Style0_Lbl, &Preview_Caption0_Lbl, "Preview_Style0_Lbl", "Preview_Caption0_Lbl",
         " 1", "This is an..."},
        {&Preview_Style1_Lbl, &Preview_Caption1_Lbl, "Preview_Style1_Lbl", "Preview_Caption1_Lbl",
         " 2", "This is an example."},
        {&Preview_Today_Lbl, &Preview_Caption_Today_Lbl, "Preview_Today_Lbl",
         "Preview_Caption_Today_Lbl", " 3", "This is an..."},
    };
    int left = 8;
    for (const Box& box : boxes) {
        *box.day = Opaque_Label(QString::fromLatin1(box.day_name), QString::fromLatin1(box.number),
                                preview);
        (*box.day)->setGeometry(Place(left, 34, 107, 27));
        (*box.day)->Set_Fore_Colour(Button_Text);
        *box.caption = new ColourLabel(QString::fromLatin1(box.caption_name), preview);
        (*box.caption)->setText(QString::fromLatin1(box.text));
        (*box.caption)->setGeometry(Place(left + 3, 47, 102, 14));
        (*box.caption)->Set_Fore_Colour(Button_Text);
        left += 109;
    }
}

void Colours_Page::Create_Palette() {
    auto* select = new QGroupBox(QStringLiteral("Select Colour"), this);
    select->setGeometry(Place(0, 184, 343, 71));
    Pal = new QLabel(select);
    Pal->setObjectName(QStringLiteral("Pal"));
    Pal->setGeometry(Place(8, 16, Palette_Width, Palette_Height));
    Pal->setPixmap(QPixmap::fromImage(Palette_Image().scaled(Pal->size())));
    Pal->setMouseTracking(true);
    Pal->setCursor(Qt::CrossCursor);
    Pal->installEventFilter(this);

    lbColor = new QLabel(select);
    lbColor->setObjectName(QStringLiteral("lbColor"));
    lbColor->setGeometry(Place(113, 16, 120, 50));
    sample_ = QImage(lbColor->size(), QImage::Format_RGB32);
    sample_.fill(Qt::white);
    Show_Sample();

    QFont small = font();
    small.setPointSize(7);
    for (int i = 0; i < 3; ++i) {
        txCol[i] = new QLineEdit(select);
        txCol[i]->setObjectName(QStringLiteral("txCol_%1").arg(i));
        txCol[i]->setReadOnly(true);
        txCol[i]->setFont(small);
        txCol[i]->setGeometry(Place(239, 16 + i * 17, 96, 16));
    }
}

void Colours_Page::Show_Sample() {
    lbColor->setPixmap(QPixmap::fromImage(sample_));
}

bool Colours_Page::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == Pal) {
        if (type == QEvent::MouseMove || type == QEvent::MouseButtonPress) {
            // A press samples too, so a click picks the colour under the pointer even when the
            // pointer did not move over the chart first.
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint at = mouse->position().toPoint();
            Pal_MouseMove(mouse->modifiers(), at.x() * Palette_Width / std::max(1, Pal->width()),
                          at.y() * Palette_Height / std::max(1, Pal->height()));
        } else if (type == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton &&
                Pal->rect().contains(mouse->position().toPoint()))
                Pal_Click();
        }
        return false;
    }
    if (type == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int i = 0; i < Colour_Entry_Count; ++i)
            if ((watched == Col_Lbl[i] || watched == Col_Pic[i]) && Col_Lbl[i]->isEnabled()) {
                Choose_Entry(i);
                return true;
            }
    }
    return SettingsPage::eventFilter(watched, event);
}

void Colours_Page::Choose_Entry(int entry) {
    if (entry < 0 || entry >= Colour_Entry_Count)
        return;
    Reset_Labels();
    QFont bold = Col_Lbl[entry]->font();
    bold.setBold(true);
    Col_Lbl[entry]->setFont(bold);
    Edit_Colour = entry;
}

void Colours_Page::Reset_Labels() {
    for (QLabel* label : Col_Lbl) {
        QFont plain = label->font();
        plain.setBold(false);
        label->setFont(plain);
    }
}

void Colours_Page::ShowColors(qint32 colour) {
    const std::optional<ColourReadouts> readouts = Colour_Readouts(colour);
    if (!readouts)
        return;
    const Rgb rgb = Split_Colour(colour);
    sample_.fill(QColor(rgb.red, rgb.green, rgb.blue));
    Show_Sample();
    txCol[0]->setText(readouts->decimal);
    txCol[1]->setText(readouts->hex);
    txCol[2]->setText(readouts->channels);
}

void Colours_Page::ShowGradient(qint32 colour1, qint32 colour2) {
    const std::optional<std::array<qint32, 256>> steps = Gradient_Colours(colour1, colour2);
    if (!steps)
        return;
    ShowColors(colour2);
    sample_.fill(Qt::white);
    const double width = sample_.width();
    const int height = sample_.height();
    const double per_unit = width / Sample_Scale_Width;
    auto x_of = [per_unit](double units) { return int(std::lround(units * per_unit)); };
    QPainter painter(&sample_);
    for (int i = 0; i < 256; ++i) {
        const Rgb rgb = Split_Colour((*steps)[i]);
        const int left = x_of(i);
        painter.fillRect(QRect(left, 0, std::max(1, x_of(i + 1) - left), height),
                         QColor(rgb.red, rgb.green, rgb.blue));
    }
    // The scale is drawn inverted, so it shows on light and dark parts alike.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(Qt::white);
    const int line = 2 * height / 3;
    painter.drawLine(0, line, sample_.width(), line);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(7);
    painter.setFont(arial);
    const QFontMetrics metrics(arial);
    for (const GradientMark& mark : Gradient_Marks(Sample_Scale_Width)) {
        const int x = x_of(mark.x - 1);
        painter.drawLine(x, line - 5, x, line);
        if (mark.number == 0)
            continue;
        const QString number = QString::number(mark.number);
        // Kept inside the box: the last number would otherwise run past its right edge.
        const int left =
            std::min(x_of(mark.x - 6), sample_.width() - metrics.horizontalAdvance(number));
        painter.drawText(QPoint(left, line + 1 + metrics.ascent()), number);
    }
    painter.end();
    Show_Sample();
}

void Colours_Page::Pal_MouseMove(Qt::KeyboardModifiers shift, int x, int y) {
    const qint32 colour = Palette_Colour(x, y);
    if (shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        ShowGradient(0, colour);
    else
        ShowColors(colour);
}

void Colours_Page::Pal_Click() {
    bool ok = false;
    const qint32 colour = txCol[0]->text().toInt(&ok);
    if (!ok)
        return;
    Set_Entry_Colour(Edit_Colour, colour);
    if (!Col_Sys_Opt->isChecked())
        Menu_Preview_From_Swatches();
}

void Colours_Page::Set_Entry_Colour(int entry, qint32 colour) {
    Col_Pic[entry]->Set_Back_Colour(colour);
    switch (ColourEntry(entry)) {
    case ColourEntry::Today:
        Preview_Today_Lbl->Set_Back_Colour(colour);
        break;
    case ColourEntry::Normal:
        Preview_Style1_Lbl->Set_Back_Colour(colour);
        Preview_Style0_Lbl->Set_Back_Colour(colour);
        break;
    case ColourEntry::Num:
        Preview_Style1_Lbl->Set_Fore_Colour(colour);
        Preview_Style0_Lbl->Set_Fore_Colour(colour);
        Preview_Today_Lbl->Set_Fore_Colour(colour);
        break;
    case ColourEntry::Text:
        Preview_Caption1_Lbl->Set_Fore_Colour(colour);
        Preview_Caption0_Lbl->Set_Fore_Colour(colour);
        Preview_Caption_Today_Lbl->Set_Fore_Colour(colour);
        break;
    default:
        break;
    }
}

void Colours_Page::Menu_Preview_From_Swatches() {
    for (ColourLabel* label : {Preview_Prev_Lbl, Preview_Month_Lbl}) {
        label->Set_Back_Colour(Col_Pic[int(ColourEntry::Back)]->Back_Colour());
        label->Set_Fore_Colour(Col_Pic[int(ColourEntry::Fore)]->Back_Colour());
    }
}

void Colours_Page::Col_Sys_Opt_Click() {
    const Main_Frm* calendar = Calendar();
    const qint32 fore = calendar ? calendar->IconTextFore : White;
    const qint32 back = calendar ? calendar->IconTextBack : No_Colour;
    for (ColourLabel* label : {Preview_Month_Lbl, Preview_Prev_Lbl}) {
        label->Set_Fore_Colour(fore);
        label->Set_Back_Colour(back == No_Colour ? Dark_Grey : back);
    }
    for (int entry : {int(ColourEntry::Back), int(ColourEntry::Fore)}) {
        Col_Pic[entry]->setEnabled(false);
        Col_Lbl[entry]->setEnabled(false);
    }
}

void Colours_Page::Col_Other_Opt_Click() {
    Menu_Preview_From_Swatches();
    for (int entry : {int(ColourEntry::Back), int(ColourEntry::Fore)}) {
        Col_Pic[entry]->setEnabled(true);
        Col_Lbl[entry]->setEnabled(true);
    }
}

void Colours_Page::Load_Settings() {
    const Main_Frm* calendar = Calendar();
    if (!calendar)
        return;
    const AppSettings& settings = calendar->Settings;
    const ColourSet colours = Current_Colours(settings);
    for (int i = 0; i < Colour_Entry_Count; ++i)
        Set_Entry_Colour(i, colours[i]);
    if (settings.Menu_Colour_Source == 1) {
        Col_Other_Opt->setChecked(true);
        Col_Other_Opt_Click();
    } else {
        Col_Sys_Opt->setChecked(true);
        Col_Sys_Opt_Click();
    }
}

void Colours_Page::Default_Cols_Btn_Click() {
    const ColourSet defaults = Default_Colours();
    for (int i = 0; i < Colour_Entry_Count; ++i)
        Set_Entry_Colour(i, defaults[i]);
    if (!Col_Sys_Opt->isChecked())
        Menu_Preview_From_Swatches();
}

ColourSet Colours_Page::Pending_Colours() const {
    ColourSet colours{};
    for (int i = 0; i < Colour_Entry_Count; ++i)
        colours[i] = Col_Pic[i]->Back_Colour();
    return colours;
}

void Colours_Page::Save_Colours() {
    Main_Frm* calendar = Calendar();
    if (!calendar)
        return;
    SettingsStore store;
    ::Save_Colours(store, calendar->Settings, Pending_Colours(), Col_Sys_Opt->isChecked() ? 0 : 1,
                   [calendar](ColourRepaint part) {
                       switch (part) {
                       case ColourRepaint::Boxes:
                           calendar->Colour_Boxes();
                           break;
                       case ColourRepaint::Today:
                           calendar->Mark_Today();
                           break;
                       case ColourRepaint::Nums:
                           calendar->Colour_Nums();
                           break;
                       case ColourRepaint::Texts:
                           calendar->Colour_Texts();
                           break;
                       // The header strip keeps the look of the calendar's activity: the
                       // settings window is active, so mostly the inactive one.
                       case ColourRepaint::Menus:
                           calendar->Colour_Menus();
                           if (calendar->InactiveShown)
                               calendar->Colour_Inactive();
                           break;
                       case ColourRepaint::Inactive:
                           if (calendar->InactiveShown)
                               calendar->Colour_Inactive();
                           break;
                       }
                   });
}
