// The frame report and the hold file, for the end-to-end tests.
#include "app/frame_report.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace zema {

namespace {

std::FILE* report = nullptr;
std::string holdPath;
long framesShown = 0;
long picturesBetween = 0;

void writeLine(const std::string& line) {
    std::fputs((line + "\n").c_str(), report);
    // Line by line: a test reads the file while the game writes it.
    std::fflush(report);
}

// The frame the hold file names, 0 when it names none, -1 when there is no hold file.
long holdFrame() {
    std::FILE* hold = std::fopen(holdPath.c_str(), "r");
    if (hold == nullptr) return -1;
    long frame = 0;
    if (std::fscanf(hold, "%ld", &frame) != 1) frame = 0;
    std::fclose(hold);
    return frame;
}

} // namespace

void openFrameReport() {
    const char* path = std::getenv("ZEMA_FRAME_REPORT");
    if (path == nullptr || *path == '\0') return;
    report = std::fopen(path, "w");
    if (report == nullptr) {
        std::fprintf(stderr, "zema: cannot write the frame report %s: %s\n", path,
                     std::strerror(errno));
        return;
    }
    holdPath = std::string(path) + ".hold";
    framesShown = 0;
    picturesBetween = 0;
}

void closeFrameReport() {
    if (report != nullptr) std::fclose(report);
    report = nullptr;
}

void reportFrameShown() {
    if (report == nullptr) return;
    ++framesShown;
    writeLine("shown " + std::to_string(framesShown) + " " + std::to_string(picturesBetween));
}

void reportPictureBetween() {
    ++picturesBetween;
}

void holdWhileAsked() {
    if (report == nullptr) return;
    const long frame = holdFrame();
    if (frame < 0 || framesShown < frame) return;
    writeLine("held " + std::to_string(framesShown));
    // Until the file goes, or names a frame still to come: a test that holds a key for N frames
    // names the frame to stop at next without the game running on meanwhile.
    for (long frame = holdFrame(); frame >= 0 && frame <= framesShown; frame = holdFrame())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

} // namespace zema
