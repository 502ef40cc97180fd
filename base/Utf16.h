// UTF-8 inside the program, UTF-16 at every Windows call. A name Windows holds that is not valid
// UTF-16 (an unpaired surrogate) travels in the program as the three bytes of that surrogate's
// UTF-8 form (ED A0..BF 80..BF), which the text model keeps as stray bytes, and goes back to the
// system as the same 16-bit unit: listing and renaming keep its exact code units.
// Portable code: the units are held in wchar_t, which has 16 bits on Windows and more elsewhere.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qm::text {

// The UTF-8 text (with surrogates in their three-byte form) of UTF-16 units.
std::string fromUtf16(std::wstring_view units);

// The UTF-16 units of `utf8`; nullopt when it holds bytes no UTF-16 text stands for (a stray
// byte that is not part of a surrogate's three-byte form).
std::optional<std::wstring> toUtf16(std::string_view utf8);

// The same for text only shown, never handed back: each such byte becomes U+FFFD.
std::wstring toUtf16Lossy(std::string_view utf8);

// A path as the program's text: its bytes on POSIX, its UTF-16 converted as above on Windows
// (never through the ANSI code page, which std::filesystem::path::string() would use).
std::string pathText(const std::filesystem::path& path);

}  // namespace qm::text
