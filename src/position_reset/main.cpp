#include "calendar/MsgBox.h"
#include "calendar/gui/QtMsgBoxPresenter.h"
#include "position_reset/PositionResetCore.h"

#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QtMsgBoxPresenter presenter;
    Set_Msg_Box_Presenter(&presenter);
    const int result = Run_Position_Reset(Real_Reset_Steps());
    Set_Msg_Box_Presenter(nullptr);
    return result;
}
