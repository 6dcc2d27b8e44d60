#pragma once
// The texts a batch run shows in the status line and its message boxes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "batch/typed_command.h"

namespace batch {

inline constexpr std::string_view kListCreatedMessage =
    "Dateiliste list.tmp wurde erstellt. Ausführung wird nun gestartet...";

// " 12 Dateien wurden verarbeitet": the blank stands where a sign would.
std::string ProcessedStatus(std::int64_t count);

std::string BatchWrittenMessage(std::string_view programFolder);
std::string NothingFoundMessage(std::string_view extension, std::string_view programFolder);

// Matching files that got no line, by the reason why.
struct SkippedFiles {
    std::int64_t tooLong = 0;            // the line would be longer than cmd reads
    std::int64_t vanished = 0;           // no short path: gone since the listing
    std::int64_t unrepresentable = 0;    // do.bat's code page cannot hold the path
    std::int64_t folders = 0;            // a folder: commands get files only
    std::int64_t devices = 0;            // Windows opens a device by the file's or target's name
    std::int64_t unnamed = 0;            // the listing left it out: Windows cannot hold its name
    std::int64_t foldersNotEntered = 0;  // the same for a folder, whatever its extension
    std::int64_t caretBehindCall = 0;    // call would double the ^ in its path
    std::int64_t changedByDelayedExpansion = 0;  // a cmd /v:on would read its ! as a variable
    std::int64_t total() const {
        return tooLong + vanished + unrepresentable + folders + devices + unnamed +
               foldersNotEntered + caretBehindCall + changedByDelayedExpansion;
    }
};

// Listed files whose extension is the typed one in another letter case ("JPG" for "jpg"), as
// far as they were looked at: until the first line was written.
struct OtherCase {
    std::int64_t files = 0;
    std::vector<std::string> spellings;  // the first few, with their dot, as listed
};

// What a run that went through did.
struct RunReport {
    std::int64_t written = 0;       // lines appended
    SkippedFiles skipped;           // matching files left out
    OtherCase otherCase;
    std::int64_t earlierLines = 0;  // lines do.bat held before the run
};

// The message that ends a run that went through: without skipped files one of the two above,
// then a line per reason a file was left out, the hint on letter case when nothing matched,
// and the lines do.bat held before.
std::string ClosingMessage(const RunReport& report, std::string_view extension,
                           std::string_view programFolder);
// " N Zeilen dieses Laufs wurden an do.bat angehängt.", to follow a message of a stopped run.
std::string LinesAppended(std::int64_t count);

// The messages of a run that stops; each names the file by the path the user knows.
std::string CommandRefusedMessage(std::string_view command, const CommandRefusal& refusal);
// `character` stands at `position` (in characters from 1) of the command.
std::string CommandCharacterNotHeldMessage(std::string_view command, std::string_view character,
                                           std::size_t position);
std::string FolderBusyMessage(std::string_view programFolder);
// An extension no listed name can have: empty, or with a dot.
std::string ExtensionRefusedMessage(std::string_view extension);
// No folder can take list.tmp and do.bat: an installed program's folder is never one of them;
// `dataFolder` is empty where the user has none.
std::string NoWorkFolderMessage(std::string_view programFolder, bool installed,
                                std::string_view dataFolder);
std::string StartFolderWithVariableMessage(std::string_view startFolder);
std::string ProgramFolderWithVariableMessage(std::string_view programFolder);
std::string OldListNotRemovedMessage(std::string_view listPath, std::string_view reason);
std::string InterpreterNotStartedMessage(std::string_view listPath, std::string_view reason);
std::string ListNotCreatedMessage(std::string_view listPath);
std::string ListVanishedMessage(std::string_view listPath);
std::string ListUnreadableMessage(std::string_view listPath, std::string_view reason);
std::string ListLineTooLongMessage(std::string_view listPath);
std::string ListIncompleteMessage(std::string_view listPath);
std::string StartFolderVanishedMessage(std::string_view startFolder);
std::string BatchUnwritableMessage(std::string_view batchPath, std::string_view reason,
                                   std::int64_t linesWritten);
std::string ProgramFolderMissingMessage(std::string_view programFolder);
// A run the platform failed midway (an exception out of BatchRun), with what failed.
std::string RunAbortedMessage(std::string_view reason);

// One line per folder that does not exist; empty when both exist.
std::string MissingFoldersMessage(bool startExists, std::string_view startFolder, bool outputExists,
                                  std::string_view outputFolder);

}  // namespace batch
