// The search and replacement lists from any text: the pieces put back together with colons give
// the text again, no piece holds a colon, and the search list is refused exactly when the text
// or one of its pieces is empty.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/RunError.h"
#include "engine/ReplacementLists.h"
#include "fuzz/FuzzSupport.h"

namespace {

std::string joined(const std::vector<std::string>& pieces) {
    std::string text;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        text += (i == 0 ? "" : ":") + pieces[i];
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> list{"left over from before"};

    const std::int32_t replacementError = qm::BuildReplacementList(text, list);
    QM_FUZZ_CHECK(replacementError == 0);
    QM_FUZZ_CHECK(joined(list) == text);
    std::size_t colons = 0;
    for (const char c : text) {
        colons += c == ':' ? 1 : 0;
    }
    QM_FUZZ_CHECK(list.size() == colons + 1);

    const std::int32_t searchError = qm::BuildSearchList(text, list);
    bool anyEmpty = text.empty();
    for (const auto& piece : list) {
        QM_FUZZ_CHECK(piece.find(':') == std::string::npos);
        anyEmpty = anyEmpty || piece.empty();
    }
    QM_FUZZ_CHECK(searchError == (anyEmpty ? qm::kNoSearchText : 0));
    if (!text.empty()) {
        QM_FUZZ_CHECK(joined(list) == text);
    }
    return 0;
}
