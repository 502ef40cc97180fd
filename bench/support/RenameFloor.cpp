#include "bench/support/RenameFloor.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace qm::bench {

std::string fillFolder(const std::string& root, const std::string& name, int files) {
    const std::string folder = root + "/" + name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    for (int i = 0; i < files; ++i) {
        const std::string path = folder + "/IMG_" + std::to_string(1000000 + i) + ".JPG";
        ::close(::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
    }
    return folder;
}

bool renameFloor(const std::string& folder, int files, const std::string& log, LogCheck check) {
    for (int i = 0; i < files; ++i) {
        const std::string number = std::to_string(1000000 + i);
        const std::string from = folder + "/IMG_" + number + ".JPG";
        const std::string to = folder + "/Holiday " + number + ".JPG";
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
            return false;
        }
        const std::string entry =
            "\r\n\r\n14:03:27\r\nRenamed: " + from + "\r\n------> " + to + "\r\n";
        const int fd = ::open(log.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
        struct stat st {};
        if (fd < 0 ||
            (check == LogCheck::OpenedFile &&
             (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1)) ||
            ::write(fd, entry.data(), entry.size()) < 0) {
            return false;
        }
        ::close(fd);
    }
    return true;
}

bool renameBack(const std::string& folder, int files) {
    for (int i = 0; i < files; ++i) {
        const std::string number = std::to_string(1000000 + i);
        const std::string from = folder + "/Holiday " + number + ".JPG";
        const std::string to = folder + "/IMG_" + number + ".JPG";
        if (::rename(from.c_str(), to.c_str()) != 0) {
            return false;
        }
    }
    return true;
}

void timeRenameFloor(benchmark::State& state, const std::string& root) {
    const int files = static_cast<int>(state.range(0));
    const std::string log = root + "/log.txt";
    const std::string folder = fillFolder(root, "floor", files);
    for (auto _ : state) {
        if (!renameFloor(folder, files, log)) {
            state.SkipWithError("rename failed");
            break;
        }
        state.PauseTiming();
        ::unlink(log.c_str());
        if (!renameBack(folder, files)) {
            state.SkipWithError("renaming back failed");
        }
        state.ResumeTiming();
    }
    std::filesystem::remove_all(folder);
    state.SetItemsProcessed(state.iterations() * files);
}

}  // namespace qm::bench
