// The settings file as Load_Settings reads it: every value converted to its field, or the key
// kept at its default and listed.
#include "FuzzSupport.h"

#include "calendar/AppSettings.h"
#include "calendar/SettingsStore.h"

ALMANOR_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = Fuzz_File(QStringLiteral("Almanor.ini"), bytes);
    const SettingsStore store(path);
    QList<IgnoredSetting> ignored;
    const AppSettings settings = Load_Settings(store, &ignored);
    (void)settings.Idle_Seconds();
    bool ok = false;
    (void)Setting_To_Bool(QString::fromUtf8(bytes.left(16)), &ok);
    return 0;
}
