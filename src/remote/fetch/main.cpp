// AlmanorFetch: refreshes the cache of the remote calendars and exits. The calendar starts it
// when a refresh is due, so that the calendar itself never loads network code.
//
//   AlmanorFetch [--all] [--calendar N]... [--settings FILE] [--cache FOLDER] [--data FILE]
//   AlmanorFetch --discover URL [--user NAME] [--passwords]
//   AlmanorFetch --store-password URL --user NAME --passwords
//
// Without --all only the calendars whose refresh interval has passed are fetched. The calendar
// that keeps the notes is synced both ways instead, on every run: --data names the calendar.dat
// (default: the one in the program folder). Passwords come on standard input, one line
// "N=password" per calendar number, when --passwords is given (never on the command line, where
// other users could read them). Prints one line per calendar and exits with 1 when any refresh
// or sync failed. --discover lists the calendars a CalDAV server offers the
// user, one line "address<TAB>name<TAB>colour" each, for the settings window's Add (a password
// then comes on standard input, one line "0=password"), so that the settings window needs no
// network code either. --store-password puts the password ("0=password" on standard input) of
// an address and user into the desktop's keyring, and says why on standard error when it can't;
// a refresh takes the password of a calendar with a user name from the keyring when none came on
// standard input.
#include "calendar/AppPath.h"
#include "calendar/SettingsStore.h"
#include "remote/RemoteCache.h"
#include "remote/net/CalDav.h"
#include "remote/net/NoteSync.h"
#include "remote/net/RefreshAll.h"

#include "Keyring.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QMap>
#include <QNetworkAccessManager>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
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

QString Sync_Line(const NoteSyncOutcome& outcome) {
    if (!outcome.ok)
        return outcome.error;
    if (outcome.sent == 0 && outcome.received == 0)
        return QStringLiteral("unchanged");
    QString line =
        QStringLiteral("synced, %1 sent, %2 received").arg(outcome.sent).arg(outcome.received);
    if (outcome.conflicts > 0)
        line += QStringLiteral(", %1 kept both texts").arg(outcome.conflicts);
    return line;
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
    parser.addOption({QStringLiteral("data"),
                      QStringLiteral("The calendar.dat whose notes are synced (default: the one in "
                                     "the program folder)."),
                      QStringLiteral("FILE")});
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
    if (chosen.isEmpty()) {
        chosen = Due_Calendars(calendars, cache_dir, now, parser.isSet(QStringLiteral("all")));
        // The notes go both ways: a change made here waits for a sync, whatever the interval.
        // A sync with nothing to do costs one request.
        const qsizetype notes = Notes_Calendar_Index(calendars);
        if (notes >= 0 && calendars[notes].enabled && !chosen.contains(int(notes) + 1)) {
            chosen.append(int(notes) + 1);
            std::sort(chosen.begin(), chosen.end());
        }
    }
    const QString dat_path = parser.isSet(QStringLiteral("data"))
                                 ? parser.value(QStringLiteral("data"))
                                 : App_Path() + QStringLiteral("/calendar.dat");

    QList<RemoteCalendar> to_fetch;
    QList<int> fetched_numbers;
    QHash<int, QString> their_passwords;
    int notes_number = 0;
    QString notes_password;
    for (int number : chosen) {
        const RemoteCalendar& calendar = calendars[number - 1];
        QString password = passwords.value(number);
        // Only a calendar with a user name asks the keyring: a plain subscription starts no D-Bus.
        if (password.isEmpty() && !calendar.user.isEmpty())
            password = Read_Keyring_Password(calendar).value_or(QString());
        if (calendar.keep_notes) {
            notes_number = number;
            notes_password = password;
            continue;
        }
        to_fetch.append(calendar);
        fetched_numbers.append(number);
        their_passwords.insert(static_cast<int>(to_fetch.size()), password);
    }

    QNetworkAccessManager network;
    QMap<int, QString> lines;
    int status = 0;
    const auto finish = [&] {
        QTextStream out(stdout);
        for (auto line = lines.cbegin(); line != lines.cend(); ++line)
            out << "Calendar " << line.key() << " (" << calendars[line.key() - 1].name
                << "): " << line.value() << "\n";
        out.flush();
        QCoreApplication::exit(status);
    };
    const auto sync_notes = [&] {
        if (notes_number == 0)
            return finish();
        Sync_Notes(network, calendars[notes_number - 1], notes_password, dat_path, now, {},
                   [&](const NoteSyncOutcome& o) {
                       lines.insert(notes_number, Sync_Line(o));
                       if (!o.ok)
                           status = 1;
                       finish();
                   });
    };
    QTimer::singleShot(0, [&] {
        if (to_fetch.isEmpty())
            return sync_notes();
        Refresh_Calendars(network, to_fetch, their_passwords, cache_dir, now, {},
                          [&](const QList<RefreshOutcome>& outcomes) {
                              for (qsizetype i = 0; i < outcomes.size(); ++i) {
                                  const RefreshOutcome& o = outcomes[i];
                                  lines.insert(fetched_numbers[i],
                                               o.ok ? (o.changed ? QStringLiteral("updated")
                                                                 : QStringLiteral("unchanged"))
                                                    : o.error);
                                  if (!o.ok)
                                      status = 1;
                              }
                              sync_notes();
                          });
    });
    return chosen.isEmpty() ? 0 : app.exec();
}
