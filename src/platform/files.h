// The few file, folder, clock and program calls that differ between POSIX systems and Windows,
// under one set of names: every file is opened in binary mode, so that its bytes are the same
// everywhere. Paths are UTF-8, as SDL and the player's folders give them; on Windows a path that is
// not UTF-8 (the command line's, in the system's code page) is taken as the C runtime takes it.
#pragma once

#include <cstddef>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace zema {

// fopen with a UTF-8 path.
std::FILE* openFile(const std::string& path, const char* mode);

// The whole file into text, emptied first; false with errno's number in error when it cannot be
// opened or read (a folder), or EFBIG when it is longer than maxBytes (such as /dev/zero).
bool readWholeFile(const std::string& path, size_t maxBytes, std::string& text, int& error);

// Opens path for writing, created or emptied, not inherited by programs the game starts: a file
// descriptor for write and close, or -1 with errno set.
int openForWriting(const std::string& path);

// Creates path as a new file for writing; nullptr with errno EEXIST when it exists, so that an
// existing file is never replaced.
std::FILE* createNewFile(const std::string& path);

// Creates one folder; true when it was made or exists already (errno says why not).
bool makeFolder(const std::string& path);

// The names of the files and folders in a folder (not "." nor ".."), in no particular order;
// false with errno set when it cannot be read.
bool listFolder(const std::string& path, std::vector<std::string>& names);

// Puts the file from in to's place, replacing any file there, in one step: to is never found
// half written. False with errno set.
bool replaceFile(const std::string& from, const std::string& to);

// Runs the program with the arguments (after its name) from the folder, in place of this one: on
// POSIX systems this process becomes it; on Windows it is started, and this one must end. False
// with errno set when it cannot be.
bool runInstead(const std::string& program, const std::vector<std::string>& args,
                const std::string& folder);

// Whether c separates folders in a path ('/', and '\' on Windows too).
bool isFolderSeparator(char c);

// The local calendar time of t.
std::tm localTime(std::time_t t);

#ifdef _WIN32
// A UTF-16 text, as Windows' wide calls give it, in UTF-8; empty when it cannot be.
std::string narrowed(const wchar_t* wide);
#endif

// The standard streams carry bytes as they are: on Windows "\n" is not written as "\r\n".
void useBinaryStandardStreams();

} // namespace zema
