#include "batch/run_messages.h"

namespace batch {

std::string ProcessedStatus(std::int64_t count) {
    return " " + std::to_string(count) + " Dateien wurden verarbeitet";
}

// The program folder is always joined to "\do.bat" with a backslash, also at a drive root.
std::string BatchWrittenMessage(std::string_view programFolder) {
    return "Die Datei " + std::string(programFolder) +
           "\\do.bat wurde erzeugt und kann nun ausgeführt werden";
}

std::string NothingFoundMessage(std::string_view extension, std::string_view programFolder) {
    return "Keine Datei mit der Endung ." + std::string(extension) + " gefunden. " +
           std::string(programFolder) + "\\do.bat wurde nicht verändert.";
}

std::string ClosingMessage(std::int64_t written, std::int64_t skipped, std::string_view extension,
                           std::string_view programFolder) {
    if (skipped == 0) {
        return written > 0 ? BatchWrittenMessage(programFolder)
                           : NothingFoundMessage(extension, programFolder);
    }
    std::string message =
        written > 0 ? BatchWrittenMessage(programFolder)
                    : "Die Datei " + std::string(programFolder) + "\\do.bat wurde nicht verändert";
    message += ".\n";
    message += skipped == 1 ? "1 Zeile wurde nicht geschrieben, weil sie länger wäre"
                            : std::to_string(skipped) +
                                  " Zeilen wurden nicht geschrieben, weil sie länger wären";
    message += " als die 8191 Zeichen, die cmd von einer Zeile liest.";
    return message;
}

std::string MissingFoldersMessage(bool startExists, std::string_view startFolder, bool outputExists,
                                  std::string_view outputFolder) {
    std::string message;
    if (!startExists)
        message += "Startverzeichnis nicht gefunden: " + std::string(startFolder);
    if (!outputExists) {
        if (!message.empty())
            message += '\n';
        message += "Ausgabeverzeichnis nicht gefunden: " + std::string(outputFolder);
    }
    return message;
}

}  // namespace batch
