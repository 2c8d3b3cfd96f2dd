#include "calendar/MsgBox.h"
#include "calendar/gui/Main_Frm.h"
#include "calendar/gui/QtMsgBoxPresenter.h"
#include "platform/TerminationWatch.h"

#include <QApplication>
#include <QSessionManager>

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
        // The end of the session must not lose what the editor holds: the session manager first
        // asks the program to save (commitDataRequest), then ends it, politely or by a signal.
        TerminationWatch termination;
        QObject::connect(&termination, &TerminationWatch::Termination_Requested, &window,
                         &Main_Frm::Close_On_Request);
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                         [&window](QSessionManager&) { window.Save_Open_Work(); });
        QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &Main_Frm::Save_Open_Work);
        window.show();
        result = app.exec();
    }
    Set_Msg_Box_Presenter(nullptr);
    return result;
}
