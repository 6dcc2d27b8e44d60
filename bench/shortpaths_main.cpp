// shortpaths: the per-match cost of finding short paths, whole (Module1::ShortPath, as each line
// asked before) against folder by folder (Platform::shortPathsIn, as the batch run asks now),
// over the matching files of a tree in listing order, rounds alternated; also counts answers
// that differ, which must be none.
//
//   shortpaths 'C:\tree' tif [ROUNDS]        (POSIX: drives from DADIRARAVOR_DRIVES)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "batch/path_helpers.h"
#include "platform/host_platform.h"

namespace {

// The matching files below `folder` as Windows paths, each folder's files together.
std::vector<std::string> MatchingFiles(const platform::Platform& platform,
                                       const std::string& folder, const std::string& extension) {
    std::vector<std::string> paths;
    const auto host = platform.nativePath(folder);
    if (!host)
        return paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(*host)) {
        const std::u8string relative = entry.path().lexically_relative(*host).generic_u8string();
        std::string path = folder + "\\" + std::string(relative.begin(), relative.end());
        std::replace(path.begin(), path.end(), '/', '\\');
        if (Module1::SplitPath(path).extension == "." + extension)
            paths.push_back(std::move(path));
    }
    std::stable_sort(paths.begin(), paths.end(), [](const std::string& a, const std::string& b) {
        return a.substr(0, a.rfind('\\')) < b.substr(0, b.rfind('\\'));
    });
    return paths;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: shortpaths 'C:\\tree' EXTENSION [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    const auto platform = platform::HostPlatform();
    const auto paths = MatchingFiles(*platform, argv[1], argv[2]);
    if (paths.empty()) {
        std::fprintf(stderr, "no file ending in .%s below %s\n", argv[2], argv[1]);
        return 1;
    }

    using Clock = std::chrono::steady_clock;
    std::vector<double> whole, byFolder;
    std::size_t differ = 0, empty = 0;
    for (int round = 0; round < rounds; ++round) {
        std::vector<std::string> answers;
        answers.reserve(paths.size());
        auto start = Clock::now();
        for (const auto& path : paths)
            answers.push_back(Module1::ShortPath(*platform, path));
        whole.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() /
                        static_cast<double>(paths.size()));

        const auto shortPaths = platform->shortPathsIn();
        differ = empty = 0;
        start = Clock::now();
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const std::string answer = shortPaths->of(paths[i]).path;
            differ += answer != answers[i] ? 1 : 0;
            empty += answer.empty() ? 1 : 0;
        }
        byFolder.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() /
                           static_cast<double>(paths.size()));
    }
    std::printf(
        "%zu matches, median of %d rounds: whole path %.2f us, by folder %.2f us per match, "
        "ratio %.2f; answers that differ: %zu, empty: %zu\n",
        paths.size(), rounds, Median(whole), Median(byFolder), Median(whole) / Median(byFolder),
        differ, empty);
    return differ == 0 ? 0 : 1;
}
