// The game in the browser: the desktop's start-up order over SDL's Emscripten backend, then the
// desktop's message-loop pass ten times a second off the browser's own scheduling. The canvas is
// the window; the view is its size, which the page chooses (see shell.html) and scales.
#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/demo_session.h"
#include "app/main_window.h"
#include "app/message_loop.h"
#include "app/option_table.h"
#include "copy/own_copy.h"
#include "display/display_sdl.h"
#include "display/present_timing.h"
#include "exit_status.h"
#include "frame/frame.h"
#include "game/craft.h"
#include "game/world.h"
#include "input/bindings.h"
#include "input/input.h"
#include "input/input_sdl.h"
#include "render/images.h"
#include "render/view_placement.h"
#include "sound/sound_device.h"
#include "web_assets.h"
#include "web_copy.h"
#include "web_later.h"
#include "web_record.h"
#include "web_settings.h"
#include "web_touch.h"

namespace zema {
namespace {

constexpr int framesPerSecond = 10; // the desktop's 100 ms sleep after each frame

// What the page passes from its address (see shell.html): two switches for tests, and the
// game's options, a demo to play or record among them, read as the desktop reads them.
struct Switches {
    bool paused = false;          // frames run only when zemaStep asks
    std::string soundLeftOut;     // this WAV file is not made, so its loading fails
    DemoRun demo = DemoRun::None; // --playdemo PATH or --record PATH, as on the desktop
    std::string demoPath;
    bool smooth = false;    // ?smooth: pictures between frames at the browser's animation frames
    int32_t smoothRate = 0; // at most so many a second; 0: at each animation frame
    std::string dataFolder; // --data: the player's kept copy (own_copy.js)
    std::vector<std::string> options; // the rest, for the game's command line
};
Switches switches;
CommandLine pageOptions;  // the saved settings with the address's options over them
bool held = false;        // no frame runs while the settings panel is open
double lastPictureAt = 0; // when the last picture between frames was shown
long frameNumber = 0;
bool running = false;
// Smooth motion: when the last frame ran, and what the last picture showed.
double lastFrameAt = 0;
long pictureFrame = -1;
double pictureFraction = 0;
bool laterPartFailed = false; // a part made between frames failed; the page has said so

// The page shows the text over the canvas with a way to start again.
void tellPage(const char* kind, const std::string& text) {
    EM_ASM({ Module.zemaEnded(UTF8ToString($0), UTF8ToString($1)); }, kind, text.c_str());
}

// The page's canvas is the window: its size is the view the page asks for, the browser window's
// inner size unless the address or a touch screen chose another.
void matchWindowToPage() {
    const int w = EM_ASM_INT({ return Module.zemaView().width; });
    const int h = EM_ASM_INT({ return Module.zemaView().height; });
    int currentW = 0, currentH = 0;
    SDL_GetWindowSize(mainWindow, &currentW, &currentH);
    if (w > 0 && h > 0 && (w != currentW || h != currentH)) SDL_SetWindowSize(mainWindow, w, h);
    displayFollowWindow();
}

void shutDown() {
    releaseSound();
    releaseInput();
    releaseDisplay();
    destroyMainWindow();
    SDL_Quit();
}

// Once the title has shown, one more of the parts made later is made before each pass; before a
// key is handled, or a frame reads a pad's start button held, every one still missing is made,
// so that the game never shows the blank maze nor asks for a sound that is not there.
bool makeLaterPartsBetweenFrames() {
    if (laterPartsComplete()) return true;
    SDL_Event key;
    SDL_PumpEvents();
    const bool startWaiting =
        SDL_PeepEvents(&key, 1, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_KEYDOWN) > 0 || deviceStartButton();
    if (frameNumber == 0 && !startWaiting) return true;
    std::string failed;
    if (makeLaterParts(startWaiting, switches.soundLeftOut, failed)) return true;
    tellPage("failed", "Start-up failed: " + failed + ".");
    laterPartFailed = true;
    return false;
}

// One pass of the desktop's loop: the waiting keys, then a frame.
bool loopPass() {
    matchWindowToPage();
    repeatHeldFire();
    if (!makeLaterPartsBetweenFrames()) return false;
    // A played demo forgets the last frame's sounds itself, once its keys are in: its record
    // of the last frame keeps them, as on the desktop.
    if (switches.demo == DemoRun::None) clearFrameRequests();
    if (!runMessageLoopPass()) return false;
    lastFrameAt = emscripten_get_now();
    recordFrame(++frameNumber);
    // The moment the title first stood on the canvas, for the page's start-up measurement; the
    // page then starts what can wait for it.
    if (frameNumber == 1)
        EM_ASM({
            Module.zemaFirstFrameAt = performance.now();
            Module.zemaTitleShown();
        });
    return true;
}

// What the page says when the loop ends: a played demo's end says whether its last frame is
// the one it expects.
std::string endingText(int status) {
    if (switches.demo == DemoRun::Record) return "The game has ended; its demo can be saved.";
    if (switches.demo != DemoRun::Play) return "The game has ended.";
    if (status == demoDiffers)
        return "The demo has ended; its last frame differs from the one recorded: " +
               lastDemoReport();
    if (demoEndedAsExpected()) return "The demo has ended; its last frame is the one recorded.";
    return "The demo has ended.";
}

void endGame() {
    emscripten_cancel_main_loop();
    running = false;
    const int status = finishDemoRun(0);
    shutDown();
    if (!laterPartFailed) tellPage("ended", endingText(status));
}

void tick() {
    if (!switches.paused && !held && running && !loopPass()) endGame();
}

// The browser's animation frames show the pictures between the game's own frames, carried as far
// as the time since the last frame is of the 100 ms to the next; held at the frame's own picture
// once that has passed.
EM_BOOL showPictureBetweenFrames(double, void*) {
    if (!running) return EM_FALSE;
    const double fraction =
        std::min(1.0, (emscripten_get_now() - lastFrameAt) * framesPerSecond / 1000);
    if (frameNumber == 0 || (frameNumber == pictureFrame && fraction <= pictureFraction))
        return EM_TRUE;
    // ?smooth=HZ: no sooner than a picture's time after the last, give or take a tenth.
    const double now = emscripten_get_now();
    if (switches.smoothRate > 0 && now - lastPictureAt < 900.0 / switches.smoothRate)
        return EM_TRUE;
    lastPictureAt = now;
    displayShowBetween(fraction);
    pictureFrame = frameNumber;
    pictureFraction = fraction;
    return EM_TRUE;
}

// The test switches; every other argument is the game's.
Switches readSwitches(int argc, char** argv) {
    Switches s;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--paused")
            s.paused = true;
        else if (arg == "--leave-out-sound" && i + 1 < argc)
            s.soundLeftOut = argv[++i];
        else if (arg == "--data" && i + 1 < argc)
            s.dataFolder = argv[++i];
        else
            s.options.push_back(arg);
    }
    return s;
}

// The options the page uses: the bindings before the input is set up, the sound's, the view and
// its scaling for the page's layout (shell.html), smooth motion and a demo.
void useOptions(const Options& options) {
    bindings = options.bindings;
    useLaterSound(!options.noSound, options.volume, options.musicVolume, options.effectsVolume);
    // The scale's name is its choice, in ViewScale's order.
    EM_ASM({ Module.zemaUseView($0, $1, UTF8ToString($2)); }, options.viewWidth, options.viewHeight,
           findLongOption("scale")->choices[size_t(options.scale)]);
    switches.smooth = options.smooth;
    switches.smoothRate = options.smoothRate;
    switches.demo = options.demo;
    switches.demoPath = options.demoPath;
}

// Notes when a start-up step has ended (milliseconds since the page opened), for the page's
// measurements.
void markStep(const char* step) {
    EM_ASM({ (Module.zemaSteps = Module.zemaSteps || {})[UTF8ToString($0)] = performance.now(); },
           step);
}

// Start-up in the desktop's order, up to what the title needs: its picture, the window, the
// display and the input; the rest is made after it (see web_later.h). A failed step is said on
// the page instead of a message box.
int startUp() {
    markStep("main");
    useKeptCopy(switches.dataFolder);
    std::string error;
    if (ownCopy.folder.empty() && !makePictures(true, error)) {
        tellPage("failed", "The pictures could not be made: " + error);
        return exitFailed;
    }
    markStep("pictures");
    createMainWindow();
    if (mainWindow) matchWindowToPage();
    displaySettings.messagesToStderrOnly = true;
    displaySettings.followsWindow = true;
    displaySettings.imagesLater = true;
    if (initDisplay(mainWindow) < 0) {
        tellPage("failed", "The display could not be set up.");
        return 0;
    }
    if (!loadImage(imgTitle)) {
        tellPage("failed", "The title's picture could not be loaded.");
        return 0;
    }
    if (initInput(mainWindow) < 0) {
        tellPage("failed", "The input could not be set up.");
        return 0;
    }
    markStep("display");
    resetGame();
    startFrameRecord();
    startLaterParts();
    // A demo's run is timed and compared from its first frame: everything is made first.
    if (switches.demo != DemoRun::None && !makeLaterParts(true, switches.soundLeftOut, error)) {
        releaseSound();
        tellPage("failed", "Start-up failed: " + error + ".");
        return soundFailed;
    }
    startDemoRun();
    startMessageLoop();
    running = true;
    EM_ASM({ Module.zemaStarted(); });
    return 0;
}

} // namespace
} // namespace zema

