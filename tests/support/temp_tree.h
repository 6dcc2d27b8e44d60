#pragma once
// A fresh temporary folder for one test, filled in one call and removed with everything in it.

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace test_support {

class TempTree {
  public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path path(std::string_view relative) const;

    // Creates each entry below the root with its missing parents: a name ending in '/' is a
    // folder, any other an empty file.
    void add(std::initializer_list<std::string_view> entries);
    void addFile(std::string_view relative, std::string_view content = {});
    void addFolder(std::string_view relative);
    // A symbolic link at `relative` whose target is `target`, taken as written (it may dangle).
    void addLink(std::string_view relative, std::string_view target);
    std::string read(std::string_view relative) const;

  private:
    std::filesystem::path root_;
};

// The whole content of a host file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& file);

}  // namespace test_support
