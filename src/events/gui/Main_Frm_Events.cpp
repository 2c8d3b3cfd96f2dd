// The events of calendar.dat on the calendar window's month: captions, tooltips, underlines and
// the "Today: " alert.
#include "calendar/gui/Main_Frm.h"

#include "calendar/Clock.h"
#include "calendar/MsgBox.h"
#include "calendar/gui/ColourLabel.h"
#include "events/CaptionFit.h"
#include "events/MonthEvents.h"

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

void Main_Frm::Load_Dates() {
    Clear_Tooltips();
    QByteArray bytes;
    const bool read_ok = Read_Event_Bytes(Temp_Lst.Path(), &bytes);
    const QDate today = Current_Clock().Today();
    // Records are looked at in place: a large file costs no copy of each record.
    bool malformed = false;
    For_Each_Event_Record(bytes, [&](QStringView record) {
        malformed = !Enter_Date(record, today);
        return !malformed;
    });
    if (malformed || !read_ok)
        Show_Load_Error();
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
        if (Settings.Tooltips == 1) {
            const QString tip = Plain_Tooltip(Unescape_Event_Text(event.text));
            Box_Caption_Lbl[box]->setToolTip(tip);
            Box_Lbl[box]->setToolTip(tip);
        }
        DotDotDot(event.text, Box_Caption_Lbl[box]);
        const bool pack_style = Settings.Use_Themes == 1 && Settings.Use_Theme_Style == 1;
        if (Settings.Style == 2 && !pack_style) {
            QFont font = Box_Lbl[box]->font();
            font.setUnderline(true);
            Box_Lbl[box]->setFont(font);
        }
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

qint32 Main_Frm::Text_Width(const QString& text) const {
    const int pixels = QFontMetrics(font()).horizontalAdvance(Unescape_Event_Text(text));
    return qint32(std::nearbyint(pixels * Scale().Twips_Per_Pixel_X()));
}

qint16 Main_Frm::DDD_Style() const {
    return ::DDD_Style(Settings);
}

void Main_Frm::DotDotDot(const QString& text, QLabel* label) {
    const qint32 label_width = Scale().X_Twips(label->width());
    DotDotDot_Lbl->setText(text);
    label->setText(::DotDotDot(text, label_width, DDD_Style(),
                               [this](const QString& s) { return Text_Width(s); }));
    DotDotDot_Lbl->setText(text);
}

void Main_Frm::Get_Line(QLabel* label) {
    const qint32 label_width = Scale().X_Twips(label->width());
    DotDotDot_Lbl->setText(::Get_Line(DotDotDot_Lbl->text(), label_width,
                                      [this](const QString& s) { return Text_Width(s); }));
}
