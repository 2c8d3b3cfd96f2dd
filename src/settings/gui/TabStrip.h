#pragma once

#include <QStringList>
#include <QWidget>

// The settings window's tab strip: its tabs in rows of equal share, as many rows as the tabs need
// at the strip's width, so that every caption shows in full; the selected tab's row lies next to
// the page. Clicking a tab selects it; the arrow
// keys step through the tabs while the strip has the focus, and the wheel one tab a notch.
class TabStrip : public QWidget {
    Q_OBJECT
  public:
    explicit TabStrip(int per_row, QWidget* parent = nullptr);

    void addTab(const QString& caption);
    int count() const { return int(captions_.size()); }
    QString tabText(int index) const { return captions_.value(index); }
    int currentIndex() const { return current_; }
    void setCurrentIndex(int index);
    // Where tab index lies, in the strip's coordinates.
    QRect tabRect(int index) const;
    // The strip's height for its rows.
    int Rows_Height() const;

  signals:
    void currentChanged(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    int Rows() const;
    int Row_Height() const;
    void Step(int by);

    QStringList captions_;
    int per_row_;
    int current_ = -1;
    int wheel_ = 0;
};
