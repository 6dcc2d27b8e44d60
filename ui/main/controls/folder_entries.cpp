#include "ui/main/controls/folder_entries.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "batch/path_helpers.h"
#include "platform/platform.h"

namespace ui::mainwindow {

QStringList FolderEntries(const platform::Platform& platform, const QString& folder,
                          EntryKind kind) {
    QStringList names;
    const auto native = platform.nativePath(folder.toStdString());
    if (!native)
        return names;
    std::error_code error;
    std::filesystem::directory_iterator it(*native, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const auto utf8 = it->path().filename().u8string();
        const QString name =
            QString::fromUtf8(reinterpret_cast<const char*>(utf8.data()), qsizetype(utf8.size()));
        if (name.startsWith(u'.'))
            continue;  // hidden on the POSIX drives
        // The attributes answer as Windows would: hidden entries and names a Windows path
        // cannot hold are left out, links to folders count as folders.
        const auto attributes = platform.attributes(JoinPath(folder, name).toStdString());
        if (!attributes || (*attributes & platform::kAttributeHidden))
            continue;
        const bool isFolder = (*attributes & platform::kAttributeDirectory) != 0;
        if (isFolder == (kind == EntryKind::Folders))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

QString JoinPath(const QString& folder, const QString& name) {
    return QString::fromStdString(Module1::JoinPath(folder.toStdString(), name.toStdString()));
}

QString NormalFolderPath(QString path) {
    path.replace(u'/', u'\\');
    while (path.contains(QStringLiteral("\\\\")))
        path.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    if (path.size() >= 2 && path[1] == u':')
        path[0] = path[0].toUpper();
    if (path.size() == 2 && path[1] == u':')
        path += u'\\';
    while (path.size() > 3 && path.endsWith(u'\\'))
        path.chop(1);
    return path;
}

namespace {

bool Match(QStringView name, QStringView pattern) {
    // Greedy matching with one backtrack point for the last '*', enough for '*' and '?'.
    qsizetype n = 0, p = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == u'?' || pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

}  // namespace

bool MatchesWildcard(const QString& name, const QString& pattern) {
    if (Match(name, pattern))
        return true;
    // Windows lets a trailing ".*" or "." stand for "no extension" as well.
    if (!name.contains(u'.')) {
        if (pattern.endsWith(QStringLiteral(".*")))
            return Match(name, QStringView(pattern).chopped(2));
        if (pattern.endsWith(u'.'))
            return Match(name, QStringView(pattern).chopped(1));
    }
    return false;
}

bool MatchesAnyWildcard(const QString& name, const QString& patterns) {
    const auto list = patterns.split(u';', Qt::SkipEmptyParts);
    return std::any_of(list.begin(), list.end(), [&](const QString& pattern) {
        return MatchesWildcard(name, pattern.trimmed());
    });
}

}  // namespace ui::mainwindow
