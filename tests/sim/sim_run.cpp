// Runs zema-sim through the shell with files for its three streams.
#include "sim_run.h"

#include <sys/wait.h>

#include "test_files.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace zema {

namespace {

// A new empty file whose name ends in the tag; the caller removes it.
std::string tempPath(const char* tag) {
    std::string path = std::string("/tmp/zema-sim-test-XXXXXX") + tag;
    const int fd = mkstemps(path.data(), static_cast<int>(std::strlen(tag)));
    if (fd < 0) throw std::runtime_error("mkstemps");
    close(fd);
    return path;
}

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
    const std::string command = std::string("'") + ZEMA_SIM_PATH + "' " + options + " < '" +
                                scriptPath + "' > '" + out + "' 2> '" + err + "'";
    const int raw = std::system(command.c_str());
    SimRun run;
    if (raw != -1 && WIFEXITED(raw)) run.status = WEXITSTATUS(raw);
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
