// The software compositor: a W x H ARGB back buffer, the device's clear, and drawImage's
// sampling and blending, with no platform underneath.
#pragma once

#include <cstddef>
#include <cstdint>

#include "display/display.h"

struct BackBuffer {
    uint32_t* pixels; // ARGB, row after row
    int32_t width, height;
    int32_t pitch; // pixels from one row to the next
};

enum class TextureFormat { A8R8G8B8, A1R5G5B5 };

// A loaded picture. Its storage is the compositor's business (compact where exactness allows).
struct Texture;

// Loads an uncompressed 4- or 8-bit BMP into a texture of the requested size: pure opaque blue
// becomes transparent black, A1R5G5B5 keeps 5 bits a channel and 1 of alpha, and a bitmap
// smaller than the requested size is enlarged with a tent filter. Returns null for a malformed
// bitmap.
Texture* loadTextureFromBitmap(const uint8_t* bitmap, size_t size, int32_t width, int32_t height,
                               TextureFormat format);
void releaseTexture(Texture* texture);
int32_t textureWidth(const Texture& texture);
int32_t textureHeight(const Texture& texture);

void compositeClear(BackBuffer& target, uint32_t colour);
void compositeDraw(BackBuffer& target, const Texture& texture, SourceRect source, Vector2 scaling,
                   Vector2 translation, uint32_t colour);
