#include "events/EditorClose.h"

#include "events/EventStore.h"

bool Save_Before_Close(const EditorHolding& holding, const QStringList& records) {
    if (!holding.changed || !holding.day.isValid())
        return false;
    // The same record EventStore::Check_For_Pre would write or remove.
    const QString key = Event_Key(holding.day);
    const QString text = Escape_Event_Text(holding.typed);
    const DayRecord shown = Find_Day_Record(records, key);
    if (shown.index < 0)
        return !text.isEmpty();
    if (text.isEmpty())
        return true;
    const QString record =
        (holding.every_year ? Every_Year_Key(key) : key) + QLatin1Char('=') + text;
    return records.at(shown.index) != record;
}
