// AlmanorFetch: refreshes the cache of the remote calendars and exits. The calendar starts it
// when a refresh is due, so that the calendar itself never loads network code.
//
//   AlmanorFetch [--all] [--calendar N]... [--settings FILE] [--cache FOLDER]
//   AlmanorFetch --discover URL [--user NAME] [--passwords]
//   AlmanorFetch --store-password URL --user NAME --passwords
//
// Without --all only the calendars whose refresh interval has passed are fetched. Passwords come
// on standard input, one line "N=password" per calendar number, when --passwords is given (never
// on the command line, where other users could read them). Prints one line per calendar and
// exits with 1 when any refresh failed. --discover lists the calendars a CalDAV server offers the
// user, one line "address<TAB>name<TAB>colour" each, for the settings window's Add (a password
// then comes on standard input, one line "0=password"), so that the settings window needs no
// network code either. --store-password puts the password ("0=password" on standard input) of
// an address and user into the desktop's keyring, and says why on standard error when it can't;
// a refresh takes the password of a calendar with a user name from the keyring when none came on
// standard input.
#include "calendar/SettingsStore.h"
#include "remote/RemoteCache.h"
#include "remote/net/CalDav.h"
#include "remote/net/RefreshAll.h"

#include "Keyring.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

namespace {

QHash<int, QString> Read_Passwords() {
    QHash<int, QString> passwords;
    QTextStream in(stdin);
    QString line;
    while (in.readLineInto(&line)) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        bool ok = false;
        const int number = line.left(equals).toInt(&ok);
        if (equals > 0 && ok)
            passwords.insert(number, line.mid(equals + 1));
    }
    return passwords;
}

int Discover(const QString& url, const QString& user, const QString& password) {
    QNetworkAccessManager network;
    int status = 0;
    // Started from the event loop: an answer that comes at once (a bad address) must still find
    // the loop running to end it.
    QTimer::singleShot(0, [&] {
        Discover_Calendars(network, url, user, password, {}, [&](const DiscoveryOutcome& outcome) {
            QTextStream out(stdout);
            for (const FoundCalendar& calendar : outcome.calendars)
                out << calendar.url << '\t' << calendar.name << '\t' << calendar.colour << '\n';
            if (!outcome.ok)
                QTextStream(stderr) << outcome.error << '\n';
            status = outcome.ok ? 0 : 1;
            out.flush();
            QCoreApplication::exit(status);
        });
    });
    QCoreApplication::exec();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("all"), QStringLiteral("Refresh every enabled calendar.")});
    parser.addOption({QStringLiteral("calendar"), QStringLiteral("Refresh calendar N only."),
                      QStringLiteral("N")});
    parser.addOption({QStringLiteral("passwords"),
                      QStringLiteral("Read N=password lines from standard input.")});
    parser.addOption({QStringLiteral("discover"),
                      QStringLiteral("List the calendars of a CalDAV server."),
                      QStringLiteral("URL")});
    parser.addOption({QStringLiteral("store-password"),
                      QStringLiteral("Keep the password of an address in the keyring."),
                      QStringLiteral("URL")});
    parser.addOption({QStringLiteral("user"), QStringLiteral("The user name for --discover."),
                      QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("settings"),
                      QStringLiteral("The settings file (default: the user's Almanor.ini)."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("cache"),
                      QStringLiteral("The cache folder (default: $XDG_CACHE_HOME/Almanor)."),
                      QStringLiteral("FOLDER")});
    parser.process(app);

    const QHash<int, QString> passwords =
        parser.isSet(QStringLiteral("passwords")) ? Read_Passwords() : QHash<int, QString>();
    if (parser.isSet(QStringLiteral("discover")))
        return Discover(parser.value(QStringLiteral("discover")),
                        parser.value(QStringLiteral("user")), passwords.value(0));
    if (parser.isSet(QStringLiteral("store-password"))) {
        RemoteCalendar calendar;
        calendar.url = parser.value(QStringLiteral("store-password"));
        calendar.user = parser.value(QStringLiteral("user"));
        QString error;
        if (Store_Keyring_Password(calendar, passwords.value(0), &error))
            return 0;
        QTextStream(stderr) << error << '\n';
        return 1;
    }

    const QList<RemoteCalendar> calendars = Read_Remote_Calendars(
        parser.isSet(QStringLiteral("settings")) ? parser.value(QStringLiteral("settings"))
                                                 : Settings_File_Path());
    const QString cache_dir = parser.isSet(QStringLiteral("cache"))
                                  ? parser.value(QStringLiteral("cache"))
                                  : Remote_Cache_Dir();
    const QDateTime now = QDateTime::currentDateTimeUtc();

    QList<int> chosen;
    for (const QString& value : parser.values(QStringLiteral("calendar"))) {
        const int number = value.toInt();
        if (number >= 1 && number <= calendars.size())
            chosen.append(number);
    }
    if (chosen.isEmpty())
        chosen = Due_Calendars(calendars, cache_dir, now, parser.isSet(QStringLiteral("all")));
    QList<RemoteCalendar> to_fetch;
    QHash<int, QString> their_passwords;
    for (int number : chosen) {
        const RemoteCalendar& calendar = calendars[number - 1];
        to_fetch.append(calendar);
        QString password = passwords.value(number);
        // Only a calendar with a user name asks the keyring: a plain subscription starts no D-Bus.
        if (password.isEmpty() && !calendar.user.isEmpty())
            password = Read_Keyring_Password(calendar).value_or(QString());
        their_passwords.insert(static_cast<int>(to_fetch.size()), password);
    }

    QNetworkAccessManager network;
    int status = 0;
    QTimer::singleShot(0, [&] {
        Refresh_Calendars(network, to_fetch, their_passwords, cache_dir, now, {},
                          [&](const QList<RefreshOutcome>& outcomes) {
                              QTextStream out(stdout);
                              for (qsizetype i = 0; i < outcomes.size(); ++i) {
                                  const RefreshOutcome& o = outcomes[i];
                                  out << "Calendar " << chosen[i] << " (" << to_fetch[i].name
                                      << "): "
                                      << (o.ok ? (o.changed ? QStringLiteral("updated")
                                                            : QStringLiteral("unchanged"))
                                               : o.error)
                                      << "\n";
                                  if (!o.ok)
                                      status = 1;
                              }
                              out.flush();
                              QCoreApplication::exit(status);
                          });
    });
    return to_fetch.isEmpty() ? 0 : app.exec();
}
