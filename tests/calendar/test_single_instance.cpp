// One calendar at a time: a second start closes the first, and a copy that crashed leaves
// nothing behind that stops the next start.
#include "common/CalendarWorld.h"
#include "calendar/SingleInstance.h"
#include "common/TestMain.h"

#include <QLocalSocket>
#include <QTest>
#include <QUuid>

#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// A name of this test's own, so no calendar really running is ever asked to close.
QString Test_Name() {
    return QStringLiteral("Almanor-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

StartOptions Single_Instance(const QString& name) {
    StartOptions options;
    options.splash = false;
    options.move_run_entry = false;
    options.single_instance = true;
    options.instance_name = name;
    return options;
}

bool Name_Taken(const QString& name) {
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(name);
    return socket.waitForConnected(100);
}

// A child process that takes the name as the calendar does, then is killed without any
// chance to clean up.
void Crash_While_Holding(const QString& name) {
    const QByteArray bytes = name.toUtf8();
    const pid_t child = fork();
    if (child == 0) {
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path + 1, bytes.constData(), size_t(bytes.size()));
        const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + size_t(bytes.size()));
        if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            listen(fd, 4) != 0)
            _exit(1);
        for (;;)
            pause();
    }
    QVERIFY(child > 0);
    // The name is taken once the kernel lists it; wait for that before the crash.
    QTRY_VERIFY_WITH_TIMEOUT(Name_Taken(name), 5000);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    QVERIFY(WIFSIGNALED(status));
}
} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT
  private slots:
    void Second_Start_Closes_The_First() {
        CalendarWorld world;
        const QString name = Test_Name();
        auto first = std::make_unique<Main_Frm>();
        first->Form_Load(Single_Instance(name));
        first->show();
        QVERIFY(first->Instance()->Listening());

        Main_Frm second;
        second.Form_Load(Single_Instance(name));
        second.show();
        QTRY_VERIFY(!first->isVisible());
        QCOMPARE(second.windowTitle(), QStringLiteral("Almanor"));
        QVERIFY(second.isVisible());
        // Once the first copy has gone, the second one answers to the name.
        first.reset();
        QTRY_VERIFY(second.Instance()->Listening());
        // A third start, or a companion program, closes the second.
        QVERIFY(Send_Close(name));
        QTRY_VERIFY(!second.isVisible());
    }

    void A_Crashed_Copy_Does_Not_Block_The_Next_Start() {
        CalendarWorld world;
        const QString name = Test_Name();
        Crash_While_Holding(name);
        if (QTest::currentTestFailed())
            return;
        Main_Frm next;
        next.Form_Load(Single_Instance(name));
        next.show();
        QTRY_VERIFY(next.Instance()->Listening());
        QVERIFY(next.isVisible());
        QVERIFY(Send_Close(name));
        QTRY_VERIFY(!next.isVisible());
    }

    void Names_Differ_Per_Display() {
        const bool had = qEnvironmentVariableIsSet("DISPLAY");
        const QByteArray old = qgetenv("DISPLAY");
        qputenv("DISPLAY", ":7.0");
        const QString seven = Instance_Name();
        qputenv("DISPLAY", ":7");
        QCOMPARE(Instance_Name(), seven);
        qputenv("DISPLAY", "host.example.org:8.1");
        const QString eight = Instance_Name();
        QVERIFY(eight.endsWith(QStringLiteral("-host.example.org:8")));
        QVERIFY(seven != eight);
        if (had)
            qputenv("DISPLAY", old);
        else
            qunsetenv("DISPLAY");
    }
};

ALMANOR_TEST(SingleInstanceTest)
#include "test_single_instance.moc"
