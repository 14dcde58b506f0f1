#include "base/Paths.h"

#include <system_error>

namespace {
std::filesystem::path directory = "Data";
}

void locateDataDirectory(const char* argv0) {
    std::error_code ec;
    if (std::filesystem::is_directory("Data", ec)) {
        directory = "Data";
        return;
    }
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec && argv0) exe = std::filesystem::absolute(argv0, ec);
    std::filesystem::path beside = exe.parent_path() / "Data";
    if (std::filesystem::is_directory(beside, ec)) directory = beside;
}

void setDataDirectory(const std::filesystem::path& dir) { directory = dir; }
const std::filesystem::path& dataDirectory() { return directory; }
std::filesystem::path dataPath(std::string_view fileName) { return directory / std::string(fileName); }
std::string gamePath(std::string_view fileName) { return "Data\\" + std::string(fileName); }

std::filesystem::path realPath(std::string_view text) {
    if (text.size() >= 5 && text.substr(0, 4) == "Data" && (text[4] == '\\' || text[4] == '/'))
        text.remove_prefix(5);
    return dataPath(text);
}
