#pragma once

// Waits the given number of seconds while the window system keeps delivering events, so mouse,
// paint and timer handlers run during the wait. Whoever calls it must expect any window,
// including its own, to have changed or gone when it returns.
void TimeOut(float seconds);
