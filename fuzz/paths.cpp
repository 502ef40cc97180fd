// QualifyPath and StripLastFolder on any text: a qualified path ends in "/", holds no NUL and
// stays the same when qualified again; stripping the last folder of a qualified path and
// qualifying again gives the parent folder, a prefix of the path.
#include <cstddef>
#include <cstdint>
#include <string>

#include "frame/bFileHandler.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string path = text;
    const std::string qualified = qm::bFileHandler::QualifyPath(path);
    QM_FUZZ_CHECK(path == qualified);
    QM_FUZZ_CHECK(!qualified.empty() && qualified.back() == '/');
    QM_FUZZ_CHECK(qualified.find('\0') == std::string::npos);
    std::string again = qualified;
    QM_FUZZ_CHECK(qm::bFileHandler::QualifyPath(again) == qualified);

    std::string stripped = text;
    qm::bFileHandler::StripLastFolder(stripped);
    QM_FUZZ_CHECK(text.compare(0, stripped.size(), stripped) == 0);
    if (stripped.size() != text.size()) {
        // Exactly the last "/" and what follows it went.
        QM_FUZZ_CHECK(text[stripped.size()] == '/');
        QM_FUZZ_CHECK(text.find('/', stripped.size() + 1) == std::string::npos);
    } else {
        QM_FUZZ_CHECK(text.find('/') == std::string::npos);
    }

    std::string parent = qualified;
    parent.pop_back();
    qm::bFileHandler::StripLastFolder(parent);
    parent.push_back('/');
    std::string parentQualified = parent;
    QM_FUZZ_CHECK(qm::bFileHandler::QualifyPath(parentQualified) == parent);
    QM_FUZZ_CHECK(qualified.compare(0, parent.size(), parent) == 0);
    return 0;
}
