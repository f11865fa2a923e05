"""The browser build in headless Chromium, against zema-sim: the title drawn pixel for pixel,
play through the keys and through a pad, the frame record, sound after the first key, resizing,
ending and starting again, a failed start-up said on the page, demos played and recorded in
the page, a player's own copy, and the settings from the address and the settings panel. With
--bench it measures instead.

Usage: browser_test.py WWW-FOLDER ZEMA-SIM
           [--bench [--against OTHER-WWW] [--native COMPOSITOR-BENCH]] [--shots FOLDER]
       browser_test.py WWW-FOLDER ZEMA-SIM --bench --cold [--against OTHER-WWW] [--pairs N]
           (the first visit, each load in a fresh browser: bench/web/first_visit.py)
       browser_test.py WWW-FOLDER ZEMA-SIM --bench --smooth-cost [--pairs N] [--frames N]
           (what ?smooth costs the processor: bench/web/smooth_cost.py)"""
import asyncio
import json
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

import cdp
from own_copy_page import use_own_copy
from png import read_png

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)


def sim(zema_sim, script, width, height, shot_frame=None, shot_path=None):
    """zema-sim's lines for the script, and the picture of one frame when asked."""
    args = [zema_sim, "--mode", f"{width}x{height}"]
    if shot_frame:
        args += ["--shot", str(shot_frame), shot_path]
    done = subprocess.run(args, input=script, capture_output=True, text=True, timeout=60)
    if done.returncode != 0:
        raise RuntimeError(f"zema-sim failed: {done.stderr}")
    return done.stdout.splitlines()


def check_records(lines, expected, what):
    """The page's frame records against zema-sim's, frame by frame; the first that differs is
    printed."""
    same = sum(1 for a, b in zip(lines, expected) if a == b)
    check(len(lines) == len(expected) and same == len(expected),
          f"{what}, frame by frame ({same} of {len(expected)})")
    for a, b in zip(lines, expected):
        if a != b:
            print(f"  page:     {a}\n  zema-sim: {b}")
            break


def differing_pixels(canvas, picture, masked=None):
    """How many pixels differ in colour (alpha aside), outside the masked rectangle."""
    cw, ch, cdata = canvas
    pw, ph, pdata = picture
    if (cw, ch) != (pw, ph):
        return cw * ch or 1
    differ = 0
    for y in range(ch):
        row = y * cw * 4
        a, b = cdata[row:row + cw * 4], pdata[row:row + cw * 4]
        if a == b:
            continue
        for x in range(cw):
            if masked and masked[0] <= x < masked[2] and masked[1] <= y < masked[3]:
                continue
            i = x * 4
            if a[i:i + 3] != b[i:i + 3]:
                differ += 1
    return differ


async def title_matches(page, zema_sim, width, height, work, what):
    shot = os.path.join(work, f"title-{width}x{height}.png")
    sim(zema_sim, "frame\n", width, height, 1, shot)
    canvas = await page.canvas_pixels()
    differ = differing_pixels(canvas, read_png(shot))
    check(differ == 0, f"{what}: the {width}x{height} canvas equals zema-sim's title "
                       f"({differ} pixels differ)")


async def page_says(page, state, what):
    """Waits for the page's state and returns what the page then says."""
    await page.wait_for(f"Module.zemaState === '{state}'", what=what)
    return await page.evaluate("document.getElementById('message').innerText")


async def frames_pass(page, count):
    start = await page.evaluate("Module.zemaFrameNumber()")
    await page.wait_for(f"Module.zemaFrameNumber() >= {start + count}",
                        what=f"{count} more frames")


async def check_no_frame_runs(page, what):
    """The game's frame number stands still while the page's timer fires five times at the
    loop's own 100 ms, as often as the loop would have run a frame, however busy the machine."""
    frame = await page.evaluate("Module.zemaFrameNumber()")
    await page.evaluate("new Promise(done => { let fired = 0; const tick = () => "
                        "++fired === 5 ? done() : setTimeout(tick, 100); setTimeout(tick, 100); })",
                        timeout=cdp.WAIT_TIMEOUT)
    now = await page.evaluate("Module.zemaFrameNumber()")
    check(now == frame, f"{what} (frame {frame}, then {now})")


async def record(page):
    return json.loads(await page.evaluate("Module.zemaRecord()"))


