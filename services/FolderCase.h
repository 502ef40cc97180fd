// Whether a folder tells names apart by letter case. A Linux folder does; FAT and exFAT (also
// through FUSE) and, on Windows, NTFS folders do not, so there "dog.txt" is taken by "Dog.txt".
#pragma once

#include <string>
#include <vector>

#include "services/FileSystem.h"

namespace qm::platform {

enum class LetterCase { Respected, Ignored };

// Found out by looking up one of the folder's `entries` (as listed) under its name with the
// letter case of A-Z turned: the folder ignores case when that finds a file although no entry is
// spelled so. Respected when no entry has such a letter to turn. `folder` is qualified.
LetterCase folderLetterCase(const FileSystem& files, const std::string& folder,
                            const std::vector<FolderEntry>& entries);

}  // namespace qm::platform
