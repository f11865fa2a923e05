// Reading a whole file with a cap, the same on every platform over openFile.
#include <cerrno>
#include <cstdio>

#include "platform/files.h"

namespace zema {

bool readWholeFile(const std::string& path, size_t maxBytes, std::string& text, int& error) {
    text.clear();
    std::FILE* file = openFile(path, "rb");
    if (file == nullptr) {
        error = errno;
        return false;
    }
    char block[1 << 14];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0 && text.size() <= maxBytes)
        text.append(block, got);
    error = std::ferror(file) ? errno : text.size() > maxBytes ? EFBIG : 0;
    std::fclose(file);
    return error == 0;
}

} // namespace zema
