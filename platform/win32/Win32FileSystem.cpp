#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <limits>
#include <memory>

#include "base/LogText.h"
#include "base/PathRules.h"
#include "base/RunError.h"
#include "base/Utf16.h"
#include "platform/win32/Win32NameRules.h"
#include "platform/win32/Win32Path.h"

namespace qm::platform {

namespace {

struct HandleCloser {
    HANDLE handle;
    ~HandleCloser() {
        if (handle != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle);
        }
    }
    // Closes now and reports a failed close (a network file reports late write errors here).
    void closeChecked() {
        const HANDLE h = handle;
        handle = INVALID_HANDLE_VALUE;
        if (!::CloseHandle(h)) {
            throwLastError();
        }
    }
};

DWORD attributesOf(const std::string& path) {
    try {
        return path.empty() ? INVALID_FILE_ATTRIBUTES
                            : ::GetFileAttributesW(widePath(path).c_str());
    } catch (const RunError&) {
        return INVALID_FILE_ATTRIBUTES;  // a name no Windows file can have: there is none
    }
}

void refuseBadName(const std::string& path) {
    const auto name = lastComponent(path);
    if (name.empty() || name == "." || name == ".." || path.find('\0') != std::string::npos) {
        throw RunError(kBadFileName);
    }
}

// Writes all of `text`: the whole of it in one WriteFile unless it passes what one call takes.
void writeAll(HANDLE file, std::string_view text) {
    while (!text.empty()) {
        const DWORD chunk = static_cast<DWORD>(
            std::min<std::size_t>(text.size(), std::numeric_limits<DWORD>::max()));
        DWORD written = 0;
        if (!::WriteFile(file, text.data(), chunk, &written, nullptr)) {
            throwLastError();
        }
        text.remove_prefix(written);
    }
}

// The name the folder reports for `path` (its letter case as stored); "" when there is none.
std::wstring storedName(const std::wstring& path) {
    WIN32_FIND_DATAW data{};
    const HANDLE find =
        ::FindFirstFileExW(path.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) {
        return {};
    }
    ::FindClose(find);
    return data.cFileName;
}

bool equalIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// How many entries of `folder` carry `name` in any letter case. A case-insensitive folder holds
// at most one; a case-sensitive one (and Wine over a Linux file system) may hold more, and then
// a case-only rename would land on another file, which Wine does not refuse.
int caseInsensitiveMatches(const std::wstring& folder, std::wstring_view name) {
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data,
                                           FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) {
        return 0;
    }
    int count = 0;
    do {
        count += equalIgnoringCase(data.cFileName, name) ? 1 : 0;
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return count;
}

// A name beside `path` that nothing holds yet: "~qm" and a number unique to this call.
std::wstring temporarySibling(const std::wstring& path) {
    static std::atomic<unsigned> counter{0};
    const auto folder = path.substr(0, path.rfind(L'\\') + 1);
    return folder + L"~qm" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter) + L".tmp";
}

std::string nameOf(const std::wstring& path) {
    return narrowText(path.substr(path.rfind(L'\\') + 1).c_str());
}

// Appenders of this program take turns: each holds a lock on one byte far beyond any log's end
// while it writes. Windows appends a FILE_APPEND_DATA write whole by itself; Wine places it at
// the end it saw a moment before, so two processes could otherwise write over each other.
class AppendTurn {
  public:
    explicit AppendTurn(HANDLE file) : m_file(file) {
        m_place.Offset = 0;
        m_place.OffsetHigh = 0x40000000;  // 2^62
        if (!::LockFileEx(m_file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &m_place)) {
            throwLastError();
        }
    }
    ~AppendTurn() { ::UnlockFileEx(m_file, 0, 1, 0, &m_place); }
    AppendTurn(const AppendTurn&) = delete;
    AppendTurn& operator=(const AppendTurn&) = delete;

  private:
    HANDLE m_file;
    OVERLAPPED m_place{};
};

