#pragma once

#include <QWidget>

class Main_Frm;
class Settings_Frm;

// One page of the settings window. A page reaches the calendar window and its sibling pages
// through the frame; it holds pending edits until the frame's Apply asks it to store them.
class SettingsPage : public QWidget {
    Q_OBJECT
  public:
    SettingsPage(Settings_Frm* frame, Main_Frm* calendar);

    Settings_Frm* Frame() const { return frame_; }
    Main_Frm* Calendar() const { return calendar_; }

  private:
    Settings_Frm* frame_;
    Main_Frm* calendar_;
};
