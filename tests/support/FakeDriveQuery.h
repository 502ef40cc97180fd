// Drives that exist only in a test, each root answering as set up.
#pragma once

#include <algorithm>
#include <map>
#include <string>

#include "base/PathRules.h"
#include "services/DriveQuery.h"

namespace qm::test {

// A path on the fake drives, written with "/": as it is on POSIX; on Windows below the share
// \\fake with the system's separators, so that it has a root as a Windows path must.
inline std::string fakePath(std::string slashed) {
#ifdef _WIN32
    std::replace(slashed.begin(), slashed.end(), '/', '\\');
    return "\\\\fake" + slashed;
#else
    return slashed;
#endif
}

struct FakeDrive {
    bool ready = true;  // false: every query fails, as for an empty floppy drive
    std::int32_t type = platform::kDriveFixed;
    platform::VolumeInformation volume;
    platform::FreeSpaceEx space;
    platform::FreeSpaceLegacy legacy;
};

class FakeDriveQuery : public platform::DriveQuery {
  public:
    std::map<std::string, FakeDrive> drives;  // by root (fakePath("/data/"))
    bool extendedQueryExists = true;
    bool labelsWritable = false;
    mutable int procedureQueries = 0;
    mutable int legacySpaceQueries = 0;

    // A drive whose every query fails, as an empty floppy or optical drive.
    void addUnready(const std::string& root, std::int32_t type) {
        drives[root].ready = false;
        drives[root].type = type;
    }

    bool volumeInformation(const std::string& r, platform::VolumeInformation& out) const override {
        return answer(r, &FakeDrive::volume, out);
    }
    bool diskFreeSpaceEx(const std::string& r, platform::FreeSpaceEx& out) const override {
        return answer(r, &FakeDrive::space, out);
    }
    bool diskFreeSpace(const std::string& r, platform::FreeSpaceLegacy& out) const override {
        ++legacySpaceQueries;
        return answer(r, &FakeDrive::legacy, out);
    }
    bool setVolumeLabel(const std::string& r, const std::optional<std::string>& label) override {
        const auto it = drives.find(r);
        if (!labelsWritable || it == drives.end() || !it->second.ready) {
            return false;
        }
        it->second.volume.label = label.value_or("(removed)");
        return true;
    }
    std::int32_t driveType(const std::string& path) const override {
        const auto it = drives.find(mountPointOf(path));
        return it == drives.end() ? platform::kDriveNoRootDir : it->second.type;
    }
    bool procedureExists(const std::string&, const std::string&) const override {
        ++procedureQueries;
        return extendedQueryExists;
    }
    std::vector<platform::MountedDrive> mountedDrives() const override {
        std::vector<platform::MountedDrive> list;
        for (const auto& [root, drive] : drives) {
            const std::string point = root.size() > 1 ? root.substr(0, root.size() - 1) : root;
            const std::string& label = drive.volume.label;
            list.push_back({root, label, label.empty() ? point : point + " [" + label + "]"});
        }
        return list;
    }
    // The longest root the path lies under, as the mount table would give it.
    std::string mountPointOf(const std::string& path) const override {
        std::string found;
        for (const auto& [root, drive] : drives) {
            if ((path + platform::kPathSeparator).starts_with(root) && root.size() > found.size()) {
                found = root;
            }
        }
        return found;
    }

  private:
    template <typename T>
    bool answer(const std::string& root, T FakeDrive::*part, T& out) const {
        const auto it = drives.find(root);
        if (it == drives.end() || !it->second.ready) {
            return false;
        }
        out = it->second.*part;
        return true;
    }
};

}  // namespace qm::test
