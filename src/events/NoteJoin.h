#pragma once

#include <QString>

// Both texts of a note that was changed in two places at once, the local one first, joined by
// " + ", unless one already holds the other (the same text, or a whole run of its " + " parts):
// neither change is lost, and joining again adds nothing.
QString Join_Note_Texts(const QString& local, const QString& remote);

// The text the editor's OK stores, all texts in stored form. opened is the note as the editor
// showed it, stored_now the day's note in calendar.dat just before the save. When the file
// changed meanwhile (the note sync brought a change from another device) and the user changed
// the text too, both are kept, the typed text first. A note the user left as it was, or cleared,
// takes the newer text from the file.
QString Editor_Save_Text(const QString& opened, const QString& stored_now, const QString& typed);
