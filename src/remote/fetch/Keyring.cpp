#include "Keyring.h"

#include <QEventLoop>

#if ALMANOR_KEYRING
#include <qt6keychain/keychain.h>
#endif

namespace {
const QString Service = QStringLiteral("Almanor");

// One entry per address and user: two calendars of one server and user share it.
QString Keyring_Key(const RemoteCalendar& calendar) {
    return calendar.user + QLatin1Char('@') + calendar.url;
}

#if ALMANOR_KEYRING
void Run(QKeychain::Job& job) {
    QEventLoop loop;
    job.setAutoDelete(false);
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
}
#endif
} // namespace

bool Store_Keyring_Password(const RemoteCalendar& calendar, const QString& password,
                            QString* error) {
#if ALMANOR_KEYRING
    QKeychain::WritePasswordJob job(Service);
    job.setKey(Keyring_Key(calendar));
    job.setTextData(password);
    Run(job);
    if (job.error() == QKeychain::NoError)
        return true;
    *error = job.errorString();
    return false;
#else
    Q_UNUSED(calendar);
    Q_UNUSED(password);
    *error = QStringLiteral("This build keeps no passwords in a keyring.");
    return false;
#endif
}

std::optional<QString> Read_Keyring_Password(const RemoteCalendar& calendar) {
#if ALMANOR_KEYRING
    QKeychain::ReadPasswordJob job(Service);
    job.setKey(Keyring_Key(calendar));
    Run(job);
    if (job.error() == QKeychain::NoError)
        return job.textData();
#else
    Q_UNUSED(calendar);
#endif
    return std::nullopt;
}
