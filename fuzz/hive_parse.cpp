// The hive parser on any text: it never fails, and what it takes in is a fixed point: written
// and parsed again it gives the same tree with no bad entry, and writing that gives the same text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "services/HiveFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const qm::platform::ParsedHive first = qm::platform::parseHive(text);
    const std::string written = qm::platform::writeHive(first.root);
    const qm::platform::ParsedHive second = qm::platform::parseHive(written);
    QM_FUZZ_CHECK(second.badEntries == 0);
    QM_FUZZ_CHECK(second.root == first.root);
    QM_FUZZ_CHECK(qm::platform::writeHive(second.root) == written);
    return 0;
}
