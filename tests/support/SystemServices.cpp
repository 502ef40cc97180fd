#include "tests/support/SystemServices.h"

#include <algorithm>
#include <stdexcept>

#include "tests/support/TempFolder.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/Win32CaseRules.h"
#endif

namespace qm::test {

#ifdef _WIN32
namespace {

// A key name for a place: FNV-1a of its text, so that every test folder has a key of its own.
std::string keyFor(const std::string& place) {
    std::uint64_t hash = 14695981039346656037u;
    for (const char c : place) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211u;
    }
    return "Software\\Quillmote Utility Tests\\" + std::to_string(hash);
}

}  // namespace

TestRegistry::TestRegistry(const std::string& place, platform::FaultPlan* faults, Owner owner)
    : Win32Registry(keyFor(place), "Software\\Quillmote Utility", faults),
      m_place(place),
      m_owner(owner) {}

TestRegistry::~TestRegistry() {
    if (m_owner == Owner::Yes) {
        deleteTree(base());
    }
}

TestTrash::TestTrash(const std::string&) : m_trash(std::make_unique<platform::Win32Trash>()) {}

std::pair<std::string, std::string> systemFolders() {
    char windows[MAX_PATH] = {};
    char system[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    ::GetSystemDirectoryA(system, MAX_PATH);
    return {std::string(windows) + "\\", std::string(system) + "\\"};
}

platform::SystemWording systemWording() {
    return {sizeof(void*) == 8 ? "A 64-bit application for Windows 7 and higher."
                               : "A 32-bit application for Windows 7 and higher.",
            "Windows Directory", "Windows System Directory"};
}

bool runningUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

text::CaseMapper neutralCaseMapper() {
    return text::CaseMapper(platform::Win32CaseRules::invariant());
}

std::optional<text::CaseMapper> caseMapperFor(const std::string& language) {
    if (const auto rules = platform::Win32CaseRules::named(language)) {
        return text::CaseMapper(rules);
    }
    return std::nullopt;
}
#else
TestTrash::TestTrash(const std::string& folder)
    : m_trash(std::make_unique<platform::PosixTrash>(folder)) {}

std::pair<std::string, std::string> systemFolders() {
    return {"/usr/", "/usr/lib/x86_64-linux-gnu/"};
}

platform::SystemWording systemWording() {
    return {"A 64-bit application for Linux.", "System Directory", "System Library Directory"};
}

bool runningUnderWine() {
    return false;
}

text::CaseMapper neutralCaseMapper() {
    return text::CaseMapper(std::locale("C.UTF-8"));
}

std::optional<text::CaseMapper> caseMapperFor(const std::string& language) {
    std::string name = language;
    std::replace(name.begin(), name.end(), '-', '_');
    try {
        return text::CaseMapper(std::locale(name + ".UTF-8"));
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
}
#endif

TestTrash::~TestTrash() = default;

void TestTrash::moveToTrash(const std::string& path) {
    const std::string content = readFile(path);
    m_trash->moveToTrash(path);
    moved.emplace_back(path, content);
}

}  // namespace qm::test
