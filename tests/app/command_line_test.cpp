// The command line: every option in both value forms, the defaults, and each fault with its
// status, all without starting anything.
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace zema {
namespace {

CommandLine parse(std::vector<std::string> args) {
    return parseCommandLine(args);
}

// A fault: nothing runs, status 2, nothing on standard output, one line naming the culprit and
// pointing at --help on standard error.
void expectUsageFault(const std::vector<std::string>& args, const std::string& named) {
    const CommandLine line = parseCommandLine(args);
    SCOPED_TRACE(named);
    EXPECT_FALSE(line.run);
    EXPECT_EQ(line.exitStatus, exitUsage);
    EXPECT_EQ(line.out, "");
    EXPECT_NE(line.err.find(named), std::string::npos) << line.err;
    EXPECT_NE(line.err.find("--help"), std::string::npos) << line.err;
    ASSERT_FALSE(line.err.empty());
    EXPECT_EQ(line.err.find('\n'), line.err.size() - 1) << "not one line: " << line.err;
    EXPECT_EQ(line.err.rfind("zema: ", 0), 0u) << line.err;
}

TEST(CommandLine, NoArgumentsIsTheOriginalGame) {
    const CommandLine line = parse({});
    EXPECT_TRUE(line.run);
    EXPECT_EQ(line.out, "");
    EXPECT_EQ(line.err, "");
    EXPECT_FALSE(line.options.windowed);
    EXPECT_EQ(line.options.displayIndex, 0);
    EXPECT_FALSE(line.options.noSound);
}

TEST(CommandLine, HelpAndVersionPrintAndExitZero) {
    for (const char* help : {"-h", "--help"}) {
        const CommandLine line = parse({help});
        EXPECT_FALSE(line.run) << help;
        EXPECT_EQ(line.exitStatus, 0);
        EXPECT_EQ(line.out, usageText());
        EXPECT_EQ(line.err, "");
    }
    const CommandLine version = parse({"--version"});
    EXPECT_FALSE(version.run);
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, std::string("zema ") + ZEMA_VERSION + "\n");
    // Help stops the reading at once: what follows is neither used nor judged.
    EXPECT_EQ(parse({"--nosound", "--help", "--bogus"}).out, usageText());
}

TEST(CommandLine, UsageNamesEveryOptionAndKey) {
    const std::string usage = usageText();
    for (const char* word :
         {"-h, --help", "--version", "--window[=WxH]", "--fullscreen", "--display=N", "--nosound",
          "--record=FILE", "--playdemo=FILE", "--timedemo=FILE", "--view=WxH", "--scale=HOW",
          "Alt+Enter", "F12", "Esc", "Space"})
        EXPECT_NE(usage.find(word), std::string::npos) << word;
}

TEST(CommandLine, WindowWithoutASizeIs1024By768) {
    const CommandLine line = parse({"--window"});
    EXPECT_TRUE(line.run);
    EXPECT_TRUE(line.options.windowed);
    EXPECT_EQ(line.options.windowWidth, 1024);
    EXPECT_EQ(line.options.windowHeight, 768);
    EXPECT_FALSE(line.options.windowSizeGiven);
}

TEST(CommandLine, WindowSizeInBothForms) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--window=800x600"}, {"--window", "800x600"}}) {
        const CommandLine line = parse(args);
        EXPECT_TRUE(line.run) << line.err;
        EXPECT_TRUE(line.options.windowed);
        EXPECT_EQ(line.options.windowWidth, 800);
        EXPECT_EQ(line.options.windowHeight, 600);
        EXPECT_TRUE(line.options.windowSizeGiven);
    }
    // An option after --window is not taken as its size.
    const CommandLine line = parse({"--window", "--nosound"});
    EXPECT_TRUE(line.run) << line.err;
    EXPECT_EQ(line.options.windowWidth, 1024);
    EXPECT_TRUE(line.options.noSound);
}

TEST(CommandLine, TheLastOfWindowAndFullscreenWins) {
    EXPECT_FALSE(parse({"--window=640x480", "--fullscreen"}).options.windowed);
    const CommandLine line = parse({"--fullscreen", "--window=640x480"});
    EXPECT_TRUE(line.options.windowed);
    EXPECT_EQ(line.options.windowWidth, 640);
    EXPECT_FALSE(parse({"--fullscreen"}).options.windowed);
}

