// File patterns as the file list takes them: several wildcard patterns separated by ";", each
// matched case-insensitively against the whole name; "*" is any run of characters, "?" exactly
// one, and "*.*" also matches names without a dot. An empty pattern matches every name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/Text.h"

namespace qm::platform {

// The lower-case form of `s` as sortable bytes: UTF-8 of each lowered character, and a stray
// byte as 0xFF followed by the byte (after every real character, as 0xFF never starts one).
// Comparing two keys bytewise compares the names case-insensitively, character by character.
std::string loweredKey(std::string_view s, const text::CaseMapper& mapper);

class PatternSet {
  public:
    PatternSet(std::string_view patterns, const text::CaseMapper& mapper);

    // `key` is the name's loweredKey.
    bool matches(std::string_view key) const;

  private:
    std::vector<std::string> m_patterns;
    std::vector<std::string> m_suffixes;  // "*" and plain text: the common "*.jpg" kind
    bool m_everything = false;
};

}  // namespace qm::platform