async def play_in_real_time(page, zema_sim, work):
    """The page as a player meets it: the loop at its own pace."""
    await page.open(page.server.url(), 1024, 768)
    check(await page.evaluate("Module.zemaState") == "running", "the game starts")
    await frames_pass(page, 2)
    await title_matches(page, zema_sim, 1024, 768, work, "title")
    # The browser is asked for a frame every 100 ms and never runs one sooner; a busy machine
    # only makes frames late, so twenty frames are timed against their least time alone.
    timing = await page.evaluate("[Browser.mainLoop.timingMode, Browser.mainLoop.timingValue]")
    started = time.monotonic()  # before the frame is read, so that no interval is lost
    first = await page.evaluate("Module.zemaFrameNumber()")
    await page.wait_for(f"Module.zemaFrameNumber() >= {first + 21}", what="twenty frames")
    took = time.monotonic() - started
    check(timing == [0, 100] and took >= 1.9,
          f"the loop keeps the game's pace, ten frames a second: a frame each 100 ms "
          f"(timer mode and ms {timing}), twenty frames in no less than 2 s ({took:.2f} s)")
    audio = await page.evaluate("Module.zemaAudio()")
    check(audio["state"] != "running" and audio["framesMixed"] == 0,
          f"no sound before the first key (context {audio['state']}, "
          f"{audio['framesMixed']} frames mixed)")

    await page.resize(1280, 720)
    await page.wait_for("Module.canvas.width === 1280 && Module.canvas.height === 720",
                        what="the canvas to follow the page's size")
    await frames_pass(page, 2)
    await title_matches(page, zema_sim, 1280, 720, work, "after resizing")
    await page.resize(1024, 768)
    await page.wait_for("Module.canvas.width === 1024", what="the canvas to follow back")

    await page.press("Enter")
    await page.wait_for("Module.zemaAudio().state === 'running'", what="the audio context")
    mixed = (await page.evaluate("Module.zemaAudio()"))["framesMixed"]
    check(await page.wait_for(f"Module.zemaAudio().framesMixed > {mixed + 10000}",
                              what="the mixer to be fed"),
          "the mixer is fed after the first key (10000 more frames mixed)")
    await page.wait_for("JSON.parse(Module.zemaRecord()).screenMode === 0",
                        what="Enter to start play")
    check(True, "Enter starts play")

    before = await record(page)
    await page.key("ArrowRight", True)
    await frames_pass(page, 3)
    await page.key("ArrowRight", False)
    await frames_pass(page, 1)
    after = await record(page)
    moved = after["scrollX"] - before["scrollX"]
    check(moved > 0 and moved % 50 == 0 and after["scrollY"] == before["scrollY"],
          f"a held Right arrow scrolls in 50-pixel steps (scrollX {before['scrollX']} -> "
          f"{after['scrollX']})")
    await page.press("Space")
    await frames_pass(page, 1)
    shot = await record(page)
    check(shot["shotTimer"] == 9, f"Space fires the beam (shotTimer {shot['shotTimer']})")

    await page.press("Escape")
    text = await page_says(page, "ended", "Esc to end the game")
    check("ended" in text and "Start again" in text,
          f"the page says the game ended and offers to start again ({text!r})")
    await check_no_frame_runs(page, "no frame runs after Esc")

    await page.evaluate("document.getElementById('again').click()")
    await page.wait_for("typeof Module !== 'undefined' && Module.zemaState === 'running' && "
                        "Module.zemaFrameNumber() >= 2", what="the game to start again")
    await title_matches(page, zema_sim, 1024, 768, work, "started again")

    # Reloading in the middle of a game starts afresh on the title.
    await page.press("Enter")
    await page.wait_for("JSON.parse(Module.zemaRecord()).screenMode === 0", what="play")
    await page.evaluate("window.zemaOldPage = true")
    await page.send("Page.reload")
    await page.wait_for("window.zemaOldPage === undefined && typeof Module !== 'undefined' && "
                        "Module.zemaState === 'running' && Module.zemaFrameNumber() >= 2",
                        what="the reloaded page")
    await title_matches(page, zema_sim, 1024, 768, work, "reloaded during play")
    check(not page.exceptions(), f"no script errors ({len(page.exceptions())})")


