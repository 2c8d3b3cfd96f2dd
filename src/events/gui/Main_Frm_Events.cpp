// The events of calendar.dat on the calendar window's month: captions, tooltips, underlines and
// the "Today: " alert.
#include "calendar/gui/Main_Frm.h"

#include "calendar/Clock.h"
#include "calendar/MsgBox.h"
#include "calendar/gui/ColourLabel.h"
#include "events/CaptionFit.h"
#include "events/MonthEvents.h"
#include "remote/RemoteLink.h"

#include <QFontMetrics>
#include <QTextDocument>

#include <cmath>

namespace {
void Show_Load_Error() {
    Msg_Box(QStringLiteral("Error loading in data file."), MsgButtons::Ok, MsgIcon::Critical,
            QStringLiteral("ERROR"));
}

// Tooltips take rich text when a text looks like it; an event's text is always shown as typed.
QString Plain_Tooltip(const QString& text) {
    if (!Qt::mightBeRichText(text))
        return text;
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}
} // namespace

void Main_Frm::Clear_Tooltips() {
    for (int i = 0; i < Box_Count; ++i) {
        Box_Caption_Lbl[i]->setToolTip(QString());
        Box_Lbl[i]->setToolTip(QString());
    }
}

namespace {
// Places the events of a month plan, as Enter_Date does for one record. first_box is the one the
// plan was made for: the alert shown between two calls lets other events run.
void Show_Events(Main_Frm& frm, const MonthEventIndex& index, const QList<IndexedEvent>& events,
                 int first_box) {
    for (const IndexedEvent& event : events)
        frm.Show_Box_Event(qint16(first_box + event.day - 1), index.Text(event).toString(), true);
}

QString Join_Lines(const QString& first, const QString& second) {
    if (first.isEmpty() || second.isEmpty())
        return first + second;
    return first + QStringLiteral("\r\n") + second;
}

// The days of a plan that hold a note of their own.
void Note_Days(const QList<IndexedEvent>& events, QList<bool>& noted) {
    for (const IndexedEvent& event : events)
        if (event.day > 0 && event.day < noted.size())
            noted[event.day] = true;
}
} // namespace

// The days of the month with remote events but no note of their own: the notes' boxes already
// added them after the note.
void Main_Frm::Show_Remote_Days(const QList<bool>& noted) {
    if (!remote_)
        return;
    const QDate first(ViewYear, ViewMonth, 1);
    for (int day = 1; day <= first.daysInMonth(); ++day) {
        const QDate date(ViewYear, ViewMonth, day);
        if (!noted.value(day) && !Remote_Day(date).isEmpty())
            Show_Box_Event(Box_Index(date), QString(), false);
    }
}

// The file is read in one pass over its bytes that keeps only the month's and today's records;
// a rebuild of the same month reads it again only when it changed.
void Main_Frm::Load_Dates() {
    Clear_Tooltips();
    bool read_ok = true;
    const QDate today = Current_Clock().Today();
    const qint16 month = ViewMonth;
    const qint16 year = ViewYear;
    const std::shared_ptr<const MonthEventIndex> index =
        Month_Events.Get(Temp_Lst.Path(), month, year, today, Temp_Lst.Save_Count(), &read_ok);
    const int first_box = Start_Box(month, year);
    const MonthPlan plan = Plan_Month(*index, month, year, first_box, Box_Count, today,
                                      Settings.Show_Alerts == 1 && !Alert_Shown);
    QList<bool> noted(32, false);
    Note_Days(plan.before_alert, noted);
    Note_Days(plan.after_alert, noted);
    Show_Events(*this, *index, plan.before_alert, first_box);
    // Today's remote events join the alert of today's note, or have one of their own.
    const QString remote_today = Settings.Show_Alerts == 1 && !Alert_Shown && Box_Index(today) >= 0
                                     ? Remote_Tip_Text(Remote_Day(today), QLocale())
                                     : QString();
    if (plan.alert || !remote_today.isEmpty()) {
        const QString note = plan.alert ? index->Text(*plan.alert).toString() : QString();
        // No clicks on the grid while the alert is open.
        setEnabled(false);
        Msg_Box(Join_Lines(Alert_Text(note, today), remote_today), MsgButtons::Ok,
                MsgIcon::Information, QStringLiteral("Almanor"));
        Alert_Shown = true;
        setEnabled(true);
        // While the alert was open the date watch may have shown another month, and placed its
        // events itself: the rest of this plan belongs to boxes that now hold other days.
        if (ViewMonth != month || ViewYear != year || Start_Box(ViewMonth, ViewYear) != first_box)
            return;
    }
    Show_Events(*this, *index, plan.after_alert, first_box);
    Show_Remote_Days(noted);
    if (plan.load_error || !read_ok)
        Show_Load_Error();
}

