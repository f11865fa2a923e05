// zema-route: finds a route that clears the whole game, playing it in-process with the real
// rules and frame as it goes, and writes it as a zema-sim script on standard output.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "display/display_headless.h"
#include "frame/frame.h"
#include "game/collision.h"
#include "game/craft.h"
#include "game/items.h"
#include "game/world.h"
#include "headless/start_headless.h"
#include "input/input_headless.h"
#include "platform/files.h"
#include "route/route_leg.h"
#include "sound/sound_headless.h"

namespace zema {

namespace {

// The script written so far; runs of equal frames are joined into one "frames" line.
std::vector<std::string> script;
std::string lastHeld;
long lastRun = 0;
int lowestEnergy = 250;
long frameCount = 0;

void flushRun() {
    if (lastRun == 0) return;
    const std::string held = lastHeld.empty() ? "" : " " + lastHeld;
    script.push_back(lastRun == 1 ? "frame" + held : "frames " + std::to_string(lastRun) + held);
    lastRun = 0;
}

void command(const std::string& line) {
    flushRun();
    script.push_back(line);
}

void playFrames(const std::string& held, long count) {
    scriptedKeyboard = {held.find('l') != std::string::npos, held.find('r') != std::string::npos,
                        held.find('u') != std::string::npos, held.find('d') != std::string::npos};
    for (long i = 0; i < count; ++i) {
        clearRecordedOps();
        clearRecordedSounds();
        runFrame();
        ++frameCount;
        if (gameState.screenMode == ModePlay && gameState.energy < lowestEnergy)
            lowestEnergy = gameState.energy;
    }
    if (held != lastHeld) flushRun();
    lastHeld = held;
    lastRun += count;
}

std::string heldFor(Step step) {
    std::string held;
    if (step.dx < 0) held += 'l';
    if (step.dx > 0) held += 'r';
    if (step.dy < 0) held += 'u';
    if (step.dy > 0) held += 'd';
    return held;
}

bool hitBoxAt(int cell, WorldRect box) {
    const WorldRect hit = {cellScrollX(cell) + 320, cellScrollY(cell) + 270,
                           cellScrollX(cell) + 480, cellScrollY(cell) + 378};
    return rectsOverlap(hit, box);
}

// The goal test looks at the whole sprite, not the hit box.
bool spriteAtGoal(int cell) {
    const WorldRect sprite = {cellScrollX(cell) + 300, cellScrollY(cell) + 250,
                              cellScrollX(cell) + 500, cellScrollY(cell) + 398};
    return rectsOverlap(sprite, goalRect);
}

// Rows the craft touches now are taken in the next frame, before its keys are read, and may
// open a gate in time for them: the plan sees the world as it will be then.
template <typename Plan> auto planAfterPendingPickups(Plan plan) {
    ItemRow savedRows[itemRowCount];
    Gate savedGates[gateCount];
    std::memcpy(savedRows, itemRows, sizeof itemRows);
    std::memcpy(savedGates, gates, sizeof gates);
    const WorldRect hit = craftHitBox();
    for (int i = 0; i < itemRowCount; ++i)
        if (rectsOverlap(hit, itemRowBox(i))) itemRows[i].taken = 1;
    openGates();
    clearRecordedSounds();
    auto result = plan();
    std::memcpy(itemRows, savedRows, sizeof itemRows);
    std::memcpy(gates, savedGates, sizeof gates);
    return result;
}

// Plans a leg and plays it; when a frame costs more energy than planned, the rest of the leg is
// dropped and the caller plans again from where the craft stands.
bool followLeg(const CellGoal& goal, const char* what) {
    constexpr int damageWeight = 12;
    const int distance = planAfterPendingPickups([&] { return staticDistance(goal); });
    if (distance < 0) return false;
    const Leg leg =
        planAfterPendingPickups([&] { return planLeg(goal, distance + 240, damageWeight); });
    if (!leg.found) return false;
    const int energyBefore = gameState.energy;
    int planned = 0;
    size_t played = 0;
    command(std::string("# ") + what);
    for (; played < leg.steps.size(); ++played) {
        const int energy = gameState.energy;
        playFrames(heldFor(leg.steps[played]), 1);
        planned += leg.damageByFrame[played];
        if (energy - gameState.energy > leg.damageByFrame[played]) {
            ++played;
            std::fprintf(stderr, "%-14s more damage than planned: planning again\n", what);
            break;
        }
    }
    std::fprintf(stderr, "%-14s %4zu frames, damage %3d (planned %3d), energy %d\n", what, played,
                 energyBefore - gameState.energy, planned, gameState.energy);
    return true;
}

// Untaken rows other than those the craft touches now.
int nearestRow() {
    int best = -1, bestDistance = 1 << 30;
    for (int i = 0; i < itemRowCount; ++i) {
        if (itemRows[i].taken != 0) continue;
        if (rectsOverlap(craftHitBox(), itemRowBox(i))) continue;
        const WorldRect box = itemRowBox(i);
        const int d = planAfterPendingPickups(
            [&] { return staticDistance([&](int c) { return hitBoxAt(c, box); }); });
        if (d >= 0 && d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

// Views left of the guardian's lane, above wall 31, from which a beam facing right reaches
// the guardian at the left end of its patrol and its box never reaches the craft.
bool shootingView(int cell) {
    return cellScrollX(cell) == 2150 && cellScrollY(cell) >= 3700 && cellScrollY(cell) <= 3900;
}

void shootGuardian() {
    command("# the beam on the guardian until it falls");
    if (gameState.facingLeft == 1) playFrames("lr", 1); // turn right and stay put
    while (enemies[guardianIndex].hp > 0 && frameCount < 200000) {
        command("space");
        fireShot();
        playFrames("", 10);
    }
    std::fprintf(stderr, "guardian down at frame %ld, energy %d\n", frameCount, gameState.energy);
}

bool allDone() {
    for (const ItemRow& row : itemRows)
        if (row.taken == 0) return false;
    for (const Gate& gate : gates)
        if (gate.open == 0) return false;
    return true;
}

} // namespace

} // namespace zema

int main() {
    using namespace zema;
    // The script is the same bytes on every platform.
    useBinaryStandardStreams();
    startHeadless();

    command("# Clears the whole game: every item row, all seven gates, the guardian, the goal.");
    command("enter");
    startGame();

    // The chaser homes in on the craft through every wall: meet it head on, facing right, with
    // the beam on while it comes along the craft's row from the right.
    command("# wait for the chaser, beam on");
    while (enemies[chaserIndex].hp > 0 && frameCount < 5000) {
        command("space");
        fireShot();
        playFrames("", 10);
    }
    std::fprintf(stderr, "chaser down at frame %ld, energy %d\n", frameCount, gameState.energy);

    while (gameState.screenMode == ModePlay) {
        if (enemies[guardianIndex].hp > 0 &&
            planAfterPendingPickups([] { return staticDistance(shootingView); }) >= 0) {
            if (!followLeg(shootingView, "to guardian")) return 1;
            shootGuardian();
            continue;
        }
        if (allDone()) {
            if (!followLeg(spriteAtGoal, "to goal")) return 1;
            playFrames("", 1);
            break;
        }
        const int row = nearestRow();
        if (row < 0) {
            // Only rows the craft touches now are left: the next frame takes them.
            playFrames("", 1);
            continue;
        }
        const WorldRect box = itemRowBox(row);
        char what[32];
        std::snprintf(what, sizeof what, "to row %d", row);
        if (!followLeg([&](int c) { return hitBoxAt(c, box); }, what)) return 1;
    }
    flushRun();
    for (const std::string& line : script)
        std::printf("%s\n", line.c_str());
    std::fprintf(stderr, "%ld frames, lowest energy %d, gameOver %d\n", frameCount, lowestEnergy,
                 gameState.gameOver);
    return gameState.gameOver == 0 && allDone() ? 0 : 1;
}
