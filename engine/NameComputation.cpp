#include "engine/NameComputation.h"

#include <algorithm>

#include "base/RunError.h"
#include "frame/bFileHandler.h"

namespace qm {

namespace {

// Replaces, left to right and without overlap, every match of an m-character search among the
// n characters of `namePart` from character index `first` on. `matchesAt(i)` says whether a
// match starts at character i; `offset(i)` is the byte offset of character i. Matching the
// original text this way is the same as searching the growing result just behind each
// inserted replacement.
template <typename MatchesAt, typename Offset>
void replaceMatches(std::string& namePart, std::size_t n, std::size_t m, std::size_t first,
                    const std::string& replacement, MatchesAt matchesAt, Offset offset) {
    // Built in room kept from name to name, then copied: most new names fit in the string's
    // own small buffer, and a rename run computes many names in a row.
    thread_local std::string result;
    result.clear();
    bool changed = false;
    std::size_t copiedUpTo = 0;  // byte offset
    for (std::size_t i = first; m <= n && i + m <= n;) {
        if (!matchesAt(i)) {
            ++i;
            continue;
        }
        changed = true;
        result.append(namePart, copiedUpTo, offset(i) - copiedUpTo);
        result += replacement;
        i += m;
        copiedUpTo = offset(i);
    }
    if (changed) {
        result.append(namePart, copiedUpTo, std::string::npos);
        namePart.assign(result);
    }
}

}  // namespace

NameComputation::NameComputation(CaseOptions& options, const text::CaseMapper& mapper)
    : m_options(options), m_mapper(mapper) {}

void NameComputation::ApplyExtensionCase(std::string& extension) const {
    switch (m_options.GetExtensionCase()) {
        case kExtensionLower:
            m_mapper.lowerInPlace(extension);
            break;
        case kExtensionUpper:
            m_mapper.upperInPlace(extension);
            break;
        default:
            break;
    }
}

void NameComputation::ApplyFilenameCase(std::string& namePart) const {
    switch (m_options.GetFilenameCase()) {
        case kFilenameLower:
            m_mapper.lowerInPlace(namePart);
            break;
        case kFilenameUpper:
            m_mapper.upperInPlace(namePart);
            break;
        case kFilenameProper:
            m_mapper.properInPlace(namePart);
            break;
        default:
            break;
    }
    const std::string_view trimmed = text::trimSpaces(namePart);
    if (trimmed.size() != namePart.size()) {
        namePart = std::string(trimmed);
    }
}

std::int32_t NameComputation::ReplaceAll(std::int32_t start, std::string& namePart,
                                         const std::string& search,
                                         const std::string& replacement) const {
    if (search.empty()) {
        return 0;
    }
    const std::size_t first = start > 1 ? static_cast<std::size_t>(start) - 1 : 0;
    if (m_mapper.asciiClosed() && text::isAscii(namePart) && text::isAscii(search)) {
        // One byte is one character, and lower-case forms compare byte by byte.
        const auto lower = [this](char c) {
            return m_mapper.lowerAscii(static_cast<unsigned char>(c));
        };
        const auto matchesAt = [&](std::size_t i) {
            for (std::size_t k = 0; k < search.size(); ++k) {
                if (lower(namePart[i + k]) != lower(search[k])) {
                    return false;
                }
            }
            return true;
        };
        replaceMatches(namePart, namePart.size(), search.size(), first, replacement, matchesAt,
                       [](std::size_t i) { return i; });
        return 0;
    }
    // Scratch buffers reused across calls: a rename run computes many names in a row.
    thread_local std::vector<text::Char> name;
    thread_local std::vector<std::uint32_t> offsets;
    thread_local std::vector<text::Char> wanted;
    m_mapper.lowerForms(namePart, name, &offsets);
    m_mapper.lowerForms(search, wanted, nullptr);
    const auto matchesAt = [&](std::size_t i) {
        return std::equal(wanted.begin(), wanted.end(),
                          name.begin() + static_cast<std::ptrdiff_t>(i));
    };
    replaceMatches(namePart, name.size(), wanted.size(), first, replacement, matchesAt,
                   [&](std::size_t i) { return offsets[i]; });
    return 0;
}

std::int32_t NameComputation::ReplaceInName(std::string& namePart, const std::string& search,
                                            const std::string& replacement) const {
    if (const std::int32_t error = ReplaceAll(1, namePart, search, replacement)) {
        return error;
    }
    try {
        // The case choice is read from the settings, where a value that is no number fails.
        ApplyFilenameCase(namePart);
        return 0;
    } catch (const RunError& e) {
        return e.number();
    }
}

NewName NameComputation::splitName(const std::string& fileName) const {
    NewName result;
    result.extension = bFileHandler::GetFileExtension(fileName);
    if (result.extension.empty() && fileName.size() > 1 && fileName.back() == '.') {
        // A name ending in a dot keeps it: cutting it off would rename a file the pairs never
        // touched ("notes." to "notes").
        result.extension.push_back('.');
    }
    // The name part is everything before the extension as the file has it (casing the
    // extension may change its length in bytes).
    result.namePart = fileName.substr(0, fileName.size() - result.extension.size());
    ApplyExtensionCase(result.extension);
    return result;
}

NewName NameComputation::ComputeNewName(const std::string& fileName,
                                        const std::vector<std::string>& searches,
                                        const std::vector<std::string>& replacements) const {
    const auto once = [](const auto& step, const NewName*) {
        step();
        return true;
    };
    return *ComputeNewName(fileName, searches, replacements, once);
}

}  // namespace qm