async def scaled_view(page, zema_sim, work):
    """?view=800x600&scale=integer in a 1700 x 1300 window: zema-sim's 800 x 600 title doubled,
    pixel for pixel, at (50, 50), black around it."""
    shot, seen = os.path.join(work, "title-800x600.png"), os.path.join(work, "scaled.png")
    sim(zema_sim, "frame\n", 800, 600, 1, shot)
    tw, th, title = read_png(shot)
    await page.open(page.server.url("?view=800x600&scale=integer"), 1700, 1300)
    await frames_pass(page, 2)
    await page.evaluate("document.getElementById('own-copy').hidden = true")  # over the bar
    await page.screenshot(seen)
    width, height, pixels = read_png(seen)
    black, left, top, differ = b"\0\0\0\xff", 50, 50, 0
    for y in range(height):
        wanted = bytearray(black * width)
        if top <= y < top + 2 * th:
            source = title[(y - top) // 2 * tw * 4:((y - top) // 2 + 1) * tw * 4]
            for c in range(4):
                for half in (0, 4):
                    wanted[left * 4 + half + c:(left + 2 * tw) * 4:8] = source[c::4]
        row = pixels[y * width * 4:(y + 1) * width * 4]
        if row != wanted:
            differ += sum(1 for x in range(width) if row[x * 4:x * 4 + 3] != wanted[x * 4:x * 4 + 3])
    check(await page.evaluate("Module.canvas.width === 800 && Module.canvas.height === 600") and
          differ == 0, f"?view=800x600&scale=integer in 1700x1300: the title doubled at "
                       f"(50, 50), black around it ({differ} pixels differ)")


# A script in zema-sim's words; the page gets the same keys, one frame at a time.
SCRIPT = """frame
enter
frames 2
frames 3 r
frames 2 d
space
frame
frames 2 l
frames 2 u
space
frame
"""
KEYS = {"l": "ArrowLeft", "r": "ArrowRight", "u": "ArrowUp", "d": "ArrowDown"}


async def play_by_script(page, zema_sim, work):
    """The same inputs as zema-sim, frame by frame (the page's ?paused switch)."""
    expected = sim(zema_sim, SCRIPT, 1024, 768)
    last_shot = os.path.join(work, "scripted.png")
    sim(zema_sim, SCRIPT, 1024, 768, len(expected), last_shot)
    await page.open(page.server.url("?paused"), 1024, 768)
    held, lines = set(), []
    for command in SCRIPT.split("\n"):
        words = command.split()
        if not words:
            continue
        if words[0] in ("enter", "space"):
            await page.press("Enter" if words[0] == "enter" else "Space")
            continue
        count = int(words[1]) if words[0] == "frames" else 1
        letters = words[-1] if len(words) > (2 if words[0] == "frames" else 1) else ""
        wanted = {KEYS[c] for c in letters}
        for key in held - wanted:
            await page.key(key, False)
        for key in wanted - held:
            await page.key(key, True)
        held = wanted
        for _ in range(count):
            check_step = await page.evaluate("Module.zemaStep(1)")
            if check_step != 1:
                raise AssertionError("a scripted frame did not run")
            lines.append(await page.evaluate("Module.zemaRecord()"))
    check_records(lines, expected, "the page's records equal zema-sim's")
    # The page seeds the craft's wobble from the clock; the rest is the same picture.
    craft = (295, 240, 505, 410)
    differ = differing_pixels(await page.canvas_pixels(), read_png(last_shot), craft)
    check(differ == 0, f"the last scripted frame, beam included, equals zema-sim's picture "
                       f"outside the craft ({differ} pixels differ)")


# A pad the page sees from its start: navigator.getGamepads answers with one "standard" pad whose
# stick and buttons the test sets between frames (headless Chromium has no pads of its own).
FAKE_PAD = """(() => {
    const pad = {id: 'ZEMA test pad', index: 0, connected: true, mapping: 'standard',
                 timestamp: 1, axes: [0, 0, 0, 0],
                 buttons: Array.from({length: 17}, () => ({pressed: false, touched: false,
                                                          value: 0}))};
    window.zemaSetPad = (x, y, pressed) => {
        pad.axes[0] = x;
        pad.axes[1] = y;
        pad.buttons.forEach((b, i) => { b.pressed = pressed.includes(i); b.value = +b.pressed; });
        pad.timestamp += 1;
    };
    Object.defineProperty(Navigator.prototype, 'getGamepads',
                          {configurable: true, value: () => [pad, null, null, null]});
})()"""

# (frames, held in zema-sim's letters, whether the directions are on the D-pad or the stick).
PAD_STEPS = [(1, "", False), (1, "s", False), (2, "", False), (3, "r", False), (2, "d", False),
             (1, "f", False), (1, "", False), (2, "lu", False), (2, "u", True), (1, "rdf", False),
             (2, "l", True), (2, "rd", True), (1, "", False)]
DPAD_BUTTONS = {"u": 12, "d": 13, "l": 14, "r": 15}


async def play_with_a_pad(page, zema_sim):
    """A pad present as the page starts steers with the stick at its ends and with the D-pad,
    fires and starts the game as zema-sim's joystick does: the third button fires, the second
    starts."""
    script = "device joystick\n" + "".join(f"frames {n} {held}\n" for n, held, _ in PAD_STEPS)
    expected = sim(zema_sim, script, 1024, 768)
    added = await page.send("Page.addScriptToEvaluateOnNewDocument", {"source": FAKE_PAD})
    try:
        await page.open(page.server.url("?paused"), 1024, 768)
    finally:
        await page.send("Page.removeScriptToEvaluateOnNewDocument",
                        {"identifier": added["identifier"]})
    lines = []
    for count, held, dpad in PAD_STEPS:
        x = -1 if "l" in held else 1 if "r" in held else 0
        y = -1 if "u" in held else 1 if "d" in held else 0
        buttons = ([2] if "f" in held else []) + ([1] if "s" in held else [])
        if dpad:
            buttons += [DPAD_BUTTONS[c] for c in held if c in DPAD_BUTTONS]
            x = y = 0
        await page.evaluate(f"zemaSetPad({x}, {y}, {buttons})")
        for _ in range(count):
            if await page.evaluate("Module.zemaStep(1)") != 1:
                raise AssertionError("a frame with the pad did not run")
            lines.append(await page.evaluate("Module.zemaRecord()"))
    check_records(lines, expected, "with a pad, the page's records equal zema-sim's joystick run")


# (frames, the stick's directions in zema-sim's letters, fire: "tap" before the first frame or
# held throughout, start tapped before the first frame).
TOUCH_STEPS = [(1, "", None, False), (2, "", None, True), (3, "r", None, False),
               (2, "rd", None, False), (1, "", "tap", False), (3, "l", "held", False),
               (2, "u", "held", False), (2, "lu", None, False), (1, "", None, False)]
LEANS = {"l": (-1, 0), "r": (1, 0), "u": (0, -1), "d": (0, 1)}


def touch_script():
    """The touches in zema-sim's words: start is Enter, fire a Space before each frame it is
    down in, the stick the arrows held."""
    lines = []
    for frames, held, fire, start in TOUCH_STEPS:
        lines += ["enter"] if start else []
        for i in range(frames):
            lines += ["space"] if fire == "held" or (fire == "tap" and i == 0) else []
            lines.append(f"frame {held}".strip())
    return "\n".join(lines) + "\n"


async def play_by_touch(page, zema_sim):
    """An emulated 844 x 390 phone: the stick, fire and start, steering and firing at once, give
    zema-sim's keyboard run frame by frame; the game recorded (?record) replays in zema-sim."""
    expected = sim(zema_sim, touch_script(), 800, 600)
    page.phone = True
    await page.open(page.server.url("?paused&record"), 844, 390)
    check(await page.evaluate("Module.canvas.width === 800 && Module.canvas.height === 600"),
          "a touch screen plays the 800x600 view")
    await page.touch({1: (422, 195)})  # anywhere
    await page.touch({})
    await page.wait_for("Module.zemaAudio().state === 'running'", what="the first touch's sound")
    shown = await page.evaluate("getComputedStyle(document.getElementById('controls')).display")
    check(shown != "none", f"the controls show at the first touch ({shown})")
    sx, sy, width = await page.centre("[data-control=stick]")
    fire, start = [(await page.centre(f"[data-control={c}]"))[:2] for c in ("fire", "start")]
    lines, together = [], []
    for frames, held, fire_how, start_tap in TOUCH_STEPS:
        if start_tap:
            await page.touch({3: start})
            await page.touch({})
        points = {}
        if held:
            dx, dy = (sum(LEANS[c][i] for c in held) for i in (0, 1))
            reach = width * 0.35 / (dx * dx + dy * dy) ** 0.5  # inside the round stick
            points[1] = (sx + dx * reach, sy + dy * reach)
        if fire_how:
            await page.touch({**points, 2: fire})
            if fire_how == "held":
                points[2] = fire
        await page.touch(points)
        for _ in range(frames):
            if await page.evaluate("Module.zemaStep(1)") != 1:
                raise AssertionError("a frame with touches did not run")
            lines.append(await page.evaluate("Module.zemaRecord()"))
            if fire_how == "held" and held:
                together.append((json.loads(lines[-2]), json.loads(lines[-1])))
    await page.touch({})
    check_records(lines, expected,
                  "played by touch, the page's records equal zema-sim's keyboard run")
    check(together and all(now["shotTimer"] > 0 for _, now in together) and
          all((now["scrollX"], now["scrollY"]) != (before["scrollX"], before["scrollY"])
              for before, now in together),
          f"steering and firing at once: the craft moves and the beam stays on in each of "
          f"{len(together)} frames")
    await page.press("Escape")
    await page.evaluate("Module.zemaStep(1)")
    await page_says(page, "ended", "Esc to end the game played by touch")
    demo = await page.evaluate("fetch(document.getElementById('demo').href).then(r => r.text())")
    done = subprocess.run([zema_sim], input=demo, capture_output=True, text=True, timeout=60)
    replayed = done.stdout.splitlines()
    check(done.returncode == 0 and replayed == lines,
          f"zema-sim replays the demo recorded by touch frame for frame "
          f"(status {done.returncode}, {len(replayed)} of {len(lines)} frames)")
    page.phone = False


CLEAR_SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests",
                            "replays", "clear_game.script")


