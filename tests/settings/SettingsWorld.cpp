#include "SettingsWorld.h"

#include "calendar/SettingsStore.h"
#include "settings/gui/TabStrip.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

Settings_Frm& SettingsWorld::Open() {
    Start();
    window->Dectect_Date_Timer->stop();
    window->show();
    return Reopen();
}

Settings_Frm& SettingsWorld::Reopen() {
    QApplication::setActiveWindow(window.get());
    QTest::keyClick(window.get(), Qt::Key_F8);
    settings = window->Settings_Window();
    Q_ASSERT(settings);
    (void)QTest::qWaitForWindowActive(settings);
    return *settings;
}

void SettingsWorld::Reactivate_Through_Calendar() {
    window->activateWindow();
    (void)QTest::qWaitForWindowActive(window.get());
    settings->activateWindow();
    (void)QTest::qWaitForWindowActive(settings);
}

void SettingsWorld::Click_Tab(int tab) {
    QTest::mouseClick(settings->TabStrip1, Qt::LeftButton, Qt::NoModifier,
                      settings->TabStrip1->tabRect(tab - 1).center());
}

void SettingsWorld::Click(QWidget* widget, Qt::KeyboardModifiers modifiers, QPoint at) {
    Q_ASSERT(widget);
    if (at.isNull()) {
        // A check box or option button takes clicks on its mark and caption only.
        at = qobject_cast<QAbstractButton*>(widget) && !qobject_cast<QPushButton*>(widget)
                 ? QPoint(6, widget->height() / 2)
                 : widget->rect().center();
    }
    QTest::mouseClick(widget, Qt::LeftButton, modifiers, at);
    // A window closed by the click goes once pending deletions ran.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QMap<QString, QString> SettingsWorld::Stored_Keys() const {
    QSettings file(Settings_File_Path(), QSettings::IniFormat);
    QMap<QString, QString> keys;
    for (const QString& key : file.allKeys())
        keys.insert(key, file.value(key).toString());
    return keys;
}

QString SettingsWorld::Stored(const QString& key, const QString& section) const {
    SettingsStore store(Settings_File_Path());
    return store.Read(QStringLiteral("Almanor"), section, key, QStringLiteral("<none>"));
}
