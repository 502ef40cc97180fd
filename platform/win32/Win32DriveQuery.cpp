#include "platform/win32/Win32DriveQuery.h"

#include <windows.h>

#include "base/RunError.h"
#include "platform/win32/Win32Path.h"

namespace qm::platform {

namespace {

// While alive, a drive without media fails its queries instead of asking the user to insert a
// disk (the setting is the calling thread's own).
class NoDiskDialogs {
  public:
    NoDiskDialogs() { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &m_previous); }
    ~NoDiskDialogs() { ::SetThreadErrorMode(m_previous, nullptr); }
    NoDiskDialogs(const NoDiskDialogs&) = delete;
    NoDiskDialogs& operator=(const NoDiskDialogs&) = delete;

  private:
    DWORD m_previous = 0;
};

std::optional<std::wstring> wideRoot(const std::string& root) {
    try {
        return wideText(root);
    } catch (const RunError&) {
        return std::nullopt;
    }
}

std::wstring withSeparator(std::wstring path) {
    if (path.empty() || path.back() != L'\\') {
        path.push_back(L'\\');
    }
    return path;
}

// The root of the volume holding `path` (any form), in the ordinary form; "" when the system
// cannot tell.
std::wstring volumeRoot(const std::wstring& path) {
    std::wstring root(path.size() + MAX_PATH + 1, L'\0');
    if (!::GetVolumePathNameW(path.c_str(), root.data(), static_cast<DWORD>(root.size()))) {
        return {};
    }
    root.resize(std::wcslen(root.c_str()));
    return withSeparator(ordinaryForm(root));
}

}  // namespace

bool Win32DriveQuery::volumeInformation(const std::string& root, VolumeInformation& out) const {
    const auto wide = wideRoot(root);
    if (!wide) {
        return false;
    }
    const NoDiskDialogs quiet;
    wchar_t label[MAX_PATH + 1] = {};
    wchar_t fileSystem[MAX_PATH + 1] = {};
    DWORD serial = 0;
    DWORD maxComponent = 0;
    DWORD flags = 0;
    if (!::GetVolumeInformationW(withSeparator(*wide).c_str(), label, MAX_PATH + 1, &serial,
                                 &maxComponent, &flags, fileSystem, MAX_PATH + 1)) {
        return false;
    }
    out.label = narrowText(label);
    out.serialNumber = serial;
    out.maxComponentLength = maxComponent;
    out.fileSystemFlags = flags;
    out.fileSystemName = narrowText(fileSystem);
    return true;
}

bool Win32DriveQuery::diskFreeSpaceEx(const std::string& path, FreeSpaceEx& out) const {
    const auto wide = wideRoot(path);
    if (!wide) {
        return false;
    }
    const NoDiskDialogs quiet;
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER free{};
    if (!::GetDiskFreeSpaceExW(withSeparator(*wide).c_str(), &available, &total, &free)) {
        return false;
    }
    out = FreeSpaceEx{available.QuadPart, total.QuadPart, free.QuadPart};
    return true;
}

bool Win32DriveQuery::diskFreeSpace(const std::string& root, FreeSpaceLegacy& out) const {
    const auto wide = wideRoot(root);
    if (!wide) {
        return false;
    }
    const NoDiskDialogs quiet;
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    if (!::GetDiskFreeSpaceW(withSeparator(*wide).c_str(), &sectorsPerCluster, &bytesPerSector,
                             &freeClusters, &totalClusters)) {
        return false;
    }
    out = FreeSpaceLegacy{sectorsPerCluster, bytesPerSector, freeClusters, totalClusters};
    return true;
}

bool Win32DriveQuery::setVolumeLabel(const std::string& root,
                                     const std::optional<std::string>& newLabel) {
    const auto wide = wideRoot(root);
    const auto label = newLabel ? wideRoot(*newLabel) : std::optional<std::wstring>(L"");
    if (!wide || !label) {
        return false;
    }
    const NoDiskDialogs quiet;
    return ::SetVolumeLabelW(withSeparator(*wide).c_str(), newLabel ? label->c_str() : nullptr) !=
           0;
}

std::int32_t Win32DriveQuery::driveType(const std::string& root) const {
    const auto wide = wideRoot(root);
    if (!wide || wide->empty()) {
        return kDriveNoRootDir;
    }
    const NoDiskDialogs quiet;
    // A drive root is asked as it is (an empty floppy drive is still a removable drive); any
    // other path through the root of its volume.
    std::wstring asked = withSeparator(*wide);
    if (!(asked.size() == 3 && asked[1] == L':')) {
        asked = volumeRoot(asked);
        if (asked.empty()) {
            return kDriveNoRootDir;
        }
    }
    return static_cast<std::int32_t>(::GetDriveTypeW(asked.c_str()));
}

bool Win32DriveQuery::procedureExists(const std::string& library,
                                      const std::string& procedure) const {
    const auto name = wideRoot(library);
    if (!name) {
        return false;
    }
    HMODULE module = ::GetModuleHandleW(name->c_str());
    const bool loadedHere = module == nullptr;
    if (loadedHere) {
        // Only the system's own: a library of that name beside the program or in the current
        // folder is never loaded.
        module = ::LoadLibraryExW(name->c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (module == nullptr) {
            return false;
        }
    }
    const bool found = ::GetProcAddress(module, procedure.c_str()) != nullptr;
    if (loadedHere) {
        ::FreeLibrary(module);
    }
    return found;
}

std::vector<MountedDrive> Win32DriveQuery::mountedDrives() const {
    std::vector<MountedDrive> drives;
    // "C:\" and its NUL for each of 26 letters and the NUL ending the list, with room to spare:
    // the documentation's versions disagree on whether the size handed over counts that NUL.
    std::wstring buffer(4 * 26 + 2, L'\0');
    const auto room = static_cast<DWORD>(buffer.size() - 1);
    const DWORD length = ::GetLogicalDriveStringsW(room, buffer.data());
    if (length == 0 || length > room) {
        return drives;
    }
    std::vector<std::wstring> roots;
    for (const wchar_t* root = buffer.c_str(); *root != L'\0'; root += std::wcslen(root) + 1) {
        roots.emplace_back(root);
    }
    const auto labels = m_labels.labels(roots);
    for (const std::wstring& root : roots) {
        const std::string rootText = narrowText(root.c_str());
        // The letter and colon in lower case, as a drive list shows them.
        std::string shown = rootText.substr(0, 2);
        if (shown[0] >= 'A' && shown[0] <= 'Z') {
            shown[0] = static_cast<char>(shown[0] - 'A' + 'a');
        }
        const auto label = labels.find(root);
        if (label != labels.end() && !label->second.empty()) {
            shown += " [" + label->second + "]";
        }
        drives.push_back(MountedDrive{rootText, label != labels.end() ? label->second : "", shown});
    }
    return drives;
}

std::string Win32DriveQuery::mountPointOf(const std::string& path) const {
    const auto wide = wideRoot(path);
    if (!wide || wide->empty()) {
        return {};
    }
    const NoDiskDialogs quiet;
    const std::wstring form = longPathForm(*wide);
    if (::GetFileAttributesW(form.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    return narrowText(volumeRoot(form).c_str());
}

}  // namespace qm::platform
