#pragma once
// A classic command button: its face filled with exactly its palette's button colour, a raised
// border (white and black outside, grey inside) that sinks while pressed, and a dotted focus
// mark.

#include <QPushButton>

namespace ui::mainwindow {

class ClassicButton : public QPushButton {
    Q_OBJECT
  public:
    ClassicButton(const QString& caption, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui::mainwindow
