// Keeps the record of the last frame in zema-sim's own format: the compact line, without draws,
// with the sounds the SDL sound noted during the frame.
#include "web_record.h"

#include "demo/frame_record.h"
#include "sound/frame_sounds.h"

namespace zema {

namespace {
char line[maxFrameLineLength];
} // namespace

void startFrameRecord() {
    clearFrameSounds();
}

void clearFrameRequests() {
    clearFrameSounds();
}

void recordFrame(long frameNumber) {
    size_t n = formatFrameLine(line, frameNumber, frameSounds, frameSoundCount, nullptr, 0);
    if (n > 0 && line[n - 1] == '\n') --n;
    line[n] = '\0';
}

const char* lastFrameRecord() {
    return line;
}

} // namespace zema
