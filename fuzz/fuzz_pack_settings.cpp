// A pack's settings.ini and the month-details lookup with its field getters.
#include "FuzzSupport.h"

#include "calendar/AppSettings.h"
#include "calendar/SettingsStore.h"
#include "packs/PackFolder.h"

#include <QDir>

ALMANOR_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const qint16 month = qint16(data[0] % 14);
    const QByteArray ini(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const QString program_dir = Fuzz_Dir() + QStringLiteral("/Almanor");
    Fuzz_File(QStringLiteral("Almanor/P/settings.ini"), ini);
    SettingsStore store(Fuzz_Dir() + QStringLiteral("/settings.ini"));
    AppSettings settings;
    PackContext context{program_dir, settings, store};
    const QString details = Get_Paper_Details(context, month, QStringLiteral("P"));
    if (Paper_Details_Valid(details)) {
        (void)Get_Paper_BoxStyle(details);
        (void)Get_Paper_Pos(details);
        (void)Get_Paper_DisplayMode(details);
    }
    return 0;
}
