#include "engine/RenameRun.h"

namespace qm {

RenameRun::RenameRun(platform::FileSystem& files, const NameComputation& names, RenameLog& log)
    : m_files(files), m_names(names), m_log(log) {}

RunOutcome RenameRun::run(RunMode mode, const RunInput& input, RunSink& sink) {
    const NewName* computing = nullptr;  // the name being computed, named when a step fails
    const auto attempt = [&](const auto& step, const NewName* name) {
        computing = name;
        for (;;) {
            try {
                step();
                return true;
            } catch (const std::exception& failure) {
                if (!sink.stepFailed(failure, computing ? computing->full() : std::string())) {
                    return false;
                }
            }
        }
    };
    const int count = static_cast<int>(input.names.size());
    // A rename stays in the folder it began in, and the log's entries in the log's folder,
    // whatever their paths come to name meanwhile; neither path is looked up for each file.
    std::unique_ptr<platform::FolderHold> heldFolder;
    std::unique_ptr<platform::FolderHold> heldLogFolder;
    if (mode == RunMode::Rename) {
        heldFolder = m_files.holdFolder(input.folder);
        heldLogFolder = m_log.holdFolder();
    }
    // The names and paths of one file, their room kept from file to file.
    std::string oldName;
    std::string newName;
    std::string oldPath;
    std::string newPath;
    for (int i = 0; i < count; ++i) {
        oldName.assign(input.names[static_cast<std::size_t>(i)]);
        const std::optional<NewName> name =
            m_names.ComputeNewName(oldName, input.searches, input.replacements, attempt);
        if (!name) {
            return RunOutcome::Abandoned;
        }
        name->fullInto(newName);
        if (!attempt([&] { sink.namePair(oldName, newName); }, &*name)) {
            return RunOutcome::Abandoned;
        }
        if (mode == RunMode::Rename) {
            oldPath.assign(input.folder).append(oldName);
            newPath.assign(input.folder).append(newName);
            if (!attempt([&] { m_files.renameNoReplace(oldPath, newPath); }, &*name)) {
                return RunOutcome::Abandoned;
            }
            m_log.LogFilenameChange(oldPath, newPath);
        }
        if (!attempt([&] { sink.progress(i + 1, count); }, &*name)) {
            return RunOutcome::Abandoned;
        }
    }
    if (mode == RunMode::Rename && !attempt([&] { m_log.writeRunSeparator(); }, nullptr)) {
        return RunOutcome::Abandoned;
    }
    return RunOutcome::Completed;
}

}  // namespace qm
