#pragma once

#include "common/CalendarWorld.h"
#include "settings/gui/Settings_Frm.h"

#include <QMap>
#include <QPointer>

class QWidget;

// A shown calendar in a private world with its settings window opened by F8, as a user opens it.
class SettingsWorld : public CalendarWorld {
  public:
    using CalendarWorld::CalendarWorld;

    // Starts and shows the calendar (its timer stopped), then presses F8.
    Settings_Frm& Open();
    // Presses F8 again (after the window was closed).
    Settings_Frm& Reopen();
    // Another window of the program takes the focus, then the settings window again.
    void Reactivate_Through_Calendar();
    // Clicks tab number (1-based) on the tab strip.
    void Click_Tab(int tab);
    void Click(QWidget* widget, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               QPoint at = QPoint());

    // Every stored key as "section/key" -> text.
    QMap<QString, QString> Stored_Keys() const;
    QString Stored(const QString& key, const QString& section = QStringLiteral("Settings")) const;

    template <typename T> T* Find(const QString& name) const {
        return settings ? settings->findChild<T*>(name) : nullptr;
    }

    QPointer<Settings_Frm> settings;
};
