// Saves in a loop until it is killed: the crash tests kill it at random moments.
//   save_loop events DATA_FILE   calendar.dat through EventStore: the base records plus a counter
//                                record "1/1/2000=N", N one more at every save
//   save_loop settings INI_FILE  "Manual_PosX" of the settings file, one more at every save
#include "calendar/AppSettings.h"
#include "calendar/SettingsStore.h"
#include "events/EventStore.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

// Tells the test, once, that saving has begun, so that its kills fall among the saves rather
// than into the program's start.
void Tell_Started(bool& told) {
    if (told)
        return;
    told = true;
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
}

int Events_Loop(const QString& path) {
    EventStore store(path);
    store.current_key = QStringLiteral("1/1/2000");
    for (bool told = false;; Tell_Started(told)) {
        if (!store.Load_File())
            return 2;
        const qint64 last = store.Get_Message(false).toLongLong();
        if (!store.Check_For_Pre(QString::number(last + 1)))
            return 3;
    }
}

int Settings_Loop(const QString& path) {
    SettingsStore store(path);
    AppSettings settings = Load_Settings(store);
    for (bool told = false;; Tell_Started(told)) {
        if (!Save_Setting(store, settings, QStringLiteral("Settings"),
                          QStringLiteral("Manual_PosX"), settings.Manual_PosX + 1))
            return 3;
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: save_loop events|settings FILE\n");
        return 1;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);
    if (mode == QLatin1String("events"))
        return Events_Loop(path);
    if (mode == QLatin1String("settings"))
        return Settings_Loop(path);
    return 1;
}
