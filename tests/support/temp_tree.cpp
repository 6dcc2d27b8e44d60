#include "tests/support/temp_tree.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace test_support {
namespace fs = std::filesystem;

namespace {

fs::path UniqueFolder() {
    static std::atomic<unsigned> counter{0};
    std::random_device seed;
    const auto base = fs::temp_directory_path() / "dadiraravor-test";
    fs::create_directories(base);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = base / (std::to_string(seed()) + "-" + std::to_string(counter++));
        if (fs::create_directory(candidate))
            return candidate;
    }
    throw std::runtime_error("no temporary folder could be created below " + base.string());
}

// Tests make folders read-only; give the owner its rights back so removal can go through.
void MakeRemovable(const fs::path& root) {
    std::error_code ignored;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (auto it = fs::recursive_directory_iterator(root, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
}

}  // namespace

TempTree::TempTree() : root_(UniqueFolder()) {}

TempTree::~TempTree() {
    MakeRemovable(root_);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

fs::path TempTree::path(std::string_view relative) const {
    return root_ / fs::path(std::u8string(relative.begin(), relative.end()));
}

void TempTree::add(std::initializer_list<std::string_view> entries) {
    for (const auto entry : entries) {
        if (!entry.empty() && entry.back() == '/')
            addFolder(entry.substr(0, entry.size() - 1));
        else
            addFile(entry);
    }
}

void TempTree::addFile(std::string_view relative, std::string_view content) {
    const auto file = path(relative);
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

void TempTree::addFolder(std::string_view relative) {
    fs::create_directories(path(relative));
}

void TempTree::addLink(std::string_view relative, std::string_view target) {
    const auto link = path(relative);
    fs::create_directories(link.parent_path());
    fs::create_symlink(fs::path(std::u8string(target.begin(), target.end())), link);
}

std::string TempTree::read(std::string_view relative) const {
    return ReadFileBytes(path(relative));
}

std::string ReadFileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace test_support
