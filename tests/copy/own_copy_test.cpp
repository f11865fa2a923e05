// A player's copy, on the stand-ins windres made: each folder judged whole or not with the line
// that says why, names in any case, the search order, and --check-data's report.
#include "copy/own_copy.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "render/images.h"
#include "test_files.h"

namespace zema {
namespace {

std::string standIn(const std::string& name) {
    return std::string(ZEMA_STAND_IN_DIR) + "/" + name;
}

TEST(CopyFolders, EachStandInIsJudgedWithItsReason) {
    ScratchFolder empty("zema-copy-empty"), gone("zema-copy-gone");
    // Names too short to end in ".exe" after a name of their own are no executables.
    for (const char* name : {"a", ".exe"})
        std::fclose(std::fopen((empty.path() + "/" + name).c_str(), "w"));
    // An executable that is listed but cannot be opened: a link to nothing.
    std::error_code linked;
    std::filesystem::create_symlink(gone.path() + "/nowhere", gone.path() + "/gone.exe", linked);
    const struct {
        std::string folder, fault; // the fault after the folder's path; "" for a whole copy
        bool holdsPictures;
    } cases[] = {
        {standIn("pe32-english"), "", true},
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
        {gone.path(), "/gone.exe: cannot be opened: No such file or directory", false},
    };
    for (const auto& c : cases) {
        if (c.folder == gone.path() && linked) continue; // no links here (Windows without rights)
        const CopyCheck check = checkCopyFolder(c.folder);
        EXPECT_EQ(check.fault, c.fault.empty() ? "" : c.folder + c.fault);
        EXPECT_EQ(check.holdsPictures, c.holdsPictures) << c.folder;
        EXPECT_EQ(check.bitmaps[imgMap].empty(), !c.fault.empty()) << c.folder;
    }
}

// Names in any case, as a copy from Windows may have them; executables in name order, the first
// whole one taken, its pictures the very files windres was given; the search passes silently
// over what is no copy.
TEST(CopyFolders, FindsNamesInAnyCaseAndSearchesInOrder) {
    ScratchFolder scratch("zema-copy-case");
    const std::string folder = scratch.path();
    std::filesystem::copy_file(standIn("icon-only/standin.exe"), folder + "/AAA.exe");
    std::filesystem::copy_file(standIn("pe32-english/standin.exe"), folder + "/GAME.EXE");
    for (const std::string name : {"bgm", "clear", "door", "get", "hit", "over"})
        std::filesystem::copy_file(standIn("pe32-english/" + name + ".wav"),
                                   folder + "/" + (name == "hit" ? "HIT.WAV" : name + ".wav"));
    std::string err;
    EXPECT_TRUE(chooseOwnCopy("", {standIn("icon-only"), standIn("none"), folder}, "zema", err));
    EXPECT_EQ(err, "");
    EXPECT_EQ(soundPath(sndHit), folder + "/HIT.WAV");
    EXPECT_EQ(copyPictures.bitmaps[imgMap], fileBytes(standIn("parts/113.bmp")));
    EXPECT_TRUE(chooseOwnCopy("", {standIn("icon-only")}, "zema", err) && err.empty());
    EXPECT_EQ(soundPath(sndHit), "hit.wav");
    EXPECT_TRUE(copyPictures.bitmaps[imgMap].empty());
}

TEST(CopyReport, ListsEachPictureAndSound) {
    int status = -1;
    const std::string whole = copyReport(standIn("pe64-japanese"), {}, status);
    EXPECT_EQ(status, 0);
    // A heading, fifteen pictures, six sounds, the icon and the verdict.
    EXPECT_EQ(std::count(whole.begin(), whole.end(), '\n'), 24) << whole;
    for (const char* line :
         {"(PE32+, resources in language 1041)\n",
          "\n  imgTitle       bitmap 142   800 x 600, 8 bits\n",
          "\n  sndDoor        door.wav     22050 Hz, 8 bits, mono, 20948 bytes\n",
          "\n  window icon    icon 123     32 x 32\nA whole copy"})
        EXPECT_NE(whole.find(line), std::string::npos) << line;
    const std::string broken = copyReport(standIn("broken-sound"), {}, status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(broken.find("\n  sndHit         hit.wav      refused: not a RIFF WAVE file\n"
                          "  sndOver        over.wav     32000 Hz"),
              std::string::npos);
    EXPECT_NE(broken.find("\nNot a whole copy: " + standIn("broken-sound/hit.wav") +
                          ": not a RIFF WAVE file\n"),
              std::string::npos);
    // Without a folder named, each place in turn.
    const std::string searched =
        copyReport("", {standIn("icon-only"), standIn("deep-picture")}, status);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(searched.find("Not a copy: " + standIn("icon-only")), searched.find('\n') + 1);
    EXPECT_NE(searched.find("refused: 800 x 600 at 24 bits"), std::string::npos);
    EXPECT_NE(searched.find("\nNo whole copy found"), std::string::npos) << searched;
}

} // namespace
} // namespace zema
