#include "calendar/Clock.h"

namespace {
SystemClock system_clock;
Clock* current = &system_clock;
} // namespace

Clock& Current_Clock() {
    return *current;
}

void Set_Clock(Clock* clock) {
    current = clock ? clock : &system_clock;
}