// Also the month view's placing of one record: a rebuild starts from boxes without underlines.
void Main_Frm::Show_Box_Event(qint16 index, const QString& stored, bool has_event) {
    if (index < 0 || index >= Box_Count)
        return;
    // A day's remote events follow its own note, in the caption and in the tooltip.
    const QList<RemoteDayEvent> remote = Remote_Day(Box_Date(index));
    const QString caption = Join_Lines(stored, Remote_Caption_Text(remote, QLocale()));
    if (Settings.Tooltips == 1) {
        const QString tip = Plain_Tooltip(
            Join_Lines(Unescape_Event_Text(stored), Remote_Tip_Text(remote, QLocale())));
        Box_Caption_Lbl[index]->setToolTip(tip);
        Box_Lbl[index]->setToolTip(tip);
    }
    const bool pack_style = Settings.Use_Themes == 1 && Settings.Use_Theme_Style == 1;
    const bool underline = has_event && Settings.Style == 2 && !pack_style;
    if (Box_Lbl[index]->font().underline() != underline) {
        QFont font = Box_Lbl[index]->font();
        font.setUnderline(underline);
        Box_Lbl[index]->setFont(font);
    }
    DotDotDot(caption, Box_Caption_Lbl[index]);
    Box_Caption_Lbl[index]->Set_Tint(remote.isEmpty() ? -1 : Caption_Lines(stored, index),
                                     remote.isEmpty() ? 0 : remote.first().colour);
}

bool Main_Frm::Enter_Date(const QString& record) {
    return Enter_Date(record, Current_Clock().Today());
}

bool Main_Frm::Enter_Date(QStringView record, const QDate& today) {
    EventDay event;
    if (!Parse_Event_Record(record, &event, false))
        return false;
    const bool shown = Shown_In_Month(event, ViewMonth, ViewYear);
    const bool alert = Settings.Show_Alerts == 1 && !Alert_Shown && Falls_Today(event, today);
    if (!shown && !alert)
        return true;
    Parse_Event_Record(record, &event);

    if (shown) {
        const int box = Start_Box(ViewMonth, ViewYear) + event.day - 1;
        // A day that no box can hold is as malformed as a day that isn't a number.
        if (box < 0 || box >= Box_Count)
            return false;
        Show_Box_Event(qint16(box), event.text, true);
    }

    if (alert) {
        // No clicks on the grid while the alert is open.
        setEnabled(false);
        Msg_Box(Alert_Text(event.text, today), MsgButtons::Ok, MsgIcon::Information,
                QStringLiteral("Almanor"));
        Alert_Shown = true;
        setEnabled(true);
    }
    return true;
}

namespace {
// The width measure of a window's font in twips. The font's metrics and the screen's scale are
// looked up once per caption rather than once per measured piece of text: fitting one caption
// measures dozens of pieces.
Text_Width Window_Text_Width(const QWidget& window, const TwipScale& scale) {
    return [metrics = QFontMetrics(window.font()),
            per_pixel = scale.Twips_Per_Pixel_X()](const QString& text) {
        const int pixels = metrics.horizontalAdvance(Unescape_Event_Text(text));
        return qint32(std::nearbyint(pixels * per_pixel));
    };
}
} // namespace

qint32 Main_Frm::Text_Width(const QString& text) const {
    return Window_Text_Width(*this, Scale())(text);
}

qint16 Main_Frm::DDD_Style() const {
    return ::DDD_Style(Settings);
}

void Main_Frm::DotDotDot(const QString& text, QLabel* label) {
    const TwipScale scale = Scale();
    const qint32 label_width = scale.X_Twips(label->width());
    DotDotDot_Lbl->setText(text);
    label->setText(::DotDotDot(text, label_width, DDD_Style(), Window_Text_Width(*this, scale)));
    DotDotDot_Lbl->setText(text);
}

void Main_Frm::Get_Line(QLabel* label) {
    const TwipScale scale = Scale();
    const qint32 label_width = scale.X_Twips(label->width());
    DotDotDot_Lbl->setText(
        ::Get_Line(DotDotDot_Lbl->text(), label_width, Window_Text_Width(*this, scale)));
}

// The lines the note alone takes in a box's caption: the remote events start below them.
int Main_Frm::Caption_Lines(const QString& stored, qint16 index) const {
    if (stored.isEmpty())
        return 0;
    const TwipScale scale = Scale();
    const QString fitted = ::DotDotDot(stored, scale.X_Twips(Box_Caption_Lbl[index]->width()),
                                       DDD_Style(), Window_Text_Width(*this, scale));
    QStringList lines = fitted.split(QStringLiteral("\r\n"));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return int(lines.size());
}