def write_demo(site, name, text):
    os.makedirs(os.path.join(site, "demos"), exist_ok=True)
    with open(os.path.join(site, "demos", name), "w") as f:
        f.write(text)
    return "demos/" + name


async def demo_ends_with(page, address, paused, wanted, what):
    await page.open(page.server.url(("?paused&" if paused else "?") + "demo=" + address),
                    1024, 768)
    if paused:
        for _ in range(10):
            if await page.evaluate("Module.zemaStep(500)", timeout=cdp.WAIT_TIMEOUT) < 500:
                break
    await page.wait_for("Module.zemaState !== 'running'", what=f"{what} to end")
    state = await page.evaluate("Module.zemaState")
    text = await page.evaluate("document.getElementById('text').innerText")
    check(state == wanted[0] and wanted[1] in text, f"{what}: {state}, {text!r}")
    return text


async def play_demos(page, zema_sim, site):
    """Demos in the page, as zema --playdemo plays them: the whole clearing game, fast and to its
    recorded end; a short one in real time; an edited end, a broken demo and a missing one."""
    with open(CLEAR_SCRIPT) as f:
        clear = f.read()
    last = sim(zema_sim, clear, 1024, 768)[-1]
    cleared = write_demo(site, "clear.demo", clear + "expect " + last + "\n")
    await demo_ends_with(page, cleared, True,
                         ("ended", "its last frame is the one recorded"), "the clearing demo")
    record = await page.evaluate("Module.zemaRecord()")
    check(record == last, "the clearing demo's last record in the page equals zema-sim's")
    if record != last:
        print(f"  page:     {record}\n  zema-sim: {last}")

    # With the header a desktop recording starts with; its mode is not the page's size.
    short = "device keyboard\nseed 7\nmode 1920x1080\nenter\nframes 3 r\nspace\nframes 10 d\n"
    short_demo = write_demo(site, "short.demo",
                            short + "expect " + sim(zema_sim, short, 1024, 768)[-1] + "\n")
    await demo_ends_with(page, short_demo, False,
                         ("ended", "its last frame is the one recorded"),
                         "a short demo played at the game's pace")
    check(await page.evaluate("Module.zemaFrameNumber()") == 13,
          "the short demo ran its thirteen frames and no more")

    edited = write_demo(site, "edited.demo", clear + "expect " +
                        last.replace('"energy":', '"energy":1', 1) + "\n")
    await demo_ends_with(page, edited, True, ("ended", '"energy" differs'),
                         "a demo whose last frame was edited")

    broken = write_demo(site, "broken.demo", "enter\njump\nframe\n")
    await demo_ends_with(page, broken, False, ("failed", "line 2"), "a broken demo")
    check(await page.evaluate("Module.zemaFrameNumber()") == 0, "no frame runs after it")

    await demo_ends_with(page, "demos/none-such.demo", False, ("failed", "404"),
                         "a demo that is not there")


