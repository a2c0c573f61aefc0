// Feeds arbitrary text to the path and string helpers the settings store and
// translation loader run on user-controlled names and values.
#include "util/file_system.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace fs = keslFileSystemMini;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const size_t half = size / 2;
    const std::string folder = text.substr(0, half);
    const std::string component = text.substr(half);

    const std::string joined = fs::joinPath(folder, component);
    if (!fs::endsWithSeparator(fs::getFolderOfPath(joined))) __builtin_trap();
    if (fs::getFileNameOfPath(joined).size() > joined.size()) __builtin_trap();
    fs::splitByBar(text);
    fs::trim(text);
    fs::replaceAll(text, "\\", "\\\\");
    return 0;
}
