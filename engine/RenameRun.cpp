#include "engine/RenameRun.h"

#include <optional>

#include "engine/NamesAhead.h"

namespace qm {

RenameRun::RenameRun(platform::FileSystem& files, const NameComputation& names, RenameLog& log)
    : m_files(files), m_names(names), m_log(log) {}

RunOutcome RenameRun::run(RunMode mode, const RunInput& input, RunSink& sink) {
    // While renaming, the names are computed ahead on a second thread. It is stopped before any
    // failure is reported: the report may take as long as the user likes, and nothing reads the
    // settings beside it.
    std::optional<NamesAhead> ahead;
    if (mode == RunMode::Rename) {
        ahead.emplace(m_names, input.folder, input.names, input.searches, input.replacements);
    }
    // `fileObject()` names the file being worked on when a step fails.
    const auto attempt = [&](const auto& step, const auto& fileObject) {
        for (;;) {
            try {
                step();
                return true;
            } catch (const std::exception& failure) {
                if (ahead) {
                    ahead->stop();
                }
                if (!sink.stepFailed(failure, fileObject())) {
                    return false;
                }
            }
        }
    };
    const auto attemptStep = [&](const auto& step, const NewName* computing) {
        return attempt(step, [computing] { return computing ? computing->full() : std::string(); });
    };
    // A failure met ahead is reported here, at its file, as if met now; Retry computes the name
    // again from the start (each step is pure text work, so running the good ones again changes
    // nothing).
    const auto reportAhead = [&](const NamesAhead::Computed& computed) {
        ahead->stop();
        try {
            std::rethrow_exception(computed.failure);
        } catch (const std::exception& failure) {
            return sink.stepFailed(failure, computed.failedAt);
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
    NamesAhead::Computed here;  // a file's names when computed on this thread
    for (int i = 0; i < count; ++i) {
        const NamesAhead::Computed* names = ahead ? ahead->take(i) : nullptr;
        if (names != nullptr && names->failure) {
            if (!reportAhead(*names)) {
                return RunOutcome::Abandoned;
            }
            names = nullptr;
        }
        if (names == nullptr) {
            here.oldName.assign(input.names[static_cast<std::size_t>(i)]);
            const std::optional<NewName> name = m_names.ComputeNewName(
                here.oldName, input.searches, input.replacements, attemptStep);
            if (!name) {
                return RunOutcome::Abandoned;
            }
            here.newName = name->full();
            if (mode == RunMode::Rename) {
                here.oldPath = input.folder + here.oldName;
                here.newPath = input.folder + here.newName;
            }
            names = &here;
        }
        const auto newName = [names] { return names->newName; };
        if (!attempt([&] { sink.namePair(names->oldName, names->newName); }, newName)) {
            return RunOutcome::Abandoned;
        }
        if (mode == RunMode::Rename) {
            if (!attempt([&] { m_files.renameNoReplace(names->oldPath, names->newPath); },
                         newName)) {
                return RunOutcome::Abandoned;
            }
            m_log.LogFilenameChange(names->oldPath, names->newPath, [&] { ahead->stop(); });
        }
        if (!attempt([&] { sink.progress(i + 1, count); }, newName)) {
            return RunOutcome::Abandoned;
        }
        if (ahead) {
            ahead->done(i);
        }
    }
    if (mode == RunMode::Rename &&
        !attempt([&] { m_log.writeRunSeparator(); }, [] { return std::string(); })) {
        return RunOutcome::Abandoned;
    }
    return RunOutcome::Completed;
}

}  // namespace qm
