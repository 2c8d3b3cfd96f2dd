#pragma once

#include "remote/RemoteAccounts.h"

#include <optional>

// Passwords of remote calendars in the desktop's keyring (Secret Service or KWallet, through
// QtKeychain). Only the fetch program talks to the keyring, so the calendar itself loads neither
// D-Bus nor the keyring library. Each call waits for the keyring's answer.

// Stores the calendar's password; false with the reason in words when no keyring took it.
bool Store_Keyring_Password(const RemoteCalendar& calendar, const QString& password,
                            QString* error);
// The calendar's password, when the keyring has one.
std::optional<QString> Read_Keyring_Password(const RemoteCalendar& calendar);
