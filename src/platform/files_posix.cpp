// POSIX's calls for the file helpers.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/files.h"

namespace zema {

std::FILE* openFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

int openForWriting(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

std::FILE* createNewFile(const std::string& path) {
    // "x": glibc refuses an existing file.
    return std::fopen(path.c_str(), "wbx");
}

bool makeFolder(const std::string& path) {
    return ::mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

bool listFolder(const std::string& path, std::vector<std::string>& names) {
    names.clear();
    DIR* folder = ::opendir(path.c_str());
    if (folder == nullptr) return false;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(folder);
    return true;
}

bool isFolderSeparator(char c) {
    return c == '/';
}

std::tm localTime(std::time_t t) {
    std::tm when = {};
    localtime_r(&t, &when);
    return when;
}

void useBinaryStandardStreams() {}

} // namespace zema
