// Smooth motion (--smooth): the game keeps its frame and 100 ms sleep; during the sleep the
// window shows pictures between the last two frames at the display's rate (smooth_schedule.h).
// The SDL display keeps the last two frames' clears and draws and shows nothing at the frames'
// own presents (a frame counts as finished at its EndScene followed by Present). The sleep's hook
// (LoopHooks::sleep) shows rate / 10 pictures, six at 60 Hz, each at its time by SDL_Delay: no
// vsync, which SDL gives only through OpenGL or a renderer. A picture that is late is left out,
// but never the last, which is the frame's own picture, pixel for pixel. The pictures
// (render/between_frames.h) go through the same kept-frame repaint as the frames, so a picture
// where only the wobble moved is drawn and shown only there. Off, the hook is null and the loop
// sleeps as the original did. With ZEMA_FRAME_REPORT a frame is reported once drawn.
#pragma once

namespace zema {

// Makes the display keep the frames' pictures and the message loop show pictures between them
// in its sleep, count of them in each: the k-th at (k - 1) / count of the sleep, carried k / count
// of the way, the last the frame's own.
void startSmoothMotion(int count);

} // namespace zema
