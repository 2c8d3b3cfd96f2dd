#include "calendar/MsgBox.h"
#include "calendar/gui/Main_Frm.h"
#include "calendar/gui/QtMsgBoxPresenter.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Wayland lets no program place or stack its own windows: run through XWayland there.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // Every window here is drawn by the processor: loading the OpenGL libraries at start-up
    // would only cost time and memory.
    if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
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
