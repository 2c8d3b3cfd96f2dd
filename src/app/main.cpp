#include "calendar/MsgBox.h"
#include "calendar/gui/Main_Frm.h"
#include "calendar/gui/QtMsgBoxPresenter.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Wayland lets no program place or stack its own windows: run through XWayland there.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QCoreApplication::setApplicationName(QStringLiteral("Almanor Loading"));
    QApplication app(argc, argv);
    QtMsgBoxPresenter presenter;
    Set_Msg_Box_Presenter(&presenter);

    int result = 0;
    {
        Main_Frm window;
        window.Form_Load();
        window.show();
        result = app.exec();
    }
    Set_Msg_Box_Presenter(nullptr);
    return result;
}
