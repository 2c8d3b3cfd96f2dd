// The WebDAV multistatus reader over server answers: any bytes give responses or an error, never
// both, and never a crash, a hang or runaway memory (deep nesting, entities).
#include "FuzzSupport.h"

#include "remote/Multistatus.h"

ALMANOR_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const DavMultistatus result = Read_Multistatus(bytes);
    if (result.ok == !result.error.isEmpty())
        __builtin_trap();
    if (!result.ok && !result.responses.isEmpty())
        __builtin_trap();
    return 0;
}
