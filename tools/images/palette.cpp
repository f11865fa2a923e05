// One palette for every 16-colour picture: cool steel and teal for the world and the craft,
// warm reds and golds for danger and rewards, a green and a purple to tell enemies apart.
#include "palette.h"

namespace zema {

const Rgb sharedPalette[16] = {
    keyBlue,         // transparent
    {20, 18, 36},    // ink: outlines, mortar, night sky
    {54, 58, 88},    // steel, dark
    {98, 108, 142},  // steel
    {162, 172, 202}, // steel, light
    {240, 242, 250}, // white
    {22, 88, 108},   // teal, dark
    {38, 166, 172},  // teal
    {146, 236, 226}, // cyan
    {122, 30, 56},   // red, dark
    {222, 66, 72},   // red
    {248, 150, 54},  // orange
    {255, 226, 104}, // yellow
    {34, 108, 70},   // green, dark
    {112, 204, 94},  // green
    {150, 82, 196},  // purple
};

const Ramp steelRamp = {{cInk, cSteelDark, cSteel, cSteelLight, cWhite}};
const Ramp tealRamp = {{cInk, cTealDark, cTeal, cCyan, cWhite}};
const Ramp fireRamp = {{cRedDark, cRed, cOrange, cYellow, cWhite}};
const Ramp greenRamp = {{cInk, cGreenDark, cGreen, cYellow}};
const Ramp purpleRamp = {{cInk, cRedDark, cPurple, cSteelLight, cWhite}};
const Ramp goldRamp = {{cRedDark, cOrange, cYellow, cWhite}};

} // namespace zema
