// The player's own copy of the original: a folder holding its Windows executable, whose bitmap
// resources are the fifteen pictures (and icon 123 the window's), and its six WAV files. Finding
// it, checking it and handing it to the game; platform-free apart from reading files. A folder is
// judged by its executables in name order and the six WAV names in any case. A bitmap resource
// is a bitmap file without its 14-byte header, which is made up, so the copy's pictures go through
// readBitmap and the texture loader as the embedded ones do, held to the table's size at 4 or 8
// bits; the window's icon is icon group 123's largest image (copy_icon.h). The game and zema-sim
// choose a copy before anything starts; the page reads one through web/web_copy.cpp. The tests'
// copies are stand-ins the build makes from our own pictures (tools/standin).
#pragma once

#include <string>
#include <vector>

#include "assets/picture_list.h"
#include "display/display.h"
#include "render/copy_pictures.h"
#include "sound/sound.h"

namespace zema {

struct CopyItemCheck {
    bool ok = false;
    std::string text; // "200 x 148, 4 bits", or why it is refused
};

// What a folder holds as a copy.
struct CopyCheck {
    std::string folder;
    std::string executable; // the executable looked at (its path); "" for none
    bool plus = false;      // a PE32+ executable
    uint16_t language = 0;  // of its first picture: 1033 for English (US), 1041 for Japanese
    // A copy, whole or not: the executable holds at least one of the fifteen pictures, or is a
    // damaged one. Otherwise (nothing, or ZEMA's own zema.exe) the folder is simply not a copy.
    bool holdsPictures = false;
    CopyItemCheck pictures[imageSlotCount];
    std::string soundPaths[soundSlotCount]; // "" where the file is missing
    IconPixels icon; // empty when not whole or the executable has no usable icon 123
    // The first reason it is not a whole copy, naming the file ("DIR/GAME.EXE: no bitmap 114
    // (imgGate)"); "" for a whole copy.
    std::string fault;
    std::vector<uint8_t> bitmaps[imageSlotCount]; // each picture as a bitmap file, when whole
};

// Reads the folder's executables (any name ending in ".exe", in name order; the first whole one,
// else the first that holds pictures) and looks for the six WAV files beside them (their names in
// any case). The WAV files are only looked for, not read.
CopyCheck checkCopyFolder(const std::string& folder);

// The copy the game plays with; folder is empty when it plays with its own pictures and sounds.
struct OwnCopy {
    std::string folder;
    std::string soundPaths[soundSlotCount];
};
extern OwnCopy ownCopy;

// Plays with a whole copy: its pictures and icon go to copyPictures (moved out of check), its
// sounds' paths to ownCopy.
void useOwnCopy(CopyCheck& check);
// Back to the game's own pictures and sounds.
void forgetOwnCopy();

// The file the game reads a slot's sound from: the copy's, or the bare name in the working
// directory.
std::string soundPath(SoundSlot slot);

// Start-up's choice, before any window. A folder named by dataFolder must be a whole copy: false
// when it is not, with err the one line saying why. Without one, the first whole copy among
// searchFolders is played with, each folder passed over for holding part of a copy adding a line
// to err, and with none the game's own pictures and sounds are. Lines start with program.
bool chooseOwnCopy(const std::string& dataFolder, const std::vector<std::string>& searchFolders,
                   const std::string& program, std::string& err);

// --check-data's report: for the named folder, or for each of searchFolders in turn, one line a
// picture and a sound with what was found or why it was refused (the sounds read whole), then the
// verdict. status is 0 for a whole copy whose sounds all read, copyRefused otherwise.
std::string copyReport(const std::string& dataFolder, const std::vector<std::string>& searchFolders,
                       int& status);

} // namespace zema
