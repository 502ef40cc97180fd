// Drives that exist only in a test: each root answers as set up, and every query is counted.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/DriveQuery.h"

namespace qm::test {

struct FakeDrive {
    bool ready = true;  // false: every query of the drive fails, as for an empty floppy drive
    std::int32_t type = platform::kDriveFixed;
    platform::VolumeInformation volume;
    platform::FreeSpaceEx space;
    platform::FreeSpaceLegacy legacy;
};

class FakeDriveQuery : public platform::DriveQuery {
  public:
    std::map<std::string, FakeDrive> drives;      // by root ("/data/")
    std::map<std::string, std::string> existing;  // further paths that exist -> their root
    bool extendedQueryExists = true;
    bool labelsWritable = false;

    mutable int procedureQueries = 0;
    mutable int extendedSpaceQueries = 0;
    mutable int legacySpaceQueries = 0;
    std::vector<std::pair<std::string, std::optional<std::string>>> labelWrites;

    FakeDrive& add(const std::string& root) { return drives[root]; }

    bool volumeInformation(const std::string& root,
                           platform::VolumeInformation& out) const override {
        const FakeDrive* drive = readyDrive(root);
        if (drive != nullptr) {
            out = drive->volume;
        }
        return drive != nullptr;
    }
    bool diskFreeSpaceEx(const std::string& path, platform::FreeSpaceEx& out) const override {
        ++extendedSpaceQueries;
        const FakeDrive* drive = readyDrive(path);
        if (drive != nullptr) {
            out = drive->space;
        }
        return drive != nullptr;
    }
    bool diskFreeSpace(const std::string& root, platform::FreeSpaceLegacy& out) const override {
        ++legacySpaceQueries;
        const FakeDrive* drive = readyDrive(root);
        if (drive != nullptr) {
            out = drive->legacy;
        }
        return drive != nullptr;
    }
    bool setVolumeLabel(const std::string& root,
                        const std::optional<std::string>& newLabel) override {
        labelWrites.emplace_back(root, newLabel);
        const auto it = drives.find(root);
        if (!labelsWritable || it == drives.end() || !it->second.ready) {
            return false;
        }
        it->second.volume.label = newLabel.value_or("");
        return true;
    }
    std::int32_t driveType(const std::string& root) const override {
        const auto it = drives.find(mountPointOf(root));
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
    std::string mountPointOf(const std::string& path) const override {
        if (drives.contains(path)) {
            return path;
        }
        if (drives.contains(path + "/")) {
            return path + "/";
        }
        const auto it = existing.find(path);
        return it == existing.end() ? std::string() : it->second;
    }

  private:
    const FakeDrive* readyDrive(const std::string& root) const {
        const auto it = drives.find(root);
        return it != drives.end() && it->second.ready ? &it->second : nullptr;
    }
};

}  // namespace qm::test
