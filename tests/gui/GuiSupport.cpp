#include "tests/gui/GuiSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "base/RunError.h"

namespace qm::test {

std::vector<platform::FolderEntry> MemoryFileSystem::listFolder(const std::string& path) const {
    const auto it = m_folders.find(path);
    if (it == m_folders.end()) {
        throw RunError(kPathNotFound);
    }
    return it->second;
}

const platform::PosixFileSystem GuiWorld::realFiles;

GuiWorld::GuiWorld(const platform::FileSystem& files) : ui(files, drives, mapper, facts) {
    drives.drives["/"];
    drives.drives["/media/u/USB/"].volume.label = "USB";
    facts.programFile = "/opt/qm/quillmote";
    facts.writable = false;
}

namespace {

// Widgets need an application object before the first test; no display is needed.
class QtApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

  private:
    int m_argc = 1;
    char m_name[9] = "test_gui";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace

}  // namespace qm::test
