#pragma once

#include <QByteArray>
#include <QString>

// What every fuzz target shares: a Qt core application, message boxes answered silently with
// their first button, the en_US locale, and a private folder for readers that take a path.
void Fuzz_Init();
// A folder of this process, made on first use (under /dev/shm when it exists: the readers that
// take a path then cost no disk writes).
QString Fuzz_Dir();
// Writes data to name inside Fuzz_Dir() (folders made as needed) and returns the path.
QString Fuzz_File(const QString& name, const QByteArray& data);

#define ALMANOR_FUZZ_INIT                                                                          \
    extern "C" int LLVMFuzzerInitialize(int*, char***) {                                           \
        Fuzz_Init();                                                                               \
        return 0;                                                                                  \
    }
