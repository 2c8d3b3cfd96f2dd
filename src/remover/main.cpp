#include "calendar/CalendarLink.h"
#include "calendar/MsgBox.h"
#include "calendar/gui/QtMsgBoxPresenter.h"
#include "remover/Main_Frm.h"

#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QtMsgBoxPresenter presenter;
    Set_Msg_Box_Presenter(&presenter);

    // The calendar must not write calendar.dat while it is being removed; it isn't waited for.
    Ask_Calendar_To_Close();

    int result = 0;
    {
        remover::Main_Frm window;
        if (window.Start()) {
            window.show();
            result = app.exec();
        }
    }
    Set_Msg_Box_Presenter(nullptr);
    return result;
}