TEST(CommandLine, DisplayInBothFormsAndNoSound) {
    EXPECT_EQ(parse({"--display=1"}).options.displayIndex, 1);
    EXPECT_EQ(parse({"--display", "3"}).options.displayIndex, 3);
    EXPECT_EQ(parse({"--display=0"}).options.displayIndex, 0);
    const CommandLine line = parse({"--nosound", "--display", "2", "--window=300x200"});
    EXPECT_TRUE(line.run) << line.err;
    EXPECT_TRUE(line.options.noSound);
    EXPECT_EQ(line.options.displayIndex, 2);
    EXPECT_EQ(line.options.windowWidth, 300);
    EXPECT_EQ(line.options.windowHeight, 200);
}

TEST(CommandLine, BadWindowSizesAreRefused) {
    for (const char* size :
         {"0x600", "800x0", "-800x600", "800x-600", "800", "x600", "800x", "axb", "800x600x2",
          "8 00x600", "+800x600", "800X600", "16385x600", "99999999999999999999x600", ""})
        expectUsageFault({std::string("--window=") + size}, std::string("'") + size + "'");
    expectUsageFault({"--window", "0x0"}, "'0x0'");
    // The largest side the command line takes is still taken.
    EXPECT_TRUE(parse({"--window=16384x1"}).run);
}

TEST(CommandLine, ViewAndScaleInEitherOrder) {
    const std::pair<std::vector<std::string>, std::vector<int>> cases[] = {
        {{}, {0, 0, int(ViewScale::Fit)}},
        {{"--view=1024x768"}, {1024, 768, int(ViewScale::Fit)}},
        {{"--view", "640x480", "--scale", "integer"}, {640, 480, int(ViewScale::Integer)}},
        {{"--scale=stretch"}, {800, 600, int(ViewScale::Stretch)}}, // alone: the original's size
        {{"--scale=integer", "--view=1024x768"}, {1024, 768, int(ViewScale::Integer)}}};
    for (const auto& [args, want] : cases) {
        const Options got = parse(args).options;
        EXPECT_EQ(std::vector<int>({got.viewWidth, got.viewHeight, int(got.scale)}), want);
    }
    for (const char* fault : {"--view=0x600", "--view=16385x600", "--scale=Fit", "--scale="})
        expectUsageFault({fault},
                         std::string(fault).substr(std::string(fault).find('=') + 1) + "'");
    Options view;
    view.viewWidth = 1025, view.viewHeight = 768;
    EXPECT_EQ(displayChoiceFault(view, {{1024, 768}}),
              "zema: a 1025x768 view does not fit display 0 (1024x768)\n");
}

TEST(CommandLine, BadDisplayNumbersAreRefused) {
    for (const char* number : {"abc", "1a", "-1", "+1", "1.5", "", "99999999999"})
        expectUsageFault({std::string("--display=") + number}, std::string("'") + number + "'");
    expectUsageFault({"--display"}, "--display");
    expectUsageFault({"--display", "--nosound"}, "--display");
}

TEST(CommandLine, UnknownOptionsAndStrayArgumentsAreRefused) {
    expectUsageFault({"--bogus"}, "'--bogus'");
    expectUsageFault({"--bogus=3"}, "'--bogus'");
    expectUsageFault({"-x"}, "'-x'");
    expectUsageFault({"-hv"}, "'-hv'");
    expectUsageFault({"--Window"}, "'--Window'");
    expectUsageFault({"--win"}, "'--win'");
    expectUsageFault({"extra"}, "'extra'");
    expectUsageFault({"-"}, "'-'");
    expectUsageFault({"--nosound", "stray"}, "'stray'");
    expectUsageFault({"--", "--nosound"}, "'--nosound'");
    expectUsageFault({"--nosound=yes"}, "'--nosound'");
    expectUsageFault({"--fullscreen=1"}, "'--fullscreen'");
    expectUsageFault({"--version=2"}, "'--version'");
    // The first fault is the one reported, and nothing after it is read.
    expectUsageFault({"--window=0x0", "--bogus"}, "'0x0'");
    expectUsageFault({"--bogus", "--help"}, "'--bogus'");
    // "--" alone ends the options and leaves the defaults.
    EXPECT_TRUE(parse({"--nosound", "--"}).run);
}

