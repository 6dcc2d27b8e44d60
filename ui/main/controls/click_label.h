#pragma once
// A label or picture that answers a click, as the classic image and label controls do: the
// click is reported when the left button is released over it.

#include <QLabel>

namespace ui::mainwindow {

class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickLabel(QWidget* parent);

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool pressed_ = false;
};

}  // namespace ui::mainwindow
