// The demo's file while a game is recorded: whole lines gathered in memory and written out at
// least once a second, so that a game that dies leaves a demo that replays up to its last line.
#pragma once

#include <chrono>
#include <string>

namespace zema {

struct DemoFile {
    int fd = -1;
    std::string pending;
    std::chrono::steady_clock::time_point lastWrite;
    bool failed = false; // a write failed; the demo is incomplete
};

// Creates (or empties) the file. False with the system's reason in error.
bool createDemoFile(DemoFile& file, const std::string& path, std::string& error);

// Takes whole lines (the text up to its last newline stays in lines until it is whole) and
// writes out what is gathered when a second has passed since the last write, or much is waiting.
void addDemoLines(DemoFile& file, std::string& lines);

// Writes out everything gathered; false when a write failed now or before.
bool flushDemoFile(DemoFile& file);
// Flushes and closes; false when any write failed.
bool closeDemoFile(DemoFile& file);

} // namespace zema
