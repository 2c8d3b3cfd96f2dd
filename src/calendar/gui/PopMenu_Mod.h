#pragma once

#include <QIcon>
#include <QList>
#include <QString>

#include <deque>

class QWidget;

// One item of a pop-up menu: its identifier, text and (optional) picture.
struct PopMenuItem {
    qint32 id = 0;
    QString text;
    QIcon icon;
};

// Shows a pop-up menu at the mouse pointer and returns the chosen item's identifier, or 0 when
// the menu was dismissed. The program uses a real menu; tests install a recorder.
class PopMenuPresenter {
  public:
    virtual ~PopMenuPresenter() = default;
    virtual qint32 Track(const QList<PopMenuItem>& items, QWidget* owner) = 0;
};

// The one way the program shows a pop-up menu. The menu exists only during the call.
qint32 Track_Popup_Menu(const QList<PopMenuItem>& items, QWidget* owner);

// Installs presenter (not owned); nullptr restores the real menu.
void Set_Pop_Menu_Presenter(PopMenuPresenter* presenter);

// Test hook: records every menu shown and answers from a queue (then 0, a dismissed menu).
// Installs itself while it lives.
class PopMenuRecorder final : public PopMenuPresenter {
  public:
    PopMenuRecorder();
    ~PopMenuRecorder() override;
    PopMenuRecorder(const PopMenuRecorder&) = delete;
    PopMenuRecorder& operator=(const PopMenuRecorder&) = delete;

    qint32 Track(const QList<PopMenuItem>& items, QWidget* owner) override;
    void Set_Next_Choice(qint32 id) { choices_.push_back(id); }

    QList<QList<PopMenuItem>> shown;

  private:
    std::deque<qint32> choices_;
    PopMenuPresenter* previous_;
};
