#pragma once
// The texts a batch run shows in the status line and its message boxes.

#include <cstdint>
#include <string>
#include <string_view>

namespace batch {

inline constexpr std::string_view kListCreatedMessage =
    "Dateiliste list.tmp wurde erstellt. Ausführung wird nun gestartet...";

// " 12 Dateien wurden verarbeitet": the blank stands where a sign would.
std::string ProcessedStatus(std::int64_t count);

std::string BatchWrittenMessage(std::string_view programFolder);
std::string NothingFoundMessage(std::string_view extension, std::string_view programFolder);
// The message that ends a run that went through: `written` lines appended, `skipped` lines
// left out because cmd would cut them. Without skipped lines it is one of the two above.
std::string ClosingMessage(std::int64_t written, std::int64_t skipped, std::string_view extension,
                           std::string_view programFolder);
// One line per folder that does not exist; empty when both exist.
std::string MissingFoldersMessage(bool startExists, std::string_view startFolder, bool outputExists,
                                  std::string_view outputFolder);

}  // namespace batch