TEST(CommandLine, DemoOptionsInBothForms) {
    EXPECT_EQ(parse({}).options.demo, DemoRun::None);
    struct Case {
        const char* name;
        DemoRun run;
    };
    for (const Case& c : {Case{"--record", DemoRun::Record}, Case{"--playdemo", DemoRun::Play},
                          Case{"--timedemo", DemoRun::Time}}) {
        const CommandLine joined = parse({std::string(c.name) + "=games/a b.demo"});
        EXPECT_TRUE(joined.run) << joined.err;
        EXPECT_EQ(joined.options.demo, c.run) << c.name;
        EXPECT_EQ(joined.options.demoPath, "games/a b.demo");
        const CommandLine apart = parse({"--nosound", c.name, "run.demo", "--window"});
        EXPECT_TRUE(apart.run) << apart.err;
        EXPECT_EQ(apart.options.demo, c.run) << c.name;
        EXPECT_EQ(apart.options.demoPath, "run.demo");
        EXPECT_TRUE(apart.options.noSound);
        EXPECT_TRUE(apart.options.windowed);
        // A name that starts with a dash needs the joined form.
        EXPECT_EQ(parse({std::string(c.name) + "=-x.demo"}).options.demoPath, "-x.demo");
    }
}

TEST(CommandLine, DemoOptionsNeedAFileAndExcludeEachOther) {
    for (const char* name : {"--record", "--playdemo", "--timedemo"}) {
        expectUsageFault({name}, name);
        expectUsageFault({name, "--nosound"}, name);
        expectUsageFault({std::string(name) + "="}, "a demo needs a file name");
    }
    expectUsageFault({"--record=a", "--playdemo=b"}, "only one of --record, --playdemo");
    expectUsageFault({"--timedemo=a", "--timedemo=a"}, "only one of --record, --playdemo");
    expectUsageFault({"--playdemo", "a", "b"}, "'b'");
}

} // namespace
} // namespace zema

namespace zema {
namespace {

Options windowOf(int32_t width, int32_t height, int32_t display = 0) {
    Options options;
    options.windowed = true;
    options.windowWidth = width;
    options.windowHeight = height;
    options.windowSizeGiven = true;
    options.displayIndex = display;
    return options;
}

TEST(DisplayChoice, AWindowMustFitItsDisplay) {
    const std::vector<DisplaySize> displays = {{1024, 768}, {640, 480}};
    EXPECT_EQ(displayChoiceFault(windowOf(1024, 768), displays), "");
    EXPECT_EQ(displayChoiceFault(windowOf(800, 600), displays), "");
    EXPECT_EQ(displayChoiceFault(windowOf(1025, 768), displays),
              "zema: a 1025x768 window does not fit display 0 (1024x768)\n");
    EXPECT_EQ(displayChoiceFault(windowOf(1024, 769), displays),
              "zema: a 1024x769 window does not fit display 0 (1024x768)\n");
    EXPECT_EQ(displayChoiceFault(windowOf(800, 600, 1), displays),
              "zema: a 800x600 window does not fit display 1 (640x480)\n");
    // Fullscreen takes the display's own mode: any remembered size is fine.
    Options fullscreen = windowOf(5000, 5000, 1);
    fullscreen.windowed = false;
    EXPECT_EQ(displayChoiceFault(fullscreen, displays), "");
    // The default size is not judged: the display makes it fit.
    Options defaultSize = windowOf(1024, 768);
    defaultSize.windowSizeGiven = false;
    EXPECT_EQ(displayChoiceFault(defaultSize, {{800, 600}}), "");
    // A display that reports no size is left to the display's set-up.
    EXPECT_EQ(displayChoiceFault(windowOf(5000, 5000), {{0, 0}}), "");
}

TEST(DisplayChoice, TheDisplayMustExist) {
    Options options;
    options.displayIndex = 1;
    EXPECT_EQ(displayChoiceFault(options, {{1024, 768}}),
              "zema: there is no display 1 (only display 0)\n");
    options.displayIndex = 3;
    EXPECT_EQ(displayChoiceFault(options, {{1024, 768}, {800, 600}, {640, 480}}),
              "zema: there is no display 3 (displays 0 to 2)\n");
    options.displayIndex = 2;
    EXPECT_EQ(displayChoiceFault(options, {{1024, 768}, {800, 600}, {640, 480}}), "");
    // No display at all: the display's set-up says so, with its own message.
    EXPECT_EQ(displayChoiceFault(options, {}), "");
}

} // namespace
} // namespace zema