async def smooth_pictures(page, zema_sim, site):
    """?smooth: the first 40 frames of the clearing demo show at least 1.5 times as many pictures
    as frames, counted on the canvas at each of the browser's animation frames."""
    with open(CLEAR_SCRIPT) as f:
        lines = f.read().splitlines()
    script, frames = "", 0
    for line in lines:
        if line.startswith("frames ") and frames + int(line.split()[1]) > 40:
            break
        script += line + "\n"
        frames += int(line.split()[1]) if line.startswith("frames ") else 0
    demo = write_demo(site, "smooth.demo",
                      script + "expect " + sim(zema_sim, script, 800, 600)[-1] + "\n")
    await page.open(page.server.url("?smooth&demo=" + demo), 800, 600)
    await page.evaluate("""(() => {
        window.zemaPictures = 0;
        let last = '';
        const look = () => {
            const c = Module.canvas;
            if (c.width > 0 && Module.zemaState === 'running') {
                const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
                let h = 0;
                for (let i = 0; i < d.length; i += 4) h = (Math.imul(h, 31) + d[i] + d[i + 1] * 7) | 0;
                if (String(h) !== last) ++window.zemaPictures;
                last = String(h);
            }
            requestAnimationFrame(look);
        };
        requestAnimationFrame(look);
    })()""")
    await page.wait_for("Module.zemaState !== 'running'", timeout=60, what="the smooth demo to end")
    ran = await page.evaluate("Module.zemaFrameNumber()")
    shown = await page.evaluate("window.zemaPictures")
    check(ran == frames and shown >= ran * 1.5,
          f"?smooth: {shown} pictures in {ran} frames of the clearing demo (want 1.5 a frame)")


async def record_a_game(page, zema_sim):
    """?record: a game played with the keys is offered as a demo when it ends, and zema-sim
    replays the saved demo to the same last frame."""
    await page.open(page.server.url("?paused&record"), 1024, 768)
    await page.press("Enter")
    await page.evaluate("Module.zemaStep(1)")
    await page.key("ArrowRight", True)
    await page.evaluate("Module.zemaStep(3)")
    await page.key("ArrowRight", False)
    await page.press("Space")
    await page.evaluate("Module.zemaStep(2)")
    last = await page.evaluate("Module.zemaRecord()")
    await page.press("Escape")
    await page.evaluate("Module.zemaStep(1)")
    text = await page_says(page, "ended", "Esc to end the recorded game")
    check("Save the demo" in text and "can be saved" in text,
          f"the page offers the recorded demo ({text!r})")
    demo = await page.evaluate("fetch(document.getElementById('demo').href).then(r => r.text())")
    lines = demo.splitlines()
    keys = [line for line in lines if not line.startswith(("#", "seed ", "expect "))]
    wanted = ["device keyboard", "mode 1024x768", "enter", "frame", "frame r", "frame r",
              "frame r", "space", "frame", "frame", "esc"]
    check(keys == wanted and lines[-1].startswith("expect "),
          f"the demo holds the game's header, keys and frames, then its end: {keys}")
    done = subprocess.run([zema_sim], input=demo, capture_output=True, text=True, timeout=60)
    check(done.returncode == 0 and done.stdout.splitlines()[-1:] == [last],
          f"zema-sim replays the saved demo to the page's last frame (status "
          f"{done.returncode}{', ' + done.stderr.strip() if done.stderr else ''})")


WEB = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")


# The page's notice of a new build, shown, and what each build leaves in the page.
NOTICE_SHOWN = ("(n => !n.hidden && n.offsetWidth > 0 && "
                "n.innerText.includes('A new version of ZEMA is ready'))"
                "(document.getElementById('update'))")
NEXT_BUILD = ("document.body.innerHTML.includes('the next build') && "
              "window.zemaNextBuild === true")
# The registration's state once the new build's worker has taken the page, and the caches.
WORKER_STATE = """(async () => {
    const r = await navigator.serviceWorker.getRegistration();
    return {active: r && r.active && r.active.state, waiting: !!(r && r.waiting),
            controlled: !!navigator.serviceWorker.controller, caches: await caches.keys()};
})()"""


def next_build(site):
    """Makes the site the next build: its page and one of its scripts changed, its worker written
    for them. The name of the new build's cache."""
    for name, old, new in (("index.html", "</body>", "<!-- the next build --></body>"),
                           ("layout.js", "function scaledPicture",
                            "window.zemaNextBuild = true;\nfunction scaledPicture")):
        path = os.path.join(site, name)
        with open(path) as f:
            text = f.read().replace(old, new, 1)
        with open(path, "w") as f:
            f.write(text)
    with open(os.path.join(site, "sw.js")) as f:
        files = re.findall(r"^  '([^']+)': '", f.read(), re.M)
    subprocess.run(["cmake", f"-DWWW={site}",
                    f"-DTEMPLATE={os.path.join(WEB, 'service_worker.js.in')}",
                    "-DFILES=" + ";".join(files), "-P",
                    os.path.join(WEB, "write_service_worker.cmake")], check=True, timeout=30)
    return cache_name(site)


def cache_name(site):
    with open(os.path.join(site, "sw.js")) as f:
        return re.search(r"const cacheName = '([\w-]+)'", f.read()).group(1)


def main_frame_loads(page):
    return sum(1 for e in page.events if e["method"] == "Page.frameNavigated" and
               "parentId" not in e["params"]["frame"])


