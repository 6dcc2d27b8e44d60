#include "batch/run_plan.h"

#include "batch/command_line.h"
#include "batch/path_helpers.h"
#include "batch/run_messages.h"
#include "batch/utf8_characters.h"

namespace batch {
namespace {

// The typed command read for do.bat, or the message that refuses it.
std::variant<TypedCommand, std::string> ReadCommand(const platform::Platform& platform,
                                                    std::string_view typed) {
    // do.bat is read in the console's code page; a character it lacks would reach the command
    // as another one.
    for (std::size_t at = 0, position = 1; at < typed.size(); ++position) {
        const std::string_view character = typed.substr(at, CharacterLength(typed, at));
        if (!platform.consoleCanHold(character))
            return CommandCharacterNotHeldMessage(typed, character, position);
        at += character.size();
    }
    auto read = TypedCommand::Read(
        typed, [&](std::string_view name) { return platform.environmentVariable(name); });
    if (const auto* refusal = std::get_if<CommandRefusal>(&read))
        return CommandRefusedMessage(typed, *refusal);
    return std::get<TypedCommand>(std::move(read));
}

}  // namespace

std::variant<RunPlan, std::string> PlanRun(const platform::Platform& platform,
                                           const RunSettings& settings,
                                           std::string_view programFolder) {
    const bool startExists = Module1::FolderExists(platform, settings.startFolder);
    const bool outputExists = Module1::FolderExists(platform, settings.outputFolder);
    if (!startExists || !outputExists)
        return MissingFoldersMessage(startExists, settings.startFolder, outputExists,
                                     settings.outputFolder);
    // A listed name's extension has one dot, at its start, and something after it: a run for
    // any other can only find nothing.
    if (settings.extension.empty() || settings.extension.find('.') != std::string::npos)
        return ExtensionRefusedMessage(settings.extension);
    auto command = ReadCommand(platform, settings.command);
    if (std::string* refusal = std::get_if<std::string>(&command))
        return std::move(*refusal);

    const std::string shortProgramFolder = Module1::ShortPath(platform, programFolder);
    if (shortProgramFolder.empty())
        return ProgramFolderMissingMessage(programFolder);
    const auto startFolder = platform.fullPath(settings.startFolder);
    if (!startFolder)
        return MissingFoldersMessage(false, settings.startFolder, true, {});
    RunPlan plan{std::get<TypedCommand>(std::move(command)), *startFolder, shortProgramFolder,
                 RunFiles{Module1::JoinPath(shortProgramFolder, "list.tmp"),
                          Module1::JoinPath(shortProgramFolder, "do.bat"),
                          Module1::JoinPath(programFolder, "list.tmp"),
                          Module1::JoinPath(programFolder, "do.bat")}};
    if (HoldsVariableName(plan.startFolder))
        return StartFolderWithVariableMessage(plan.startFolder);
    if (HoldsVariableName(plan.files.list))
        return ProgramFolderWithVariableMessage(programFolder);
    return plan;
}

}  // namespace batch
