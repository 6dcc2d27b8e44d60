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

// Where the run's two files are: the short paths it opens them by, and the long ones the
// user knows, which the messages name.
struct RunFiles {
    std::string list;
    std::string batch;
    std::string listShown;
    std::string batchShown;
};

// The listing on its way. Once the user has confirmed the first message, the list is read
// while the listing still writes it, so that the two share the machine's cores.
struct Listing {
    std::unique_ptr<platform::Process> process;
};

// `startFolder` is the folder that was checked, absolute and with backslashes, so that cmd can
// neither read it as a switch ("/b") nor resolve it against another current folder.
Listing StartList(platform::Platform& platform, RunView& view, std::string_view startFolder,
                  const RunFiles& files) {
    // Never read a list this run did not write: the previous run's list goes first.
    if (const auto native = platform.nativePath(files.list)) {
        std::error_code error;
        std::filesystem::remove(*native, error);
        if (error && error != std::errc::no_such_file_or_directory)
            throw RunStopped(OldListNotRemovedMessage(files.listShown, GermanReason(error)));
    }
    Listing listing;
    try {
        listing.process = platform.startCommand("cmd /c  dir " + CommandLinePart(startFolder) +
                                                " /b /s >" + CommandLinePart(files.list));
    } catch (const std::system_error& error) {
        throw RunStopped(InterpreterNotStartedMessage(files.listShown, GermanReason(error.code())));
    }
    view.showMessage(kListCreatedMessage);
    return listing;
}

// Writes what the batch file still holds; a failure there is the one the user must hear of.
void CloseBatchFile(BatchFile& batchFile, std::string_view batchPath) {
    try {
        batchFile.close();
    } catch (const platform::FileError& error) {
        throw RunStopped(BatchUnwritableMessage(batchPath, GermanReason(error.code()),
                                                batchFile.linesWritten()));
    }
}

struct LineCounts {
    std::int64_t written = 0;
    SkippedFiles skipped;
};

// Opens the list the listing writes; a list that never came is explained by how the listing
// ended.
ListFileLines OpenList(platform::Platform& platform, const RunFiles& files, Listing& listing) {
    try {
        return ListFileLines(platform, files.list, listing.process.get());
    } catch (const platform::FileError& error) {
        if (error.code() != std::errc::no_such_file_or_directory)
            throw RunStopped(ListUnreadableMessage(files.listShown, GermanReason(error.code())));
        // The old list was removed before the listing, which has ended by now: one that
        // failed never wrote a list; after one that succeeded, it was taken away.
        if (listing.process->wait() != 0)
            throw RunStopped(ListNotCreatedMessage(files.listShown));
        throw RunStopped(ListVanishedMessage(files.listShown));
    }
}

// The line for one matching file, or why it gets none. A line always names its own file:
// a file without a short path (gone since the listing) or with a path the batch file cannot
// hold gets no line rather than one that names another file or none.
std::optional<std::string> LineForFile(const platform::Platform& platform,
                                       platform::ShortPaths& shortPaths,
                                       const RunSettings& settings, std::string_view listed,
                                       std::string_view folder, SkippedFiles& skipped) {
    std::string file;
    try {
        file = shortPaths.of(listed);
    } catch (...) {
        // as Module1::ShortPath: no short path
    }
    if (file.empty()) {
        ++skipped.vanished;
        return std::nullopt;
    }
    std::string_view target =
        settings.useOutputFolder != 0 ? std::string_view(settings.outputFolder) : folder;
    // cmd reads do.bat in its console code page; a folder that code page cannot hold is
    // written in its short form, which Windows makes of characters it can hold.
    std::string shortTarget;
    if (!platform.consoleCanHold(target)) {
        shortTarget = Module1::ShortPath(platform, target);
        if (!shortTarget.empty())
            target = shortTarget;
    }
    if (!platform.consoleCanHold(file) || !platform.consoleCanHold(target)) {
        ++skipped.unrepresentable;
        return std::nullopt;
    }
    std::string line = BatchLine(settings.command, file, target);
    if (!FitsCommandLine(line)) {
        ++skipped.tooLong;
        return std::nullopt;
    }
    return line;
}

