"""What ?smooth costs the processor in the page: the first FRAMES frames of the clearing demo
(600: a minute at the game's pace) played in a 1920 x 1080 page, with ?smooth and without, in
turn, each run in a headless Chromium of its own. A run's figure is the processor time (user and
system, from /proc) of all the browser's processes over its wall time, in cores, from the game's
start to the demo's end; the difference of a pair is what the pictures between frames take.
Then the browser's floor: pages that do no more than ask for every animation frame, and put a
small square on a canvas of the same size at each, twenty seconds each.

Run through the browser tests' runner, which bounds it in time and leaves no browser behind:
    web/tests/run_browser_tests.sh WWW-FOLDER ZEMA-SIM --bench --smooth-cost [--pairs N]
        [--frames FRAMES]   (one pair of 600 frames unless told)"""
import asyncio
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "web",
                                "tests"))
import cdp  # noqa: E402

CLEAR_SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests",
                            "replays", "clear_game.script")
WIDTH, HEIGHT = 1920, 1080
TICK = os.sysconf("SC_CLK_TCK")


def first_frames(script, count):
    """The script up to its count-th frame, a "frames" line cut where it passes it."""
    kept, frames = [], 0
    for line in script.splitlines():
        words = line.split() or [""]
        run = {"frame": 1, "frames": int(words[1]) if words[0] == "frames" else 0}.get(words[0], 0)
        if run and frames + run >= count:
            kept.append(" ".join(["frames", str(count - frames)] + words[2:]) if run > 1 else line)
            break
        kept.append(line)
        frames += run
    return "\n".join(kept) + "\n"


def browser_seconds(browser):
    """Processor seconds so far of the browser's processes by their kind (the browser itself,
    the renderer, the GPU process, utilities), each with its children already waited for."""
    kinds = {}
    for name in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{name}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            if int(fields[3]) != browser.process.pid:  # not in the browser's session
                continue
            with open(f"/proc/{name}/cmdline", "rb") as f:
                # Chromium rewrites its arguments as one line, spaces between.
                args = f.read().replace(b"\0", b" ").split()
        except OSError:
            continue  # gone meanwhile
        kind = next((a[7:].decode() for a in args if a.startswith(b"--type=")), "browser")
        kinds[kind] = kinds.get(kind, 0) + sum(int(v) for v in fields[11:15]) / TICK
    return kinds


async def run_once(server, demo, smooth):
    """One play of the demo in a new browser: its processor seconds by kind, its wall seconds,
    the frames it ran and the browser's animation frames a second."""
    browser = cdp.Browser(extra_flags=[f"--window-size={WIDTH},{HEIGHT}"])
    try:
        await browser.start()
        await browser.open(server.url(("?smooth&" if smooth else "?") + "demo=" + demo),
                           WIDTH, HEIGHT)
        size = await browser.evaluate("[Module.canvas.width, Module.canvas.height]")
        if size != [WIDTH, HEIGHT] or await browser.evaluate("Module.zemaState") != "running":
            raise RuntimeError(f"the demo did not start in a {WIDTH}x{HEIGHT} page ({size})")
        before, started = browser_seconds(browser), time.monotonic()
        # The page already asks for every animation frame with ?smooth; counting them adds none.
        if smooth:
            await browser.evaluate("window.zemaAnimationFrames = 0; (function count() { "
                                   "++window.zemaAnimationFrames; requestAnimationFrame(count); "
                                   "})()")
        # One question, answered when the demo ends, so that the asking costs nothing meanwhile.
        await browser.evaluate("new Promise(done => (function look() { "
                               "Module.zemaState === 'running' ? setTimeout(look, 250) : done(); "
                               "})())", timeout=600)
        after, wall = browser_seconds(browser), time.monotonic() - started
        ended = await browser.evaluate("document.getElementById('text').innerText")
        if "is the one recorded" not in ended:
            raise RuntimeError(f"the demo did not end as recorded: {ended!r}")
        rate = (await browser.evaluate("window.zemaAnimationFrames") / wall) if smooth else 0
        spent = {kind: after[kind] - before.get(kind, 0) for kind in after}
        return spent, wall, await browser.evaluate("Module.zemaFrameNumber()"), rate
    finally:
        await browser.close()


# The browser's own share: a page that only asks for every animation frame, and one that also
# puts a 64 x 64 square on an opaque canvas of the same size at each, as ?smooth puts the few
# rectangles that changed.
FLOOR_PAGE = f"""<!doctype html><body style="margin:0"><canvas width={WIDTH} height={HEIGHT}>
</canvas><script>
const context = document.querySelector('canvas').getContext('2d', {{ alpha: false }});
const square = new ImageData(64, 64), pixels = new Uint32Array(square.data.buffer);
let n = 0;
(function next() {{
  if (location.hash === '#square') {{
    pixels.fill(0xFF000000 | (++n * 40503) & 0xFFFFFF);
    context.putImageData(square, 100 + n % 1000, 100);
  }}
  requestAnimationFrame(next);
}})();
</script>"""


