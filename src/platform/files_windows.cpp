// The Windows C runtime's calls for the file helpers: _O_BINARY everywhere, _O_EXCL for a new file
// (msvcrt ignores fopen's "x" and would replace the file), no mode bits for folders. The narrow
// calls read a path in the system's code page, so a UTF-8 path goes through the wide ones: a
// player named José has "C:\Users\José\AppData\Roaming\zema".
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <string>

#include "platform/files.h"

namespace zema {

namespace {

// The path in UTF-16, or false when it is not UTF-8 (nor ASCII): the narrow call then takes it.
bool widened(const std::string& path, std::wstring& wide) {
    const int size =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.c_str(), -1, nullptr, 0);
    if (size <= 0) return false;
    wide.assign(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.c_str(), -1, wide.data(), size);
    wide.pop_back(); // the terminating zero
    return true;
}

int openPath(const std::string& path, int flags) {
    std::wstring wide;
    if (widened(path, wide)) return ::_wopen(wide.c_str(), flags, _S_IREAD | _S_IWRITE);
    return ::_open(path.c_str(), flags, _S_IREAD | _S_IWRITE);
}

} // namespace

// A UTF-16 name in UTF-8.
std::string narrowed(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return "";
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.pop_back(); // the terminating zero
    return text;
}

std::FILE* openFile(const std::string& path, const char* mode) {
    std::wstring wide, wideMode;
    if (widened(path, wide) && widened(mode, wideMode))
        return ::_wfopen(wide.c_str(), wideMode.c_str());
    return std::fopen(path.c_str(), mode);
}

int openForWriting(const std::string& path) {
    return openPath(path, _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT);
}

std::FILE* createNewFile(const std::string& path) {
    const int fd = openPath(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT);
    if (fd < 0) return nullptr;
    std::FILE* file = ::_fdopen(fd, "wb");
    if (file == nullptr) ::_close(fd);
    return file;
}

bool makeFolder(const std::string& path) {
    std::wstring wide;
    const bool utf8 = widened(path, wide);
    if ((utf8 ? ::_wmkdir(wide.c_str()) : ::_mkdir(path.c_str())) == 0 || errno == EEXIST)
        return true;
    // A drive ("C:") is refused with another reason than EEXIST, though it is there.
    const int error = errno;
    const DWORD attributes =
        utf8 ? GetFileAttributesW(wide.c_str()) : GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return true;
    errno = error;
    return false;
}

bool listFolder(const std::string& path, std::vector<std::string>& names) {
    names.clear();
    std::wstring pattern;
    if (!widened(path, pattern)) { // the system's code page, as the narrow calls take it
        const int size = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
        pattern.assign(static_cast<size_t>(size > 0 ? size : 1), L'\0');
        if (size > 0) MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, pattern.data(), size);
        pattern.pop_back();
    }
    pattern += L"\\*";
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD why = GetLastError();
        // An empty folder has no first file; a missing one is not there.
        if (why == ERROR_FILE_NOT_FOUND) return true;
        errno = why == ERROR_PATH_NOT_FOUND ? ENOENT : EACCES;
        return false;
    }
    do {
        const std::string name = narrowed(found.cFileName);
        if (!name.empty() && name != "." && name != "..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}

bool replaceFile(const std::string& from, const std::string& to) {
    std::wstring wideFrom, wideTo;
    const bool done = widened(from, wideFrom) && widened(to, wideTo)
                          ? MoveFileExW(wideFrom.c_str(), wideTo.c_str(), MOVEFILE_REPLACE_EXISTING)
                          : MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING);
    if (!done) errno = EACCES;
    return done;
}

namespace {

// One argument as the C runtime splits a command line again: quoted, with the backslashes before
// a quote doubled.
std::wstring quoted(const std::wstring& arg) {
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

} // namespace

bool runInstead(const std::string& program, const std::vector<std::string>& args,
                const std::string& folder) {
    std::wstring wideProgram, wideFolder, line, wideArg;
    if (!widened(program, wideProgram) || !widened(folder, wideFolder)) {
        errno = EINVAL;
        return false;
    }
    line = quoted(wideProgram);
    for (const std::string& arg : args) {
        if (!widened(arg, wideArg)) wideArg.assign(arg.begin(), arg.end());
        line += L" " + quoted(wideArg);
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(wideProgram.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        wideFolder.c_str(), &startup, &started)) {
        errno = ENOENT;
        return false;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
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
