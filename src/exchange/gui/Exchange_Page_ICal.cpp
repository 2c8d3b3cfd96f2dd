// The iCalendar buttons of the "Import\Export" tab.
#include "exchange/gui/Exchange_Page.h"

void Exchange_Page::Import_ICal() {}
void Exchange_Page::Export_ICal() {}
