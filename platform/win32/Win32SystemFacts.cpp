#include "platform/win32/Win32SystemFacts.h"

#include <windows.h>
// after windows.h, which it needs
#include <shlobj.h>

#include <climits>
#include <vector>

#include "ProductInfo.h"
#include "base/PathRules.h"
#include "base/RunError.h"
#include "base/Utf16.h"
#include "platform/win32/Win32Path.h"

namespace qm::platform {

namespace {

// A folder the system writes into a buffer, asked again with the size it reports.
template <typename Query>
std::string systemFolder(Query query) {
    std::wstring buffer(MAX_PATH + 1, L'\0');
    UINT length = query(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.assign(length + 1, L'\0');
        length = query(buffer.data(), static_cast<UINT>(buffer.size()));
    }
    return length == 0 || length >= buffer.size() ? std::string() : narrowText(buffer.c_str());
}

}  // namespace

std::optional<std::string> Win32SystemFacts::computerName() const {
    wchar_t buffer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!::GetComputerNameW(buffer, &size)) {
        return std::nullopt;
    }
    return narrowText(buffer);
}

KernelInfo Win32SystemFacts::kernel() const {
    using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    const auto rtlGetVersion =
        ntdll == nullptr ? nullptr
                         : reinterpret_cast<RtlGetVersionProc>(
                               reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")));
    if (rtlGetVersion == nullptr || rtlGetVersion(&info) != 0) {
        return {};
    }
    return KernelInfo{"Windows NT",
                      std::to_string(info.dwMajorVersion) + "." +
                          std::to_string(info.dwMinorVersion) + "." +
                          std::to_string(info.dwBuildNumber),
                      narrowText(info.szCSDVersion)};
}

std::string Win32SystemFacts::executablePath() const {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return narrowText(buffer.c_str());
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string Win32SystemFacts::osFolder() const {
    return systemFolder([](wchar_t* b, UINT n) { return ::GetWindowsDirectoryW(b, n); });
}

std::string Win32SystemFacts::osLibraryFolder() const {
    return systemFolder([](wchar_t* b, UINT n) { return ::GetSystemDirectoryW(b, n); });
}

SystemWording Win32SystemFacts::wording() const {
    // Windows 7 is the oldest system this build calls into (see the top CMakeLists.txt).
    const std::string bits = std::to_string(sizeof(void*) * CHAR_BIT);
    return SystemWording{"A " + bits + "-bit application for Windows 7 and higher.",
                         "Windows Directory", "Windows System Directory"};
}

std::string Win32SystemFacts::shownProgramFile(const std::string& path) const {
    std::wstring name = text::toUtf16Lossy(path);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > name.rfind(L'\\')) {
        name.erase(dot);
    }
    name += L".exe";
    std::wstring upper(name.size(), L'\0');
    const int length = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, name.c_str(),
                                       static_cast<int>(name.size()), upper.data(),
                                       static_cast<int>(upper.size()), nullptr, nullptr, 0);
    return narrowText((length > 0 ? upper : name).c_str());
}

bool Win32SystemFacts::fileWritable(const std::string& path) const {
    try {
        const HANDLE file = ::CreateFileW(widePath(path).c_str(), FILE_APPEND_DATA,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return false;
        }
        ::CloseHandle(file);
        return true;
    } catch (const RunError&) {
        return false;
    }
}

bool Win32SystemFacts::folderWritable(const std::string& folder) const {
    if (folder.empty()) {
        return false;
    }
    try {
        const std::wstring probe = widePath(
            joinPath(folder, "~qm-write-test-" + std::to_string(::GetCurrentProcessId()) + ".tmp"));
        // Never through a link planted under the probe's name: the file made and deleted is
        // the probe itself.
        const HANDLE file = ::CreateFileW(
            probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT,
            nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            // Another instance probing at this moment holds the name: the folder is writable.
            return ::GetLastError() == ERROR_FILE_EXISTS;
        }
        ::CloseHandle(file);
        return true;
    } catch (const RunError&) {
        return false;
    }
}

std::optional<std::string> Win32SystemFacts::environment(const std::string& name) const {
    std::wstring wideName;
    try {
        wideName = wideText(name);
    } catch (const RunError&) {
        return std::nullopt;
    }
    const DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (length == 0) {
        return std::nullopt;
    }
    std::wstring value(length, L'\0');
    const DWORD written = ::GetEnvironmentVariableW(wideName.c_str(), value.data(), length);
    if (written >= length) {
        return std::nullopt;  // it grew in between
    }
    value.resize(written);
    return narrowText(value.c_str());
}

std::string Win32SystemFacts::stateFolder() const {
    std::string base = environment("LOCALAPPDATA").value_or("");
    if (rootLength(base) == 0) {
        wchar_t* known = nullptr;
        if (::SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &known) == S_OK) {
            base = narrowText(known);
        }
        ::CoTaskMemFree(known);
    }
    return base.empty() ? std::string() : joinPath(base, product::kTitle);
}

std::optional<FileVersion> Win32SystemFacts::fileVersion(const std::string& programFile) {
    std::wstring file;
    try {
        file = wideText(programFile);
    } catch (const RunError&) {
        return std::nullopt;
    }
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) {
        return std::nullopt;
    }
    std::vector<BYTE> data(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!::GetFileVersionInfoW(file.c_str(), 0, size, data.data()) ||
        !::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
        fixed == nullptr || fixedSize < sizeof(VS_FIXEDFILEINFO)) {
        return std::nullopt;
    }
    return FileVersion{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                       HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
}

}  // namespace qm::platform
