#pragma once

#include "exchange/ICalExchange.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

// One note as one VEVENT of the notes calendar, read and written with libical.

struct NoteEvent {
    QString uid;
    // The normalised key of the note's day; an every-year key for a plain yearly event.
    QString key;
    // The stored (escaped) text.
    QString text;
    // The event holds more than a note can say (a time, another repeat, several days, alarms):
    // the note is its first day, and a change patches the event rather than replacing it.
    bool foreign = false;
    // Our own event whose SUMMARY and the first line of its DESCRIPTION differ was edited
    // elsewhere in one of the two; text takes the SUMMARY as the edit. When the note as last
    // synced still begins with this summary, the DESCRIPTION was edited and description_text
    // is the note (Note_Event_Text decides). Both stored; empty otherwise.
    QString summary;
    QString description_text;
};

// The note's text, knowing the text last synced (see NoteEvent::summary).
QString Note_Event_Text(const NoteEvent& event, const QString& last_text);

// The note of an event resource. An all-day event gives its day, a plain yearly one the
// every-year key, a timed one its local day with the start time before the text (as the .ics
// import writes it). The text is the SUMMARY, or the DESCRIPTION when its first line is the
// SUMMARY; for our own events whose SUMMARY was edited elsewhere the SUMMARY and the lines of the
// DESCRIPTION after its first; otherwise SUMMARY and DESCRIPTION on two lines. nullopt when the
// resource holds no event with a day and a text.
std::optional<NoteEvent> Read_Note_Event(const QByteArray& ics, const ICalImportContext& context);

// libical writes no date after the year 3000: a note on a later day stays in calendar.dat only,
// and an event that starts later is no note.
inline constexpr int Last_Event_Year = 3000;

// Our own event for a note: an all-day event on the key's day (a yearly one, starting in the year
// of now, for an every-year key), the first line as SUMMARY, the whole text as DESCRIPTION, and
// "X-ALMANOR-NOTE:1". Empty for a key whose day no event can hold (after Last_Event_Year).
QByteArray Format_Note_Event(const QString& uid, const QString& key, const QString& text,
                             const QDateTime& now);

// A foreign event with the note's new text (its time prefix taken off again) and, when key names
// another day, its start and end moved by as many days. Everything else stays as it was. The
// event unchanged when it can't be read.
QByteArray Patch_Note_Event(const QByteArray& ics, const QString& key, const QString& text,
                            const ICalImportContext& context);
