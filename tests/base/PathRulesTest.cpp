#include "base/PathRules.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace qm::platform {
namespace {

using test::systemPath;

TEST(PathRules, RootsParentsAndJoins) {
    struct Row {
        std::string path;  // written with "/"
        std::size_t root;
        std::string parent;
    };
    const std::vector<Row> rows = {
        {"relative/name", 0, "relative"},
        {"name", 0, ""},
#ifdef _WIN32
        {"C:/", 3, "C:/"},
        {"C:/a", 3, "C:/"},
        {"C:/a/b/", 3, "C:/a"},
        {"C:", 2, "C:"},
        {"//server/share/a", 15, "//server/share/"},
        {"//server/share", 14, "//server/share"},
        {"/a", 0, ""},
#else
        {"/", 1, "/"},
        {"/a", 1, "/"},
        {"/a/b/", 1, "/a"},
        {"C:/a", 0, "C:"},
#endif
    };
    for (const Row& row : rows) {
        const std::string path = systemPath(row.path);
        EXPECT_EQ(rootLength(path), row.root) << path;
        EXPECT_EQ(parentPath(path), systemPath(row.parent)) << path;
    }
    EXPECT_EQ(joinPath(systemPath("/a"), "b"), systemPath("/a/b"));
    EXPECT_EQ(joinPath(systemPath("/a/"), "b"), systemPath("/a/b"));
    EXPECT_EQ(withoutTrailingSeparator(systemPath("/a//")), systemPath("/a"));
    EXPECT_EQ(lastComponent(systemPath("/a/b.txt")), "b.txt");
}

}  // namespace
}  // namespace qm::platform
