// How ZEMA's programs end: the exit statuses of zema, zema-sim, zema-setup and the page's
// program, named once. The manual and each program's usage tell players what they mean.
#pragma once

namespace zema {

// Quitting, and in the game a failed display or input set-up too (as the original ended), is 0.
// zema-setup: its window or the game could not be had; zema-sim: the reader of its output went
// away; the page: its pictures could not be made.
constexpr int exitFailed = 1;
// A command line, settings file, zema-sim option or script line refused; nothing is started.
constexpr int exitUsage = 2;
// A demo file that cannot be created, or a demo that cannot be read or is not valid.
constexpr int demoFault = 2;
// --data (or --check-data) names a folder that is not a whole copy of the original.
constexpr int copyRefused = 2;
// A played demo's (or a zema-sim script's) last frame is not the one it expects.
constexpr int demoDiffers = 3;
// The game's sound could not be set up; a shell sees 255.
constexpr int soundFailed = -1;

} // namespace zema
