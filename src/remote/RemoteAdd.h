#pragma once

#include "remote/RemoteAccounts.h"

#include <QByteArray>
#include <QList>
#include <QString>

// What the Calendars tab's Add works out before it writes anything: whether an address is a
// calendar file or a server to ask, what the fetch program's discovery found, and the calendars
// that become new settings groups.

// True for an address fetched as one calendar file: file:// and webcal:// addresses, and any
// address whose path ends in ".ics". Other http(s) addresses are asked for their calendars.
bool Is_Calendar_File_Address(const QString& url);

// A name for a calendar from its address: the file name without ".ics", else the host.
QString Calendar_Name_Of(const QString& url);

// One calendar the fetch program's discovery listed.
struct DiscoveredCalendar {
    QString url;
    QString name;
    // "#RRGGBB" as the server gave it, empty for none.
    QString colour;
};

// Reads the fetch program's discovery output, one "address<TAB>name<TAB>colour" line each;
// lines without an address are passed over.
QList<DiscoveredCalendar> Read_Discovery_Output(const QByteArray& output);

// The stored colour value (0x00BBGGRR) of a server's "#RRGGBB", or the n-th of a few distinct
// colours when the server gave none, so calendars added together are told apart.
qint32 Remote_Colour_Of(const QString& server_colour, qsizetype n);

// Adds calendars after the ones of the settings file; false when the file could not be written.
bool Add_Remote_Calendars(const QString& ini_path, const QList<RemoteCalendar>& calendars);
