// Recording implementation of the display seam.
#include "display/display_headless.h"

namespace zema {

DisplayOp recordedOps[maxRecordedOps];
int recordedOpCount = 0;
int droppedOpCount = 0;

namespace {
void record(const DisplayOp& op) {
    if (recordedOpCount < maxRecordedOps)
        recordedOps[recordedOpCount++] = op;
    else
        ++droppedOpCount;
}

void recordDevice(DisplayOpKind kind, uint32_t colour = 0) {
    record({kind, imgMap, {}, {}, {}, 0.0f, {}, colour});
}
} // namespace

void startHeadlessDisplay(uint32_t width, uint32_t height) {
    displayMode = {width, height, 0, formatX8R8G8B8};
    clearRecordedOps();
}

void clearRecordedOps() {
    recordedOpCount = 0;
    droppedOpCount = 0;
}

void displayBeginScene() {
    recordDevice(DisplayOpKind::BeginScene);
}
void displayClear(uint32_t colour) {
    recordDevice(DisplayOpKind::Clear, colour);
}
void displayEndScene() {
    recordDevice(DisplayOpKind::EndScene);
}
void displayPresent() {
    recordDevice(DisplayOpKind::Present);
}

void drawImage(ImageSlot slot, SourceRect source, Vector2 scaling, Vector2 rotationCentre,
               float rotation, Vector2 translation, uint32_t colour) {
    record({DisplayOpKind::Draw, slot, source, scaling, rotationCentre, rotation, translation,
            colour});
}

} // namespace zema
