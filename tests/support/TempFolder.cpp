#include "tests/support/TempFolder.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "base/PathRules.h"
#include "base/Utf16.h"

namespace qm::test {

std::string systemPath(std::string slashed) {
    std::replace(slashed.begin(), slashed.end(), '/', platform::kPathSeparator);
    return slashed;
}

std::filesystem::path fsPath(const std::string& path) {
#ifdef _WIN32
    const auto units = text::toUtf16(path);
    if (!units) {
        throw std::invalid_argument("no Windows path: " + path);
    }
    return std::filesystem::path(*units);
#else
    return std::filesystem::path(path);
#endif
}

TempFolder::TempFolder() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate =
            base / ("qm-test-" + std::to_string(random() % 1'000'000'000'000ull));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            m_path = platform::withoutTrailingSeparator(text::pathText(candidate));
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(fsPath(m_path), ignored);
}

std::string TempFolder::qualified() const {
    return m_path + platform::kPathSeparator;
}

std::string TempFolder::operator/(const std::string& name) const {
    return platform::joinPath(m_path, systemPath(name));
}

std::string TempFolder::write(const std::string& name, const std::string& content) const {
    const std::string path = *this / name;
    std::ofstream out(fsPath(path), std::ios::binary | std::ios::trunc);
    out << content;
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
    return path;
}

std::string TempFolder::makeFolder(const std::string& name) const {
    const std::string path = *this / name;
    std::filesystem::create_directories(fsPath(path));
    return path;
}

std::vector<std::string> TempFolder::names(const std::string& sub) const {
    return namesIn(sub.empty() ? m_path : *this / sub);
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> result;
    std::error_code error;
    std::filesystem::path where;
    try {
        where = fsPath(folder);
    } catch (const std::invalid_argument&) {
        return result;
    }
    for (std::filesystem::directory_iterator it(where, error), end; !error && it != end;
         it.increment(error)) {
        result.push_back(text::pathText(it->path().filename()));
    }
    std::sort(result.begin(), result.end());
    return result;
}

std::string readFile(const std::string& path) {
    std::ifstream in;
    try {
        in.open(fsPath(path), std::ios::binary);
    } catch (const std::invalid_argument&) {
        return {};
    }
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace qm::test
