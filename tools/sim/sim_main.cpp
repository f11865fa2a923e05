// zema-sim: plays the game headless with the real rules and frame, reading a script on
// standard input and writing one JSON line per frame on standard output.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "copy/own_copy.h"
#include "decimal.h"
#include "demo/demo_readings.h"
#include "demo/demo_recorder.h"
#include "demo/frame_record.h"
#include "demo/record_compare.h"
#include "demo/script_line.h"
#include "display/display_headless.h"
#include "exit_status.h"
#include "frame/frame.h"
#include "game/craft.h"
#include "game/random.h"
#include "game/world.h"
#include "headless/start_headless.h"
#include "input/input_headless.h"
#include "platform/files.h"
#include "render/images.h"
#include "sim/sim_shot.h"
#include "sound/sound_headless.h"

namespace zema {

namespace {

struct Options {
    bool joystick = false;
    bool draws = false;
    uint32_t width = 1024, height = 768;
    bool seeded = false;
    unsigned seed = 0;
    struct Shot {
        long frame;
        std::string path;
        double at; // below 0: the frame's own picture; else the picture this far from the last
    };
    std::vector<Shot> shots;
    std::string dataFolder; // --data: the shots show this copy's pictures
};

const char usage[] =
    "usage: zema-sim [--joystick] [--mode WxH] [--draws] [--seed N] [--data DIR] "
    "[--shot N [--at T] FILE.png]... < script\n"
    "--data DIR: the shots show the pictures of the copy of the original in DIR\n"
    "--shot N FILE.png writes the picture of frame N (counted from 1) as a PNG\n"
    "--at T (0 to 1): instead the picture shown between frames N-1 and N, T of the way (--smooth)\n"
    "script commands, one a line: enter | space | esc | frame [HELD] | frames N [HELD]\n"
    "HELD is a word of lrudfs: left right up down, fire and start (joystick only)\n"
    "demos add: device keyboard|joystick | seed N | mode WxH | expect RECORD (last line)\n"
    "exit status: 0 done, 2 bad option or script line, 3 the expected record differs\n";

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "zema-sim: %s\n", message.c_str());
    std::exit(exitUsage);
}

// A fraction from 0 to 1, such as 0.5.
double parseFraction(const char* text) {
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0' || !(value >= 0 && value <= 1))
        fail("--at takes a fraction from 0 to 1, such as 0.5");
    return value;
}

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--joystick") {
            options.joystick = true;
        } else if (arg == "--draws") {
            options.draws = true;
        } else if (arg == "--mode" && hasValue) {
            if (!parseSize(argv[++i], largestSide, options.width, options.height))
                fail("--mode takes WxH, each from 1 to 16384, such as 1024x768");
        } else if (arg == "--seed" && hasValue) {
            if (!parseDecimal(argv[++i], 4294967295u, options.seed))
                fail("--seed takes a whole number from 0 to 4294967295");
            options.seeded = true;
        } else if (arg == "--shot" && i + 2 < argc) {
            long frame = 0;
            if (!parseDecimal(argv[++i], 2147483647u, frame) || frame == 0)
                fail("--shot takes a frame number from 1 and a file name");
            double at = -1;
            if (std::string(argv[i + 1]) == "--at" && i + 3 < argc) {
                at = parseFraction(argv[i + 2]);
                i += 2;
            }
            options.shots.push_back({frame, argv[++i], at});
        } else if (arg == "--at" && hasValue && !options.shots.empty()) {
            options.shots.back().at = parseFraction(argv[++i]);
        } else if ((arg == "--data" && hasValue) || arg.rfind("--data=", 0) == 0) {
            options.dataFolder = arg == "--data" ? argv[++i] : arg.substr(7);
            if (options.dataFolder.empty()) fail("--data needs a folder");
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(usage, stdout);
            std::exit(0);
        } else {
            std::fputs(usage, stderr);
            fail("unknown or incomplete option '" + arg + "'");
        }
    }
    return options;
}

// Output is gathered in one large buffer and written when it fills, or before the simulator
// waits for more script, so that a bot driving it line by line sees every frame at once.
char outputBuffer[1 << 20];
size_t outputLength = 0;

void flushOutput() {
    size_t done = 0;
    while (done < outputLength) {
        const ssize_t n = ::write(STDOUT_FILENO, outputBuffer + done, outputLength - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) std::exit(exitFailed); // the reader has gone
        done += static_cast<size_t>(n);
    }
    outputLength = 0;
}

char frameLine[maxFrameLineLength];

SoundSlot frameSoundSlots[maxRecordedSounds];

// The slots of the sounds the last frame requested.
int lastFrameSounds() {
    for (int i = 0; i < recordedSoundCount; ++i)
        frameSoundSlots[i] = recordedSounds[i].slot;
    return recordedSoundCount;
}

LastFrameRecord lastRecord;

// The last two frames' draws, for pictures between them.
FrameDraws drawsBefore, drawsAfter;

