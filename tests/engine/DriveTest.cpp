// Renames on the folder the tests are given: the system's temporary folder, or one on a volume
// the test command mounted (QM_TEST_DRIVE), whose file system QM_TEST_FILE_SYSTEM names (fat,
// exfat, ntfs, tmpfs). FAT and exFAT ignore letter case, as every folder does under Windows.
#include <gtest/gtest.h>

#include <cstdlib>

#include "services/MessageBox.h"
#include "tests/support/ProgramFixture.h"

namespace qm {
namespace {

class DriveTest : public test::ProgramFixture {};

TEST_F(DriveTest, RenamesMarksAndStopsAsTheFolderComparesNames) {
    const char* named = std::getenv("QM_TEST_FILE_SYSTEM");
    const std::string kind = named != nullptr ? named : "";
    bool ignoresCase = kind == "fat" || kind == "exfat";
    std::string device;
#ifdef _WIN32
    ignoresCase = true;
    device = "\"con.md\": CON is the name of a device in Windows, whatever the extension.";
#endif
    startIn({"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG", "cat.txt", "Dog.txt", "cox.md"});
    prepare({"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG"}, "IMG_", "Trip_");
    h.messages.queueAnswer(platform::MessageResult::Yes);
    rename();
    EXPECT_NE(logged().find(entry("IMG_0003.JPG", "Trip_0003.JPG")), std::string::npos);
    // The preview marks where the run would stop, saying why; the run stops there.
    prepare({"cat.txt", "cox.md"}, "cat:cox", "dog:con");
    std::vector<std::string> warnings;
    h.ui.whenModal([&](platform::HeadlessForm& preview) {
        const auto& after = preview.get<platform::HeadlessListBox>("lstAfter");
        warnings = {after.warning(0), after.warning(1)};
        preview.button("cmdCancel").click();
    });
    form().button("cmdPreview").click();
    h.messages.queueAnswer(platform::MessageResult::Yes);
    rename();
    EXPECT_EQ(warnings[0], ignoresCase ? "\"dog.txt\" already exists in this folder as "
                                         "\"Dog.txt\": names here ignore letter case."
                                       : "");
    EXPECT_EQ(warnings[1], device);
    EXPECT_EQ(h.messages.shown().back().title,
              ignoresCase ? "Quillmote Utility: Error 58" : "Quillmote Utility");
#ifdef _WIN32
    prepare({"cat.txt"}, "cox", "con");  // Ctrl+click: cox.md alone stays selected
    h.messages.queueAnswer(platform::MessageResult::Yes);
    rename();
    EXPECT_EQ(h.messages.shown().back().text, "Bad file name or number.\r\n" + device);
#endif
    std::vector<std::string> left = {"Dog.txt", "Trip_0001.JPG", "Trip_0002.JPG", "Trip_0003.JPG"};
    left.insert(left.end(),
                {ignoresCase ? "cat.txt" : "con.md", ignoresCase ? "cox.md" : "dog.txt"});
    EXPECT_EQ(test::namesIn(h.work), left);  // Dog.txt and cat.txt each still there
}

}  // namespace
}  // namespace qm
