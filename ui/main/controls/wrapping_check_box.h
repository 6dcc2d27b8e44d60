#pragma once
// A check box whose caption wraps onto further lines within its width, so a long caption shows
// whole in the designed size; Qt's own draws one line and cuts it off.

#include <QCheckBox>

namespace ui::mainwindow {

class WrappingCheckBox : public QCheckBox {
    Q_OBJECT
  public:
    using QCheckBox::QCheckBox;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};

}  // namespace ui::mainwindow
