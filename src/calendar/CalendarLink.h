#pragma once

// What the companion programs need of a running calendar: whether one runs for this user, and
// asking it to close. Both talk to the calendar's single-instance socket (SingleInstance.h).

// True when a calendar of this user is listening.
bool Calendar_Is_Running();

// Asks the running calendar to close, without waiting for it to go. True when one took the
// request.
bool Ask_Calendar_To_Close();
