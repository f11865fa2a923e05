// The page's frame record: zema-sim's compact line for the last frame, for tests and tools.
#pragma once

namespace zema {

// Starts keeping the play requests of each frame.
void startFrameRecord();
// Forgets the requests so far; called before each pass of the loop.
void clearFrameRequests();
// Formats the frame just run as its record line.
void recordFrame(long frameNumber);
// The last frame's line without its newline; empty before the first frame.
const char* lastFrameRecord();

} // namespace zema
