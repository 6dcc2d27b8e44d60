#include "batch/batch_run.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <variant>

#include "batch/batch_file.h"
#include "batch/command_line.h"
#include "batch/german_reason.h"
#include "batch/list_file.h"
#include "batch/path_helpers.h"
#include "batch/run_messages.h"
#include "batch/run_plan.h"
#include "batch/typed_command.h"
#include "batch/utf8_characters.h"
#include "platform/native_file.h"
#include "platform/windows_names.h"

namespace batch {
namespace {

// A run that cannot go on; its text is the message the user reads.
class RunStopped : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

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
};

// `startFolder` is the folder that was checked, absolute and with backslashes, so that cmd can
// neither read it as a switch ("/b") nor resolve it against another current folder.
Listing StartList(platform::Platform& platform, RunView& view, std::string_view startFolder,
                  const RunFiles& files) {
    // Never read a list this run did not write: the previous run's list goes first.
    if (const auto native = platform.nativePath(files.list)) {
        if (const std::error_code error = platform::RemoveFile(*native))
            throw RunStopped(OldListNotRemovedMessage(files.listShown, GermanReason(error)));
    }
    Listing listing;
    try {
        // /u: dir writes the names in UTF-16, every letter as the file system holds it; in the
        // console's code page a letter it lacks would become '?' or a look-alike (Łódź: Lódz).
        listing.process = platform.startCommand("cmd /u /c  dir " + CommandLinePart(startFolder) +
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

enum class NoLine {
    Vanished,
    Unrepresentable,
    TooLong,
    Folder,
    Device,
    CaretBehindCall,
    DelayedExpansion,
};

// The paths one matching file's line names, as the platform gives them, or why it gets none.
struct LinePaths {
    std::string file;  // the file's short path
    // The target folder, short where the console cannot hold it long; none for a command that
    // deletes what it is handed.
    std::optional<std::string> target;
    std::optional<NoLine> none;
};

// Asks the platform once about one matching entry: its short path, and whether it is a folder
// (a command handed one takes every file in it); then for the target's short form where it
// needs one.
// The target folder as a line writes it, worked out once for the files that share it (a
// folder's files come together in the list; the output folder serves every line).
struct WrittenTarget {
    std::string folder;   // as asked for
    std::string written;  // short where the console cannot hold it long
    bool held = false;    // the console holds what is written
    bool device = false;  // Windows opens a device by this name
};

const WrittenTarget& TargetFor(const platform::Platform& platform, std::string_view folder,
                               WrittenTarget& last) {
    if (folder == last.folder && !last.folder.empty())
        return last;
    last.folder.assign(folder);
    last.written.assign(folder);
    // cmd reads do.bat in its console code page; a folder that code page cannot hold is
    // written in its short form, which Windows makes of characters it can hold.
    if (!platform.consoleCanHold(last.written)) {
        if (std::string shortTarget = Module1::ShortPath(platform, folder); !shortTarget.empty())
            last.written = std::move(shortTarget);
    }
    last.held = platform.consoleCanHold(last.written);
    last.device = platform::OpensDevice(last.written);
    return last;
}

LinePaths PathsForLine(const platform::Platform& platform, platform::ShortPaths& shortPaths,
                       const RunSettings& settings, bool withTarget, std::string_view listed,
                       std::string_view folder, WrittenTarget& lastTarget) {
    LinePaths paths;
    // Asked before the disk is: Windows would answer for the device.
    if (platform::OpensDevice(listed)) {
        paths.none = NoLine::Device;
        return paths;
    }
    platform::ShortEntry entry = Module1::ShortEntry(shortPaths, listed);
    if (entry.path.empty() || entry.folder) {
        paths.none = entry.path.empty() ? NoLine::Vanished : NoLine::Folder;
        return paths;
    }
    paths.file = std::move(entry.path);
    bool consoleHoldsBoth = platform.consoleCanHold(paths.file);
    if (withTarget) {
        const WrittenTarget& target = TargetFor(
            platform,
            settings.useOutputFolder != 0 ? std::string_view(settings.outputFolder) : folder,
            lastTarget);
        consoleHoldsBoth = consoleHoldsBoth && target.held;
        if (target.device)
            paths.none = NoLine::Device;
        paths.target = target.written;
    }
    if (!consoleHoldsBoth && !paths.none)
        paths.none = NoLine::Unrepresentable;
    return paths;
}

// The line for one matching file, or why it gets none. A line always names its own file: a
// file without a short path or with a path the batch file cannot hold gets no line rather
// than one that names another file or none.
std::variant<std::string, NoLine> FormLine(const TypedCommand& command, const LinePaths& paths) {
    if (paths.none)
        return *paths.none;
    for (const auto& path : {std::optional<std::string_view>(paths.file),
                             std::optional<std::string_view>(paths.target)}) {
        if (!path)
            continue;
        if (const auto hazard = command.hazardFor(*path))
            return *hazard == PathHazard::CaretBehindCall ? NoLine::CaretBehindCall
                                                          : NoLine::DelayedExpansion;
    }
    BatchLineText line = BatchLine(command, paths.file, paths.target);
    if (!line.fits())
        return NoLine::TooLong;
    return std::move(line.text);
}

void Count(NoLine reason, SkippedFiles& skipped) {
    switch (reason) {
        case NoLine::Folder:
            ++skipped.folders;
            break;
        case NoLine::Vanished:
            ++skipped.vanished;
            break;
        case NoLine::Unrepresentable:
            ++skipped.unrepresentable;
            break;
        case NoLine::TooLong:
            ++skipped.tooLong;
            break;
        case NoLine::Device:
            ++skipped.devices;
            break;
        case NoLine::CaretBehindCall:
            ++skipped.caretBehindCall;
            break;
        case NoLine::DelayedExpansion:
            ++skipped.changedByDelayedExpansion;
            break;
    }
}

// A stop met while reading the list: the batch file is closed before the user hears of it,
// and the message says how many lines the run appended.
class ListStopped : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct ListedPath {
    std::string_view path;  // valid until the next line is read
    Module1::PathParts parts;
};

// The next path of the list, or nullopt after the last.
std::optional<ListedPath> NextListed(ListFileLines& lines, std::string_view listShown) {
    try {
        const auto listed = lines.next();
        if (!listed)
            return std::nullopt;
        return ListedPath{*listed, Module1::SplitPath(*listed)};
    } catch (const platform::FileError& error) {
        throw ListStopped(ListUnreadableMessage(listShown, GermanReason(error.code())));
    } catch (const std::overflow_error&) {
        throw ListStopped(ListLineTooLongMessage(listShown));
    }
}

// A listed file (not a folder) whose extension is the wanted one in another letter case.
void CountOtherCase(platform::ShortPaths& shortPaths, std::string_view listed,
                    std::string_view extension, OtherCase& otherCase) {
    const platform::ShortEntry entry = Module1::ShortEntry(shortPaths, listed);
    if (entry.path.empty() || entry.folder)
        return;
    ++otherCase.files;
    constexpr std::size_t kShown = 3;
    if (otherCase.spellings.size() < kShown &&
        std::ranges::find(otherCase.spellings, extension) == otherCase.spellings.end())
        otherCase.spellings.emplace_back(extension);
}

// Appends a batch line for every listed path whose extension matches.
RunReport AppendLinesForMatches(platform::Platform& platform, RunView& view,
                                const RunSettings& settings, const TypedCommand& command,
                                const RunFiles& files, ListFileLines& lines, BatchFile& batchFile) {
    const std::string wantedExtension = "." + settings.extension;
    const bool withTarget = !command.deletesWhatItIsHanded();
    // The list names each folder's files together: each folder is looked up once.
    const auto shortPaths = platform.shortPathsIn();
    WrittenTarget target;
    RunReport counts;
    while (const auto listed = NextListed(lines, files.listShown)) {
        if (listed->parts.extension != wantedExtension) {
            // For the hint when nothing matches: looked at only until a line is written.
            if (counts.written == 0 && listed->parts.extension.size() == wantedExtension.size() &&
                platform::NamesEqualIgnoringCase(listed->parts.extension, wantedExtension))
                CountOtherCase(*shortPaths, listed->path, listed->parts.extension,
                               counts.otherCase);
            continue;
        }
        const auto line =
            FormLine(command, PathsForLine(platform, *shortPaths, settings, withTarget,
                                           listed->path, listed->parts.folder, target));
        if (const NoLine* reason = std::get_if<NoLine>(&line)) {
            Count(*reason, counts.skipped);
            continue;
        }
        try {
            batchFile.appendLine(std::get<std::string>(line));
        } catch (const platform::FileError& error) {
            throw RunStopped(BatchUnwritableMessage(files.batchShown, GermanReason(error.code()),
                                                    batchFile.linesWritten()));
        }
        ++counts.written;
        view.setStatus(listed->path);
        view.repaintStatus();
    }
    return counts;
}

// After the listing has ended: a start folder removed while it was listed leaves a list that
// lacks part of the tree; so does a listing that failed or was cut off mid-line (a full disk).
// (An empty list with a failure is dir's answer for a start folder that holds nothing dir
// lists; with such an entry there, the list failed before its first line.)
void CheckListComplete(const platform::Platform& platform, const RunSettings& settings,
                       const RunFiles& files, Listing& listing, const ListFileLines& lines) {
    if (!Module1::FolderExists(platform, settings.startFolder))
        throw ListStopped(StartFolderVanishedMessage(settings.startFolder));
    const int exitCode = listing.process->wait();
    const auto holdsListedEntry = [&] {
        return std::ranges::any_of(platform.folderEntries(settings.startFolder),
                                   [](const platform::Entry& entry) { return !entry.hidden; });
    };
    if (lines.endedWithoutLineBreak() ||
        (exitCode != 0 && (lines.linesRead() > 0 || holdsListedEntry())))
        throw ListStopped(ListIncompleteMessage(files.listShown));
}

// Counts what the listing left out as Windows cannot name it: the files that match, and every
// folder, since what it holds was never seen.
void CountUnnamed(const platform::UnnamedEntries& leftOut, std::string_view wantedExtension,
                  SkippedFiles& skipped) {
    skipped.foldersNotEntered += leftOut.folders;
    for (const std::string& name : leftOut.files) {
        if (Module1::SplitPath(name).extension == wantedExtension)
            ++skipped.unnamed;
    }
}

// Reads the list once and appends a batch line for every listed path whose extension
// matches; stops with a message when the listing turns out to be incomplete. The lines
// appended before a stop name files that were there, and stay.
RunReport AppendMatchingLines(platform::Platform& platform, RunView& view,
                              const RunSettings& settings, const TypedCommand& command,
                              const RunFiles& files, Listing& listing) {
    BusyWhileWaiting busy(view);
    ListFileLines lines = OpenList(platform, files, listing);
    BatchFile batchFile(platform, files.batch);
    try {
        RunReport counts =
            AppendLinesForMatches(platform, view, settings, command, files, lines, batchFile);
        CheckListComplete(platform, settings, files, listing, lines);
        CountUnnamed(listing.process->leftOut(), "." + settings.extension, counts.skipped);
        CloseBatchFile(batchFile, files.batchShown);
        return counts;
    } catch (const ListStopped& stopped) {
        CloseBatchFile(batchFile, files.batchShown);
        throw RunStopped(stopped.what() + LinesAppended(batchFile.linesWritten()));
    }
}

}  // namespace

RunOutcome BatchRun(platform::Platform& platform, RunView& view, const RunSettings& settings,
                    std::string_view programFolder) {
    const auto planned = PlanRun(platform, settings, programFolder);
    if (const std::string* stop = std::get_if<std::string>(&planned)) {
        view.showMessage(*stop);
        return RunOutcome::Refused;
    }
    const RunPlan& plan = std::get<RunPlan>(planned);

    // One run at a time per program folder: two would share list.tmp and mix their do.bat
    // lines. A folder where no claim can be made at all (one that is not writable) is left to
    // the listing, whose failure names the cause.
    std::error_code claimError;
    const auto claim = platform.claimFolder(plan.shortProgramFolder, claimError);
    if (!claim && claimError == std::errc::resource_unavailable_try_again) {
        view.showMessage(FolderBusyMessage(programFolder));
        return RunOutcome::Refused;
    }

    try {
        // What an earlier run left in do.bat runs too when the user runs it: the message says so.
        const std::int64_t earlierLines = BatchFileLines(platform, plan.files.batch);
        Listing listing = StartList(platform, view, plan.startFolder, plan.files);
        RunReport report =
            AppendMatchingLines(platform, view, settings, plan.command, plan.files, listing);
        report.earlierLines = earlierLines;
        view.setStatus(ProcessedStatus(report.written));
        view.repaintWindow();
        view.showMessage(ClosingMessage(report, settings.extension, programFolder));
        return RunOutcome::Finished;
    } catch (const RunStopped& stopped) {
        view.repaintWindow();
        view.showMessage(stopped.what());
        return RunOutcome::Stopped;
    }
}

}  // namespace batch
