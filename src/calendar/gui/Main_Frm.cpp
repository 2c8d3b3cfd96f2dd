#include "calendar/gui/Main_Frm.h"
#include "platform/DesktopNotifier.h"

#include "calendar/AppPath.h"
#include "calendar/ColourValue.h"
#include "calendar/SingleInstance.h"
#include "calendar/gui/ColourLabel.h"
#include "calendar/gui/Splash_Frm.h"

#include <QPainter>
#include <QTimer>

namespace {
// Arial as the window was designed with; fontconfig picks its metric twin where it is missing.
QFont Design_Font(qreal points, bool bold, bool italic) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

ColourLabel* Header_Label(const QString& name, const QString& caption, Main_Frm* window) {
    auto* label = new ColourLabel(name, window);
    label->setFont(Design_Font(9.75, true, true));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setText(caption);
    label->Set_Fore_Colour(White);
    return label;
}
} // namespace

QString Day_Stamp(const QDate& date) {
    return QStringLiteral("%1:%2:%3").arg(date.day()).arg(date.month()).arg(date.year());
}

Main_Frm::Main_Frm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      Temp_Lst(App_Path() + QStringLiteral("/calendar.dat")), layout_(Design_Layout()) {
    setObjectName(QStringLiteral("Main_Frm"));
    // The calendar lives below other windows and is seldom the active one: the day boxes' tips
    // show whichever window is active.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setWindowTitle(QStringLiteral("Almanor Loading"));
    // The caption labels use the window's font, which is also what captions are measured with.
    setFont(Design_Font(8, false, false));
    Create_Controls();
    Apply_Layout();
    Connect_Interaction();
}

Main_Frm::~Main_Frm() {
    if (splash_)
        delete splash_.data();
    // The editor has no owner window; it must not outlive the calendar it edits.
    Close_Other_Windows();
}

void Main_Frm::Create_Controls() {
    Prev_Month_Lbl = Header_Label(QStringLiteral("Prev_Month_Lbl"), QStringLiteral("<"), this);
    Which_Month_Lbl = Header_Label(QStringLiteral("Which_Month_Lbl"), QString(), this);
    Next_Month_Lbl = Header_Label(QStringLiteral("Next_Month_Lbl"), QStringLiteral(">"), this);
    for (int c = 0; c < 7; ++c)
        Day_Lbl[c] = Header_Label(QStringLiteral("Day_Lbl_%1").arg(c), QString(), this);

    const QFont number_font = Design_Font(9, true, false);
    for (int i = 0; i < Box_Count; ++i) {
        auto* box = new ColourLabel(QStringLiteral("Box_Lbl_%1").arg(i), this);
        box->setFont(number_font);
        box->Set_Opaque(true);
        box->Set_Back_Colour(White);
        Box_Lbl[i] = box;
    }
    // Captions come after the boxes so they are drawn over them.
    for (int i = 0; i < Box_Count; ++i) {
        auto* caption = new ColourLabel(QStringLiteral("Box_Caption_Lbl_%1").arg(i), this);
        Box_Caption_Lbl[i] = caption;
    }

    DotDotDot_Lbl = new QLabel(this);
    DotDotDot_Lbl->setObjectName(QStringLiteral("DotDotDot_Lbl"));
    DotDotDot_Lbl->hide();

    Create_Date_Watch();
}

TwipScale Main_Frm::Scale() const {
    return TwipScale::For_Screen(screen());
}

void Main_Frm::Apply_Layout() {
    const TwipScale scale = Scale();
    Prev_Month_Lbl->setGeometry(scale.Pixels(layout_.prev_month));
    Which_Month_Lbl->setGeometry(scale.Pixels(layout_.which_month));
    Next_Month_Lbl->setGeometry(scale.Pixels(layout_.next_month));
    for (int c = 0; c < 7; ++c)
        Day_Lbl[c]->setGeometry(scale.Pixels(layout_.day_headers[c]));
    const Qt::Alignment number_align =
        layout_.number_align == TextAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
    const Qt::Alignment caption_align =
        layout_.caption_align == TextAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
    for (int i = 0; i < Box_Count; ++i) {
        Box_Lbl[i]->setGeometry(scale.Pixels(layout_.boxes[i]));
        Box_Lbl[i]->setAlignment(number_align | Qt::AlignTop);
        Box_Caption_Lbl[i]->setGeometry(scale.Pixels(layout_.captions[i]));
        Box_Caption_Lbl[i]->setAlignment(caption_align | Qt::AlignTop);
    }
    setFixedSize(scale.X_Pixels(layout_.window_width), scale.Y_Pixels(layout_.window_height));
}

void Main_Frm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Resolve_Colour(back_colour_, palette()));
}
