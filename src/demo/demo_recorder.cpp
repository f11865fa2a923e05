// The demo recorder: script lines out of what the game did.
#include "demo/demo_recorder.h"

#include <vector>

#include "demo/demo_readings.h"
#include "demo/frame_record.h"

namespace zema {

namespace {

void appendMode(DemoRecorder& recorder, uint32_t width, uint32_t height) {
    recorder.text += "mode " + std::to_string(width) + "x" + std::to_string(height) + "\n";
    recorder.width = width;
    recorder.height = height;
}

} // namespace

void startRecording(DemoRecorder& recorder, bool joystick, unsigned seed, uint32_t width,
                    uint32_t height) {
    recorder = {};
    recorder.text = "# ZEMA demo: replay with zema --playdemo FILE or zema-sim < FILE\n";
    recorder.text += joystick ? "device joystick\n" : "device keyboard\n";
    recorder.text += "seed " + std::to_string(seed) + "\n";
    appendMode(recorder, width, height);
}

void recordKey(DemoRecorder& recorder, ScriptCommandKind key) {
    if (recorder.finished) return;
    if (key == ScriptCommandKind::Enter) recorder.text += "enter\n";
    if (key == ScriptCommandKind::Space) recorder.text += "space\n";
}

void recordFrame(DemoRecorder& recorder, const FrameReadings& readings, uint32_t width,
                 uint32_t height) {
    if (recorder.finished) return;
    if (width != recorder.width || height != recorder.height) appendMode(recorder, width, height);
    const std::string held = heldWord(readings);
    recorder.text += held.empty() ? "frame\n" : "frame " + held + "\n";
    ++recorder.frames;
}

void finishRecording(DemoRecorder& recorder, bool endedByEsc, const std::string& lastRecord) {
    if (recorder.finished) return;
    if (endedByEsc) recorder.text += "esc\n";
    if (recorder.frames > 0 && !lastRecord.empty()) recorder.text += "expect " + lastRecord + "\n";
    recorder.finished = true;
}

void frameRan(LastFrameRecord& record, long frameNumber) {
    record.frame = frameNumber;
    record.taken = false;
}

void takeFrameRecord(LastFrameRecord& record, const SoundSlot* sounds, int soundCount) {
    if (record.taken || record.frame == 0) return;
    static std::vector<char> line(maxFrameLineLength);
    size_t n = formatFrameLine(line.data(), record.frame, sounds, soundCount, nullptr, 0);
    while (n > 0 && line[n - 1] == '\n')
        --n;
    record.text.assign(line.data(), n);
    record.taken = true;
}

} // namespace zema
