// One rename run over the selected names of a folder: each new name computed, then either
// reported for the preview or renamed on disk (never over another file) and logged; after a
// whole rename, the empty line that ends the run in the log. A step that fails is offered to
// the sink, which may have it run again; otherwise the run ends there, with the files renamed
// so far renamed and logged.
#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "engine/NameComputation.h"
#include "engine/RenameLog.h"
#include "services/FileSystem.h"

namespace qm {

enum class RunMode { Preview, Rename };
enum class RunOutcome { Completed, Abandoned };

struct RunInput {
    std::string folder;                          // qualified: the bare names are appended to it
    const std::vector<std::string_view>& names;  // bare names
    const std::vector<std::string>& searches;
    const std::vector<std::string>& replacements;
};

// What the run reports as it goes. A report that throws is a failed step like any other.
class RunSink {
  public:
    virtual ~RunSink() = default;
    // A file's old and new bare names, as soon as the new one is computed.
    virtual void namePair(const std::string& oldName, const std::string& newName) = 0;
    // `done` of `count` files are through.
    virtual void progress(int done, int count) = 0;
    // A step failed while working on `fileObject` (the name being computed, or ""); true runs
    // exactly that step again.
    virtual bool stepFailed(const std::exception& failure, const std::string& fileObject) = 0;
};

class RenameRun {
  public:
    RenameRun(platform::FileSystem& files, const NameComputation& names, RenameLog& log);

    RunOutcome run(RunMode mode, const RunInput& input, RunSink& sink);

  private:
    platform::FileSystem& m_files;
    const NameComputation& m_names;
    RenameLog& m_log;
};

}  // namespace qm
