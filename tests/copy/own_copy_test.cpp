// A player's copy, on the stand-ins windres made: each folder judged whole or not with the line
// that says why, the pictures kept exactly as drawn, the search order, and --check-data's report.
#include "copy/own_copy.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "render/images.h"
#include "render/texture.h"
#include "test_files.h"

namespace zema {
namespace {

const std::string standIns = ZEMA_STAND_IN_DIR;
std::string standIn(const std::string& name) {
    return standIns + "/" + name;
}

TEST(CopyFolders, EachStandInIsJudgedWithItsReason) {
    ScratchFolder empty("zema-copy-empty");
    struct Case {
        std::string folder;
        std::string fault; // after the folder's path; "" for a whole copy
        bool holdsPictures;
    };
    const Case cases[] = {
        {standIn("pe32-english"), "", true},
        {standIn("pe64-japanese"), "", true},
        {standIn("broken-sound"), "", true}, // its WAVs are only looked for here
        {standIn("missing-picture"), "/standin.exe: no bitmap 114 (imgGate)", true},
        {standIn("deep-picture"),
         "/standin.exe: bitmap 142 (imgTitle) is 800 x 600 at 24 bits; it must be 800 x 600 at 4 "
         "or 8",
         true},
        {standIn("cut-short"),
         "/standin.exe: bitmap 113 (imgMap) is cut short: it ends past the end of the file", true},
        {standIn("missing-sound"), "/over.wav: missing", true},
        {standIn("not-executable"), "/standin.exe: not a Windows executable", false},
        {standIn("icon-only"), "/standin.exe: holds none of the fifteen pictures", false},
        {empty.path(), ": no Windows executable (a file ending in .exe) in the folder", false},
        {standIn("none"), ": cannot be read: No such file or directory", false},
    };
    for (const Case& c : cases) {
        const CopyCheck check = checkCopyFolder(c.folder);
        EXPECT_EQ(check.fault, c.fault.empty() ? "" : c.folder + c.fault);
        EXPECT_EQ(check.holdsPictures, c.holdsPictures) << c.folder;
        for (int slot = 0; slot < imageSlotCount; ++slot)
            EXPECT_EQ(check.bitmaps[slot].empty(), !c.fault.empty()) << c.folder << " " << slot;
    }
}

uint32_t standInIconColour(int x, int y) {
    if ((x < 2 || x >= 30) && (y < 2 || y >= 30)) return 0;
    return x > y ? 0xFFE0A020u : 0xFF2040C0u;
}

// The resources, with their file headers made up, are the very files windres was given.
TEST(CopyFolders, KeepsThePicturesAsDrawnAndTheLargestIcon) {
    CopyCheck check = checkCopyFolder(standIn("pe64-japanese"));
    for (int slot = 0; slot < imageSlotCount; ++slot) {
        const int id = imageTable[slot].resourceId;
        const std::string drawn = id == 142 ? "title-8" : std::to_string(id);
        EXPECT_EQ(check.bitmaps[slot], fileBytes(standIn("parts/" + drawn + ".bmp"))) << id;
    }
    EXPECT_TRUE(check.plus);
    EXPECT_EQ(check.language, 1041);
    ASSERT_EQ(check.icon.width, 32);
    ASSERT_EQ(check.icon.height, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(check.icon.argb[size_t(y * 32 + x)], standInIconColour(x, y))
                << x << "," << y;
    EXPECT_TRUE(checkCopyFolder(standIn("pe32-english")).icon.argb.empty());
}

// Names in any case, as a copy from Windows may have them; executables in name order, the
// first whole one taken.
TEST(CopyFolders, FindsNamesInAnyCase) {
    ScratchFolder scratch("zema-copy-case");
    namespace fs = std::filesystem;
    fs::copy_file(standIn("icon-only/standin.exe"), scratch.path() + "/AAA.exe");
    fs::copy_file(standIn("pe32-english/standin.exe"), scratch.path() + "/GAME.EXE");
    for (int slot = 0; slot < soundSlotCount; ++slot) {
        std::string name = soundFileName(SoundSlot(slot));
        for (char& c : name)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        fs::copy_file(standIn("pe32-english/") + soundFileName(SoundSlot(slot)),
                      scratch.path() + "/" + name);
    }
    const CopyCheck check = checkCopyFolder(scratch.path());
    EXPECT_EQ(check.fault, "");
    EXPECT_EQ(check.executable, scratch.path() + "/GAME.EXE");
    EXPECT_EQ(check.soundPaths[sndHit], scratch.path() + "/HIT.WAV");
}

TEST(CopyChoice, SearchesInOrderAndRefusesANamedFolderThatIsNotWhole) {
    std::string err;
    // An executable without pictures is silently not a copy; part of one is said.
    EXPECT_TRUE(chooseOwnCopy("",
                              {standIn("icon-only"), standIn("missing-picture"),
                               standIn("pe64-japanese"), standIn("pe32-english")},
                              "zema", err));
    EXPECT_EQ(err, "zema: passed over the copy in " + standIn("missing-picture") + ": " +
                       standIn("missing-picture") + "/standin.exe: no bitmap 114 (imgGate)\n");
    EXPECT_EQ(ownCopy.folder, standIn("pe64-japanese"));
    EXPECT_EQ(soundPath(sndOver), standIn("pe64-japanese/over.wav"));
    EXPECT_EQ(copyPictures.icon.width, 32);
    EXPECT_EQ(copyPictures.bitmaps[imgTitle], fileBytes(standIn("parts/title-8.bmp")));

    err.clear();
    EXPECT_TRUE(chooseOwnCopy("", {standIn("icon-only"), standIn("none")}, "zema", err));
    EXPECT_EQ(err, "");
    EXPECT_EQ(ownCopy.folder, "");
    EXPECT_EQ(soundPath(sndOver), "over.wav");
    EXPECT_TRUE(copyPictures.bitmaps[imgTitle].empty());
    EXPECT_TRUE(copyPictures.icon.argb.empty());

    EXPECT_FALSE(chooseOwnCopy(standIn("cut-short"), {standIn("pe32-english")}, "zema-sim", err));
    EXPECT_EQ(err, "zema-sim: " + standIn("cut-short") +
                       "/standin.exe: bitmap 113 (imgMap) is cut short: it ends past the end of "
                       "the file\n");
    EXPECT_EQ(ownCopy.folder, "");
    EXPECT_TRUE(chooseOwnCopy(standIn("pe32-english"), {}, "zema", err));
    EXPECT_EQ(soundPath(sndBgm), standIn("pe32-english/bgm.wav"));
    forgetOwnCopy();
}

// A copy's pictures load through the texture rules at either depth, in place of the build's.
TEST(CopyChoice, LoadsTheCopysPicturesAsTextures) {
    std::string err;
    ASSERT_TRUE(chooseOwnCopy(standIn("pe64-japanese"), {}, "zema", err));
    ASSERT_EQ(loadImages(), -1);
    BitmapView title;
    ASSERT_TRUE(readBitmap(copyPictures.bitmaps[imgTitle].data(),
                           copyPictures.bitmaps[imgTitle].size(), title));
    EXPECT_EQ(title.bitsPerPixel, 8);
    for (const int x : {0, 123, 400, 799})
        EXPECT_EQ(textureTexel(*imageTextures[imgTitle], x, 300),
                  title.palette[bitmapIndex(title, x, 300)])
            << x;
    forgetOwnCopy();
    releaseImages();
}

size_t countLines(const std::string& text) {
    return size_t(std::count(text.begin(), text.end(), '\n'));
}

TEST(CopyReport, ListsEachPictureAndSound) {
    int status = -1;
    const std::string whole = copyReport(standIn("pe64-japanese"), {}, status);
    EXPECT_EQ(status, 0);
    // A heading, fifteen pictures, six sounds, the icon and the verdict.
    EXPECT_EQ(countLines(whole), 24u) << whole;
    EXPECT_NE(whole.find("(PE32+, resources in language 1041)"), std::string::npos) << whole;
    EXPECT_NE(whole.find("  imgTitle       bitmap 142   800 x 600, 8 bits\n"), std::string::npos);
    EXPECT_NE(whole.find("  sndDoor        door.wav     22050 Hz, 8 bits, mono, "),
              std::string::npos);
    EXPECT_NE(whole.find("  window icon    icon 123     32 x 32\n"), std::string::npos);

    const std::string broken = copyReport(standIn("broken-sound"), {}, status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(broken.find("  sndHit         hit.wav      refused: not a RIFF WAVE file\n"),
              std::string::npos)
        << broken;
    EXPECT_NE(broken.find("Not a whole copy: " + standIn("broken-sound") +
                          "/hit.wav: not a RIFF WAVE file\n"),
              std::string::npos);

    const std::string searched =
        copyReport("", {standIn("icon-only"), standIn("deep-picture")}, status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(searched.find("Not a copy: " + standIn("icon-only")), std::string::npos);
    EXPECT_NE(searched.find("refused: 800 x 600 at 24 bits"), std::string::npos);
    EXPECT_NE(searched.find("No whole copy found"), std::string::npos) << searched;
    copyReport("", {standIn("icon-only"), standIn("pe32-english")}, status);
    EXPECT_EQ(status, 0);
}

} // namespace
} // namespace zema
