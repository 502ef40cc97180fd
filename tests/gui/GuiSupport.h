// What the Qt tests share: a QApplication on the offscreen platform (made before the first
// test), an in-memory file layer for large folders, and a user interface over fixed drives.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/RunError.h"
#include "base/Text.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/qt/QtUi.h"
#include "services/FileSystem.h"
#include "tests/support/FakeDriveQuery.h"
#include "tests/support/Harness.h"

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
    std::string nameRefusal(std::string_view) const override { return {}; }
    std::string caseKey(std::string_view name) const override { return std::string(name); }
    void append(const std::string&, std::string_view) override {}
    std::optional<platform::Refusal> refusalOf(const std::string&) const override { return {}; }
    bool createNew(const std::string&, std::string_view) override { return false; }
    void createFolders(const std::string&) override {}
    std::vector<platform::FolderEntry> listFolder(const std::string& path) const override;

  private:
    std::map<std::string, std::vector<platform::FolderEntry>> m_folders;
};

// A QtUi over a file layer of the test's choosing (the real one by default), with the drives
// "/" and a USB stick.
struct GuiWorld {
    explicit GuiWorld(const platform::FileSystem& files = realFiles);
    static const platform::PosixFileSystem realFiles;
    FakeDriveQuery drives;
    text::CaseMapper mapper;
    FakeSystemFacts facts;
    platform::QtUi ui;
};

template <typename Controls>
platform::QtForm& formOf(platform::View<Controls>& view) {
    return static_cast<platform::QtView<Controls>&>(view).form();
}

}  // namespace qm::test
