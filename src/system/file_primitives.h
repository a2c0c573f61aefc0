// The few questions about files and folders only the operating system can
// answer; the path and file helpers build everything else on top of these.
#pragma once

#include <string>

namespace keslSystemFiles {

// False for empty or null paths, and for a folder where a file is asked (and back).
bool fileExists(const char* path);
bool folderExists(const char* path);
// Creates one directory level; true when the folder exists afterwards.
bool createFolder(const std::string& path);

}  // namespace keslSystemFiles