async def kept_offline_and_replaced(page, zema_sim, work, www):
    """The worker keeps the page: opened again with no server, the title shows. A new build's
    worker waits beside the old build while its page is open, and the page says so; the notice's
    button takes the new build at once: one reload, the new worker in charge, one cache, the new
    build's, every file of the page from it."""
    site = os.path.join(work, "kept")
    shutil.copytree(www, site)
    old_cache = cache_name(site)
    server = cdp.Server(site)
    try:
        await page.open(server.url(), 1024, 768)
        await page.wait_for(f"{WORKER_STATE}.then(s => s.active === 'activated' && s.controlled)",
                            what="the worker to keep the page")
        state = await page.evaluate(WORKER_STATE)
        check(not state["waiting"] and
              not await page.evaluate(NOTICE_SHOWN),
              f"no notice while no new build waits ({state})")
        server.stop()
        await page.open(server.url(), 1024, 768)
        await frames_pass(page, 2)
        await title_matches(page, zema_sim, 1024, 768, work, "a second visit with no network")

        server = cdp.Server(site, server.port)
        cache = next_build(site)
        # The visit after the build finds the new worker, which keeps the new build beside the
        # old and waits: the page, of the old build whole, says a new one is ready.
        await page.open(server.url(), 1024, 768)
        await page.wait_for(NOTICE_SHOWN, what="the notice of the new build")
        state = await page.evaluate(WORKER_STATE)
        old_whole = not await page.evaluate(f"document.body.innerHTML.includes('the next build')"
                                            " || window.zemaNextBuild === true")
        check(state["waiting"] and sorted(state["caches"]) == sorted([old_cache, cache]) and
              old_whole, f"the new build waits beside the old, whose page is whole and says so "
                         f"({state}, the old page whole: {old_whole})")
        await page.screenshot(os.path.join(work, "notice.png"))
        if "--shots" in sys.argv:
            shutil.copy(os.path.join(work, "notice.png"), sys.argv[sys.argv.index("--shots") + 1])

        loads = main_frame_loads(page)
        await page.click("[data-control=update]")
        try:  # the check below says what stands instead
            await page.wait_for(f"{NEXT_BUILD} && typeof Module !== 'undefined' && "
                                "Module.zemaState === 'running' && "
                                f"{WORKER_STATE}.then(s => s.active === 'activated' && "
                                f"!s.waiting && s.controlled && s.caches.join() === '{cache}')",
                                what="the new build to take the page")
            await frames_pass(page, 2)
        except AssertionError as error:
            print(f"  {error}")
        reloads = main_frame_loads(page) - loads
        kept_page = await page.evaluate(f"caches.open('{cache}').then(c => c.match('./'))"
                                        ".then(r => r ? r.text() : '')")
        # The old build's cache is gone, so what came through the worker came from the new one.
        through_worker = await page.evaluate(
            "[...performance.getEntriesByType('navigation'), "
            "...performance.getEntriesByType('resource')].filter(e => !e.name.includes('sw.js'))"
            ".every(e => e.workerStart > 0)")
        state = await page.evaluate(WORKER_STATE)
        check(reloads == 1 and state["caches"] == [cache] and "the next build" in kept_page and
              through_worker and not await page.evaluate(NOTICE_SHOWN),
              f"the notice's button puts the new build in place whole, in one reload ({reloads}"
              f" reloads, caches {state['caches']}, the new one {cache}, every file through "
              f"the worker: {through_worker})")
    finally:
        server.stop()


async def failed_start(page):
    """The sounds are made after the title shows: one that cannot be loaded ends the game."""
    await page.open(page.server.url("?leave-out-sound=hit.wav"), 800, 600)
    text = await page_says(page, "failed", "the sound's failure to be said")
    check("hit.wav" in text and "Start again" in text,
          f"a sound that cannot be loaded is said on the page ({text!r})")
    await check_no_frame_runs(page, "no frame runs after it")


SETTINGS = "Module.UTF8ToString(Module._zemaSettingsText())"
CHOSEN = "document.querySelector('#settings .row.chosen').dataset.setting"


def row_value(name):
    return f"document.querySelector('#settings [data-setting=\"{name}\"] .value').textContent"


async def pad_press(page, button, until, what):
    """A pad button pressed until the page shows what it did, then let go and seen let go."""
    await page.evaluate(f"zemaSetPad(0, 0, [{button}])")
    await page.wait_for(until, what=what)
    await page.evaluate("zemaSetPad(0, 0, [])")
    await page.evaluate("new Promise(done => requestAnimationFrame(() => requestAnimationFrame(done)))")