// Why the file behind `file`, opened without following reparse points, is not written into.
std::optional<Refusal> refusalOfHandle(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info)) {
        throwLastError();
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        // Refused either way: what a write through the handle of one does is up to its owner.
        FILE_ATTRIBUTE_TAG_INFO tag{};
        return ::GetFileInformationByHandleEx(file, FileAttributeTagInfo, &tag, sizeof tag) &&
                       IsReparseTagNameSurrogate(tag.ReparseTag)
                   ? Refusal::Link
                   : Refusal::ReparsePoint;
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return Refusal::NotRegular;
    }
    if (info.nNumberOfLinks > 1) {
        return Refusal::OtherNames;
    }
    return std::nullopt;
}

std::int64_t unixSeconds(const FILETIME& time) {
    constexpr std::int64_t kTicksPerSecond = 10'000'000;
    constexpr std::int64_t kEpochDifference = 11'644'473'600;  // 1601-01-01 to 1970-01-01
    const auto ticks =
        static_cast<std::int64_t>((std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime);
    return ticks / kTicksPerSecond - kEpochDifference;
}

}  // namespace

std::optional<Win32FileSystem::MoveFailure> Win32FileSystem::move(const std::wstring& from,
                                                                  const std::wstring& to) const {
    if (m_faults != nullptr) {
        if (const auto err = m_faults->next(FaultSite::TemporaryMove)) {
            return MoveFailure{errorFromErrno(*err), 0};
        }
    }
    if (::MoveFileExW(from.c_str(), to.c_str(), 0)) {
        return std::nullopt;
    }
    const DWORD code = ::GetLastError();
    return MoveFailure{errorFromWin32(code), code};
}

void Win32FileSystem::renameThroughTemporary(const std::wstring& from, const std::wstring& to) {
    std::wstring temporary;
    for (int attempt = 0;; ++attempt) {
        temporary = temporarySibling(from);
        const auto failed = move(from, temporary);
        if (!failed) {
            break;
        }
        if ((failed->code != ERROR_ALREADY_EXISTS && failed->code != ERROR_FILE_EXISTS) ||
            attempt == 8) {
            throw failed->error;
        }
    }
    renameFromTemporary(from, temporary, to);
}

void Win32FileSystem::renameFromTemporary(const std::wstring& from, const std::wstring& temporary,
                                          const std::wstring& to) {
    const auto onward = move(temporary, to);
    if (!onward) {
        return;
    }
    // Back to the old name. A virus scanner that opened the file under its temporary name may hold
    // it for a moment.
    std::optional<MoveFailure> back;
    for (int attempt = 0; attempt < 20; ++attempt) {
        back = move(temporary, from);
        if (!back || (back->code != ERROR_SHARING_VIOLATION && back->code != ERROR_ACCESS_DENIED)) {
            break;
        }
        ::Sleep(25);
    }
    if (!back) {
        throw onward->error;  // the file keeps its old name, as after any failed rename
    }
    // The file carries the temporary name: the message says so, and Retry carries on from it.
    m_stranded[from] = temporary;
    throw RunError(kPermissionDenied, nameOf(from) + " could not be renamed to " + nameOf(to) +
                                          " (" + onward->error.description() +
                                          ") nor take its old name back (" +
                                          back->error.description() + "): it is now named " +
                                          nameOf(temporary) + " in the same folder.");
}

void Win32FileSystem::injectFault(FaultSite site, const std::string& path) const {
    if (m_faults != nullptr) {
        if (const auto err = m_faults->next(site)) {
            throw errorFromErrno(*err,
                                 isFolder(parentPath(path)) ? MissingIs::File : MissingIs::Path);
        }
    }
}

