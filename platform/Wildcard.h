// File patterns as the file list takes them: several wildcard patterns separated by ";", each
// matched case-insensitively against the whole name; "*" is any run of characters, "?" exactly
// one, and "*.*" also matches names without a dot. An empty pattern matches every name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Text.h"

namespace qm::platform {

class PatternSet {
public:
    PatternSet(std::string_view patterns, const text::CaseMapper& mapper);

    // `lowered` is the name's lower-case forms (CaseMapper::lowerForms).
    bool matches(const std::u32string& lowered) const;

private:
    std::vector<std::u32string> m_patterns;
    bool m_everything = false;
};

// The lower-case forms of `s` as a string of characters (stray bytes as kRawByteFlag | byte).
std::u32string loweredKey(std::string_view s, const text::CaseMapper& mapper);

}  // namespace qm::platform
