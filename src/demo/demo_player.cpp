// The demo player: loading with the simulator's line rules, then stepping through.
#include "demo/demo_player.h"

#include "demo/demo_readings.h"
#include "game/craft.h"

namespace zema {

bool loadDemo(const std::string& text, Demo& demo, std::string& error) {
    demo = {};
    ScriptPlacement placement;
    bool ended = false; // after esc only the expected record may come
    size_t start = 0;
    long lineNumber = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        ++lineNumber;
        ScriptCommand command;
        std::string reason;
        const bool parsed = end - start <= 4096 &&
                            parseScriptLine(text.data() + start, end - start, command, reason);
        if (ended) {
            // As in zema-sim: the run is over; the next command is read only if it is expect.
            if (parsed && command.kind == ScriptCommandKind::None) {
                start = end + 1;
                continue;
            }
            if (!parsed || command.kind != ScriptCommandKind::Expect) break;
        }
        if (end - start > 4096)
            reason = "line longer than 4096 characters";
        else if (parsed)
            placeScriptCommand(placement, command, reason);
        if (!reason.empty()) {
            error = "line " + std::to_string(lineNumber) + ": " + reason;
            return false;
        }
        switch (command.kind) {
        case ScriptCommandKind::Device:
            demo.joystick = command.joystick;
            break;
        case ScriptCommandKind::Seed:
            demo.seeded = true;
            demo.seed = command.seed;
            break;
        case ScriptCommandKind::Enter:
        case ScriptCommandKind::Space:
        case ScriptCommandKind::Frames:
            demo.commands.push_back(command);
            break;
        case ScriptCommandKind::Esc:
            ended = true;
            break;
        case ScriptCommandKind::Expect:
            demo.expects = true;
            demo.expectedRecord = command.record;
            if (ended) start = text.size();
            break;
        case ScriptCommandKind::None:
        case ScriptCommandKind::Mode: // the view is the window's own
            break;
        }
        start = end + 1;
    }
    demo.frames = placement.framesRun;
    return true;
}

void startPlaying(DemoPlayer& player, const Demo& demo) {
    player = {};
    player.demo = &demo;
}

DemoStep nextDemoStep(DemoPlayer& player) {
    const std::vector<ScriptCommand>& commands = player.demo->commands;
    while (player.next < commands.size()) {
        const ScriptCommand& command = commands[player.next];
        if (command.kind == ScriptCommandKind::Frames) {
            if (player.framesDone < command.frameCount) {
                ++player.framesDone;
                ++player.framesPlayed;
                return {DemoStepKind::Frame, heldFrameReadings(command, player.demo->joystick)};
            }
            ++player.next;
            player.framesDone = 0;
            continue;
        }
        ++player.next;
        return {command.kind == ScriptCommandKind::Enter ? DemoStepKind::Enter
                                                         : DemoStepKind::Space,
                {}};
    }
    return {DemoStepKind::End, {}};
}

bool playToNextFrame(DemoPlayer& player, void (*beforeKey)()) {
    for (;;) {
        const DemoStep step = nextDemoStep(player);
        switch (step.kind) {
        case DemoStepKind::End:
            return false;
        case DemoStepKind::Frame:
            fedReadings = step.readings;
            return true;
        case DemoStepKind::Enter:
            if (beforeKey) beforeKey();
            startGame();
            break;
        case DemoStepKind::Space:
            if (beforeKey) beforeKey();
            fireShot();
            break;
        }
    }
}

} // namespace zema
