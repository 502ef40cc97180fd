// Every value a writer of this code can store comes back: a tree built the way the settings
// store builds one (key paths split at "\", names without NUL or line feed, any type, any bytes)
// is written and parsed back to the same tree, with no bad entry.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "services/HiveFormat.h"

namespace {

// Mostly the types the program uses, sometimes any number.
qm::platform::RegType typeFrom(FuzzedDataProvider& input) {
    static constexpr qm::platform::RegType kCommon[] = {
        qm::platform::kRegSz,    qm::platform::kRegExpandSz, qm::platform::kRegBinary,
        qm::platform::kRegDword, qm::platform::kRegMultiSz,  qm::platform::kRegNone,
        qm::platform::kRegQword};
    const auto pick = input.ConsumeIntegralInRange<std::size_t>(0, std::size(kCommon));
    return pick < std::size(kCommon) ? kCommon[pick] : input.ConsumeIntegral<std::uint32_t>();
}

// Text values as the program stores them (with their terminator), else any bytes.
std::string dataFrom(FuzzedDataProvider& input) {
    std::string data = input.ConsumeRandomLengthString(120);
    if (input.ConsumeBool()) {
        data.push_back('\0');
    }
    return data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    qm::platform::HiveKey root;
    const int operations = input.ConsumeIntegralInRange(0, 24);
    for (int i = 0; i < operations && input.remaining_bytes() > 0; ++i) {
        const auto path = qm::platform::splitKeyPath(input.ConsumeRandomLengthString(40));
        const std::string name = input.ConsumeRandomLengthString(30);
        if (!path || !qm::platform::isStorableName(name)) {
            continue;
        }
        qm::platform::HiveKey* key = &root;
        for (const std::string& part : *path) {
            key = &key->subkey(part);
        }
        if (input.ConsumeBool()) {
            const qm::platform::RegType type = typeFrom(input);
            key->setValue(name, type, dataFrom(input));
        }
    }
    const std::string written = qm::platform::writeHive(root);
    const qm::platform::ParsedHive parsed = qm::platform::parseHive(written);
    QM_FUZZ_CHECK(parsed.badEntries == 0);
    QM_FUZZ_CHECK(parsed.root == root);
    return 0;
}
