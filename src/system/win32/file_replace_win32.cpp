// MoveFileExA with MOVEFILE_REPLACE_EXISTING swaps the name in one step;
// MOVEFILE_WRITE_THROUGH returns only once the move is on the disk, and the
// data was flushed before, so a power cut leaves the old or the new file.
#include "system/file_replace.h"

#include <windows.h>

#include <algorithm>

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() {
        if (valid()) CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }
    bool close() {
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != 0;
    }

private:
    HANDLE m_handle;
};

std::string systemErrorText(DWORD error) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length ? std::string(buffer, length) : "Windows error " + std::to_string(error);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

bool writeAll(HANDLE file, const std::string& contents) {
    size_t written = 0;
    while (written < contents.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(contents.size() - written, 1u << 30));
        DWORD done = 0;
        if (!WriteFile(file, contents.data() + written, chunk, &done, nullptr) || done == 0) return false;
        written += done;
    }
    return true;
}

bool writeTemporary(const std::string& temporary, const std::string& contents) {
    FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!file.valid()) return false;
    if (!writeAll(file.get(), contents)) return false;
    if (!FlushFileBuffers(file.get())) return false;
    return file.close();
}

}  // namespace

std::string temporaryPathFor(const std::string& path) {
    return path + ".tmp" + std::to_string(GetCurrentProcessId());
}

bool replaceFileContents(const std::string& path, const std::string& contents, std::string& errorText) {
    const std::string temporary = temporaryPathFor(path);
    if (writeTemporary(temporary, contents) &&
        MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    errorText = systemErrorText(GetLastError());
    DeleteFileA(temporary.c_str());
    return false;
}
