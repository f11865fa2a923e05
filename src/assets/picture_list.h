// The game's pictures, one line a slot: the resource each is loaded from, the bitmap's size and
// depth, and the texture it becomes. The game, the picture generator, the build (which reads the
// resource identifiers out of this file) and the tests all read this one list.
#pragma once

// X(slot, resourceId, bitmapWidth, bitmapHeight, bitsPerPixel, textureWidth, textureHeight,
//   textureFormat), in slot order. imgCraftRight is held at 5 bits a channel and 1 of alpha;
// the guardian's bitmap is doubled into its texture.
#define ZEMA_PICTURES(X)                                                                           \
    X(imgCraftRight, 111, 200, 148, 4, 200, 148, A1R5G5B5)                                         \
    X(imgCraftLeft, 112, 200, 148, 4, 200, 148, A8R8G8B8)                                          \
    X(imgMap, 113, 5000, 5000, 4, 5000, 5000, A8R8G8B8)                                            \
    X(imgGate, 114, 30, 30, 8, 30, 30, A8R8G8B8)                                                   \
    X(imgShot, 115, 30, 30, 8, 30, 30, A8R8G8B8)                                                   \
    X(imgEnemy1, 116, 200, 200, 4, 200, 200, A8R8G8B8)                                             \
    X(imgEnemy2, 117, 200, 200, 4, 200, 200, A8R8G8B8)                                             \
    X(imgEnemy3, 118, 200, 200, 4, 200, 200, A8R8G8B8)                                             \
    X(imgGuardian, 119, 400, 400, 4, 800, 800, A8R8G8B8)                                           \
    X(imgItem1, 120, 100, 100, 4, 100, 100, A8R8G8B8)                                              \
    X(imgItem2, 121, 100, 100, 4, 100, 100, A8R8G8B8)                                              \
    X(imgItem3, 124, 100, 100, 4, 100, 100, A8R8G8B8)                                              \
    X(imgTitle, 142, 800, 600, 4, 800, 600, A8R8G8B8)                                              \
    X(imgEnergy, 143, 30, 30, 8, 30, 30, A8R8G8B8)                                                 \
    X(imgGameOver, 144, 350, 300, 4, 350, 300, A8R8G8B8)

namespace zema {

// The window's icon: a 32-bit bitmap embedded beside the pictures.
constexpr int iconResourceId = 123;

} // namespace zema
