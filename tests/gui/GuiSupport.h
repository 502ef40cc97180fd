// What the Qt tests share: a QApplication on the offscreen platform (made before the first
// test), an in-memory file layer for large folders, fixed drives and kernel facts.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/DriveQuery.h"
#include "platform/FileSystem.h"
#include "platform/RunError.h"
#include "platform/SystemFacts.h"
#include "platform/Text.h"
#include "platform/qt/QtUi.h"

namespace qm::test {

// Folders and their entries in memory; nothing is ever written.
class MemoryFileSystem : public platform::FileSystem {
  public:
    void addFolder(const std::string& path, std::vector<platform::FolderEntry> entries) {
        m_folders[path] = std::move(entries);
    }
    bool isFile(const std::string&) const override { return false; }
    bool isFolder(const std::string& path) const override { return m_folders.count(path) != 0; }
    std::optional<platform::FileInfo> info(const std::string&) const override { return {}; }
    void renameNoReplace(const std::string&, const std::string&) override {}
    void append(const std::string&, std::string_view) override {}
    bool createNew(const std::string&, std::string_view) override { return false; }
    void createFolders(const std::string&) override {}
    std::vector<platform::FolderEntry> listFolder(const std::string& path) const override;

  private:
    std::map<std::string, std::vector<platform::FolderEntry>> m_folders;
};

// "/" and one more drive; every path is on "/".
class FixedDrives : public platform::DriveQuery {
  public:
    bool volumeInformation(const std::string&, platform::VolumeInformation&) const override {
        return false;
    }
    bool diskFreeSpaceEx(const std::string&, platform::FreeSpaceEx&) const override {
        return false;
    }
    bool diskFreeSpace(const std::string&, platform::FreeSpaceLegacy&) const override {
        return false;
    }
    bool setVolumeLabel(const std::string&, const std::optional<std::string>&) override {
        return false;
    }
    std::int32_t driveType(const std::string&) const override { return platform::kDriveFixed; }
    bool procedureExists(const std::string&, const std::string&) const override { return false; }
    std::vector<platform::MountedDrive> mountedDrives() const override {
        return {{"/", "", "/"}, {"/media/u/USB/", "USB", "/media/u/USB [USB]"}};
    }
    std::string mountPointOf(const std::string& path) const override {
        return path.rfind("/media/u/USB", 0) == 0 ? "/media/u/USB/" : "/";
    }
};

class FixedFacts : public platform::SystemFacts {
  public:
    std::optional<std::string> computerName() const override { return "box"; }
    platform::KernelInfo kernel() const override { return {"Linux", "6.1.0-28-amd64", "#1 SMP"}; }
    std::string executablePath() const override { return "/opt/qm/quillmote"; }
    std::string osFolder() const override { return "/usr/"; }
    std::string osLibraryFolder() const override { return "/usr/lib/"; }
    bool folderWritable(const std::string&) const override { return false; }
    std::optional<std::string> environment(const std::string&) const override { return {}; }
};

// A QtUi over a file layer of the test's choosing.
struct GuiWorld {
    explicit GuiWorld(const platform::FileSystem& files) : ui(files, drives, mapper, facts) {}
    FixedDrives drives;
    text::CaseMapper mapper;
    FixedFacts facts;
    platform::QtUi ui;
};

template <typename Controls>
platform::QtForm& formOf(platform::View<Controls>& view) {
    return static_cast<platform::QtView<Controls>&>(view).form();
}

}  // namespace qm::test
