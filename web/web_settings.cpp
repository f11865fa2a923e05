// The page's settings, read and changed with the desktop's own parser and settings editors.
#include "web_settings.h"

#include <SDL.h>
#include <emscripten.h>

#include "app/setting_rows.h"

namespace zema {

namespace {

// The settings that mean something in a page: the view and its scaling, smooth motion, the
// sounds' volumes, the keys and the pad; a window, a display or the sound device do not.
bool pageSetting(const OptionSpec& spec) {
    const std::string name = spec.name;
    return name == "view" || name == "scale" || name == "smooth" || name == "input" ||
           name.compare(0, 4, "key.") == 0 || name.compare(0, 4, "pad.") == 0 ||
           (name.size() >= 6 && name.compare(name.size() - 6, 6, "volume") == 0);
}

// The page is its one display, as large as it makes a view; the views the panel offers.
const RowContext pageContext = {{{largestPageView, largestPageView}},
                                {"800x600", "1024x768", "1280x720", "1920x1080"}};

const char* rowKindNames[] = {"toggle", "choice", "count",  "volume", "size",
                              "rate",   "keys",   "button", "text"};

// One field of a row's line: no tab or line end in it.
std::string field(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return text;
}

// Kept for JavaScript to read until the next call.
const char* kept(std::string text) {
    static std::string keptText;
    keptText = std::move(text);
    return keptText.c_str();
}

} // namespace

std::string savedPageSettings() {
    return emscripten_run_script_string("(() => { try { return localStorage.getItem("
                                        "'zema.settings') || ''; } catch (e) { return ''; } })()");
}

bool readPageOptions(const std::string& saved, const std::vector<std::string>& address,
                     CommandLine& line, std::string& fault) {
    const CommandLine fromStorage = parseSettings(saved, "the settings kept by this browser");
    line = fromStorage.run ? parseCommandLine(address, fromStorage) : fromStorage;
    if (!line.run) {
        // The fault without the program's name and the desktop's hint, or what is printed.
        fault = !line.out.empty() ? line.out : line.err.substr(line.err.find(' ') + 1);
        fault = fault.substr(0, fault.find(" (try 'zema --help')"));
        while (!fault.empty() && fault.back() == '\n')
            fault.pop_back();
        return false;
    }
    const Options& o = line.options;
    if (!o.configPath.empty() || o.writeConfig || o.demo == DemoRun::Time) {
        fault = "?config, ?write-config and ?timedemo have no place in a page";
        return false;
    }
    fault = displayChoiceFault(o, {{largestPageView, largestPageView}});
    if (fault.empty()) return true;
    fault = "a " + std::to_string(o.viewWidth) + "x" + std::to_string(o.viewHeight) +
            " view is larger than the page's largest, " + std::to_string(largestPageView) + "x" +
            std::to_string(largestPageView);
    return false;
}

} // namespace zema

using namespace zema;

extern "C" {

// The panel's rows over the saved settings' text, one line each: name, kind, the value shown,
// "set" when the text gives it (else "default"), and its help, separated by tabs.
EMSCRIPTEN_KEEPALIVE const char* zemaPanelRows(const char* text) {
    const CommandLine inForce = settingsInForce(text);
    std::string rows;
    for (const OptionSpec* spec : settingRows()) {
        if (!pageSetting(*spec)) continue;
        bool given = false;
        for (const auto& each : inForce.settingsGiven)
            given = given || each.first == spec->name;
        rows += field(spec->name) + "\t" + rowKindNames[int(rowKind(*spec))] + "\t" +
                field(shownRowValue(*spec, inForce)) + "\t" + (given ? "set" : "default") + "\t" +
                field(spec->help) + "\n";
    }
    return kept(rows);
}

// The text with the row stepped (direction 1 or -1) or, for direction 0, made value ("" its
// default): the fault (empty when none) on the first line, then the text.
EMSCRIPTEN_KEEPALIVE const char* zemaPanelChange(const char* text, const char* name,
                                                 const char* value, int direction) {
    const OptionSpec* spec = findLongOption(name);
    if (spec == nullptr || !spec->setting)
        return kept(std::string("no setting is named ") + name + "\n" + text);
    std::string chosen = value;
    if (direction != 0 && !steppedRowValue(text, *spec, direction, pageContext, chosen))
        return kept(std::string("\n") + text);
    const std::string fault = rowValueFault(text, *spec, chosen, pageContext);
    return kept(fault + "\n" + (fault.empty() ? withRowValue(text, *spec, chosen) : text));
}

// The name of the last key SDL was given since the panel began to wait for one (SDL's own name,
// as the settings take it), or "" for none; the keys are taken from SDL's queue, so that the
// game never sees them.
EMSCRIPTEN_KEEPALIVE const char* zemaTakeKey() {
    SDL_Event event;
    SDL_Keycode key = SDLK_UNKNOWN;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_KEYDOWN, SDL_KEYDOWN) == 1)
        if (event.key.repeat == 0) key = event.key.keysym.sym;
    SDL_FlushEvents(SDL_KEYDOWN, SDL_TEXTINPUT);
    return key == SDLK_UNKNOWN ? "" : keyName(key);
}
}
