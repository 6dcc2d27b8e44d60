#pragma once
// A label or picture that owns the mouse over it: the moves over it are its own (the window
// behind never sees them, whether anyone listens or not), and a click is a press and release of
// the left button on it.

#include <QLabel>

namespace ui {

class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickLabel(QWidget* parent);

    // Acts as a click of the mouse does; a screen reader's press action comes here.
    void click();

  signals:
    void clicked();
    void mouseMoved();

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool pressed_ = false;
};

}  // namespace ui
