#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// What the open editor holds: its day, the text as typed (CR LF line breaks, one "&" per
// ampersand), its "Every year" tick, and whether the user changed the text or the tick since the
// day was opened.
struct EditorHolding {
    QDate day;
    QString typed;
    bool every_year = false;
    bool changed = false;
};

// Whether a calendar that another program or the end of the session closes must first save what
// the editor holds, as OK would save it: only when the user changed something and that save would
// change the records of calendar.dat. An untouched editor never writes back what it showed, so a
// change made to the file meanwhile survives.
bool Save_Before_Close(const EditorHolding& holding, const QStringList& records);
