#include "frame/bFileHandler.h"

#include "base/Text.h"
#include "frame/ErrorTail.h"

namespace qm {

bFileHandler::bFileHandler(platform::FileSystem& files, platform::Trash& trash,
                           ErrorReporter& errors)
    : m_files(files), m_trash(trash), m_errors(errors) {}

bool bFileHandler::FileExists(std::string& path) const {
    path = std::string(text::trimSpaces(path));
    return !path.empty() && m_files.isFile(path);
}

bool bFileHandler::FolderExists(std::string& path) const {
    path = std::string(text::trimSpaces(path));
    return !path.empty() && m_files.isFolder(path);
}

bool bFileHandler::fileExists(const std::string& path) const {
    std::string trimmed = path;
    return FileExists(trimmed);
}

bool bFileHandler::folderExists(const std::string& path) const {
    std::string trimmed = path;
    return FolderExists(trimmed);
}

std::string bFileHandler::QualifyPath(std::string& path) {
    path = StripNull(std::string(text::trimSpaces(path)));
    if (path.empty() || path.back() != kSeparator) {
        path.push_back(kSeparator);
    }
    return path;
}

void bFileHandler::StripLastFolder(std::string& path) {
    const auto slash = path.rfind(kSeparator);
    if (slash != std::string::npos) {
        path.erase(slash);
    }
}

std::string bFileHandler::StripExtension(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string bFileHandler::GetFileExtension(const std::string& name) {
    const auto slash = name.rfind(kSeparator);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) ||
        dot + 1 == name.size()) {
        return {};
    }
    return name.substr(dot);
}

std::string bFileHandler::StripNull(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

std::string bFileHandler::TrimCharacter(std::string& text, const std::string& character) {
    std::string_view view = text::trimSpaces(text);
    if (!character.empty()) {
        while (view.starts_with(character)) {
            view.remove_prefix(character.size());
        }
        while (view.ends_with(character)) {
            view.remove_suffix(character.size());
        }
    }
    text = std::string(view);
    return text;
}

void bFileHandler::ShellDelete(const std::vector<std::string>& files) {
    std::string joined;
    for (const auto& file : files) {
        joined += (joined.empty() ? "" : ", ") + file;
    }
    std::size_t next = 0;
    runWithRetry(
        m_errors, "bFileHandler.ShellDelete", [&] { return joined; },
        [&] {
            for (; next < files.size(); ++next) {
                m_trash.moveToTrash(files[next]);
            }
        });
}

}  // namespace qm