// Reads the list once and appends a batch line for every listed path whose extension
// matches; stops with a message when the listing turns out to be incomplete.
LineCounts AppendMatchingLines(platform::Platform& platform, RunView& view,
                               const RunSettings& settings, const RunFiles& files,
                               Listing& listing) {
    BusyWhileWaiting busy(view);
    ListFileLines lines = OpenList(platform, files, listing);
    BatchFile batchFile(platform, files.batch);
    const auto stop = [&](std::string message) {
        CloseBatchFile(batchFile, files.batchShown);
        return RunStopped(std::move(message) + LinesAppended(batchFile.linesWritten()));
    };

    const std::string wantedExtension = "." + settings.extension;
    // The list names each folder's files together: each folder is looked up once.
    const auto shortPaths = platform.shortPathsIn();
    LineCounts counts;
    for (;;) {
        std::optional<std::string_view> listed;
        Module1::PathParts parts;
        try {
            listed = lines.next();
            if (!listed)
                break;
            parts = Module1::SplitPath(*listed);
        } catch (const platform::FileError& error) {
            throw stop(ListUnreadableMessage(files.listShown, GermanReason(error.code())));
        } catch (const std::overflow_error&) {
            throw stop(ListLineTooLongMessage(files.listShown));
        }
        if (parts.extension != wantedExtension)
            continue;
        const auto line =
            LineForFile(platform, *shortPaths, settings, *listed, parts.folder, counts.skipped);
        if (!line)
            continue;
        try {
            batchFile.appendLine(*line);
        } catch (const platform::FileError& error) {
            throw RunStopped(BatchUnwritableMessage(files.batchShown, GermanReason(error.code()),
                                                    batchFile.linesWritten()));
        }
        ++counts.written;

        view.setStatus(*listed);
        view.repaintStatus();
    }
    // The listing has ended. A start folder removed while it was listed leaves a list that
    // lacks part of the tree; so does a listing that failed or was cut off mid-line (a full
    // disk). The lines so far name files that were there. (An empty list with a failure is
    // dir's answer for a start folder that holds nothing.)
    if (!Module1::FolderExists(platform, settings.startFolder))
        throw stop(StartFolderVanishedMessage(settings.startFolder));
    const int exitCode = listing.process->wait();
    if (lines.endedWithoutLineBreak() || (exitCode != 0 && lines.linesRead() > 0))
        throw stop(ListIncompleteMessage(files.listShown));
    CloseBatchFile(batchFile, files.batchShown);
    return counts;
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
    if (!CommandQuotesBalanced(settings.command)) {
        view.showMessage(CommandQuotesUnbalancedMessage(settings.command));
        return;
    }

    const std::string shortProgramFolder = Module1::ShortPath(platform, programFolder);
    if (shortProgramFolder.empty()) {
        view.showMessage(ProgramFolderMissingMessage(programFolder));
        return;
    }
    const RunFiles files{InFolder(shortProgramFolder, "list.tmp"),
                         InFolder(shortProgramFolder, "do.bat"),
                         InFolder(programFolder, "list.tmp"), InFolder(programFolder, "do.bat")};
    const auto startFolder = platform.fullPath(settings.startFolder);
    if (!startFolder) {
        view.showMessage(MissingFoldersMessage(false, settings.startFolder, true, {}));
        return;
    }
    if (HoldsVariableName(*startFolder)) {
        view.showMessage(StartFolderWithVariableMessage(*startFolder));
        return;
    }
    if (HoldsVariableName(files.list)) {
        view.showMessage(ProgramFolderWithVariableMessage(programFolder));
        return;
    }

    // One run at a time per program folder: two would share list.tmp and mix their do.bat
    // lines. A folder where no claim can be made at all (one that is not writable) is left to
    // the listing, whose failure names the cause.
    std::error_code claimError;
    const auto claim = platform.claimFolder(shortProgramFolder, claimError);
    if (!claim && claimError == std::errc::resource_unavailable_try_again) {
        view.showMessage(FolderBusyMessage(programFolder));
        return;
    }

    try {
        Listing listing = StartList(platform, view, *startFolder, files);
        const LineCounts lines = AppendMatchingLines(platform, view, settings, files, listing);
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