void runFrames(const ScriptCommand& command, const Options& options, long& frameNumber) {
    heldReadings(command, scriptedKeyboard, scriptedJoystick);
    for (long i = 0; i < command.frameCount; ++i) {
        clearRecordedOps();
        clearRecordedSounds();
        runFrame();
        ++frameNumber;
        if (!options.shots.empty()) {
            std::swap(drawsBefore, drawsAfter);
            takeRecordedDraws(drawsAfter);
        }
        for (const Options::Shot& shot : options.shots) {
            if (shot.frame != frameNumber) continue;
            const bool written =
                shot.at < 0 ? writeFrameShot(shot.path, displayMode.Width, displayMode.Height)
                            : writeBetweenShot(shot.path, displayMode.Width, displayMode.Height,
                                               drawsBefore, drawsAfter, shot.at);
            if (!written) {
                flushOutput();
                fail("cannot write " + shot.path + ": " + std::strerror(errno));
            }
        }
        const size_t n = formatFrameLine(frameLine, frameNumber, frameSoundSlots, lastFrameSounds(),
                                         options.draws ? recordedOps : nullptr, recordedOpCount);
        frameRan(lastRecord, frameNumber);
        if (outputLength + n > sizeof outputBuffer) flushOutput();
        std::memcpy(outputBuffer + outputLength, frameLine, n);
        outputLength += n;
    }
}

// Reads the script line by line from standard input; returns false at its end.
class LineReader {
  public:
    bool next(std::string& line) {
        line.clear();
        for (;;) {
            while (position < length) {
                const char c = buffer[position++];
                if (c == '\n') return true;
                if (line.size() > maxScriptLineLength) return true; // reported by the caller
                line.push_back(c);
            }
            if (ended) return !line.empty();
            flushOutput();
            ssize_t n = 0;
            do
                n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            while (n < 0 && errno == EINTR);
            if (n <= 0) ended = true;
            position = 0;
            length = n > 0 ? static_cast<size_t>(n) : 0;
        }
    }

  private:
    char buffer[1 << 16];
    size_t position = 0, length = 0;
    bool ended = false;
};

// A picture asked for a frame that never ran is an error, said once per picture.
int shotsMissing(const Options& options, long frameCount) {
    int status = 0;
    for (const Options::Shot& shot : options.shots)
        if (shot.frame > frameCount) {
            std::fprintf(stderr, "zema-sim: frame %ld never ran; %s not written\n", shot.frame,
                         shot.path.c_str());
            status = exitUsage;
        }
    return status;
}

} // namespace

} // namespace zema

int main(int argc, char** argv) {
    using namespace zema;
    // The JSON lines and demos are the same bytes on every platform.
    useBinaryStandardStreams();
    const Options options = parseOptions(argc, argv);
    // A copy is read before anything starts, as the game reads it; the records never depend on
    // pictures.
    if (!options.dataFolder.empty()) {
        std::string said;
        const bool chosen = chooseOwnCopy(options.dataFolder, {}, "zema-sim", said);
        std::fputs(said.c_str(), stderr);
        if (!chosen) return copyRefused;
    }

    // Start-up as the game does it: the input device is chosen, the game reset, the title
    // screen shown. The background tune starts here and is not reported.
    startHeadless({options.joystick, options.width, options.height, options.seeded, options.seed});
    if (!options.shots.empty()) {
        const int failed = loadImages();
        if (failed >= 0)
            fail(std::string("cannot load the picture of ") +
                 imageSlotName(static_cast<ImageSlot>(failed)));
    }

    static LineReader reader;
    std::string line, error;
    long lineNumber = 0, frameNumber = 0;
    ScriptPlacement placement;
    std::string expected;
    while (reader.next(line)) {
        ++lineNumber;
        ScriptCommand command;
        const ScriptLineUse use =
            readScriptLine(placement, line.data(), line.size(), command, error);
        if (use == ScriptLineUse::End) break;
        if (use == ScriptLineUse::Fault) {
            flushOutput();
            fail("line " + std::to_string(lineNumber) + ": " + error);
        }
        switch (command.kind) {
        case ScriptCommandKind::None:
            break;
        case ScriptCommandKind::Enter:
            takeFrameRecord(lastRecord, frameSoundSlots, lastFrameSounds());
            startGame();
            break;
        case ScriptCommandKind::Space:
            takeFrameRecord(lastRecord, frameSoundSlots, lastFrameSounds());
            fireShot();
            break;
        case ScriptCommandKind::Esc:
            flushOutput();
            break;
        case ScriptCommandKind::Frames:
            runFrames(command, options, frameNumber);
            break;
        case ScriptCommandKind::Device:
            gameState.hasJoystick = command.joystick ? 1 : 0;
            break;
        case ScriptCommandKind::Seed:
            // The generator is drawn from only in play, after a start that seeds it again.
            useFixedSeed(command.seed);
            zema::srand(command.seed);
            break;
        case ScriptCommandKind::Mode:
            displayMode.Width = command.width;
            displayMode.Height = command.height;
            break;
        case ScriptCommandKind::Expect:
            expected = command.record;
            break;
        }
        // After esc and its record the script is over: nothing more is waited for.
        if (placement.escSeen && placement.expectSeen) break;
    }
    flushOutput();
    const int status = shotsMissing(options, frameNumber);
    if (!expected.empty()) {
        takeFrameRecord(lastRecord, frameSoundSlots, lastFrameSounds());
        std::string difference;
        if (!sameFrameRecord(expected, lastRecord.text, difference)) {
            std::fprintf(stderr, "zema-sim: %s\n", difference.c_str());
            return demoDiffers;
        }
    }
    return status;
}
