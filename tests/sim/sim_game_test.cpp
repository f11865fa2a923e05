// Whole games through zema-sim: the committed clearing and losing scripts.
#include <gtest/gtest.h>

#include "sim_run.h"

namespace zema {

namespace {

const std::string replays = ZEMA_REPLAY_DIR;

} // namespace

TEST(SimGame, ClearingScriptClearsTheWholeGame) {
    const SimRun run = runSimOnFile("", replays + "/clear_game.script");
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_GT(run.lines.size(), 100u);
    bool played = false;
    int gets = 0, doors = 0;
    for (const std::string& line : run.lines) {
        const std::string sounds = jsonRaw(line, "sounds");
        for (size_t at = sounds.find("sndGet"); at != std::string::npos;
             at = sounds.find("sndGet", at + 1))
            ++gets;
        for (size_t at = sounds.find("sndDoor"); at != std::string::npos;
             at = sounds.find("sndDoor", at + 1))
            ++doors;
    }
    EXPECT_EQ(gets, 50); // every row once
    EXPECT_EQ(doors, 7); // every gate once
    for (size_t i = 0; i + 1 < run.lines.size(); ++i) {
        const std::string& line = run.lines[i];
        ASSERT_GE(jsonInt(line, "energy"), 0) << "frame " << i + 1;
        ASSERT_EQ(jsonInt(line, "screenMode"), 0) << "the game ended early, frame " << i + 1;
        played = true;
    }
    EXPECT_TRUE(played);
    const std::string& last = run.lines.back();
    EXPECT_EQ(jsonInt(last, "screenMode"), 1);
    EXPECT_EQ(jsonInt(last, "gameOver"), 0);
    EXPECT_GE(jsonInt(last, "energy"), 0);
    EXPECT_EQ(jsonRaw(last, "taken"), "\"" + std::string(50, '1') + "\"");
    EXPECT_EQ(jsonRaw(last, "open"), "\"1111111\"");
    EXPECT_TRUE(jsonRaw(last, "enemies").ends_with(",0]]")); // the guardian's hp
    EXPECT_EQ(jsonRaw(last, "sounds"), "[\"sndClear\"]");
}

TEST(SimGame, LosingScriptEndsOnTheGameOverPicture) {
    const SimRun run = runSimOnFile("--draws --seed 3", replays + "/lost_game.script");
    ASSERT_EQ(run.status, 0) << run.errors;
    size_t lost = 0;
    while (lost < run.lines.size() && jsonInt(run.lines[lost], "gameOver") == 0) {
        ASSERT_GE(jsonInt(run.lines[lost], "energy"), 0);
        ++lost;
    }
    ASSERT_LT(lost + 1, run.lines.size());
    const std::string& end = run.lines[lost];
    EXPECT_EQ(jsonInt(end, "screenMode"), 1);
    EXPECT_EQ(jsonInt(end, "energy"), -5);
    EXPECT_EQ(jsonRaw(end, "sounds"), "[\"sndHit\",\"sndOver\"]");
    EXPECT_EQ(jsonRaw(run.lines.back(), "draws"),
              "[[\"BeginScene\"],[\"Clear\"],[\"Present\"],"
              "[\"imgGameOver\",[0,0,350,300],[1,1],[337,234]],[\"EndScene\"],[\"Present\"]]");
}

} // namespace zema
