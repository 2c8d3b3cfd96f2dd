// The configuration import: the whole file checked, then applied to a settings record.
#include "FuzzSupport.h"

#include "calendar/AppSettings.h"
#include "calendar/SettingsStore.h"
#include "exchange/ConfigExchange.h"

ALMANOR_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ConfigReading reading = Read_Config_File(bytes);
    if (!reading.ok)
        return 0;
    // What the check let through must apply without failing.
    SettingsStore store(Fuzz_File(QStringLiteral("config/Almanor/Almanor.ini"), QByteArray()));
    AppSettings settings;
    for (const auto& [key, value] : reading.values) {
        const QString item = key->file_key + QLatin1Char('=') + value;
        if (Apply_Config_Item(store, settings, item) == ConfigApply::Failed)
            __builtin_trap();
    }
    return 0;
}
