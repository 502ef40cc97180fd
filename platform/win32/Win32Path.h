// UTF-16 at the Windows calls: a path or name of the program (UTF-8) converted for a W function,
// and the failure of the last call as the program's error.
#pragma once

#include <cstdint>
#include <string>

#include "base/RunError.h"

namespace qm::platform {

// The UTF-16 form of a path for a W function (longPathForm of its text). Throws RunError 52 when
// the text holds bytes no Windows name can (see Utf16.h) or a NUL.
std::wstring widePath(const std::string& path);

// A fully qualified path ("C:\...", "\\server\share\...", "/" taken as "\") in the "\\?\" form,
// with doubled separators, "." and ".." resolved as Windows resolves them: the form passes
// MAX_PATH on every system (long paths are off unless the machine turns them on) and reaches
// exactly the names it holds (Windows would otherwise strip trailing dots and spaces). A path in
// that form already, a device path ("\\.\") and a relative one ("a\b", "C:a", "\a", which Windows
// resolves against a current folder) come back as they are, "/" turned to "\".
std::wstring longPathForm(std::wstring path);

// The ordinary form of a "\\?\" path, as the shell takes it ("\\?\UNC\s\x" is "\\s\x").
std::wstring ordinaryForm(const std::wstring& path);

// The shell's functions take no "\\?\" path and nothing from MAX_PATH (260) on: `path` (ordinary
// form) when it fits, its short (8.3) form when that does, else RunError kShellPathTooLong naming
// how long it is.
std::wstring shellPath(const std::wstring& path);

// The shell's own code for a path past MAX_PATH (DE_PATHTOODEEP): a number no other failure of
// the program has, so the error shows its own description.
inline constexpr std::int32_t kShellPathTooLong = 0x79;

// The UTF-16 form of any other text handed to a W function; the same refusal.
std::wstring wideText(const std::string& text);

// The program's text of UTF-16 the system gave, up to its first NUL.
std::string narrowText(const wchar_t* units);

// The error of GetLastError() (or of `code`), through the one Win32 error table.
[[noreturn]] void throwLastError();
[[noreturn]] void throwWin32(std::uint32_t code);

}  // namespace qm::platform
