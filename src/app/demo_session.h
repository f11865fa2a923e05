// The game's demo run, from the command line's --record, --playdemo or --timedemo: the file is
// opened before anything starts, and the message loop calls the hooks below around its frames
// and keys. Without a demo every hook leaves the game exactly as it is.
#pragma once

#include <string>

#include "app/command_line.h"

namespace zema {

// Creates the demo file, or reads and checks the demo. False when that fails, after one line on
// standard error; the game then exits with demoFault without starting anything.
bool openDemoRun(DemoRun run, const std::string& path);

// After start-up, before the first frame: the recorder writes its header; a played demo puts
// its device and seed in place.
void startDemoRun();
// True for --timedemo, which runs silent.
bool demoTimed();

enum class GameKey { Enter, Space, Esc };

// A live key-down between frames: true when its command is to run. While a demo plays, Enter
// and Space are ignored; while recording, they are written down.
bool liveGameKey(GameKey key);

// Before a frame: a played demo's key-downs up to its next frame, whose readings are then fed
// in place of the device. False, with the quit posted, when the demo has ended: no frame.
bool demoBeforeFrame();
void demoAfterFrame();
// False while a demo is timed: the frames follow one another without the sleep.
bool demoFramesPaced();

// After the message loop: the recorder writes esc and the expected record; a played demo's
// last frame is compared with its expected one; a timed one prints its figures. Returns the
// exit status to end with, which is exitCode unless the played demo's record differs.
int finishDemoRun(int exitCode);

// The last line the demo run wrote on standard error, or empty; the browser page shows it.
const std::string& lastDemoReport();
// After finishDemoRun: a played demo ran to its end and its last frame is its expected one.
bool demoEndedAsExpected();

} // namespace zema
