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

std::string MissingFoldersMessage(bool startExists, std::string_view startFolder,
                                  bool outputExists, std::string_view outputFolder) {
    std::string message;
    if (!startExists) message += "Startverzeichnis nicht gefunden: " + std::string(startFolder);
    if (!outputExists) {
        if (!message.empty()) message += '\n';
        message += "Ausgabeverzeichnis nicht gefunden: " + std::string(outputFolder);
    }
    return message;
}

}  // namespace batch
