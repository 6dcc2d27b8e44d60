#pragma once
// The program's platform over a fresh temporary folder, for tests that need real files behind
// Windows paths. On POSIX the folder is drive C:.

#include <memory>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "platform/utf16_text.h"
#include "tests/support/temp_tree.h"

namespace test_support {

// Text as "cmd /u" writes list.tmp: UTF-16LE.
inline std::string ListText(std::string_view utf8) {
    std::string units;
    platform::AppendUtf16LeFromUtf8(units, utf8);
    return units;
}

class TempDrive {
  public:
    TempDrive();
    TempTree& tree() { return tree_; }
    platform::Platform& platform() { return *platform_; }
    // The Windows path of a place in the tree ("C:\" + relative with '/' turned into '\').
    std::string windows(std::string_view relative) const;

  private:
    TempTree tree_;
    std::unique_ptr<platform::Platform> platform_;
};

}  // namespace test_support
