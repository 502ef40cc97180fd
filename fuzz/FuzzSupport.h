// Shared by the fuzz targets: case mappers for the locales the name rules care about, built once.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <locale>
#include <memory>
#include <stdexcept>
#include <vector>

#include "base/Text.h"

namespace qm::fuzz {

// C.UTF-8 always; German and Turkish (dotted and dotless i) when the machine has them.
inline const std::vector<std::unique_ptr<text::CaseMapper>>& caseMappers() {
    static const auto mappers = [] {
        std::vector<std::unique_ptr<text::CaseMapper>> list;
        for (const char* name : {"C.UTF-8", "de_DE.UTF-8", "tr_TR.UTF-8"}) {
            try {
                list.push_back(std::make_unique<text::CaseMapper>(std::locale(name)));
            } catch (const std::runtime_error&) {
            }
        }
        return list;
    }();
    return mappers;
}

inline const text::CaseMapper& caseMapper(unsigned pick) {
    const auto& list = caseMappers();
    return *list[pick % list.size()];
}

// Stops the run with a message when an invariant does not hold; libFuzzer keeps the input.
#define QM_FUZZ_CHECK(condition)                                                         \
    do {                                                                                 \
        if (!(condition)) {                                                              \
            std::fprintf(stderr, "invariant failed: %s (%s:%d)\n", #condition, __FILE__, \
                         __LINE__);                                                      \
            std::abort();                                                                \
        }                                                                                \
    } while (false)

}  // namespace qm::fuzz
