#include "util/file_system.h"

#include "system/file_primitives.h"
#include "system/system_services.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace keslFileSystemMini {

namespace {

constexpr size_t kCopyBlockSize = 512;

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr openFile(const std::string& path, const char* mode) {
    return FilePtr(std::fopen(path.c_str(), mode));
}

}  // namespace

bool fileExists(const char* path) { return keslSystemFiles::fileExists(path); }
bool fileExists(const std::string& path) { return fileExists(path.c_str()); }
bool folderExists(const char* path) { return keslSystemFiles::folderExists(path); }
bool folderExists(const std::string& path) { return folderExists(path.c_str()); }
bool createFolder(const std::string& path) { return keslSystemFiles::createFolder(path); }

std::string getModuleFolder() {
    const std::string path = keslSystemServices().modulePath();
    return path.empty() ? std::string() : getFolderOfPath(path);
}

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool endsWithSeparator(const char* path) {
    if (!path || !*path) return false;
    return isSeparator(path[std::strlen(path) - 1]);
}

bool endsWithSeparator(const std::string& path) { return !path.empty() && isSeparator(path.back()); }

std::string ensureTrailingSeparator(const std::string& path) {
    return endsWithSeparator(path) ? path : path + kPathSeparator;
}

std::string joinPath(const std::string& folder, const std::string& component) {
    size_t start = 0;
    while (start < component.size() && isSeparator(component[start])) ++start;
    return ensureTrailingSeparator(folder) + component.substr(start);
}

std::string getFolderOfPath(const std::string& path) {
    std::string folder = path;
    while (!folder.empty() && isSeparator(folder.back())) folder.pop_back();
    const size_t last = folder.find_last_of("\\/");
    if (last != std::string::npos && last + 1 < folder.size()) folder.erase(last + 1);
    return ensureTrailingSeparator(folder);
}

std::string getFileNameOfPath(const std::string& path) {
    const size_t last = path.find_last_of("\\/");
    return last == std::string::npos ? path : path.substr(last + 1);
}

bool appendTextFile(const std::string& path, const std::string& text) {
    // Binary mode with our own CR LF keeps the file identical on every platform.
    FilePtr file = openFile(path, "ab");
    if (!file) return false;
    const std::string onDisk = replaceAll(text, "\n", "\r\n");
    return std::fwrite(onDisk.data(), 1, onDisk.size(), file.get()) == onDisk.size();
}

bool copyFile(const std::string& source, const std::string& target) {
    const std::string destination = folderExists(target) ? joinPath(target, getFileNameOfPath(source)) : target;
    FilePtr in = openFile(source, "rb");
    if (!in) return false;
    FilePtr out = openFile(destination, "wb");
    if (!out) return false;
    char block[kCopyBlockSize];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, in.get())) > 0) {
        if (std::fwrite(block, 1, got, out.get()) != got) return false;
    }
    return !std::ferror(in.get());
}

bool fileSize(const std::string& path, std::uint64_t& size) {
    if (!fileExists(path)) return false;
    FilePtr file = openFile(path, "rb");
    if (!file) return false;
#ifdef _WIN32
    // long is 32 bits there: a file of 2 GB or more would not be measured.
    if (_fseeki64(file.get(), 0, SEEK_END) != 0) return false;
    const long long end = _ftelli64(file.get());
#else
    if (std::fseek(file.get(), 0, SEEK_END) != 0) return false;
    const long long end = std::ftell(file.get());
#endif
    if (end < 0) return false;
    size = static_cast<std::uint64_t>(end);
    return true;
}

bool readWholeFile(const std::string& path, std::string& contents) {
    contents.clear();
    if (!fileExists(path)) return false;
    FilePtr in = openFile(path, "rb");
    if (!in) return false;
    char block[4096];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, in.get())) > 0) contents.append(block, got);
    return !std::ferror(in.get());
}

bool truncateFile(const std::string& path) { return openFile(path, "wb") != nullptr; }

std::string replaceAll(const std::string& text, const char* find, const char* replacement) {
    if (!find || !replacement || !*find) return text;
    const size_t findLength = std::strlen(find);
    const size_t replacementLength = std::strlen(replacement);
    std::string result = text;
    size_t at = 0;
    while ((at = result.find(find, at, findLength)) != std::string::npos) {
        result.replace(at, findLength, replacement, replacementLength);
        at += replacementLength;
    }
    return result;
}

std::string fillInBlank(const std::string& pattern, const char* name, const std::string& value) {
    return replaceAll(pattern, (std::string("{") + name + "}").c_str(), value.c_str());
}

std::vector<std::string> splitByBar(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t bar = text.find('|', start);
        if (bar == std::string::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
}

std::string trim(const std::string& text) {
    const char* blanks = " \t";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

}  // namespace keslFileSystemMini
