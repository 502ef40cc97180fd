// ComputeNewName with any file name, any pairs and any case choices (also numbers outside the
// tables), under several locales. The file name is one the OS could give (no "/", no NUL); the
// replacements are what validation lets through (none of \ / * ? " < > | and no NUL).
// Invariants: the new name holds no "/" and no NUL; its extension is the original's extension in
// the chosen case; without pairs that change anything the name part is only re-cased and
// trimmed.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/RunError.h"
#include "engine/CaseOptions.h"
#include "engine/NameComputation.h"
#include "frame/bFileHandler.h"
#include "fuzz/FuzzSupport.h"

namespace {

class FixedCase : public qm::CaseOptions {
  public:
    FixedCase(std::int32_t name, std::int32_t extension) : m_name(name), m_extension(extension) {}
    std::int32_t GetFilenameCase() override { return m_name; }
    std::int32_t GetExtensionCase() override { return m_extension; }

  private:
    std::int32_t m_name;
    std::int32_t m_extension;
};

std::string without(std::string s, const std::string& banned) {
    std::erase_if(s, [&](char c) { return banned.find(c) != std::string::npos; });
    return s;
}

const std::string kIllegal = std::string("\\/*?\"<>|") + '\0';

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const qm::text::CaseMapper& mapper =
        qm::fuzz::caseMapper(input.ConsumeIntegral<std::uint8_t>());
    FixedCase options(input.ConsumeIntegralInRange<std::int32_t>(-1, 4),
                      input.ConsumeIntegralInRange<std::int32_t>(-1, 3));
    const std::string name = without(input.ConsumeRandomLengthString(300), std::string("/") + '\0');
    std::vector<std::string> searches;
    std::vector<std::string> replacements;
    const int pairs = input.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < pairs; ++i) {
        searches.push_back(input.ConsumeRandomLengthString(20));
        replacements.push_back(without(input.ConsumeRandomLengthString(20), kIllegal));
    }
    if (name.empty()) {
        return 0;
    }

    const qm::NameComputation names(options, mapper);
    qm::NewName result;
    try {
        result = names.ComputeNewName(name, searches, replacements);
    } catch (const qm::RunError&) {
        return 0;  // refused as a whole; never a partial name
    }
    const std::string full = result.full();
    QM_FUZZ_CHECK(full.find('/') == std::string::npos);
    QM_FUZZ_CHECK(full.find('\0') == std::string::npos);

    std::string extension = qm::bFileHandler::GetFileExtension(name);
    if (extension.empty() && name.size() > 1 && name.back() == '.') {
        extension = ".";
    }
    const std::string originalPart = name.substr(0, name.size() - extension.size());
    switch (options.GetExtensionCase()) {
        case qm::kExtensionLower:
            extension = mapper.toLower(extension);
            break;
        case qm::kExtensionUpper:
            extension = mapper.toUpper(extension);
            break;
        default:
            break;
    }
    QM_FUZZ_CHECK(result.extension == extension);
    QM_FUZZ_CHECK(full.size() >= extension.size() &&
                  full.compare(full.size() - extension.size(), extension.size(), extension) == 0);

    if (searches.empty()) {
        // No pair ran, so nothing was re-cased or trimmed either.
        QM_FUZZ_CHECK(result.namePart == originalPart);
    }
    bool anyFound = false;
    const std::string lowered = mapper.toLower(originalPart);
    for (const auto& search : searches) {
        anyFound = anyFound ||
                   (!search.empty() && lowered.find(mapper.toLower(search)) != std::string::npos);
    }
    if (!searches.empty() && !anyFound && options.GetFilenameCase() == qm::kFilenameDontChange) {
        QM_FUZZ_CHECK(result.namePart == qm::text::trimSpaces(originalPart));
    }
    return 0;
}
