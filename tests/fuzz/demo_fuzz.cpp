// libFuzzer target: any bytes as a demo must load or be refused with a line, never crash; a
// loaded demo plays through its steps, and any bytes as an expected record compare cleanly.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "demo/demo_player.h"
#include "demo/record_compare.h"

using namespace zema;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Demo demo;
    std::string error;
    if (!loadDemo(text, demo, error)) {
        // A refusal names the line it stopped at.
        if (error.rfind("line ", 0) != 0) std::abort();
    } else {
        DemoPlayer player;
        startPlaying(player, demo);
        // Frame counts reach a billion; a bounded walk is enough to exercise the steps.
        for (int i = 0; i < 10000 && nextDemoStep(player).kind != DemoStepKind::End; ++i) {
        }
        if (player.framesPlayed > demo.frames) std::abort();
    }
    std::string difference;
    const bool record = isFrameRecord(text);
    if (record && !sameFrameRecord(text, text, difference)) std::abort();
    if (sameFrameRecord(text, "{\"frame\":1}", difference) && !record) std::abort();
    return 0;
}
