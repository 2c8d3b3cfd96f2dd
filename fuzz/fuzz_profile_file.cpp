// The registry's profile-file form: reading any entry of a hand-edited INI file, and a write that
// must leave every other line as it was.
#include "FuzzSupport.h"

#include "registry/ProfileFile.h"

ALMANOR_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = Fuzz_File(QStringLiteral("profile.ini"), bytes);
    for (const char* section : {"Pack", "Months", "s", ""}) {
        for (const char* entry : {"Name", "1", "k", ""}) {
            const QString value = Profile_Read_String(
                path, QString::fromUtf8(section), QString::fromUtf8(entry), QStringLiteral("D"));
            if (value.size() > Profile_Read_Limit)
                __builtin_trap();
        }
    }
    if (Profile_Write_String(path, QStringLiteral("Pack"), QStringLiteral("Fuzz"),
                             QStringLiteral("written")) == 0 &&
        Profile_Read_String(path, QStringLiteral("Pack"), QStringLiteral("Fuzz"), QString()) !=
            QLatin1String("written"))
        __builtin_trap();
    return 0;
}
