// Keeps the record of the last frame in zema-sim's own format. The formatter reads the headless
// recorders' tables; here the sound table is filled from the SDL sound's play requests and the
// display table stays empty, since the record is the compact one, without draws.
#include "web_record.h"

#include <cstring>

#include "demo/frame_record.h"
#include "display/display_headless.h"
#include "sound/sound_device.h"
#include "sound/sound_headless.h"

namespace zema {

DisplayOp recordedOps[maxRecordedOps];
int recordedOpCount = 0;
int droppedOpCount = 0;
SoundRequest recordedSounds[maxRecordedSounds];
int recordedSoundCount = 0;
int droppedSoundCount = 0;

namespace {
char line[maxFrameLineLength];

void keepRequest(SoundSlot slot, bool looping) {
    if (recordedSoundCount < maxRecordedSounds)
        recordedSounds[recordedSoundCount++] = {slot, looping};
    else
        ++droppedSoundCount;
}
} // namespace

void startFrameRecord() {
    soundPlayObserver = keepRequest;
}

void clearFrameRequests() {
    recordedSoundCount = 0;
    droppedSoundCount = 0;
}

void recordFrame(long frameNumber) {
    size_t n = formatFrameLine(line, frameNumber, false);
    if (n > 0 && line[n - 1] == '\n') --n;
    line[n] = '\0';
}

const char* lastFrameRecord() {
    return line;
}

} // namespace zema
