// What a folder list holds, for every back end: the folders from the root of the current drive
// down to the current folder, each folder's subfolders read from disk once, when it opens. The
// back end mirrors the nodes into its tree and hands on what the user does.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/Text.h"
#include "services/DriveQuery.h"
#include "services/FileSystem.h"
#include "ui/Controls.h"

namespace qm::platform {

struct FolderNode {
    std::string path;
    std::string name;  // as the folder listing gave it; the root's is its path
    FolderNode* parent = nullptr;
    bool read = false;  // `children` holds its subfolders as read from disk
    std::vector<std::unique_ptr<FolderNode>> children;
    void* item = nullptr;  // the back end's item showing it
};

// How a back end shows the nodes. Every call is the program's change, never the user's; a node
// passed here lives until its item is gone. A view that shows nothing needs no overrides.
class FolderTreeView {
  public:
    virtual ~FolderTreeView() = default;
    // The node, not yet read, was added as the last child of its parent; a root (no parent)
    // replaces the whole tree.
    virtual void added(FolderNode&) {}
    // The node was read: its item's children give way to one item per child, none of them read.
    virtual void filled(FolderNode&) {}
    virtual void expand(FolderNode&) {}
    // The node becomes the tree's current item, in view with as many of its children as fit.
    virtual void select(FolderNode&) {}
};

class FolderListModel {
  public:
    FolderListModel(const FileSystem& files, const DriveQuery& drives,
                    const text::CaseMapper& mapper, FolderTreeView& view);

    // The current folder, "" until one is set.
    const std::string& path() const { return m_path; }
    // Opens `path` (a trailing separator is ignored) with its subfolders read afresh, and every
    // folder on the way read and expanded; a hidden one on the way is added to its parent.
    // Throws RunError, changing nothing, when `path` cannot be read. True when the current
    // folder changed: the list raises onChange.
    bool setPath(const std::string& path);
    // Reads the tree again from the drive's root down to the current folder.
    void refresh();
    // The user opens `node`: its subfolders are read unless they were; a folder that cannot be
    // read has none.
    void open(FolderNode& node);
    // The user chooses `node`: it opens, expands and becomes current. True when the current
    // folder changed: the list raises onChange.
    bool choose(FolderNode& node);
    // The user moves to `node` with the keyboard: it becomes current as the tree shows it, neither
    // read nor expanded, so the arrows go one folder at a time through what is shown. True when
    // the current folder changed: the list raises onChange.
    bool moveTo(const FolderNode& node);
    // The node of `path`, nullptr while the tree does not show it.
    FolderNode* find(const std::string& path) const;

  private:
    // Builds the tree down to `folder`, whose subfolders are `subfolders`, and selects it.
    void show(const std::string& folder, const std::vector<std::string>& subfolders, bool rebuild);
    void fill(FolderNode& node, const std::vector<std::string>& names);

    const FileSystem& m_files;
    const DriveQuery& m_drives;
    const text::CaseMapper& m_mapper;
    FolderTreeView& m_view;
    std::unique_ptr<FolderNode> m_root;
    std::string m_path;
};

// A folder list over the model: the back end shows the nodes (its FolderTreeView overrides) and
// hands on the user's opening and choosing (raising onChange when choose says so).
class FolderListBase : public FolderList, protected FolderTreeView {
  public:
    FolderListBase(const FileSystem& files, const DriveQuery& drives,
                   const text::CaseMapper& mapper)
        : m_model(files, drives, mapper, *this) {}
    std::string path() const override { return m_model.path(); }
    void setPath(const std::string& path) override {
        if (m_model.setPath(path)) {
            raise(onChange);
        }
    }
    void refresh() override { m_model.refresh(); }

  protected:
    FolderListModel m_model;
};

}  // namespace qm::platform
