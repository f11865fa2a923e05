// The Windows C runtime's calls for the file helpers: _O_BINARY everywhere, _O_EXCL for a new file
// (msvcrt ignores fopen's "x" and would replace the file), no mode bits for folders.
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>

#include "platform/files.h"

namespace zema {

int openForWriting(const std::string& path) {
    return ::_open(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT,
                   _S_IREAD | _S_IWRITE);
}

std::FILE* createNewFile(const std::string& path) {
    const int fd = ::_open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                           _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE* file = ::_fdopen(fd, "wb");
    if (file == nullptr) ::_close(fd);
    return file;
}

bool makeFolder(const std::string& path) {
    if (::_mkdir(path.c_str()) == 0 || errno == EEXIST) return true;
    // A drive ("C:") is refused with another reason than EEXIST, though it is there.
    const int error = errno;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return true;
    errno = error;
    return false;
}

bool isFolderSeparator(char c) {
    return c == '/' || c == '\\';
}

std::tm localTime(std::time_t t) {
    std::tm when = {};
    localtime_s(&when, &t);
    return when;
}

void useBinaryStandardStreams() {
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
}

} // namespace zema
