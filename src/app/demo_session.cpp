// The demo run inside the game: the recorder and the player fed from the message loop.
#include "app/demo_session.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "app/message_loop.h"
#include "demo/demo_file.h"
#include "demo/demo_player.h"
#include "demo/demo_recorder.h"
#include "demo/record_compare.h"
#include "display/display.h"
#include "display/present_timing.h"
#include "game/craft.h"
#include "game/world.h"
#include "input/input_tap.h"
#include "platform/files.h"
#include "sound/frame_sounds.h"

namespace zema {

namespace {

using Clock = std::chrono::steady_clock;

DemoRun run = DemoRun::None;
std::string demoPath;

// Recording.
DemoFile file;
DemoRecorder recorder;
bool escPressed = false;

// Playing.
Demo demo;
DemoPlayer player;
bool demoEnded = false; // the demo ran out, rather than the player quitting it

LastFrameRecord lastRecord;
long framesRun = 0;

// Timing: the whole loop from the first frame's start to the last one's end, split into the
// frames themselves (their presents counted apart) and the time between them (the event pump).
Clock::time_point firstFrameStart, frameStart, lastFrameEnd;
Clock::duration inFrames{}, betweenFrames{};

std::string lastReport;
bool endedAsExpected = false;

void report(const std::string& message) {
    lastReport = message;
    std::fprintf(stderr, "zema: %s\n", message.c_str());
}

// A day of play is about ten megabytes of demo; anything past this is not one.
constexpr size_t maxDemoBytes = 64u << 20;

// The whole file, or false with the reason: it cannot be opened or read (a folder), or it is
// larger than any demo (such as /dev/zero).
bool readWhole(const std::string& path, std::string& text, std::string& error) {
    int fault = 0;
    if (readWholeFile(path, maxDemoBytes, text, fault)) return true;
    error = fault == EFBIG ? "larger than any demo (64 MB)" : std::strerror(fault);
    return false;
}

void takeRecord() {
    takeFrameRecord(lastRecord, frameSounds, frameSoundCount);
}

double milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void printTiming() {
    const Clock::duration whole = lastFrameEnd - firstFrameStart;
    const double seconds = std::chrono::duration<double>(whole).count();
    std::printf("%ld frames in %.3f s: %.1f frames/s\n", framesRun, seconds,
                seconds > 0 ? static_cast<double>(framesRun) / seconds : 0.0);
    if (framesRun == 0) return;
    const double n = static_cast<double>(framesRun);
    const double present = static_cast<double>(presentTiming.nanoseconds) / 1e6 / n;
    const double frame = milliseconds(inFrames) / n;
    std::printf("per frame: %.3f ms = drawing and rules %.3f ms + presenting %.3f ms + events "
                "%.3f ms\n",
                milliseconds(whole) / n, frame - present, present, milliseconds(betweenFrames) / n);
}

} // namespace

bool openDemoRun(DemoRun demoRun, const std::string& path) {
    run = demoRun;
    demoPath = path;
    // A run starts afresh, whatever an earlier one in this process left.
    lastReport.clear();
    escPressed = false;
    demoEnded = false;
    endedAsExpected = false;
    lastRecord = {};
    framesRun = 0;
    inFrames = betweenFrames = {};
    std::string error;
    if (run == DemoRun::Record) {
        if (!createDemoFile(file, path, error)) {
            report("cannot create the demo " + path + ": " + error);
            return false;
        }
    } else if (run == DemoRun::Play || run == DemoRun::Time) {
        std::string text;
        if (!readWhole(path, text, error)) {
            report("cannot read the demo " + path + ": " + error);
            return false;
        }
        if (!loadDemo(text, demo, error)) {
            report(path + ": " + error);
            return false;
        }
    }
    return true;
}

void startDemoRun() {
    if (run == DemoRun::Record) {
        // The craft's wobble draws from a generator that each game seeds again; a fixed seed
        // written in the demo lets a replay draw the same.
        const unsigned seed = static_cast<unsigned>(std::time(nullptr));
        useFixedSeed(seed);
        startRecording(recorder, gameState.hasJoystick == 1, seed, displayMode.Width,
                       displayMode.Height);
        addDemoLines(file, recorder.text);
    } else if (run == DemoRun::Play || run == DemoRun::Time) {
        gameState.hasJoystick = demo.joystick ? 1 : 0;
        if (demo.seeded) useFixedSeed(demo.seed);
        readingsFed = true;
        startPlaying(player, demo);
        if (run == DemoRun::Time) {
            presentTiming = {};
            presentTiming.on = true;
        }
    }
}

bool liveGameKey(GameKey key) {
    switch (run) {
    case DemoRun::None:
        return true;
    case DemoRun::Record:
        if (key == GameKey::Esc) {
            escPressed = true;
        } else if (!escPressed) {
            takeRecord();
            recordKey(recorder,
                      key == GameKey::Enter ? ScriptCommandKind::Enter : ScriptCommandKind::Space);
        }
        return true;
    case DemoRun::Play:
    case DemoRun::Time:
        return key == GameKey::Esc;
    }
    return true;
}

bool demoBeforeFrame() {
    if (run == DemoRun::None) return true;
    const Clock::time_point now = Clock::now();
    if (framesRun > 0) betweenFrames += now - lastFrameEnd;
    if (run == DemoRun::Play || run == DemoRun::Time) {
        // The record is taken before each key, as a live key-down between frames would find it.
        if (!playToNextFrame(player, takeRecord)) {
            demoEnded = true;
            postQuit();
            return false;
        }
    }
    // Only now: until the next frame runs, the last one's reads and sounds make its record.
    clearFrameReadings();
    clearFrameSounds();
    frameStart = Clock::now();
    if (framesRun == 0) firstFrameStart = frameStart;
    return true;
}

void demoAfterFrame() {
    if (run == DemoRun::None) return;
    lastFrameEnd = Clock::now();
    inFrames += lastFrameEnd - frameStart;
    ++framesRun;
    frameRan(lastRecord, framesRun);
    if (run == DemoRun::Record) {
        recordFrame(recorder, frameReadings, displayMode.Width, displayMode.Height);
        addDemoLines(file, recorder.text);
    }
}

bool demoTimed() {
    return run == DemoRun::Time;
}

bool demoFramesPaced() {
    return run != DemoRun::Time;
}

int finishDemoRun(int exitCode) {
    takeRecord();
    switch (run) {
    case DemoRun::None:
        break;
    case DemoRun::Record:
        finishRecording(recorder, escPressed, lastRecord.text);
        addDemoLines(file, recorder.text);
        if (!closeDemoFile(file)) report("the demo " + demoPath + " could not be written whole");
        break;
    case DemoRun::Play:
    case DemoRun::Time: {
        readingsFed = false;
        if (run == DemoRun::Time) {
            presentTiming.on = false;
            printTiming();
        }
        if (!demoEnded || !demo.expects) break;
        std::string difference;
        if (!sameFrameRecord(demo.expectedRecord, lastRecord.text, difference)) {
            report(difference);
            return demoDiffers;
        }
        endedAsExpected = true;
        break;
    }
    }
    return exitCode;
}

const std::string& lastDemoReport() {
    return lastReport;
}

bool demoEndedAsExpected() {
    return endedAsExpected;
}

} // namespace zema
