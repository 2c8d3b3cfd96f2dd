#include "events/TimeOut.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cmath>

void TimeOut(float seconds) {
    if (!(seconds > 0))
        return;
    // A local loop ended by a timer: events keep running and the processor sleeps meanwhile.
    // Elapsed time is measured, not the clock of day, so a wait over midnight ends on time.
    const double ms = std::min(double(seconds) * 1000.0, 2147483647.0);
    QEventLoop loop;
    QTimer::singleShot(int(std::lround(ms)), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}