bool Win32FileSystem::isFile(const std::string& path) const {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::isFolder(const std::string& path) const {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<FileInfo> Win32FileSystem::info(const std::string& path) const {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    try {
        if (path.empty() ||
            !::GetFileAttributesExW(widePath(path).c_str(), GetFileExInfoStandard, &data)) {
            return std::nullopt;
        }
    } catch (const RunError&) {
        return std::nullopt;
    }
    return FileInfo{(std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
                    unixSeconds(data.ftLastWriteTime)};
}

void Win32FileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    refuseBadName(from);
    refuseBadName(to);
    if (std::string why = nameRefusal(lastComponent(to)); !why.empty()) {
        throw RunError(kBadFileName, why);
    }
    const std::wstring source = widePath(from);
    const std::wstring target = widePath(to);
    if (from == to) {
        // The same name: nothing to do and nothing to lose, once the file is known to be there.
        if (::GetFileAttributesW(source.c_str()) == INVALID_FILE_ATTRIBUTES) {
            throwLastError();
        }
        return;
    }
    injectFault(FaultSite::Rename, from);
    const auto nameStart = target.rfind(L'\\') + 1;
    const std::wstring_view wantedName = std::wstring_view(target).substr(nameStart);
    const bool caseOnly = parentPath(from) == parentPath(to) && equalIgnoringCase(source, target);
    if (!caseOnly) {
        if (!::MoveFileExW(source.c_str(), target.c_str(), 0)) {
            throwLastError();
        }
        return;
    }
    if (const auto stranded = m_stranded.find(source); stranded != m_stranded.end()) {
        // An earlier attempt left the file under a temporary name: on from there.
        const std::wstring temporary = stranded->second;
        m_stranded.erase(stranded);
        if (::GetFileAttributesW(source.c_str()) == INVALID_FILE_ATTRIBUTES &&
            ::GetFileAttributesW(temporary.c_str()) != INVALID_FILE_ATTRIBUTES) {
            renameFromTemporary(source, temporary, target);
            return;
        }
    }
    if (caseInsensitiveMatches(target.substr(0, nameStart), wantedName) > 1) {
        throw RunError(kFileAlreadyExists);
    }
    if (::MoveFileExW(source.c_str(), target.c_str(), 0) && storedName(target) == wantedName) {
        return;
    }
    // The folder still shows the old case (or the system refused a move onto the file itself).
    renameThroughTemporary(source, target);
}

std::string Win32FileSystem::nameRefusal(std::string_view name) const {
    const std::string why = whyWindowsRefuses(name);
    return why.empty() ? why : "\"" + std::string(name) + "\": " + why;
}

std::string Win32FileSystem::caseKey(std::string_view name) const {
    const auto units = text::toUtf16(name);
    if (!units || units->empty()) {
        return std::string(name);  // no Windows file has such a name to compare with
    }
    // Without LCMAP_LINGUISTIC_CASING the mapping follows the file system's casing rules. The
    // first call asks for the length of the result.
    const auto map = [&](wchar_t* out, int size) {
        return ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, units->c_str(),
                               static_cast<int>(units->size()), out, size, nullptr, nullptr, 0);
    };
    std::wstring upper(static_cast<std::size_t>(std::max(map(nullptr, 0), 0)), L'\0');
    const int length = upper.empty() ? 0 : map(upper.data(), static_cast<int>(upper.size()));
    if (length <= 0) {
        return std::string(name);
    }
    upper.resize(static_cast<std::size_t>(length));
    return text::fromUtf16(upper);
}

void Win32FileSystem::append(const std::string& path, std::string_view text) {
    refuseBadName(path);
    injectFault(FaultSite::LogAppend, path);
    const std::wstring file = widePath(path);
    // This runs on the window's thread, so a file another program holds open is waited for only
    // briefly. The instance that creates the file writes the mark and its text while nobody else
    // may write; another appender meanwhile finds it shared for reading only and tries again.
    // Neither call follows a reparse point: the one creating the file finds a link there and
    // fails, the one opening it opens the link itself, which is then refused.
    const ULONGLONG deadline = ::GetTickCount64() + kHeldFileWaitMs;
    for (;;) {
        HandleCloser created{::CreateFileW(
            file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
            CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr)};
        if (created.handle != INVALID_HANDLE_VALUE) {
            std::string whole(kTextFileMark);
            whole += text;
            writeAll(created.handle, whole);
            created.closeChecked();
            return;
        }
        DWORD error = ::GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) {
            // Read access for LockFileEx, which takes only a handle opened for reading or
            // writing; no FILE_WRITE_DATA, so that on a local volume no write can land anywhere
            // but at the end. (A network share places it itself, hence the lock.)
            HandleCloser existing{::CreateFileW(
                file.c_str(), GENERIC_READ | FILE_APPEND_DATA,
                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr)};
            if (existing.handle != INVALID_HANDLE_VALUE) {
                if (const auto why = refusalOfHandle(existing.handle)) {
                    throw FileRefused(*why);
                }
                {
                    const AppendTurn turn(existing.handle);
                    writeAll(existing.handle, text);
                }
                existing.closeChecked();
                return;
            }
            error = ::GetLastError();
        }
        const bool waiting = ::GetTickCount64() < deadline;
        if (error == ERROR_FILE_NOT_FOUND && waiting) {
            continue;  // removed between the two calls: create it
        }
        if (error == ERROR_SHARING_VIOLATION) {
            if (waiting) {
                ::Sleep(1);
                continue;
            }
            throw RunError(kPermissionDenied,
                           "Another program holds " + logName(lastComponent(path)) + " open");
        }
        if (error == ERROR_ACCESS_DENIED) {
            if (const auto why = refusalOf(path)) {
                throw FileRefused(*why);  // a folder
            }
        }
        throwWin32(error);
    }
}

