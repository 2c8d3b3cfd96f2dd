// The WebDAV multistatus reader over server answers: any bytes give responses or an error, never
// both, and never a crash, a hang or runaway memory (deep nesting, entities). What the note sync
// takes from an answer (members of a listing, events of a multiget) never names the collection
// itself, and an event counts as there only with its data.
#include "FuzzSupport.h"

#include "remote/DavAnswer.h"
#include "remote/Multistatus.h"

ALMANOR_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const DavMultistatus result = Read_Multistatus(bytes);
    if (result.ok == !result.error.isEmpty())
        __builtin_trap();
    if (!result.ok && !result.responses.isEmpty())
        __builtin_trap();
    const QUrl base(QStringLiteral("http://127.0.0.1:5232/anna/notes/"));
    bool truncated = false;
    for (const DavMember& member : Dav_Members_Of(result, base, &truncated))
        if (Is_Dav_Collection(base, member.href))
            __builtin_trap();
    for (const DavResource& resource : Dav_Resources_Of(result, base))
        if (resource.status == 200 && resource.ics.trimmed().isEmpty())
            __builtin_trap();
    return 0;
}
