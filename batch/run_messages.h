#pragma once
// The texts a batch run shows in the status line and its message boxes.

#include <cstdint>
#include <string>
#include <string_view>

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

// The message that ends a run that went through: `written` lines appended, `skipped` files
// left out. Without skipped files it is one of the two above.
std::string ClosingMessage(std::int64_t written, const SkippedFiles& skipped,
                           std::string_view extension, std::string_view programFolder);
// " N Zeilen dieses Laufs wurden an do.bat angehängt.", to follow a message of a stopped run.
std::string LinesAppended(std::int64_t count);

// The messages of a run that stops; each names the file by the path the user knows.
std::string CommandRefusedMessage(std::string_view command, const CommandRefusal& refusal);
// `character` stands at `position` (in characters from 1) of the command.
std::string CommandCharacterNotHeldMessage(std::string_view command, std::string_view character,
                                           std::size_t position);
std::string FolderBusyMessage(std::string_view programFolder);
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
