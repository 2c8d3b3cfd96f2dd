#pragma once

#include <QDate>
#include <QPointer>
#include <QWidget>

class Main_Frm;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The event editor: the text of one day, its "Every year" tick and a live count of characters
// and words in the title. Created on first use and destroyed when closed.
class Edit_Frm : public QWidget {
    Q_OBJECT
  public:
    explicit Edit_Frm(Main_Frm* calendar);

    // Shows the event of day (a box of the calendar's shown month) and selects all of it.
    void Open_Day(const QDate& day);
    // Saves the text for the editor's day, updates the day's box and closes the editor. A save
    // that fails keeps the editor open with the text, so nothing typed is lost; returns false
    // then.
    bool Apply_Btn_Click();
    void Ok_Btn_Click();
    void Cancel_Btn_Click();
    // Before the calendar closes at another program's request or at the end of the session:
    // saves the text as OK would when the user changed it and it differs from what is stored.
    // False when that save failed (the editor stays open with the text).
    bool Save_Before_Close();

    // The text as the event file holds its lines: line breaks as CR LF, one "&" per ampersand.
    QString Message_Text() const;
    void Set_Message_Text(const QString& text);
    QDate Day() const { return day_; }
    bool Closed() const { return closed_; }

    QLabel* Date_Lbl = nullptr;
    QPlainTextEdit* Message_Txt = nullptr;
    QCheckBox* Every_Year_Chk = nullptr;
    QPushButton* Ok_Btn = nullptr;
    QPushButton* Apply_Btn = nullptr;
    QPushButton* Cancel_Btn = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Message_Txt_Change();
    void Keep_Within_Limit();
    bool Enter_Saves() const;
    void Show_Saved_Text(const QString& typed);

    QPointer<Main_Frm> calendar_;
    QDate day_;
    bool closed_ = false;
    // The tick as the day was opened: changing it alone is a change OK would save.
    bool opened_every_year_ = false;
    // The stored text as the day was opened: a save compares the file's text with it, so that a
    // change the note sync brought in meanwhile is kept rather than overwritten.
    QString opened_text_;
    bool limiting_ = false;
    // The longest text the box keeps: the limit, or a longer stored text as it was opened (the
    // limit is for typing; a stored text is never cut), shrinking as the user shortens it.
    qsizetype allowed_length_ = 0;
};
