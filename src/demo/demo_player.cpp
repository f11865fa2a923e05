// The demo player: loading with the simulator's line rules, then stepping through.
#include "demo/demo_player.h"

#include "demo/demo_readings.h"
#include "game/craft.h"

namespace zema {

bool loadDemo(const std::string& text, Demo& demo, std::string& error) {
    demo = {};
    ScriptPlacement placement;
    size_t start = 0;
    long lineNumber = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        ++lineNumber;
        ScriptCommand command;
        std::string reason;
        const ScriptLineUse use =
            readScriptLine(placement, text.data() + start, end - start, command, reason);
        if (use == ScriptLineUse::End) break;
        if (use == ScriptLineUse::Fault) {
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
        case ScriptCommandKind::None:
        case ScriptCommandKind::Esc:  // readScriptLine takes only the expected record after it
        case ScriptCommandKind::Mode: // the view is the window's own
            break;
        case ScriptCommandKind::Expect: // the last line
            demo.expects = true;
            demo.expectedRecord = command.record;
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
