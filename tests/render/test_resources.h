// A findResource for the tests: serves whatever bitmaps the test puts in testResources.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

namespace zema {

extern std::map<int, std::vector<uint8_t>> testResources;

// Fills testResources with a picture for every slot of the image table, at its size and depth,
// each slot's picture one opaque colour of its own (its palette also holds the key colour).
void makeTestPictures();
// The opaque colour of the slot's test picture, as ARGB.
uint32_t testPictureColour(int slot);

} // namespace zema
