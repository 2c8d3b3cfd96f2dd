#include "calendar/SingleInstance.h"

#include "platform/InstanceChannel.h"
#include "platform/UserId.h"

namespace {
const QByteArray Close_Message = QByteArrayLiteral("close");
// How often a starting copy tries again for the name while the old copy is still closing.
constexpr int Retry_Ms = 50;
} // namespace

QString Instance_Name(const QString& caption) {
    QString name = caption + QLatin1Char('-') + Current_User_Id();
    // ":0" and ":0.0" are the same desktop; the screen number after the dot is dropped.
    QString display = qEnvironmentVariable("DISPLAY");
    const qsizetype colon = display.lastIndexOf(QLatin1Char(':'));
    const qsizetype dot = display.indexOf(QLatin1Char('.'), colon + 1);
    if (colon >= 0 && dot > colon)
        display.truncate(dot);
    // The name is a file name: a display of a remote host must not make folders of it.
    display.replace(QLatin1Char('/'), QLatin1Char('_'));
    if (!display.isEmpty())
        name += QLatin1Char('-') + display;
    return name;
}

bool Send_Close(const QString& name) {
    const QString path = Instance_Socket_Path(name);
    return !path.isEmpty() && Send_Instance_Line(path, Close_Message);
}

bool Instance_Running(const QString& name) {
    const QString path = Instance_Socket_Path(name);
    return !path.isEmpty() && Instance_Listening(path);
}

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {
    retry_.setInterval(Retry_Ms);
    connect(&retry_, &QTimer::timeout, this, [this] {
        if (Try_Listen())
            retry_.stop();
    });
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Listening() const {
    return listener_ && listener_->Listening();
}

bool SingleInstance::Check_For_Multiple() {
    const bool closed_other = Send_Close(name_);
    if (!Try_Listen())
        retry_.start();
    return closed_other;
}

bool SingleInstance::Try_Listen() {
    if (Listening())
        return true;
    if (!listener_) {
        const QString path = Instance_Socket_Path(name_);
        if (path.isEmpty())
            return false;
        listener_ = new InstanceListener(path, this);
        connect(listener_, &InstanceListener::Line_Received, this, [this](const QByteArray& line) {
            if (line.trimmed() == Close_Message)
                emit Close_Requested();
        });
    }
    return listener_->Listen();
}
