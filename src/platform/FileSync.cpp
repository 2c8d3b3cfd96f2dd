#include "platform/FileSync.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {
File_Sync_Function installed_sync = nullptr;

bool System_Sync_File(QFile& file) {
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()))) != 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}
} // namespace

bool Sync_File(QFile& file) {
    return installed_sync ? installed_sync(file) : System_Sync_File(file);
}

void Set_File_Sync(File_Sync_Function sync) {
    installed_sync = sync;
}
