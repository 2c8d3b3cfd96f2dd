#include "calendar/gui/PopMenu_Mod.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace {

// A real menu, centred across the pointer, opened by either button and answering the chosen
// identifier.
class QtPopMenu final : public PopMenuPresenter {
  public:
    qint32 Track(const QList<PopMenuItem>& items, QWidget* owner) override {
        QMenu menu(owner);
        for (const PopMenuItem& item : items) {
            QAction* action = menu.addAction(item.icon, item.text);
            action->setData(item.id);
        }
        const QPoint at = QCursor::pos() - QPoint(menu.sizeHint().width() / 2, 0);
        QAction* chosen = menu.exec(at);
        return chosen ? chosen->data().toInt() : 0;
    }
};

QtPopMenu qt_menu;
PopMenuPresenter* current = &qt_menu;

} // namespace

qint32 Track_Popup_Menu(const QList<PopMenuItem>& items, QWidget* owner) {
    return current->Track(items, owner);
}

void Set_Pop_Menu_Presenter(PopMenuPresenter* presenter) {
    current = presenter ? presenter : &qt_menu;
}

PopMenuRecorder::PopMenuRecorder() : previous_(current) {
    Set_Pop_Menu_Presenter(this);
}

PopMenuRecorder::~PopMenuRecorder() {
    Set_Pop_Menu_Presenter(previous_);
}

qint32 PopMenuRecorder::Track(const QList<PopMenuItem>& items, QWidget*) {
    shown.append(items);
    if (choices_.empty())
        return 0;
    const qint32 id = choices_.front();
    choices_.pop_front();
    return id;
}
