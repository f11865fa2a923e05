// The display seam: the fifteen image slots, the display mode in use, the device's frame
// operations and drawImage. The SDL display and the headless display each implement it.
#pragma once

#include <cstdint>

#include "assets/draw_vocabulary.h"

namespace zema {

struct DisplayMode {
    uint32_t Width, Height, RefreshRate, Format;
};

// The one Format the game's modes have: 32 bits a pixel, the top 8 unused.
constexpr uint32_t formatX8R8G8B8 = 22;

// The mode in use; its Width and Height size the view.
extern DisplayMode displayMode;

void displayBeginScene();
void displayClear(uint32_t colour); // the whole back buffer
void displayEndScene();
void displayPresent();

// Draws the source rectangle of a slot's picture scaled about its top-left corner (a negative
// scale mirrors it), with that corner moved to the translation. Only rotation 0 is supported.
void drawImage(ImageSlot slot, SourceRect source, Vector2 scaling, Vector2 rotationCentre,
               float rotation, Vector2 translation, uint32_t colour);

// "imgMap" for imgMap, and so on.
const char* imageSlotName(ImageSlot slot);

} // namespace zema