async def settings_panel(page):
    """The address's options through the game's own parser (a refused one said, nothing run),
    and the settings panel by keys, pad and touch: kept over a reload, the address over it."""
    await page.open(page.server.url("?smooth=30&volume=40"), 800, 600)
    await frames_pass(page, 2)
    text = await page.evaluate(SETTINGS)
    check("\nsmooth = 30\n" in text and "\nvolume = 40\n" in text, "?smooth=30&volume=40 plays")
    await page.open(page.server.url("?volume=500"), 800, 600)
    said = await page.evaluate("document.getElementById('message').innerText")
    check(await page.evaluate("Module.zemaState") == "refused" and "'500'" in said and
          "Start again" not in said, f"?volume=500 is refused on the page ({said!r})")
    await check_no_frame_runs(page, "and no frame runs")

    await page.open(page.server.url(), 800, 600)
    await page.press("F2")
    rows = await page.evaluate("Array.from(document.querySelectorAll('#settings .row'), "
                               "r => r.dataset.setting)")
    check(rows[:4] == ["view", "scale", "smooth", "volume"] and "key.fire" in rows and
          "pad.start" in rows and "window" not in rows, f"F2 opens the page's settings: {rows}")
    for _ in range(rows.index("volume")):
        await page.press("ArrowDown")
    await page.press("ArrowLeft")
    for _ in range(rows.index("key.fire") - rows.index("volume")):
        await page.press("ArrowDown")
    await page.press("Enter")
    await page.press("KeyF")
    await page.wait_for(row_value("key.fire") + " === 'F'", what="key.fire to take F")
    for _ in range(len(rows) - rows.index("key.fire")):
        await page.press("ArrowDown")
    added = await page.send("Page.addScriptToEvaluateOnNewDocument", {"source": FAKE_PAD})
    try:
        await page.evaluate("window.beforeSave = true")
        await page.press("Enter")  # Save: kept, and the page starts again
        await page.wait_for("!window.beforeSave && typeof Module !== 'undefined' && "
                            "Module.zemaState === 'running'", what="the page again after Save")
    finally:
        await page.send("Page.removeScriptToEvaluateOnNewDocument",
                        {"identifier": added["identifier"]})
    text = await page.evaluate(SETTINGS)
    check("\nvolume = 90\n" in text and "\nkey.fire = F\n" in text,
          "chosen by keys, volume 90 and key.fire F hold after the reload")
    # A pad alone: Back opens, the D-pad chooses, A steps, B leaves keeping nothing.
    await pad_press(page, 8, "!document.getElementById('settings').hidden", "Back to open it")
    for row in rows[1:4]:
        await pad_press(page, 13, f"{CHOSEN} === '{row}'", f"the D-pad down to {row}")
    await pad_press(page, 0, row_value("volume") + " === '100'", "A to step the volume")
    await pad_press(page, 1, "document.getElementById('settings').hidden", "B to leave")
    await page.open(page.server.url("?volume=40"), 800, 600)
    text = await page.evaluate(SETTINGS)
    check("\nvolume = 40\n" in text and "\nkey.fire = F\n" in text,
          "B kept nothing, and ?volume=40 wins over the kept volume 90")
    # By touch: the first touch shows the button, a tap opens, Default and Close are tapped.
    page.phone = True
    try:
        await page.open(page.server.url(), 844, 390)
        await page.touch({1: (422, 195)})
        await page.touch({})
        for selector in ("[data-control=settings]", '[data-setting="key.fire"] [data-action]',
                         "#settings [data-action=close]"):
            await page.evaluate(f"document.querySelector({json.dumps(selector)})"
                                ".scrollIntoView({block: 'center'})")
            x, y, _ = await page.centre(selector)
            await page.touch({1: (x, y)})
            await page.touch({})
            if "key.fire" in selector:
                await page.wait_for(row_value("key.fire") + " === 'Space'", what="Default tapped")
        check(await page.evaluate("document.getElementById('settings').hidden && "
                                  "localStorage.getItem('zema.settings').includes('key.fire = F')"),
              "by touch the panel opens, gives a row its default and closes, keeping nothing")
    finally:
        page.phone = False
    # A kept value the game refuses is said; Reset all and Save in the panel mend it.
    await page.evaluate("localStorage.setItem('zema.settings', 'volume = 500\\n')")
    await page.open(page.server.url(), 800, 600)
    said = await page.evaluate("document.getElementById('message').innerText")
    for selector in ("[data-control=settings]", "#settings [data-action=reset-all]"):
        await page.click(selector)
    await page.evaluate("window.beforeSave = true")
    await page.click("#settings [data-action=save]")
    await page.wait_for("!window.beforeSave && typeof Module !== 'undefined' && "
                        "Module.zemaState === 'running'", what="the mended page to run")
    check("kept by this browser:1: invalid volume '500'" in said,
          f"a kept volume 500 is said ({said!r}), and the panel's Reset all mends it")
    await page.evaluate("localStorage.removeItem('zema.settings')")


async def bench(page, www):
    sizes = {name: os.path.getsize(os.path.join(www, name)) for name in sorted(os.listdir(www))}
    for name, size in sizes.items():
        print(f"size {name}: {size} bytes")
    print(f"size total: {sum(sizes.values())} bytes")
    # Each page in turn, seven times, from the network (not the worker's copy), against the
    # page of another build when --against names its folder.
    await page.send("Network.enable")
    await page.send("Network.setBypassServiceWorker", {"bypass": True})
    pages = [("this build", page.server)]
    if "--against" in sys.argv:
        pages.append(("--against", cdp.Server(sys.argv[sys.argv.index("--against") + 1])))
    times, steps = {name: [] for name, _ in pages}, []
    try:
        for _ in range(7):
            for name, server in pages:
                await page.open(server.url(), 1024, 768)
                await page.wait_for("Module.zemaFirstFrameAt", what="the first frame")
                times[name].append(await page.evaluate("Module.zemaFirstFrameAt"))
                if server is page.server:
                    steps.append(await page.evaluate("Module.zemaSteps"))
    finally:
        for _, server in pages[1:]:
            server.stop()
    medians = {name: statistics.median(taken) for name, taken in times.items()}
    for name, taken in times.items():
        print(f"title on the canvas after (ms), {name}: " + ", ".join(f"{t:.0f}" for t in taken)
              + f"; median {medians[name]:.0f}; {medians[name] / medians['this build']:.2f}x")
    names = ["main", "pictures", "display"]
    print("start-up steps, median ms since the page opened: " + ", ".join(
        f"{n} {statistics.median(s[n] for s in steps):.0f}" for n in names))
    await page.send("Network.setBypassServiceWorker", {"bypass": False})
    await page.open(page.server.url("?paused"), 1920, 1080)
    await page.press("Enter")
    await page.evaluate("Module.zemaStep(1)")
    # From the start place with the beam on, the craft still: every gate, enemy and item row
    # drawn, 129 draws. The browser compiles hot code again, optimised, after a while, and the
    # caches settle to each way of running: the first frames of each are left out.
    # Shown, as in play, and then drawn back to back unshown, as the native benchmark draws.
    for shown in ("true", "false"):
        await page.evaluate(f"Module.zemaTimeFrames(100, true, {shown})")
        frames, presents = [], []
        for _ in range(9):
            t = await page.evaluate(f"Module.zemaTimeFrames(30, true, {shown})")
            frames.append(t["frameMs"] - t["presentMs"])
            presents.append(t["presentMs"])
        print(f"play frame at 1920x1080, start place, beam on, shown {shown} (ms, means of 30 "
              "frames): drawing " + ", ".join(f"{f:.2f}" for f in frames) +
              f"; median {statistics.median(frames):.2f}; "
              f"present median {statistics.median(presents):.2f}")
    if "--native" in sys.argv:
        await page_against_native(page, www, sys.argv[sys.argv.index("--native") + 1])
    if "--shots" in sys.argv:
        await page.screenshot(os.path.join(sys.argv[sys.argv.index("--shots") + 1],
                                           "play-1920x1080.png"))


