#include "events/gui/frmBalloon.h"

#include "calendar/TwipScale.h"
#include "calendar/gui/Main_Frm.h"
#include "events/BalloonPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace {
// The label of the text keeps its design place; its width follows the text up to this many
// twips, after which the text wraps.
constexpr qint32 Text_Left = 135;
constexpr qint32 Text_Top = 480;
constexpr qint32 Text_Min_Width = 1845;
constexpr qint32 Text_Min_Height = 195;
constexpr qint32 Text_Max_Width = 4080;

QRegion Rounded_Region(const QRect& rect, int corner) {
    QPainterPath path;
    path.addRoundedRect(QRectF(rect), corner / 2.0, corner / 2.0);
    return QRegion(path.toFillPolygon().toPolygon());
}
} // namespace

frmBalloon::frmBalloon(Main_Frm* calendar)
    : QWidget(calendar, Qt::Window | Qt::FramelessWindowHint), calendar_(calendar) {
    setObjectName(QStringLiteral("frmBalloon"));
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);

    const TwipScale scale = TwipScale::For_Screen(screen());
    imgIconXP.append(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16, 16));
    imgDisplayIcon = new QLabel(this);
    imgDisplayIcon->setObjectName(QStringLiteral("imgDisplayIcon"));
    imgDisplayIcon->setGeometry(scale.Pixels(TwipRect{120, 120, 240, 240}));
    imgDisplayIcon->setScaledContents(true);
    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setTextFormat(Qt::PlainText);
    lblTitle->setGeometry(scale.Pixels(TwipRect{480, 90, 3735, 255}));
    lblText = new QLabel(this);
    lblText->setObjectName(QStringLiteral("lblText"));
    lblText->setTextFormat(Qt::PlainText);
    lblText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblText->setGeometry(
        scale.Pixels(TwipRect{Text_Left, Text_Top, Text_Min_Width, Text_Min_Height}));

    Close_Timer = new QTimer(this);
    Close_Timer->setObjectName(QStringLiteral("Close_Timer"));
    Close_Timer->setInterval(100);
    connect(Close_Timer, &QTimer::timeout, this, &frmBalloon::Close_Timer_Timer);
    Close_Timer->start();
}

void frmBalloon::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window manager may never activate the balloon: then the calendar stays the active window
    // and no change of activity tells of a click outside, so every press of the program is
    // watched. From the next turn of the event loop: the press that opened the balloon is still
    // on its way to the calendar.
    if (!watching_) {
        watching_ = true;
        QTimer::singleShot(0, this, [this] { qApp->installEventFilter(this); });
    }
}

bool frmBalloon::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress ||
        event->type() == QEvent::NonClientAreaMouseButtonPress) {
        const auto* widget = qobject_cast<const QWidget*>(watched);
        if (widget && widget->window() != this)
            HideBalloon();
    }
    return QWidget::eventFilter(watched, event);
}

void frmBalloon::SetBalloon(const QString& sTitle, const QString& sText, qint32 lPosX, qint32 lPosY,
                            const QString& sIcon, bool bShowClose, qint32 lAutoCloseAfter,
                            qint32 lHeight, qint32 lWidth, const QString& sFont, double iFontSize) {
    Q_UNUSED(bShowClose);
    Q_UNUSED(lAutoCloseAfter);
    Q_UNUSED(lHeight);
    Q_UNUSED(lWidth);
    const TwipScale scale = TwipScale::For_Screen(screen());
    lblTitle->setText(sTitle);
    QString shown = sText;
    shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lblText->setText(shown);

    if (sIcon.toLower() == QStringLiteral("i")) {
        imgDisplayIcon->setPixmap(imgIconXP.value(0));
        imgDisplayIcon->show();
    } else {
        imgDisplayIcon->hide();
        lblTitle->move(imgDisplayIcon->x(), lblTitle->y());
    }

    const QString family =
        Balloon_Font_Name(sFont, QFontDatabase::hasFamily(QStringLiteral("Tahoma")));
    QFont font(family);
    font.setPointSizeF(iFontSize > 0 ? iFontSize : 8);
    setFont(font);
    lblText->setFont(font);
    QFont bold = font;
    bold.setBold(true);
    lblTitle->setFont(bold);

    // The text label sizes itself to its text, then the window to the label.
    const QFontMetrics text_metrics(font);
    const int max_width = scale.X_Pixels(Text_Max_Width);
    const QRect needed = text_metrics.boundingRect(QRect(0, 0, max_width, 100000),
                                                   int(Qt::TextWordWrap | Qt::AlignLeft), shown);
    const int title_needed =
        QFontMetrics(bold).horizontalAdvance(sTitle) + lblTitle->x() - lblText->x();
    const int width = std::clamp(std::max(needed.width(), title_needed),
                                 scale.X_Pixels(Text_Min_Width), max_width);
    const int height = std::max(needed.height(), scale.Y_Pixels(Text_Min_Height));
    lblText->setWordWrap(true);
    lblText->resize(width, height);
    resize(lblText->x() + width + 5, lblText->y() + height + 8);
    ShapeBalloon();

    if (!calendar_)
        return;
    Main_Frm& calendar = *calendar_;
    // The calendar draws its month afresh under the balloon.
    if (!calendar.Compacted) {
        calendar.Set_Day_Headers();
        calendar.Setup_Boxes(calendar.ViewMonth, calendar.ViewYear);
        calendar.Load_Dates();
        calendar.Set_Colours();
        calendar.Mark_Today();
    }
    const qint32 top =
        lPosY != 0 ? lPosY
                   : calendar.GetBalloonTop(calendar.Hovered_Box, scale.Y_Twips(this->height()));
    const qint32 left =
        lPosX != 0 ? lPosX
                   : calendar.GetBalloonLeft(calendar.Hovered_Box, scale.X_Twips(this->width()));
    move(scale.Pixels(QPoint(left, top)));
}

void frmBalloon::HideBalloon() {
    if (hiding_)
        return;
    hiding_ = true;
    Close_Timer->stop();
    close();
}

void frmBalloon::ShapeBalloon() {
    setMask(Rounded_Region(QRect(0, 0, width() + 1, height() + 1), 28));
}

void frmBalloon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRoundedRect(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0), 13, 13);
}

void frmBalloon::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    lblText->resize(std::max(0, width() - lblText->x() - 5),
                    std::max(0, height() - lblText->y() - 8));
    ShapeBalloon();
}

void frmBalloon::mousePressEvent(QMouseEvent*) {
    HideBalloon();
}

void frmBalloon::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow())
        was_active_ = true;
    else if (was_active_)
        HideBalloon();
}

void frmBalloon::Close_Timer_Timer() {
    QWidget* active = QApplication::activeWindow();
    if (active == this)
        was_active_ = true;
    const BalloonActivity activity = active == this               ? BalloonActivity::Balloon
                                     : active == calendar_.data() ? BalloonActivity::Calendar
                                     : active ? BalloonActivity::Other_Program_Window
                                              : BalloonActivity::Other_Program;
    const QPoint pointer = QCursor::pos();
    const bool pointer_over =
        geometry().contains(pointer) || (calendar_ && calendar_->geometry().contains(pointer));
    if (!Balloon_Stays(activity, was_active_, pointer_over))
        HideBalloon();
}

void frmBalloon::closeEvent(QCloseEvent* event) {
    hiding_ = true;
    Close_Timer->stop();
    if (calendar_) {
        calendar_->Balloon_Showing = false;
        if (calendar_->Settings.Auto_Compact == 1 && !calendar_->Compacted)
            calendar_->Update_Timeout();
    }
    event->accept();
}
