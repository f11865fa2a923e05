// The window icon of a player's copy: icon group resource 123 of its executable, one of whose
// images is decoded into ARGB pixels.
#pragma once

#include "copy/pe_resources.h"
#include "render/copy_pictures.h"

namespace zema {

// The largest image of the group up to maxCopyIconSide pixels a side that can be decoded (an
// uncompressed bitmap of 1, 4, 8, 24 or 32 bits with its transparency mask; images stored as
// PNG are passed over). False, leaving icon empty, when the group is missing or none can be.
bool readCopyIcon(const PeFile& pe, uint16_t groupId, IconPixels& icon);

constexpr int32_t maxCopyIconSide = 256;

// Decodes one icon image: a 40-byte info header of twice the icon's height, the palette, the
// colour rows and the 1-bit mask rows, both bottom-up. False for anything else.
bool decodeIconImage(const uint8_t* data, size_t size, IconPixels& icon);

} // namespace zema
