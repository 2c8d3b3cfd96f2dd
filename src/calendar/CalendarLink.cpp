#include "calendar/CalendarLink.h"

#include "calendar/SingleInstance.h"

bool Calendar_Is_Running() {
    return Instance_Running(Instance_Name());
}

bool Ask_Calendar_To_Close() {
    return Send_Close(Instance_Name());
}
