// POSIX's calls for the file helpers.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool replaceFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool runInstead(const std::string& program, const std::vector<std::string>& args,
                const std::string& folder) {
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    if (::chdir(folder.c_str()) != 0) return false;
    ::execv(program.c_str(), argv.data());
    return false;
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
