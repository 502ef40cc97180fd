// File patterns against names, compared with a plain matcher written for clarity: patterns split
// at ";", trimmed of spaces, "*" and "*.*" matching everything, an empty list matching
// everything, and otherwise "*" any run and "?" exactly one character, compared in lower case
// character by character. Also: "*" matches every name, and a name is matched by itself as a
// pattern when it holds no wildcard, ";" or outer spaces.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Text.h"
#include "base/Wildcard.h"
#include "fuzz/FuzzSupport.h"

namespace {

using qm::text::Char;

std::vector<Char> lowered(std::string_view s, const qm::text::CaseMapper& mapper) {
    std::vector<Char> out;
    for (std::size_t pos = 0, length = 0; pos < s.size(); pos += length) {
        out.push_back(mapper.lower(qm::text::decodeAt(s, pos, length)));
    }
    return out;
}

bool globMatches(const std::vector<Char>& pattern, const std::vector<Char>& name) {
    // matched[j]: the pattern so far matches the first j characters of the name.
    std::vector<char> matched(name.size() + 1, 0);
    matched[0] = 1;
    for (const Char p : pattern) {
        std::vector<char> next(name.size() + 1, 0);
        if (p == '*') {
            char any = 0;
            for (std::size_t j = 0; j <= name.size(); ++j) {
                any = any || matched[j];
                next[j] = any;
            }
        } else {
            for (std::size_t j = 1; j <= name.size(); ++j) {
                next[j] = matched[j - 1] && (p == '?' || p == name[j - 1]);
            }
        }
        matched.swap(next);
    }
    return matched[name.size()] != 0;
}

bool plainMatch(std::string_view patterns, std::string_view name,
                const qm::text::CaseMapper& mapper) {
    const std::vector<Char> key = lowered(name, mapper);
    bool anyPattern = false;
    std::size_t start = 0;
    while (true) {
        const auto semicolon = patterns.find(';', start);
        const std::string_view piece =
            qm::text::trimSpaces(patterns.substr(start, semicolon - start));
        if (piece == "*" || piece == "*.*") {
            return true;
        }
        if (!piece.empty()) {
            anyPattern = true;
            if (globMatches(lowered(piece, mapper), key)) {
                return true;
            }
        }
        if (semicolon == std::string_view::npos) {
            return !anyPattern;
        }
        start = semicolon + 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const qm::text::CaseMapper& mapper =
        qm::fuzz::caseMapper(input.ConsumeIntegral<std::uint8_t>());
    const std::string patterns = input.ConsumeRandomLengthString(200);
    const std::string name = input.ConsumeRemainingBytesAsString();
    const std::string key = qm::platform::loweredKey(name, mapper);

    const bool matches = qm::platform::PatternSet(patterns, mapper).matches(key);
    if (patterns.size() <= 64 && name.size() <= 256) {
        QM_FUZZ_CHECK(matches == plainMatch(patterns, name, mapper));
    }
    QM_FUZZ_CHECK(qm::platform::PatternSet("*", mapper).matches(key));
    QM_FUZZ_CHECK(qm::platform::PatternSet("*.*", mapper).matches(key));
    QM_FUZZ_CHECK(qm::platform::PatternSet("", mapper).matches(key));
    if (!name.empty() && name.find_first_of("*?;") == std::string::npos &&
        qm::text::trimSpaces(name) == name) {
        QM_FUZZ_CHECK(qm::platform::PatternSet(name, mapper).matches(key));
        QM_FUZZ_CHECK(qm::platform::PatternSet(mapper.toUpper(name), mapper).matches(key) ||
                      lowered(mapper.toUpper(name), mapper) != lowered(name, mapper));
    }
    return 0;
}
