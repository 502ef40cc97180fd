// logName and readLogName on any bytes: the logged form holds no byte that breaks a line or
// acts as a control, reads back to the exact name, and is the name itself when the name needs no
// escape; any field that reads as a name reads the same once written again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/LogText.h"
#include "base/Text.h"
#include "fuzz/FuzzSupport.h"

namespace {

// No C0 control, DEL, and no C1 control, U+2028 or U+2029 in valid UTF-8.
bool safeOnATerminal(const std::string& s) {
    for (std::size_t pos = 0, length = 0; pos < s.size(); pos += length) {
        const qm::text::Char c = qm::text::decodeAt(s, pos, length);
        if (!qm::text::isRawByte(c) &&
            (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F) || c == 0x2028 || c == 0x2029)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name(reinterpret_cast<const char*>(data), size);
    const std::string logged = qm::logName(name);
    QM_FUZZ_CHECK(safeOnATerminal(logged));
    QM_FUZZ_CHECK(qm::readLogName(logged) == name);
    if (safeOnATerminal(name) && (name.empty() || name.front() != '"')) {
        QM_FUZZ_CHECK(logged == name);
    } else {
        QM_FUZZ_CHECK(logged.size() >= 2 && logged.front() == '"' && logged.back() == '"');
    }
    if (const auto read = qm::readLogName(name)) {
        QM_FUZZ_CHECK(qm::readLogName(qm::logName(*read)) == *read);
    }
    return 0;
}
