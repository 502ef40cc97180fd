#include "services/FolderCase.h"

#include <algorithm>

namespace qm::platform {

namespace {

// `name` with the case of every ASCII letter turned. Every file system that ignores case
// ignores it for these letters, whatever its rules for the others.
std::string turnedAsciiCase(std::string name) {
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return name;
}

}  // namespace

LetterCase folderLetterCase(const FileSystem& files, const std::string& folder,
                            const std::vector<FolderEntry>& entries) {
    // A few entries are asked, so that one whose lookup fails for another reason (a link to
    // nothing, a file removed meanwhile) does not decide alone; each is looked for among the
    // entries in turn, which costs less than a table of a large folder's names.
    int asked = 0;
    for (const auto& entry : entries) {
        const std::string turned = turnedAsciiCase(entry.name);
        if (turned == entry.name) {
            continue;
        }
        if (std::any_of(entries.begin(), entries.end(),
                        [&turned](const FolderEntry& other) { return other.name == turned; })) {
            return LetterCase::Respected;  // both spellings are entries of their own
        }
        const std::string path = folder + turned;
        if (files.isFile(path) || files.isFolder(path)) {
            return LetterCase::Ignored;
        }
        if (++asked == 3) {
            break;
        }
    }
    return LetterCase::Respected;
}

}  // namespace qm::platform
