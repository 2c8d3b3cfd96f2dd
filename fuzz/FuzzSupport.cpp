#include "FuzzSupport.h"

#include "calendar/MsgBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <unistd.h>

namespace {

class SilentMsgBox final : public MsgBoxPresenter {
  public:
    MsgAnswer Show(const MsgBoxRequest& request) override {
        return Default_Answer(request.buttons);
    }
};

} // namespace

void Fuzz_Init() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static SilentMsgBox silent;
    Set_Msg_Box_Presenter(&silent);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // The readers of the settings file look in the user's configuration folder.
    qputenv("XDG_CONFIG_HOME", (Fuzz_Dir() + QStringLiteral("/config")).toUtf8());
}

QString Fuzz_Dir() {
    static const QString dir = [] {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                       : QDir::tempPath();
        const QString path = base + QStringLiteral("/almanor-fuzz-%1").arg(getpid());
        QDir().mkpath(path);
        return path;
    }();
    return dir;
}

QString Fuzz_File(const QString& name, const QByteArray& data) {
    const QString path = Fuzz_Dir() + QLatin1Char('/') + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(data);
    return path;
}