std::optional<Refusal> Win32FileSystem::refusalOf(const std::string& path) const {
    try {
        // Attributes only, which no other program's sharing stands in the way of; a folder
        // opens only with backup semantics.
        HandleCloser file{::CreateFileW(
            widePath(path).c_str(), FILE_READ_ATTRIBUTES,
            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
            FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
        if (file.handle == INVALID_HANDLE_VALUE) {
            return std::nullopt;
        }
        return refusalOfHandle(file.handle);
    } catch (const RunError&) {
        return std::nullopt;
    }
}

bool Win32FileSystem::createNew(const std::string& path, std::string_view text) {
    refuseBadName(path);
    const std::wstring file = widePath(path);
    if (::GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    // Written under a private name beside it, then published by a move that never replaces: a
    // reader sees the whole text or no file, and a racing creator keeps its own file.
    const std::wstring temporary = temporarySibling(file);
    {
        // Not through a link another user may have planted under this predictable name.
        HandleCloser out{::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                                       nullptr)};
        if (out.handle == INVALID_HANDLE_VALUE) {
            throwLastError();
        }
        try {
            std::string whole(kTextFileMark);
            whole += text;
            writeAll(out.handle, whole);
            out.closeChecked();
        } catch (...) {
            ::DeleteFileW(temporary.c_str());
            throw;
        }
    }
    if (::MoveFileExW(temporary.c_str(), file.c_str(), 0)) {
        return true;
    }
    const DWORD error = ::GetLastError();
    ::DeleteFileW(temporary.c_str());
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
        return false;
    }
    throwWin32(error);
}

void Win32FileSystem::createFolders(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        throw RunError(kBadFileName);
    }
    if (isFolder(path)) {
        return;
    }
    const std::string parent = parentPath(path);
    if (!parent.empty() && parent != path) {
        createFolders(parent);
    }
    if (!::CreateDirectoryW(widePath(path).c_str(), nullptr) &&
        ::GetLastError() != ERROR_ALREADY_EXISTS) {
        throwLastError();
    }
}

std::vector<FolderEntry> Win32FileSystem::listFolder(const std::string& path) const {
    const std::wstring pattern = widePath(joinPath(path, "*"));
    WIN32_FIND_DATAW data{};
    const HANDLE find =
        ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                           FIND_FIRST_EX_LARGE_FETCH);
    std::vector<FolderEntry> entries;
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND && isFolder(path)) {
            return entries;  // a root without a single entry
        }
        throwWin32(error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : error);
    }
    const std::unique_ptr<void, BOOL(WINAPI*)(HANDLE)> closer(find, ::FindClose);
    do {
        const std::wstring_view name(data.cFileName);
        if (name == L"." || name == L"..") {
            continue;
        }
        entries.push_back(FolderEntry{
            narrowText(data.cFileName), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
            (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0});
    } while (::FindNextFileW(find, &data));
    if (const DWORD error = ::GetLastError(); error != ERROR_NO_MORE_FILES) {
        throwWin32(error);
    }
    return entries;
}

}  // namespace qm::platform
