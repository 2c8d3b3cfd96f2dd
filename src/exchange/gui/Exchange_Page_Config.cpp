// The configuration and data-file buttons of the "Import\Export" tab.
#include "exchange/gui/Exchange_Page.h"

void Exchange_Page::Import_Config() {}
void Exchange_Page::Export_Config() {}
void Exchange_Page::Import_Data() {}
void Exchange_Page::Export_Data() {}
