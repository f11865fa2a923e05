// Plays and records a game the way the game's demo run does, in-process.
#include "recorded_game.h"

#include "demo/frame_record.h"
#include "display/display_headless.h"
#include "frame/frame.h"
#include "game/craft.h"
#include "game/world.h"
#include "input/input_tap.h"
#include "sound/sound_headless.h"

namespace zema {

namespace {
SoundSlot slots[maxRecordedSounds];
} // namespace

int recordedSoundSlots(SoundSlot* out) {
    for (int i = 0; i < recordedSoundCount; ++i)
        out[i] = recordedSounds[i].slot;
    return recordedSoundCount;
}

void RecordedGame::start(unsigned seed, uint32_t width, uint32_t height) {
    const int32_t joystick = gameState.hasJoystick;
    restoreStartContents();
    gameState.hasJoystick = joystick;
    startHeadlessDisplay(width, height);
    useFixedSeed(seed);
    resetGame();
    clearRecordedSounds();
    startRecording(recorder, joystick == 1, seed, width, height);
    text.clear();
    lines.clear();
    last = {};
    frameCount = 0;
}

void RecordedGame::key(ScriptCommandKind key) {
    takeFrameRecord(last, slots, recordedSoundSlots(slots));
    recordKey(recorder, key);
    if (key == ScriptCommandKind::Enter) startGame();
    if (key == ScriptCommandKind::Space) fireShot();
}

void RecordedGame::frames(int count) {
    static char line[maxFrameLineLength];
    for (int i = 0; i < count; ++i) {
        clearFrameReadings();
        clearRecordedOps();
        clearRecordedSounds();
        runFrame();
        ++frameCount;
        frameRan(last, frameCount);
        recordFrame(recorder, frameReadings, displayMode.Width, displayMode.Height);
        const int n = recordedSoundSlots(slots);
        const size_t length = formatFrameLine(line, frameCount, slots, n, nullptr, 0);
        lines.emplace_back(line, length - 1);
    }
}

std::string RecordedGame::finish(bool endedByEsc) {
    takeFrameRecord(last, slots, recordedSoundSlots(slots));
    finishRecording(recorder, endedByEsc, last.text);
    return recorder.text;
}

} // namespace zema
