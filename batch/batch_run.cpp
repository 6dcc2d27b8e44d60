#include "batch/batch_run.h"

#include <optional>
#include <stdexcept>

#include "batch/batch_file.h"
#include "batch/command_line.h"
#include "batch/german_reason.h"
#include "batch/list_file.h"
#include "batch/path_helpers.h"
#include "batch/run_messages.h"

namespace batch {
namespace {

// A run that cannot go on; its text is the message the user reads.
class RunStopped : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Joins a folder and a file name with one backslash, none added at a drive root ("X:\").
std::string InFolder(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != '\\')
        path += '\\';
    path += name;
    return path;
}

class BusyWhileWaiting {
  public:
    explicit BusyWhileWaiting(RunView& view) : view_(view) { view_.setBusy(true); }
    ~BusyWhileWaiting() { view_.setBusy(false); }
    BusyWhileWaiting(const BusyWhileWaiting&) = delete;
    BusyWhileWaiting& operator=(const BusyWhileWaiting&) = delete;

  private:
    RunView& view_;
};

// The listing on its way. Once the user has confirmed the first message, the list is read
// while the listing still writes it, so that the two share the machine's cores.
struct Listing {
    std::unique_ptr<platform::Process> process;
    // The previous run's list could not be removed: reading before the listing has replaced
    // it would read the old one, so the reader waits for the end instead.
    bool mustWaitForEnd = false;
};

Listing StartList(platform::Platform& platform, RunView& view, std::string_view startFolder,
                  std::string_view listPath) {
    // A listing that fails must not leave the previous run's list to be read instead.
    Listing listing;
    if (const auto native = platform.nativePath(listPath)) {
        std::error_code error;
        std::filesystem::remove(*native, error);
        listing.mustWaitForEnd = static_cast<bool>(error);
    }
    try {
        listing.process = platform.startCommand("cmd /c  dir " + CommandLinePart(startFolder) +
                                                " /b /s >" + CommandLinePart(listPath));
    } catch (const std::system_error& error) {
        throw RunStopped("Die Dateiliste " + std::string(listPath) +
                         " konnte nicht erstellt werden: Der Befehlsinterpreter ließ sich "
                         "nicht starten (" +
                         GermanReason(error.code()) + ").");
    }
    view.showMessage(kListCreatedMessage);
    return listing;
}

std::string ListUnreadable(std::string_view listPath, const std::error_code& reason) {
    return "Die Dateiliste " + std::string(listPath) +
           " konnte nicht gelesen werden: " + GermanReason(reason) + ".";
}

std::string BatchUnwritable(std::string_view batchPath, const std::error_code& reason,
                            std::int64_t linesWritten) {
    return "Die Datei " + std::string(batchPath) +
           " konnte nicht geschrieben werden: " + GermanReason(reason) + ". " +
           std::to_string(linesWritten) +
           " Zeilen dieses Laufs wurden angehängt; was vorher in der Datei stand, ist erhalten.";
}

std::string LinesAppended(std::int64_t count) {
    return " " + std::to_string(count) + " Zeilen dieses Laufs wurden an do.bat angehängt.";
}

// Writes what the batch file still holds; a failure there is the one the user must hear of.
void CloseBatchFile(BatchFile& batchFile, std::string_view batchPath) {
    try {
        batchFile.close();
    } catch (const platform::FileError& error) {
        throw RunStopped(BatchUnwritable(batchPath, error.code(), batchFile.linesWritten()));
    }
}

struct LineCounts {
    std::int64_t written = 0;
    std::int64_t skipped = 0;  // too long for cmd
};

// Reads the list once and appends a batch line for every listed path whose extension
// matches, leaving out lines cmd would cut.
LineCounts AppendMatchingLines(platform::Platform& platform, RunView& view,
                               const RunSettings& settings, std::string_view listPath,
                               std::string_view batchPath, Listing& listing) {
    BusyWhileWaiting busy(view);
    if (listing.mustWaitForEnd)
        listing.process->wait();
    std::optional<ListFileLines> lines;
    try {
        lines.emplace(platform, listPath, listing.process.get());
    } catch (const platform::FileError& error) {
        if (error.code() == std::errc::no_such_file_or_directory) {
            // The old list was removed before the listing, which has ended by now: one that
            // failed never wrote a list; after one that succeeded, it was taken away.
            if (listing.process->wait() != 0) {
                throw RunStopped("Die Dateiliste " + std::string(listPath) +
                                 " wurde vom Befehlsinterpreter nicht angelegt. Ist der "
                                 "Programmordner schreibgeschützt oder der Datenträger voll?");
            }
            throw RunStopped("Die Dateiliste " + std::string(listPath) +
                             " ist verschwunden, bevor sie gelesen werden konnte (gelöscht, "
                             "oder das Laufwerk ist nicht mehr bereit). do.bat wurde nicht "
                             "verändert.");
        }
        throw RunStopped(ListUnreadable(listPath, error.code()));
    }

    BatchFile batchFile(platform, batchPath);
    const std::string wantedExtension = "." + settings.extension;
    std::int64_t processed = 0;
    std::int64_t skipped = 0;
    std::string batchLine;
    for (;;) {
        std::optional<std::string_view> line;
        Module1::PathParts parts;
        try {
            line = lines->next();
            if (!line)
                break;
            parts = Module1::SplitPath(*line);
        } catch (const platform::FileError& error) {
            CloseBatchFile(batchFile, batchPath);
            throw RunStopped(ListUnreadable(listPath, error.code()) + LinesAppended(processed));
        } catch (const std::overflow_error&) {
            CloseBatchFile(batchFile, batchPath);
            throw RunStopped("Die Dateiliste " + std::string(listPath) +
                             " enthält einen Pfad, der zu lang ist (mehr als 32767 Zeichen "
                             "oder mehr Zeilen als zählbar). Der Lauf wurde dort abgebrochen." +
                             LinesAppended(processed));
        }
        if (parts.extension != wantedExtension)
            continue;

        std::string_view target =
            settings.useOutputFolder != 0 ? std::string_view(settings.outputFolder) : parts.folder;
        // cmd reads do.bat in its console code page; a folder that code page cannot hold is
        // written in its short form, which Windows makes of characters it can hold.
        std::string shortTarget;
        if (!platform.consoleCanHold(target)) {
            shortTarget = Module1::ShortPath(platform, target);
            if (!shortTarget.empty())
                target = shortTarget;
        }
        batchLine.assign("cmd /c ");
        batchLine += settings.command;
        batchLine += ' ';
        AppendBatchFilePart(batchLine, Module1::ShortPath(platform, *line));
        batchLine += ' ';
        AppendBatchFilePart(batchLine, target);
        if (!FitsCommandLine(batchLine)) {
            ++skipped;
            continue;
        }
        try {
            batchFile.appendLine(batchLine);
        } catch (const platform::FileError& error) {
            throw RunStopped(BatchUnwritable(batchPath, error.code(), batchFile.linesWritten()));
        }
        ++processed;

        view.setStatus(*line);
        view.repaintStatus();
    }
    // The listing has ended. A start folder removed while it was listed leaves a list that
    // lacks part of the tree; the lines so far name files that were there.
    if (!Module1::FolderExists(platform, settings.startFolder)) {
        CloseBatchFile(batchFile, batchPath);
        throw RunStopped("Das Startverzeichnis " + settings.startFolder +
                         " ist während der Auflistung verschwunden; die Dateiliste ist "
                         "unvollständig." +
                         LinesAppended(batchFile.linesWritten()));
    }
    CloseBatchFile(batchFile, batchPath);
    return {processed, skipped};
}

}  // namespace

void BatchRun(platform::Platform& platform, RunView& view, const RunSettings& settings,
              std::string_view programFolder) {
    const bool startExists = Module1::FolderExists(platform, settings.startFolder);
    const bool outputExists = Module1::FolderExists(platform, settings.outputFolder);
    if (!startExists || !outputExists) {
        view.showMessage(MissingFoldersMessage(startExists, settings.startFolder, outputExists,
                                               settings.outputFolder));
        return;
    }

    const std::string shortProgramFolder = Module1::ShortPath(platform, programFolder);
    if (shortProgramFolder.empty()) {
        view.showMessage(programFolder.empty()
                             ? std::string("Der Programmordner liegt auf keinem Laufwerk; dort "
                                           "werden list.tmp und do.bat angelegt.")
                             : "Der Programmordner " + std::string(programFolder) +
                                   " wurde nicht gefunden; dort werden list.tmp und do.bat "
                                   "angelegt.");
        return;
    }
    const std::string listPath = InFolder(shortProgramFolder, "list.tmp");
    const std::string batchPath = InFolder(shortProgramFolder, "do.bat");

    try {
        Listing listing = StartList(platform, view, settings.startFolder, listPath);
        const LineCounts lines =
            AppendMatchingLines(platform, view, settings, listPath, batchPath, listing);
        view.setStatus(ProcessedStatus(lines.written));
        view.repaintWindow();
        view.showMessage(
            ClosingMessage(lines.written, lines.skipped, settings.extension, programFolder));
    } catch (const RunStopped& stopped) {
        view.repaintWindow();
        view.showMessage(stopped.what());
    }
}

}  // namespace batch
