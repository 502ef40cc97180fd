// The real services of the system the tests run on (POSIX on Linux, Win32 on Windows), each
// pointed at a test's own places where it has any, so that every suite runs the same tests over
// whichever platform layer the program itself uses there.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "services/FaultPlan.h"
#include "services/SystemFacts.h"
#include "services/Trash.h"

#ifdef _WIN32
#include "platform/win32/Win32DriveQuery.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SystemFacts.h"
#include "platform/win32/Win32Trash.h"
#else
#include "platform/posix/HiveFile.h"
#include "platform/posix/PosixDriveQuery.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixSystemFacts.h"
#include "platform/posix/PosixTrash.h"
#endif

namespace qm::test {

#ifdef _WIN32
using SystemFileSystem = platform::Win32FileSystem;
using SystemFactsBase = platform::Win32SystemFacts;
using SystemDriveQuery = platform::Win32DriveQuery;
#else
using SystemFileSystem = platform::PosixFileSystem;
using SystemFactsBase = platform::PosixSystemFacts;
using SystemDriveQuery = platform::PosixDriveQuery;
#endif

enum class Owner { Yes, No };

// The settings store of one test, named by a path inside the test's folder: on Linux the hive
// file there; on Windows a key of its own below HKEY_CURRENT_USER\Software\Quillmote Utility
// Tests, which the owning store removes when it goes.
#ifdef _WIN32
class TestRegistry : public platform::Win32Registry {
  public:
    explicit TestRegistry(const std::string& place, platform::FaultPlan* = nullptr,
                          Owner owner = Owner::Yes);
    ~TestRegistry() override;
    const std::string& path() const { return m_place; }

  private:
    std::string m_place;
    Owner m_owner;
};
#else
class TestRegistry : public platform::HiveFile {
  public:
    explicit TestRegistry(const std::string& place, platform::FaultPlan* faults = nullptr,
                          Owner = Owner::Yes)
        : HiveFile(place, faults) {}
};
#endif

// The system's trash (on Linux a trash folder inside the test's folder, on Windows the Recycle
// Bin), remembering the path and the content of every file it took.
class TestTrash : public platform::Trash {
  public:
    explicit TestTrash(const std::string& folder);
    ~TestTrash() override;
    void moveToTrash(const std::string& path) override;

    std::vector<std::pair<std::string, std::string>> moved;

  private:
    std::unique_ptr<platform::Trash> m_trash;
};

// The system's own folder and its library folder as the About box names them, each with its
// trailing separator, asked of the system directly (Windows) or as Linux has them.
std::pair<std::string, std::string> systemFolders();
// How the About box speaks of this build and of those folders on this system.
platform::SystemWording systemWording();

// Whether the tests run under Wine rather than on Windows itself.
bool runningUnderWine();

// Letter case by rules that depend on no user setting: full Unicode case of every character.
text::CaseMapper neutralCaseMapper();
// The rules of a language ("tr-TR"); nullopt when this machine does not have them.
std::optional<text::CaseMapper> caseMapperFor(const std::string& language);

}  // namespace qm::test
