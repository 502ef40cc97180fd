// A fresh folder under the system's temporary folder, removed with everything in it at the end
// of the test. Paths are the program's text (UTF-8) with the system's separator.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace qm::test {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without a trailing separator.
    const std::string& path() const { return m_path; }
    // The folder's path with a trailing separator, as the program qualifies folders.
    std::string qualified() const;
    // path(), a separator and `name`; a "/" inside `name` becomes the system's separator.
    std::string operator/(const std::string& name) const;

    // Creates (or replaces) a file below the folder with the given content; returns its path.
    std::string write(const std::string& name, const std::string& content = "") const;
    std::string makeFolder(const std::string& name) const;

    // The names in the folder (or a subfolder), sorted bytewise, without "." and "..".
    std::vector<std::string> names(const std::string& sub = "") const;

  private:
    std::string m_path;
};

// The names in any folder, sorted bytewise, without "." and ".." (none when it cannot be read).
std::vector<std::string> namesIn(const std::string& folder);

// The whole content of a file ("" when it cannot be read).
std::string readFile(const std::string& path);

// A path written with "/" in the system's form (each "/" the system's separator).
std::string systemPath(std::string slashed);

// The standard library's path for the program's text of a path (UTF-16 on Windows).
std::filesystem::path fsPath(const std::string& path);

}  // namespace qm::test
