// One calendar at a time: a second start closes the first, a copy that crashed leaves nothing
// behind that stops the next start, and only the same user can close a calendar.
#include "calendar/SingleInstance.h"
#include "common/CalendarWorld.h"
#include "common/TestMain.h"
#include "platform/InstanceChannel.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <csignal>
#include <cstring>
#include <grp.h>
#include <sys/socket.h>
#include <sys/stat.h>
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

sockaddr_un Address_Of(const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, bytes.constData(), size_t(bytes.size()));
    return address;
}

// A child process that takes the name as the calendar does, then is killed without any
// chance to clean up.
void Crash_While_Holding(const QString& name) {
    const sockaddr_un address = Address_Of(Instance_Socket_Path(name));
    const pid_t child = fork();
    if (child == 0) {
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd < 0 || bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
            listen(fd, 4) != 0)
            _exit(1);
        for (;;)
            pause();
    }
    QVERIFY(child > 0);
    // The name is taken once the kernel lists it; wait for that before the crash.
    QTRY_VERIFY_WITH_TIMEOUT(Instance_Running(name), 5000);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    QVERIFY(WIFSIGNALED(status));
}
// Runs in a child process as the user "nobody": connects to path and sends "close". The exit
// code tells how far it got: 0 sent, 1 could not become nobody, 2 could not connect, 3 could
// not write.
int Close_As_Nobody(const QString& path) {
    const sockaddr_un address = Address_Of(path);
    const pid_t child = fork();
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
            _exit(1);
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd < 0 || connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
            _exit(2);
        _exit(write(fd, "close\n", 6) == 6 ? 0 : 3);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Sets XDG_RUNTIME_DIR for one test and puts the old value back.
class RuntimeDir {
  public:
    explicit RuntimeDir(const QString& path)
        : had_(qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")), old_(qgetenv("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(path));
    }
    ~RuntimeDir() {
        if (had_)
            qputenv("XDG_RUNTIME_DIR", old_);
        else
            qunsetenv("XDG_RUNTIME_DIR");
    }

  private:
    bool had_;
    QByteArray old_;
};
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

    void Only_The_Same_User_Can_Ask_To_Close() {
        if (geteuid() != 0)
            QSKIP("needs root to run a peer as another user");
        // A folder everybody may enter and a socket everybody may write to, so that only the
        // listener's check of the peer's credentials stands between another user and the close.
        QTemporaryDir open_dir;
        QVERIFY(open_dir.isValid());
        QVERIFY(QFile::setPermissions(open_dir.path(),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                          QFileDevice::ExeOther));
        const QString path = open_dir.path() + QStringLiteral("/channel");
        InstanceListener listener(path);
        QVERIFY(listener.Listen());
        QVERIFY(chmod(QFile::encodeName(path).constData(), 0777) == 0);
        QSignalSpy lines(&listener, &InstanceListener::Line_Received);
        QCOMPARE(Close_As_Nobody(path), 0);
        QTest::qWait(300);
        QCOMPARE(lines.count(), 0);
        // The same user is obeyed.
        QVERIFY(Send_Instance_Line(path, "close"));
        QTRY_COMPARE(lines.count(), 1);
        QCOMPARE(lines.at(0).at(0).toByteArray(), QByteArray("close"));

        // The calendar's own channel: another user can't even reach it.
        CalendarWorld world;
        const QString name = Test_Name();
        Main_Frm calendar;
        calendar.Form_Load(Single_Instance(name));
        calendar.show();
        QVERIFY(calendar.Instance()->Listening());
        QCOMPARE(Close_As_Nobody(Instance_Socket_Path(name)), 2);
        QTest::qWait(200);
        QVERIFY(calendar.isVisible());
        QVERIFY(Send_Close(name));
        QTRY_VERIFY(!calendar.isVisible());
    }

    void A_Live_Socket_Is_Neither_Taken_Nor_Removed_By_Another_Copy() {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/channel");
        auto older = std::make_unique<InstanceListener>(path);
        QVERIFY(older->Listen());
        QSignalSpy lines(older.get(), &InstanceListener::Line_Received);
        // A starting copy finds a live listener there and leaves its socket alone.
        InstanceListener starting(path);
        QVERIFY(!starting.Listen());
        QVERIFY(Send_Instance_Line(path, "close"));
        QTRY_COMPARE(lines.count(), 1);

        // A newer copy already has its own socket at the path when the older one goes.
        QVERIFY(QFile::remove(path));
        auto newer = std::make_unique<InstanceListener>(path);
        QVERIFY(newer->Listen());
        older.reset();
        QVERIFY(Instance_Listening(path));
        newer.reset();
        QVERIFY(!QFileInfo::exists(path));
    }

    void A_Path_Needs_Room_For_Its_Terminating_Nul() {
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        const qsizetype room = qsizetype(sizeof(sockaddr_un::sun_path));
        const QString fits = folder + QString(room - 1 - folder.size(), QLatin1Char('s'));
        InstanceListener longest(fits);
        QVERIFY(longest.Listen());
        InstanceListener too_long(fits + QLatin1Char('s'));
        QVERIFY(!too_long.Listen());
    }

    void The_Channel_Lives_In_A_Private_Folder() {
        QTemporaryDir root;
        const QString runtime = root.path() + QStringLiteral("/runtime");
        QVERIFY(QDir().mkdir(runtime));
        RuntimeDir env(runtime);
        QVERIFY(QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner));
        QCOMPARE(Instance_Socket_Path(QStringLiteral("x")), runtime + QStringLiteral("/x"));
        // A runtime folder others can enter is not used: a private folder of ours is.
        QVERIFY(QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner | QFileDevice::ExeOther));
        const QString fallback = Instance_Socket_Path(QStringLiteral("x"));
        QVERIFY(!fallback.startsWith(runtime));
        QVERIFY(!fallback.isEmpty());
        struct stat info {};
        QVERIFY(lstat(QFile::encodeName(QFileInfo(fallback).path()).constData(), &info) == 0);
        QCOMPARE(info.st_uid, geteuid());
        QCOMPARE(info.st_mode & 0777, 0700u);
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(Instance_Socket_Path(QStringLiteral("x")), fallback);
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
