// Writing a game down as a demo, a zema-sim script: the header, the Enter and Space key-downs
// between frames, one frame line a frame with the controls it read, the view size whenever it
// changes, and at the end esc (when Esc ended the game) and the last frame's expected record.
#pragma once

#include <cstdint>
#include <string>

#include "demo/script_line.h"
#include "input/input_tap.h"
#include "sound/sound.h"

namespace zema {

struct DemoRecorder {
    std::string text; // lines made and not yet taken away by the writer
    long frames = 0;
    uint32_t width = 0, height = 0; // the view size the demo last said
    bool finished = false;
};

// The header: what the demo is, the device, the seed and the view size.
void startRecording(DemoRecorder& recorder, bool joystick, unsigned seed, uint32_t width,
                    uint32_t height);

// An Enter or Space key-down between frames.
void recordKey(DemoRecorder& recorder, ScriptCommandKind key);

// A frame that has just run with this view size and these reads.
void recordFrame(DemoRecorder& recorder, const FrameReadings& readings, uint32_t width,
                 uint32_t height);

// The end: esc when Esc ended the game, then the expected record of the last frame (none when no
// frame ran). Nothing is recorded after it.
void finishRecording(DemoRecorder& recorder, bool endedByEsc, const std::string& lastRecord);

// The record of the last frame, taken before anything between frames changes the game: a key
// that starts a game or fires, or the end.
struct LastFrameRecord {
    long frame = 0;
    bool taken = true;
    std::string text;
};

void frameRan(LastFrameRecord& record, long frameNumber);
// Formats the record from the game's state if the last frame's has not been taken yet; sounds
// are the slots the frame requested.
void takeFrameRecord(LastFrameRecord& record, const SoundSlot* sounds, int soundCount);

} // namespace zema
