// The order of the file list and of a folder's subfolders, over real folders.
#include "ui/FileListModel.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/SystemServices.h"
#include "tests/support/TempFolder.h"

namespace qm::platform {
namespace {

std::vector<std::string> shown(const FileListModel& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.count(); ++i) {
        names.push_back(list.name(i));
    }
    return names;
}

// By the lower-case name, so that neither letter case nor the bytes of a non-ASCII letter
// decide before the letter itself; names equal but for case by their bytes.
TEST(FileListModelTest, FilesAndSubfoldersInCaseInsensitiveOrder) {
    struct Case {
        std::vector<std::string> files, folders, links;  // links: "name>target"
        std::vector<std::string> listed, subfolders;
    };
    const std::vector<Case> cases = {
        {{"img_9.jpg", "IMG_10.jpg", "img_1.jpg", "IMG_1.JPG", "apfel.txt", ".hidden"},
         {"sub"},
         {},
         {"apfel.txt", "IMG_1.JPG", "img_1.jpg", "IMG_10.jpg", "img_9.jpg"},
         {"sub"}},
        // Past a long shared beginning, and letters beyond ASCII.
        {{"photo-2021-01-01-B.jpg", "photo-2021-01-01-a.jpg", "\xC3\x84rmel.txt",
          "\xC3\xA4rger.txt", "Zebra.txt", "zebra.txt"},
         {},
         {},
         {"photo-2021-01-01-a.jpg", "photo-2021-01-01-B.jpg", "Zebra.txt", "zebra.txt",
          "\xC3\xA4rger.txt", "\xC3\x84rmel.txt"},
         {}},
        // A link to a folder is a folder; hidden folders and links to files or nothing are not.
        {{"file.txt"},
         {"b", "A", ".git"},
         {"c>b", "d>file.txt", "e>missing"},
         {"d", "e", "file.txt"},
         {"A", "b", "c"}},
    };
    const test::SystemFileSystem files;
    const text::CaseMapper mapper = test::neutralCaseMapper();
    for (const Case& c : cases) {
        test::TempFolder dir;
        for (const auto& name : c.files) {
            dir.write(name);
        }
        for (const auto& name : c.folders) {
            dir.makeFolder(name);
        }
        for (const auto& link : c.links) {
            const auto at = link.find('>');
            ASSERT_EQ(::symlink(link.substr(at + 1).c_str(), (dir / link.substr(0, at)).c_str()),
                      0);
        }
        FileListModel list(files, mapper);
        list.load(dir.path());
        EXPECT_EQ(shown(list), c.listed);
        EXPECT_EQ(listSubfolders(files, dir.path(), mapper), c.subfolders);
    }
}

}  // namespace
}  // namespace qm::platform