async def floor_once(server, what, seconds=20):
    """A floor page's processor time of all the browser's processes over its wall time."""
    browser = cdp.Browser(extra_flags=[f"--window-size={WIDTH},{HEIGHT}"])
    try:
        await browser.start()
        await browser.send("Page.navigate", {"url": server.url("floor.html#" + what)})
        await browser.resize(WIDTH, HEIGHT)
        await browser.wait_for("document.readyState === 'complete'", what="the floor page")
        before, started = browser_seconds(browser), time.monotonic()
        await asyncio.sleep(seconds)  # a bench: it measures over a span of time
        after, wall = browser_seconds(browser), time.monotonic() - started
        return sum(after.values()) - sum(before.values()), wall
    finally:
        await browser.close()


async def drawing_without_a_gpu():
    """What the browser says it draws the canvas and composites the page with."""
    browser = cdp.Browser(extra_flags=[f"--window-size={WIDTH},{HEIGHT}"])
    try:
        await browser.start()
        status = (await browser.send("SystemInfo.getInfo", browser=True))["gpu"]["featureStatus"]
        return ", ".join(f"{name} {status.get(name)}" for name in ("2d_canvas", "gpu_compositing",
                                                                   "rasterization"))
    finally:
        await browser.close()


def describe(spent, wall):
    return (f"{sum(spent.values()):.1f} s / {wall:.1f} s = {sum(spent.values()) / wall:.3f} cores"
            " (" + ", ".join(f"{kind} {seconds / wall:.3f}"
                             for kind, seconds in sorted(spent.items())) + ")")


async def smooth_cost_bench(www, zema_sim):
    pairs = int(sys.argv[sys.argv.index("--pairs") + 1]) if "--pairs" in sys.argv else 1
    frames = int(sys.argv[sys.argv.index("--frames") + 1]) if "--frames" in sys.argv else 600
    with open(CLEAR_SCRIPT) as f:
        script = first_frames(f.read(), frames)
    last = subprocess.run([zema_sim, "--mode", f"{WIDTH}x{HEIGHT}"], input=script, text=True,
                          capture_output=True, timeout=60, check=True).stdout.splitlines()[-1]
    with tempfile.TemporaryDirectory(prefix="zema-smooth-cost-") as site:
        for name in os.listdir(www):
            os.symlink(os.path.abspath(os.path.join(www, name)), os.path.join(site, name))
        with open(os.path.join(site, "clear.demo"), "w") as f:
            f.write(script + "expect " + last + "\n")
        with open(os.path.join(site, "floor.html"), "w") as f:
            f.write(FLOOR_PAGE)
        server = cdp.Server(site)
        load = os.getloadavg()
        print(f"load average before the run: {load[0]:.2f} {load[1]:.2f} {load[2]:.2f}")
        print(f"{frames} frames of the clearing demo in a {WIDTH}x{HEIGHT} page, processor time "
              "of all the browser's processes / wall time (by kind of process, in cores):")
        costs = []
        try:
            for turn in range(pairs):
                runs = {}
                for smooth in (False, True) if turn % 2 == 0 else (True, False):
                    runs[smooth] = await run_once(server, "clear.demo", smooth)
                    if runs[smooth][2] != frames:
                        raise RuntimeError(f"the demo ran {runs[smooth][2]} frames")
                (plain, plain_wall, _, _), (smooth, smooth_wall, _, rate) = runs[False], runs[True]
                costs.append(sum(smooth.values()) / smooth_wall - sum(plain.values()) / plain_wall)
                print(f"pair {turn + 1}: without {describe(plain, plain_wall)}; ?smooth "
                      f"{describe(smooth, smooth_wall)} at {rate:.1f} animation frames/s; "
                      f"its cost {costs[-1]:.3f} of a core", flush=True)
            floors = {}
            for what in ("frames", "square"):
                spent, wall = await floor_once(server, what)
                floors[what] = spent / wall
        finally:
            server.stop()
    print(f"the browser's floor: a page that asks for every animation frame costs "
          f"{floors['frames']:.3f} of a core; one that also puts a 64x64 square on its "
          f"{WIDTH}x{HEIGHT} canvas at each, {floors['square']:.3f}")
    load = os.getloadavg()
    print(f"the browser's drawing: {await drawing_without_a_gpu()}")
    print(f"load average after the run: {load[0]:.2f} {load[1]:.2f} {load[2]:.2f}")
    print(f"?smooth costs {min(costs):.3f}-{max(costs):.3f} of a core over {pairs} pair(s) "
          "(the goal: at most 0.2)")
