#pragma once
// How the main window shows a message and waits for the user to confirm it. The program
// uses a modal message box; tests put a recorder in its place.

#include <QString>

class QWidget;

namespace ui::mainwindow {

class Messages {
  public:
    virtual ~Messages() = default;
    // Shows `text` and returns when the user has confirmed it.
    virtual void show(const QString& text) = 0;
};

// A QMessageBox titled "dadiRaravor" with only an OK button, modal to the whole program.
class ModalMessages : public Messages {
  public:
    explicit ModalMessages(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }
    void show(const QString& text) override;

  private:
    QWidget* owner_;
};

}  // namespace ui::mainwindow
