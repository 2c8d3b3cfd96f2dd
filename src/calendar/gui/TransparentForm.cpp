#include "calendar/gui/TransparentForm.h"

#include <QRegion>
#include <QWidget>

void TransparentForm(QWidget* window) {
    if (!window || window->isMinimized())
        return;
    QRegion region;
    for (QObject* child : window->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control->isWindow() || control->isHidden())
            continue;
        region += control->geometry();
    }
    // Labels parked outside the window (captions in the smallest box style) add nothing.
    region &= window->rect();
    // An empty mask would mean "no mask" and show the whole window.
    if (region.isEmpty())
        region = QRegion(0, 0, 1, 1);
    window->setMask(region);
}
