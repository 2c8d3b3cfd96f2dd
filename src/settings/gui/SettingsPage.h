#pragma once

#include <QPointer>
#include <QRect>
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
    Main_Frm* Calendar() const;

    // A place on the page given in pixels at 96 dots per inch (15 twips each), at the screen's
    // scale.
    QRect Place(int left, int top, int width, int height) const;

  private:
    Settings_Frm* frame_;
    QPointer<Main_Frm> calendar_;
};
