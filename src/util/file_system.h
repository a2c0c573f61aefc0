// Small path, file and string helpers shared by the log, the settings store,
// localisation and the image loader. Paths are 8-bit strings in the user's
// code page; both "\" and "/" separate, and new separators are the
// platform's own ("\" on Windows, "/" elsewhere, where "\" is a file-name
// character and would silently create oddly named files).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace keslFileSystemMini {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// Existence and folders (answered by the operating system).
bool fileExists(const char* path);
bool fileExists(const std::string& path);
bool folderExists(const char* path);
bool folderExists(const std::string& path);
// Creates one directory level; true when the folder exists afterwards.
bool createFolder(const std::string& path);
std::string getModuleFolder();

// Paths.
bool isSeparator(char c);
bool endsWithSeparator(const char* path);
bool endsWithSeparator(const std::string& path);
std::string ensureTrailingSeparator(const std::string& path);
std::string joinPath(const std::string& folder, const std::string& component);
std::string getFolderOfPath(const std::string& path);
std::string getFileNameOfPath(const std::string& path);

// Files. Line breaks written by appendTextFile become CR LF on disk.
bool appendTextFile(const std::string& path, const std::string& text);
bool copyFile(const std::string& source, const std::string& target);
// The file's size in bytes, asked of the open file without reading it;
// false if it cannot be opened or measured.
bool fileSize(const std::string& path, std::uint64_t& size);
// Reads the whole file without line-end translation; false if it cannot be opened.
bool readWholeFile(const std::string& path, std::string& contents);
// Creates the file or cuts an existing one to zero bytes.
bool truncateFile(const std::string& path);

// Strings.
std::string replaceAll(const std::string& text, const char* find, const char* replacement);
// The pattern with every "{name}" replaced by value: a translated sentence puts its blanks where its language wants them.
std::string fillInBlank(const std::string& pattern, const char* name, const std::string& value);
std::vector<std::string> splitByBar(const std::string& text);
std::string trim(const std::string& text);

}  // namespace keslFileSystemMini
