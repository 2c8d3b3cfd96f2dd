#pragma once

#include <QObject>

#include <functional>
#include <memory>

// Every test class of an area registers itself; the area's executable runs them all.
using TestFactory = std::function<std::unique_ptr<QObject>()>;
int Register_Test_Class(const char* name, TestFactory factory);

#define ALMANOR_TEST(Class)                                                                        \
    static const int registered_##Class =                                                          \
        Register_Test_Class(#Class, [] { return std::unique_ptr<QObject>(new Class); });
