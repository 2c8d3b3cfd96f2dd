// The CSV and text buttons of the "Import\Export" tab.
#include "exchange/gui/Exchange_Page.h"

void Exchange_Page::Import_CSV() {}
void Exchange_Page::Export_CSV() {}
void Exchange_Page::Export_Text() {}
