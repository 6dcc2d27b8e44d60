// The status line during a run: the run sets it for every file but the window paints it at
// most every few hundredths of a second; whenever it is painted or a message shows, it must
// carry the run's latest text.

#include <QEvent>
#include <QLabel>
#include <QTest>

#include "tests/ui/main/form_fixture.h"

namespace {

using ui_test::FormTest;

// Remembers the label's text, and the name screen readers are told, at each of its paints.
class PaintRecorder : public QObject {
  public:
    explicit PaintRecorder(QLabel& label) : label_(label) { label.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted << label_.text();
            spoken << label_.accessibleName();
        }
        return false;
    }
    QStringList painted;
    QStringList spoken;

  private:
    QLabel& label_;
};

class Form1Status : public FormTest {
  protected:
    Form1Status() {
        tree.add({"c/data/a.tif", "c/data/b.tif", "c/data/c.tif", "c/out/"});
        auto& f = form();
        f.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&f));
        f.StartDir->setText(at("C:\\data"));
        f.txtOptDir->setText(at("C:\\out"));
        f.txtExtension->setText("tif");
        f.txtDosCmd->setText("conv");
    }
};

TEST_F(Form1Status, ShowsTheFileBeingHandledAndTheCountAtTheEnd) {
    PaintRecorder recorder(*form().lblStatus);
    QStringList atMessages;
    messages.onShow = [&](const QString&) { atMessages << form().lblStatus->text(); };
    QTest::mouseClick(form().Command1, Qt::LeftButton);

    // Three files go by faster than one repaint interval: the first is painted at once.
    ASSERT_FALSE(recorder.painted.isEmpty());
    EXPECT_EQ(recorder.painted.front(), at("C:\\data\\a.tif"));
    EXPECT_EQ(recorder.painted.back(), " 3 Dateien wurden verarbeitet");
    EXPECT_EQ(atMessages, (QStringList{"Status", " 3 Dateien wurden verarbeitet"}));
    EXPECT_EQ(form().lblStatus->text(), " 3 Dateien wurden verarbeitet");
    // Screen readers hear the count once the run is over, and no file on the way.
    EXPECT_EQ(recorder.spoken.front(), "Status");
    EXPECT_EQ(recorder.spoken.back(), "Status");
    EXPECT_EQ(form().lblStatus->accessibleName(), " 3 Dateien wurden verarbeitet");
}

}  // namespace
