#pragma once

#include <QLabel>

// A label of the calendar window. Its colours are colour values (0x00BBGGRR, or a system colour
// looked up when painted), its background is either opaque or lets the window show through, and
// its caption is kept as stored: each "&&" is drawn as one "&" and CR LF starts a new line.
class ColourLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ColourLabel(const QString& name, QWidget* parent);

    void Set_Back_Colour(qint32 value);
    void Set_Fore_Colour(qint32 value);
    void Set_Opaque(bool opaque);
    qint32 Back_Colour() const { return back_; }
    qint32 Fore_Colour() const { return fore_; }
    bool Opaque() const { return opaque_; }

    // The text as the user sees it.
    QString Shown_Text() const;
    // The colours as they are drawn now.
    QColor Shown_Back() const;
    QColor Shown_Fore() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    qint32 back_ = 16777215;
    qint32 fore_ = 0;
    bool opaque_ = false;
};

// The caption as drawn: "&&" as "&", CR LF as a line break.
QString Shown_Caption(const QString& caption);
