// What any renamer with a log must do at the least, for the rename benchmarks to be measured
// against in the same run: each file renamed (never over another) and one log entry appended
// with open-append-close.
#pragma once

#include <benchmark/benchmark.h>

#include <string>

namespace qm::bench {

// A fresh folder `root`/`name` holding `files` empty files IMG_<number>.JPG; returns its path.
std::string fillFolder(const std::string& root, const std::string& name, int files);

// Whether each opened log is also checked to be a plain file with one name (an fstat), as a
// renamer must that writes its log where others may plant a link.
enum class LogCheck { None, OpenedFile };

// Renames every IMG_<number>.JPG of `folder` (made by fillFolder) to "Holiday <number>.JPG",
// appending one entry per file to `log`. False when a rename failed.
bool renameFloor(const std::string& folder, int files, const std::string& log,
                 LogCheck check = LogCheck::None);

// Gives the files renameFloor renamed their old names back, without a log (untimed between
// iterations: a folder of a million files takes minutes to make and seconds to rename back).
bool renameBack(const std::string& folder, int files);

// The body of a BM_RenameFloor/N: a folder of N files under `root`, renamed by renameFloor with
// its log in `root` and given its old names back between iterations (not timed).
void timeRenameFloor(benchmark::State& state, const std::string& root);

}  // namespace qm::bench
