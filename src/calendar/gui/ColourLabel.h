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
    // Draws the caption's lines from first_line on in colour (a day box's remote events after
    // its note); a negative first_line draws every line in the text colour.
    void Set_Tint(int first_line, qint32 colour);
    int Tint_Line() const { return tint_line_; }
    qint32 Tint_Colour() const { return tint_; }
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
    int tint_line_ = -1;
    qint32 tint_ = 0;
};

// The caption as drawn: "&&" as "&", CR LF as a line break.
QString Shown_Caption(const QString& caption);
