#pragma once
// A classic frame: a container with an etched border and its caption set into the top edge, or
// a plain filled panel without either. It clips its controls and remembers its geometry in
// twips, so a height set in twips reads back exactly.

#include <QString>
#include <QWidget>

#include "ui/common/twips.h"

namespace ui::mainwindow {

class Frame : public QWidget, public TwipsPlaced {
    Q_OBJECT
  public:
    Frame(QString caption, bool bordered, QWidget* parent);

    QString caption() const { return caption_; }
    TwipsRect twipsGeometry() const { return twips_; }
    void setTwipsGeometry(TwipsRect rect) override;
    int heightTwips() const { return twips_.height; }
    void setHeightTwips(int height);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString caption_;
    bool bordered_;
    TwipsRect twips_;
};

}  // namespace ui::mainwindow
