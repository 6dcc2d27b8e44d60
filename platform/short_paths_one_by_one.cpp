#include "platform/short_paths_one_by_one.h"

namespace platform {
namespace {

class OneByOne : public ShortPaths {
  public:
    explicit OneByOne(const Platform& platform) : platform_(platform) {}
    ShortEntry of(std::string_view path) override {
        ShortEntry entry{platform_.shortPath(path)};
        const auto bits = entry.path.empty() ? std::nullopt : platform_.attributes(path);
        entry.folder = bits && (*bits & kAttributeDirectory) != 0;
        return entry;
    }

  private:
    const Platform& platform_;
};

}  // namespace

std::unique_ptr<ShortPaths> ShortPathsOneByOne(const Platform& platform) {
    return std::make_unique<OneByOne>(platform);
}

}  // namespace platform
