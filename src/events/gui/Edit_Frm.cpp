#include "events/gui/Edit_Frm.h"

#include "calendar/TwipScale.h"
#include "calendar/gui/ColourLabel.h"
#include "calendar/gui/Main_Frm.h"
#include "events/EditorClose.h"
#include "events/EditorText.h"
#include "events/EventFileLock.h"
#include "events/EventStore.h"
#include "events/NoteJoin.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {
QFont Arial() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

// Length as the event file counts it: a line break is CR LF, two characters.
qsizetype Stored_Length(const QString& plain) {
    return plain.size() + plain.count(QLatin1Char('\n'));
}
} // namespace

Edit_Frm::Edit_Frm(Main_Frm* calendar) : QWidget(nullptr, Qt::Window), calendar_(calendar) {
    setObjectName(QStringLiteral("Edit_Frm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Editor_Title(0, 0));

    Date_Lbl = new QLabel(this);
    Date_Lbl->setObjectName(QStringLiteral("Date_Lbl"));
    Message_Txt = new QPlainTextEdit(this);
    Message_Txt->setObjectName(QStringLiteral("Message_Txt"));
    Message_Txt->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Message_Txt->setTabChangesFocus(true);
    Every_Year_Chk = new QCheckBox(QStringLiteral("Every year"), this);
    Every_Year_Chk->setObjectName(QStringLiteral("Every_Year_Chk"));
    Ok_Btn = new QPushButton(QStringLiteral("&OK"), this);
    Ok_Btn->setObjectName(QStringLiteral("Ok_Btn"));
    Cancel_Btn = new QPushButton(QStringLiteral("Cancel"), this);
    Cancel_Btn->setObjectName(QStringLiteral("Cancel_Btn"));
    Apply_Btn = new QPushButton(QStringLiteral("Apply"), this);
    Apply_Btn->setObjectName(QStringLiteral("Apply_Btn"));
    Apply_Btn->setEnabled(false);
    for (QWidget* control : {static_cast<QWidget*>(Date_Lbl), static_cast<QWidget*>(Message_Txt),
                             static_cast<QWidget*>(Every_Year_Chk)})
        control->setFont(Arial());

    const TwipScale scale = TwipScale::For_Screen(screen());
    Date_Lbl->setGeometry(scale.Pixels(TwipRect{45, 90, 4830, 285}));
    Message_Txt->setGeometry(scale.Pixels(TwipRect{45, 450, 4830, 2040}));
    Every_Year_Chk->setGeometry(scale.Pixels(TwipRect{90, 2680, 1140, 210}));
    Ok_Btn->setGeometry(scale.Pixels(TwipRect{1305, 2610, 1140, 330}));
    Cancel_Btn->setGeometry(scale.Pixels(TwipRect{2520, 2610, 1140, 330}));
    Apply_Btn->setGeometry(scale.Pixels(TwipRect{3735, 2610, 1140, 330}));
    // The check box's design height is smaller than its text on most fonts: let it grow.
    Every_Year_Chk->adjustSize();
    Every_Year_Chk->move(scale.X_Pixels(90),
                         scale.Y_Pixels(2610) +
                             (scale.Y_Pixels(330) - Every_Year_Chk->height()) / 2);
    setFixedSize(scale.X_Pixels(4965), scale.Y_Pixels(3045));

    Message_Txt->installEventFilter(this);
    connect(Message_Txt, &QPlainTextEdit::textChanged, this, &Edit_Frm::Message_Txt_Change);
    connect(Ok_Btn, &QPushButton::clicked, this, &Edit_Frm::Ok_Btn_Click);
    connect(Apply_Btn, &QPushButton::clicked, this, [this] { Apply_Btn_Click(); });
    connect(Cancel_Btn, &QPushButton::clicked, this, &Edit_Frm::Cancel_Btn_Click);
}

QString Edit_Frm::Message_Text() const {
    QString text = Message_Txt->toPlainText();
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void Edit_Frm::Set_Message_Text(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    allowed_length_ = std::max(Max_Event_Length, Stored_Length(plain));
    Message_Txt->setPlainText(plain);
}

void Edit_Frm::Open_Day(const QDate& day) {
    if (!calendar_ || !day.isValid())
        return;
    day_ = day;
    EventStore& store = calendar_->Temp_Lst;
    store.current_key = Event_Key(day);
    Message_Txt->clear();
    // Meeting an every-year record ticks the box; nothing here unticks it.
    store.every_year = Every_Year_Chk->isChecked();
    const QString stored = store.Get_Message(true);
    Every_Year_Chk->setChecked(store.every_year);
    opened_every_year_ = store.every_year;
    opened_text_ = stored;
    Set_Message_Text(Unescape_Event_Text(stored));
    Apply_Btn->setEnabled(false);
    Date_Lbl->setText(Editor_Date_Text(day));
    Ok_Btn->setDefault(Enter_Saves());
    show();
    raise();
    activateWindow();
    Message_Txt->setFocus();
    Message_Txt->selectAll();
}

void Edit_Frm::Message_Txt_Change() {
    if (limiting_)
        return;
    Keep_Within_Limit();
    const QString text = Message_Text();
    setWindowTitle(Editor_Title(text.size(), CountWords(text)));
    Apply_Btn->setEnabled(true);
}

void Edit_Frm::Keep_Within_Limit() {
    // Like a text box with a maximum length: what was just typed or pasted past the limit is
    // dropped, the rest of the text stays.
    const qsizetype length = Stored_Length(Message_Txt->toPlainText());
    qsizetype excess = length - std::max(Max_Event_Length, allowed_length_);
    if (excess <= 0) {
        allowed_length_ = std::max(Max_Event_Length, length);
        return;
    }
    limiting_ = true;
    QTextCursor cursor = Message_Txt->textCursor();
    while (excess > 0 && !Message_Txt->document()->isEmpty()) {
        if (cursor.atStart())
            cursor.movePosition(QTextCursor::End);
        const QChar gone = Message_Txt->document()->characterAt(cursor.position() - 1);
        cursor.deletePreviousChar();
        excess -= (gone == QChar::ParagraphSeparator || gone == QLatin1Char('\n')) ? 2 : 1;
    }
    Message_Txt->setTextCursor(cursor);
    limiting_ = false;
}

bool Edit_Frm::Enter_Saves() const {
    return !calendar_ || calendar_->Settings.Carriage_Return != 1;
}

namespace {
bool Is_Enter_Key(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

// Enter of either key, alone or with Shift: what a dialog takes as Enter. Ctrl+Enter stays the
// way to break a line in a box whose Enter saves.
bool Is_Enter(const QKeyEvent& key) {
    const Qt::KeyboardModifiers others =
        key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    return Is_Enter_Key(key) && others == Qt::NoModifier;
}

bool Is_Ctrl_Enter(const QKeyEvent& key) {
    return Is_Enter_Key(key) && (key.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}
} // namespace

bool Edit_Frm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Message_Txt && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (Is_Enter(*key) && Enter_Saves()) {
            Ok_Btn_Click();
            return true;
        }
        // The text box itself ignores Ctrl+Enter.
        if (Is_Ctrl_Enter(*key)) {
            Message_Txt->textCursor().insertBlock();
            return true;
        }
        if (key->key() == Qt::Key_A && key->modifiers() == Qt::ControlModifier) {
            Message_Txt->selectAll();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Edit_Frm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Cancel_Btn_Click();
        return;
    }
    if (Is_Enter(*event)) {
        // Enter on a focused button presses that button, as in every dialog: Enter on Cancel
        // must not save.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            if (button->isEnabled())
                button->click();
            return;
        }
        if (Enter_Saves()) {
            Ok_Btn_Click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

bool Edit_Frm::Apply_Btn_Click() {
    if (!calendar_ || !day_.isValid()) {
        close();
        return false;
    }
    QString typed = Message_Text();
    if (typed.contains(QLatin1Char('"'))) {
        typed.replace(QLatin1Char('"'), QLatin1Char('\''));
        Set_Message_Text(typed);
    }
    EventStore& store = calendar_->Temp_Lst;
    // Other actions (F1, a balloon, "Clear") move the store's current day while the editor is
    // open; the editor saves the day it shows.
    store.current_key = Event_Key(day_);
    store.every_year = Every_Year_Chk->isChecked();
    {
        // The note sync writes calendar.dat from its own process: neither may write over a
        // change the other made between its reading and its writing.
        EventFileLock lock(store.Path());
        store.Load_File();
        const QString text =
            Editor_Save_Text(opened_text_, store.Get_Message(false), Escape_Event_Text(typed));
        if (!store.Check_For_Pre(text))
            return false;
        opened_text_ = text;
        typed = Unescape_Event_Text(text);
    }
    calendar_->Notes_Changed();
    Show_Saved_Text(typed);
    Apply_Btn->setEnabled(false);
    calendar_->Alert_Shown = true;
    close();
    return true;
}

void Edit_Frm::Show_Saved_Text(const QString& typed) {
    Main_Frm& calendar = *calendar_;
    // The box belongs to the editor's day only while that month is shown; after a month step the
    // new month is drawn from the file anyway.
    const qint16 index = calendar.Box_Index(day_);
    if (index < 0)
        return;
    if (!typed.isEmpty()) {
        calendar.Show_Box_Event(index, Escape_Event_Text(typed), true);
        return;
    }
    // Removing the shown record leaves the day's other record (a dated one under an every-year
    // one) as what the day shows.
    const EventStore& store = calendar.Temp_Lst;
    const DayRecord left = Find_Day_Record(store.records, store.current_key);
    calendar.Show_Box_Event(index,
                            left.index >= 0 ? Record_Text(store.records.at(left.index)) : QString(),
                            left.index >= 0);
}

void Edit_Frm::Ok_Btn_Click() {
    Apply_Btn_Click();
}

bool Edit_Frm::Save_Before_Close() {
    if (!calendar_ || closed_)
        return true;
    const EditorHolding holding{day_, Message_Text(), Every_Year_Chk->isChecked(),
                                Apply_Btn->isEnabled() ||
                                    Every_Year_Chk->isChecked() != opened_every_year_};
    EventStore& store = calendar_->Temp_Lst;
    if (!holding.changed)
        return true;
    if (!store.Load_File())
        return false;
    if (!::Save_Before_Close(holding, store.records))
        return true;
    return Apply_Btn_Click();
}

void Edit_Frm::Cancel_Btn_Click() {
    close();
}

void Edit_Frm::closeEvent(QCloseEvent* event) {
    closed_ = true;
    if (calendar_ && calendar_->Settings.Auto_Compact == 1 && !calendar_->Compacted)
        calendar_->Update_Timeout();
    event->accept();
}