def native_frames_ms(compositor_bench, count):
    """The native play frame at the start place on the fastest row kernels this processor has
    (the one the game uses), drawn count times one by one: their mean and median, in ms."""
    done = subprocess.run(
        [compositor_bench, "--benchmark_filter=playFrameThroughCompositor/atGuardian:0/",
         f"--benchmark_repetitions={count}", "--benchmark_min_time=0.0001",
         "--benchmark_format=json"], capture_output=True, text=True, timeout=120, check=True)
    paths = {}
    for run in json.loads(done.stdout)["benchmarks"]:
        if run.get("run_type") == "iteration" and not run.get("error_occurred"):
            paths.setdefault(run["run_name"], []).append(run["real_time"])
    return min((statistics.mean(t), statistics.median(t)) for t in paths.values())


async def page_against_native(page, www, compositor_bench):
    """The same frame drawn back to back in the page and natively, 150 frames each, in turn,
    fifteen times: these machines are shared and their speed wanders, so only a ratio taken side
    by side says anything. The page is served cross-origin isolated for the browser's fine clock,
    so that single frames can be timed, and medians compared as well as means."""
    server = cdp.Server(www, isolated=True)
    try:
        await page.open(server.url("?paused"), 1920, 1080)
        await page.press("Enter")
        await page.evaluate("Module.zemaStep(1)")
        await page.evaluate("Module.zemaTimeFrames(300, true, false)")
        means, medians = [], []
        for _ in range(15):
            t = await page.evaluate("Module.zemaTimeFrames(150, true, false)")
            native_mean, native_median = native_frames_ms(compositor_bench, 150)
            means.append(t["frameMs"] / native_mean)
            medians.append(t["medianMs"] / native_median)
            print(f"frame in the page mean {t['frameMs']:.3f} median {t['medianMs']:.3f} ms, "
                  f"native mean {native_mean:.3f} median {native_median:.3f} ms: "
                  f"{means[-1]:.2f}x, {medians[-1]:.2f}x", flush=True)
    finally:
        server.stop()
    for name, ratios in (("means", sorted(means)), ("medians", sorted(medians))):
        print(f"frame in the page against the native frame, {len(ratios)} pairs in turn, {name}: "
              f"median {statistics.median(ratios):.2f}x, quartiles {ratios[len(ratios) // 4]:.2f}-"
              f"{ratios[3 * len(ratios) // 4]:.2f}x")


async def main():
    www, zema_sim = sys.argv[1], sys.argv[2]
    if "--cold" in sys.argv:
        sys.path.insert(0, os.path.join(WEB, "..", "bench", "web"))
        from first_visit import first_visit_bench
        await first_visit_bench(www)
        return 0
    if "--smooth-cost" in sys.argv:
        sys.path.insert(0, os.path.join(WEB, "..", "bench", "web"))
        from smooth_cost import smooth_cost_bench
        await smooth_cost_bench(www, zema_sim)
        return 0
    with tempfile.TemporaryDirectory(prefix="zema-web-test-") as work:
        # The page's files, and the demos the tests write beside them.
        site = os.path.join(work, "site")
        os.mkdir(site)
        for name in os.listdir(www):
            os.symlink(os.path.abspath(os.path.join(www, name)), os.path.join(site, name))
        server = cdp.Server(site)
        page = cdp.Browser()
        try:
            page.server = server
            await page.start()
            if "--bench" in sys.argv:
                await bench(page, www)
                return 0
            await play_by_touch(page, zema_sim)
            await scaled_view(page, zema_sim, work)
            await play_in_real_time(page, zema_sim, work)
            await play_by_script(page, zema_sim, work)
            await failed_start(page)
            await play_with_a_pad(page, zema_sim)
            await play_demos(page, zema_sim, site)
            await smooth_pictures(page, zema_sim, site)
            await record_a_game(page, zema_sim)
            await settings_panel(page)
            await kept_offline_and_replaced(page, zema_sim, work, www)
            await use_own_copy(page, zema_sim, work, site, check, differing_pixels, read_png)
        finally:
            await page.close()
            server.stop()
    print("browser tests: " + ("all passed" if not failures else f"{len(failures)} FAILED"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(asyncio.run(main()))
