#include "support/temp_folder.h"

#include "util/file_system.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
std::atomic<int> g_counter{0};
}

TempFolder::TempFolder() {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
        ("orvanel-test-" + std::to_string(stamp) + "-" + std::to_string(g_counter++));
    std::filesystem::create_directories(folder);
    m_path = folder.string();
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::file(const std::string& name) const { return keslFileSystemMini::joinPath(m_path, name); }

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

void writeFile(const std::string& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
}
