#pragma once
// A batch-run view without a screen: it keeps every status text, message and repaint, and
// confirms each message at once.

#include <string>
#include <string_view>
#include <vector>

#include "batch/run_view.h"

namespace test_support {

class RecordingView : public batch::RunView {
  public:
    void setStatus(std::string_view text) override { status.assign(text); }
    void repaintStatus() override { shownStatuses.push_back(status); }
    void repaintWindow() override { ++windowRepaints; }
    void showMessage(std::string_view text) override { messages.emplace_back(text); }
    void setBusy(bool busy) override { busyChanges.push_back(busy); }

    std::string status = "Status";
    std::vector<std::string> shownStatuses;
    std::vector<std::string> messages;
    std::vector<bool> busyChanges;
    int windowRepaints = 0;
};

}  // namespace test_support
