#pragma once
// What "dir FOLDER /b /s" writes: one full Windows path per line, each ended by CR LF, in UTF-8
// or, as "cmd /u" has it written, in UTF-16LE without a byte-order mark (platform/utf16_text.h).
// Each folder's entries come sorted by name without regard to letter case (ties by the exact
// bytes), files and folders mixed, followed by each subfolder's own listing in that order.
// Hidden names (beginning with a dot) and names a Windows path cannot hold are left out, the
// latter reported (a folder so named is not entered, so it counts once); links to folders are
// listed but not entered, so a link loop cannot trap the walk; folders that cannot be read are
// listed without their contents.
//
// It walks folder by folder, each opened relative to its parent, so a tree of any depth is
// listed whole however long its host paths grow, with a bounded number of open handles. It
// writes through one large buffer, so its memory grows with the depth of the tree and the size
// of the largest folder, never with the whole tree.

#include <filesystem>
#include <string_view>
#include <system_error>

#include "platform/platform.h"

namespace platform::posix {

enum class ListingText { Utf8, Utf16 };

// Lists the tree below `hostFolder`, whose Windows path is `windowsFolder` (no trailing
// backslash except at a root), into the open file `output`, written at its current position. A
// start folder that cannot be opened gives no lines. Returns the error that stopped the writing
// of `output` or the walk, if any: a folder that could not be found again on the way back up
// (moved while its subfolder was walked), or a folder that could not be opened for a reason
// other than its permissions or its going away (out of handles, a failing disk). Output ends
// there rather than leave out parts of the tree silently.
// The names left out as Windows could not hold them are added to `leftOut`.
std::error_code WriteDirectoryListing(const std::filesystem::path& hostFolder,
                                      std::string_view windowsFolder, int output, ListingText text,
                                      UnnamedEntries& leftOut);

}  // namespace platform::posix