using namespace zema;

extern "C" {

// The last frame's record, as zema-sim writes it without draws.
EMSCRIPTEN_KEEPALIVE const char* zemaRecordLine() {
    return lastFrameRecord();
}

// Runs up to `count` passes of the loop at once (the page's test switch --paused stops the
// timed ones); returns the frames run.
EMSCRIPTEN_KEEPALIVE int zemaStep(int count) {
    int done = 0;
    while (running && done < count) {
        if (!loopPass()) {
            endGame();
            break;
        }
        ++done;
    }
    return done;
}

// Holds the frames while the settings panel is open (held non-zero), and lets them go on.
EMSCRIPTEN_KEEPALIVE void zemaHold(int hold) {
    held = hold != 0;
}

// The settings in force, as zema --write-config prints them.
EMSCRIPTEN_KEEPALIVE const char* zemaSettingsText() {
    static std::string text;
    text = settingsText(pageOptions);
    return text.c_str();
}

// Where layout.js puts the canvas: the view's place in the page's area, in device pixels, as the
// desktop's window places it; scale in ViewScale's order. Left, top, width and height, kept for
// JavaScript to read until the next call.
EMSCRIPTEN_KEEPALIVE const int32_t* zemaPlaceView(int32_t areaWidth, int32_t areaHeight,
                                                  int32_t viewWidth, int32_t viewHeight,
                                                  int scale) {
    static int32_t place[4];
    const PictureRect rect =
        placeView(areaWidth, areaHeight, viewWidth, viewHeight, static_cast<ViewScale>(scale));
    place[0] = rect.x;
    place[1] = rect.y;
    place[2] = rect.width;
    place[3] = rect.height;
    return place;
}

EMSCRIPTEN_KEEPALIVE double zemaFramesMixed() {
    return static_cast<double>(soundFramesMixed());
}

EMSCRIPTEN_KEEPALIVE int zemaFrameNumber() {
    return static_cast<int>(frameNumber);
}

// Runs `count` frames (with Space pressed before each when `withBeam` is set) and writes the mean
// time of a frame and of its present alone, and the median of the frames less their presents, in
// milliseconds, to the three outputs. The present is timed inside the frame, so the frame less
// its present is the rules and the draws, without the present's much larger spread. Unless
// `shown` is set the frames are not shown at all, and drawn back to back as the native
// compositor's benchmark draws. The median means something only where the browser's clock is
// fine (a cross-origin isolated page: 5 us; 100 us otherwise). For the page's measurements.
EMSCRIPTEN_KEEPALIVE void zemaTimeFrames(int count, int withBeam, int shown, double* frameMs,
                                         double* presentMs, double* medianMs) {
    static std::vector<double> drawing;
    drawing.clear();
    double frames = 0;
    int done = 0;
    presentTiming = {};
    presentTiming.on = true;
    presentTiming.unshown = shown == 0;
    for (; done < count && running; ++done) {
        // Each frame drawn whole, as the native benchmark draws it: the same frame again would
        // otherwise be drawn only where the beam and the craft's wobble change it.
        displayShowNextFrameWhole();
        if (withBeam) fireShot();
        clearFrameRequests();
        const int64_t presentBefore = presentTiming.nanoseconds;
        const double t0 = emscripten_get_now();
        runFrame();
        const double took = emscripten_get_now() - t0;
        frames += took;
        drawing.push_back(took -
                          static_cast<double>(presentTiming.nanoseconds - presentBefore) / 1e6);
        recordFrame(++frameNumber);
    }
    *frameMs = done > 0 ? frames / done : 0;
    *presentMs = done > 0 ? static_cast<double>(presentTiming.nanoseconds) / 1e6 / done : 0;
    std::sort(drawing.begin(), drawing.end());
    *medianMs = drawing.empty() ? 0 : drawing[drawing.size() / 2];
    presentTiming = {};
}
}

int main(int argc, char** argv) {
    SDL_SetMainReady();
    switches = readSwitches(argc, argv);
    // As on the desktop, a refused setting starts nothing.
    std::string fault;
    if (!readPageOptions(savedPageSettings(), switches.options, pageOptions, fault)) {
        tellPage("refused", pageOptions.out.empty() ? "ZEMA cannot start: " + fault + "." : fault);
        return exitUsage;
    }
    useOptions(pageOptions.options);
    // As on the desktop, the demo is read and checked before anything starts.
    if (switches.demo != DemoRun::None && !openDemoRun(switches.demo, switches.demoPath)) {
        tellPage("failed", (switches.demo == DemoRun::Record ? "The demo cannot be recorded: "
                                                             : "The demo cannot be played: ") +
                               lastDemoReport());
        return demoFault;
    }
    const int status = startUp();
    if (!running) {
        shutDown();
        return status;
    }
    if (switches.smooth) {
        displaySetSmooth(true);
        emscripten_request_animation_frame_loop(showPictureBetweenFrames, nullptr);
    }
    // Keeps the program alive after main returns; the browser calls tick ten times a second.
    emscripten_set_main_loop(tick, framesPerSecond, 0);
    return 0;
}
