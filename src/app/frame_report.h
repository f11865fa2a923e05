// The frames as the end-to-end tests see them, so that they wait for frames rather than for
// time. With ZEMA_FRAME_REPORT naming a file in the environment, the game writes "shown N B" there
// once frame N is on screen, B the pictures shown between frames so far (--smooth's). A file of that name with ".hold" added makes the game step only when
// told: once it has shown the frame the file names (at once when it names none), it stops at the
// start of the next pass of its loop, before handling any event, and writes "held N" (N the last
// frame shown, 0 before the first). The window then shows frame N until the file is removed or
// names a later frame (then the game goes on to hold there), and keys sent meanwhile are handled
// before frame N + 1 runs. Each line is flushed as it is written.
// Without ZEMA_FRAME_REPORT nothing is written, read or held.
#pragma once

namespace zema {

// Reads the environment and creates the report; one line on standard error when it cannot.
void openFrameReport();
void closeFrameReport();

// After each frame.
void reportFrameShown();
// After each picture shown between two frames.
void reportPictureBetween();
// At the start of each pass of the message loop.
void holdWhileAsked();

} // namespace zema
