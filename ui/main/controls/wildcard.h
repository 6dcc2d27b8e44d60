#pragma once
// File name patterns as Windows matches them ("*.pdf", "a?c.*").

#include <QString>

namespace ui::mainwindow {

// True when `pattern` matches `name`: letter case ignored, '*' any run of characters, '?' one
// character, "*.*" and a trailing "." also names without a dot.
bool MatchesWildcard(const QString& name, const QString& pattern);

// True when any of the ';'-separated patterns matches.
bool MatchesAnyWildcard(const QString& name, const QString& patterns);

}  // namespace ui::mainwindow
