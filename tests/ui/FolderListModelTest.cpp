// The folder tree every back end mirrors, as the model holds it and as it told the view: "?"
// marks a node the view never heard of, "+" one it expanded, ">" the one it selected.
#include "ui/FolderListModel.h"

#include <gtest/gtest.h>

#include "tests/support/FakeDriveQuery.h"
#include "tests/support/SystemServices.h"
#include "tests/support/TempFolder.h"

namespace qm::platform {
namespace {

struct MarkingView : FolderTreeView {
    void added(FolderNode& node) override {
        node.item = &told;
        root = node.parent ? root : &node;
    }
    void filled(FolderNode& node) override {
        for (const auto& child : node.children) {
            child->item = &told;
        }
    }
    void expand(FolderNode& node) override { node.item = node.item ? &expanded : nullptr; }
    void select(FolderNode& node) override { current = &node; }

    // "name (children)", the root named "*".
    std::string text(const FolderNode& node) const {
        const char* state = !node.item ? "?" : node.item == &expanded ? "+" : "";
        std::string out = (node.parent ? node.name : "*") + state + (&node == current ? ">" : "");
        for (const auto& child : node.children) {
            out += (child == node.children.front() ? " (" : " ") + text(*child);
        }
        return node.children.empty() ? out : out + ")";
    }
    char told = 0, expanded = 0;  // what the items of told and expanded nodes point at
    const FolderNode* root = nullptr;
    const FolderNode* current = nullptr;
};

// Steps on one tree, "b" a drive of its own inside the test folder's drive: opening a folder
// (`path` below the test's folder, "" to refresh) or choosing it, after making `make`.
TEST(FolderListModelTest, TreeFromTheDrivesRootToTheCurrentFolder) {
    struct Step {
        std::string path, make;
        bool choose;
        std::string tree;
    };
    const std::vector<Step> steps = {
        {"a/", "", false, "*+ (a+> (a1) b)"},
        {"b", "", true, "*+ (a+ (a1) b+> (b1))"},
        // A folder missing from its parent's listing (hidden, or made since) has its place.
        {"c/c1", "c/c1", false, "*+ (a+ (a1) b+ (b1) c+ (c1+>))"},
        {"", "", false, "*+ (a b c+ (c1+>))"},
        {"b/b1", "", false, "*+ (b1+>)"},
    };
    test::TempFolder dir;
    dir.makeFolder("a/a1");
    dir.makeFolder("b/b1");
    test::FakeDriveQuery drives;
    drives.drives[dir.qualified()];
    drives.drives[(dir / "b") + kPathSeparator];
    const test::SystemFileSystem files;
    const text::CaseMapper mapper = test::neutralCaseMapper();
    MarkingView view;
    FolderListModel model(files, drives, mapper, view);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.path);
        dir.makeFolder(step.make);  // "": the test's folder, there already
        bool changed = false;
        if (step.path.empty()) {
            model.refresh();
        } else if (step.choose) {
            FolderNode* node = model.find(dir / step.path);
            ASSERT_NE(node, nullptr);
            view.current = node;  // as the tree does on the user's click
            changed = model.choose(*node);
        } else {
            changed = model.setPath(dir / step.path);
        }
        EXPECT_EQ(changed, !step.path.empty());
        EXPECT_EQ(view.text(*view.root), step.tree);
    }
}

}  // namespace
}  // namespace qm::platform
