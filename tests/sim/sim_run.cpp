// Runs zema-sim with files for its three streams: through the shell on POSIX systems, with
// CreateProcess on Windows (whose cmd.exe quotes otherwise).
#include "sim_run.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "test_files.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace zema {

namespace {

#ifdef _WIN32
// A new empty file whose name ends in the tag; the caller removes it.
std::string tempPath(const char* tag) {
    static std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = (std::filesystem::temp_directory_path() /
                                  ("zema-sim-test-" + std::to_string(random()) + tag))
                                     .string();
        const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        CloseHandle(file);
        return path;
    }
    throw std::runtime_error("no temporary file");
}

HANDLE inheritedFile(const std::string& path, DWORD access, DWORD creation) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, creation,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// zema-sim's exit status, or -1 when it could not be run.
int runSimProcess(const std::string& options, const std::string& in, const std::string& out,
                  const std::string& err) {
    std::string command = std::string("\"") + ZEMA_SIM_PATH + "\" " + options;
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = inheritedFile(in, GENERIC_READ, OPEN_EXISTING);
    start.hStdOutput = inheritedFile(out, GENERIC_WRITE, CREATE_ALWAYS);
    start.hStdError = inheritedFile(err, GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION process = {};
    DWORD status = static_cast<DWORD>(-1);
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                       &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    for (HANDLE file : {start.hStdInput, start.hStdOutput, start.hStdError})
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return static_cast<int>(status);
}
#else
// A new empty file whose name ends in the tag; the caller removes it.
std::string tempPath(const char* tag) {
    std::string path = std::string("/tmp/zema-sim-test-XXXXXX") + tag;
    const int fd = mkstemps(path.data(), static_cast<int>(std::strlen(tag)));
    if (fd < 0) throw std::runtime_error("mkstemps");
    close(fd);
    return path;
}

// zema-sim's exit status, or -1 when it did not exit normally.
int runSimProcess(const std::string& options, const std::string& in, const std::string& out,
                  const std::string& err) {
    const std::string command = std::string(ZEMA_SIM_EMULATOR) + " '" + ZEMA_SIM_PATH + "' " +
                                options + " < '" + in + "' > '" + out + "' 2> '" + err + "'";
    const int raw = std::system(command.c_str());
    return raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}
#endif

// Walks a JSON line, calling visit(keyStart, keyEnd, valueStart) for every top-level key.
template <typename Visit> void topLevelKeys(const std::string& line, Visit visit) {
    int depth = 0;
    bool inString = false;
    size_t stringStart = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (inString) {
            if (c == '"') {
                inString = false;
                if (depth == 1 && i + 1 < line.size() && line[i + 1] == ':')
                    visit(stringStart, i, i + 2);
            }
            continue;
        }
        if (c == '"') {
            inString = true;
            stringStart = i + 1;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
}

} // namespace

SimRun runSimOnFile(const std::string& options, const std::string& scriptPath) {
    const std::string out = tempPath(".out"), err = tempPath(".err");
    SimRun run;
    run.status = runSimProcess(options, scriptPath, out, err);
    std::istringstream lines(fileText(out));
    for (std::string line; std::getline(lines, line);)
        run.lines.push_back(line);
    run.errors = fileText(err);
    std::remove(out.c_str());
    std::remove(err.c_str());
    return run;
}

SimRun runSim(const std::string& options, const std::string& script) {
    const std::string in = tempPath(".script");
    std::ofstream(in, std::ios::binary) << script;
    SimRun run = runSimOnFile(options, in);
    std::remove(in.c_str());
    return run;
}

std::string jsonRaw(const std::string& line, const std::string& key) {
    std::string found;
    topLevelKeys(line, [&](size_t keyStart, size_t keyEnd, size_t valueStart) {
        if (!found.empty() || line.compare(keyStart, keyEnd - keyStart, key) != 0) return;
        int depth = 0;
        size_t i = valueStart;
        bool inString = false;
        for (; i < line.size(); ++i) {
            const char c = line[i];
            if (inString) {
                inString = c != '"';
                if (!inString && depth == 0) {
                    ++i;
                    break;
                }
                continue;
            }
            if (c == '"')
                inString = true;
            else if (c == '[' || c == '{')
                ++depth;
            else if (c == ']' || c == '}') {
                if (depth == 0) break;
                if (--depth == 0) {
                    ++i;
                    break;
                }
            } else if (c == ',' && depth == 0)
                break;
        }
        found = line.substr(valueStart, i - valueStart);
    });
    return found;
}

long jsonInt(const std::string& line, const std::string& key) {
    const std::string raw = jsonRaw(line, key);
    if (raw.empty()) throw std::runtime_error("no key " + key);
    return std::stol(raw);
}

std::vector<std::string> jsonKeys(const std::string& line) {
    std::vector<std::string> keys;
    topLevelKeys(line, [&](size_t keyStart, size_t keyEnd, size_t) {
        keys.push_back(line.substr(keyStart, keyEnd - keyStart));
    });
    return keys;
}

} // namespace zema
