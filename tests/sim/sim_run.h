// Runs the zema-sim executable on a script and gathers what it wrote, for the simulator's
// contract tests.
#pragma once

#include <string>
#include <vector>

namespace zema {

struct SimRun {
    int status = -1; // exit status, or -1 when it did not exit normally
    std::vector<std::string> lines;
    std::string errors;
};

SimRun runSim(const std::string& options, const std::string& script);
SimRun runSimOnFile(const std::string& options, const std::string& scriptPath);

// The integer after "key": at the object's top level of a JSON line.
long jsonInt(const std::string& line, const std::string& key);
// The raw text of a top-level value (an array, a string, a number).
std::string jsonRaw(const std::string& line, const std::string& key);
// The top-level keys, in order.
std::vector<std::string> jsonKeys(const std::string& line);

} // namespace zema
