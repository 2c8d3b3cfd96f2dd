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
    // The windows are small: their pictures go to the X server over the socket as fast as through
    // shared memory, and without the server's completion message for each one a redraw of the
    // title clock wakes only the main thread, not also the connection's reader thread.
    if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
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
