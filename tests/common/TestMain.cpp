#include "common/TestMain.h"

#include "calendar/Clock.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

#include <utility>
#include <vector>

namespace {
std::vector<std::pair<const char*, TestFactory>>& Registered() {
    static std::vector<std::pair<const char*, TestFactory>> classes;
    return classes;
}
} // namespace

int Register_Test_Class(const char* name, TestFactory factory) {
    Registered().emplace_back(name, std::move(factory));
    return int(Registered().size());
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    int failures = 0;
    for (auto& [name, factory] : Registered()) {
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), argc, argv);
        Set_Clock(nullptr);
    }
    return failures == 0 ? 0 : 1;
}
