#pragma once
// A classic frame: a container with an etched border and its caption set into the top edge, or
// a plain filled panel without either. It clips its controls and remembers its geometry in
// twips, so a height set in twips reads back exactly. A control that its height cuts off
// entirely is hidden until the frame reaches it again: it cannot be seen, so neither Qt's own
// focus walk nor a screen reader should meet it.

#include <QList>
#include <QPointer>
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

    // Whether the frame's height hides `control` (a control in it, or inside one) now, or
    // would at `heightTwips`.
    bool cutsOff(const QWidget& control) const;
    bool wouldCutOff(const QWidget& control, int heightTwips) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // The frame's own control that is or holds `control`; null when it lies elsewhere.
    const QWidget* ownControl(const QWidget& control) const;
    void hideWhatIsCutOff();

    QString caption_;
    bool bordered_;
    TwipsRect twips_;
    QList<QPointer<QWidget>> cutOff_;  // hidden by the height, shown again when it grows
};

}  // namespace ui::mainwindow
