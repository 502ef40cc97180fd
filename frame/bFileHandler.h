// File, path and text utilities. Paths use the system's separator (a backslash on Windows, "/" on
// POSIX) and a qualified folder ends in it. Routines that take a std::string& change the
// caller's text as stated per routine.
#pragma once

#include <string>
#include <vector>

#include "base/PathRules.h"
#include "frame/ErrorReporter.h"
#include "services/FileSystem.h"
#include "services/Trash.h"

namespace qm {

class bFileHandler {
  public:
    static constexpr char kSeparator = platform::kPathSeparator;

    bFileHandler(platform::FileSystem& files, platform::Trash& trash, ErrorReporter& errors);

    // Trims spaces from `path` (in place); true when a file (not a folder) of that name exists.
    bool FileExists(std::string& path) const;
    // Trims spaces from `path` (in place); true when a folder of that name exists.
    bool FolderExists(std::string& path) const;
    // The same tests for callers that only want the answer.
    bool fileExists(const std::string& path) const;
    bool folderExists(const std::string& path) const;

    // Trimmed, cut at a first NUL, the separator appended when missing; `path` receives the
    // result.
    static std::string QualifyPath(std::string& path);
    // The same for callers that only want the qualified path.
    static std::string qualifiedPath(std::string path) { return QualifyPath(path); }
    // `path` loses its last separator and everything after it; unchanged without one.
    static void StripLastFolder(std::string& path);
    // `name` up to, not including, its last "."; the whole name without one.
    static std::string StripExtension(const std::string& name);
    // "." and the text after the last "." of the last path component; empty when none follows.
    static std::string GetFileExtension(const std::string& name);
    // The text before its first NUL character.
    static std::string StripNull(const std::string& text);
    // Trims spaces, then strips `character` from both ends; `text` receives the result.
    static std::string TrimCharacter(std::string& text, const std::string& character);

    // Moves the files to the Trash. A failure goes to HandleError (file object: the files
    // joined with ", "); Retry moves the files not yet moved.
    void ShellDelete(const std::vector<std::string>& files);

  private:
    platform::FileSystem& m_files;
    platform::Trash& m_trash;
    ErrorReporter& m_errors;
};

}  // namespace qm
