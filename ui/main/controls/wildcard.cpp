#include "ui/main/controls/wildcard.h"

#include <QStringList>
#include <algorithm>

namespace ui::mainwindow {
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
