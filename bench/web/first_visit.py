"""The page's first visit as a new visitor meets it: every load in a browser of its own with a
fresh profile (nothing cached, no worker yet), the page served from a plain static server on
127.0.0.1, in turn with the page of another build (--against OTHER-WWW), the two taking turns at
going first. The figure is the time from opening the page to the title's first frame on the
canvas, as the page itself notes it (Module.zemaFirstFrameAt, ms since the page opened).

Run through the browser tests' runner, which bounds it in time (300 s: about 30 pairs on a busy
machine) and leaves no browser behind:
    web/tests/run_browser_tests.sh WWW-FOLDER ZEMA-SIM --bench --cold [--against OTHER-WWW]
        [--pairs N]   (nine pairs unless N is given)"""
import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "web",
                                "tests"))
import cdp  # noqa: E402

# Where the time goes, from the browser's resource timing and the page's own marks: when index.js
# had arrived, when index.wasm was first asked for and had arrived, and the ends of the page's
# start-up steps.
WHERE = """(() => {
    const file = end => performance.getEntriesByType('resource').find(e => e.name.endsWith(end));
    const js = file('/index.js'), wasm = file('/index.wasm');
    return Object.assign({jsIn: js && js.responseEnd, wasmAsked: wasm && wasm.startTime,
                          wasmIn: wasm && wasm.responseEnd}, Module.zemaSteps || {});
})()"""
STEPS = ["jsIn", "wasmAsked", "wasmIn", "main", "pictures", "display"]


async def first_visit(server):
    """One load in a new browser: the title's time and the marks on the way."""
    browser = cdp.Browser()
    try:
        await browser.start()
        await browser.open(server.url(), 1024, 768)
        await browser.wait_for("Module.zemaFirstFrameAt", what="the first frame")
        return (await browser.evaluate("Module.zemaFirstFrameAt"),
                await browser.evaluate(WHERE))
    finally:
        await browser.close()


def arg(name, default=None):
    return sys.argv[sys.argv.index(name) + 1] if name in sys.argv else default


async def first_visit_bench(www):
    pairs = int(arg("--pairs", "9"))
    servers = [("this build", cdp.Server(www))]
    if arg("--against"):
        servers.append(("--against", cdp.Server(arg("--against"))))
    times = {name: [] for name, _ in servers}
    marks = {name: [] for name, _ in servers}
    load = os.getloadavg()
    print(f"load average before the run: {load[0]:.2f} {load[1]:.2f} {load[2]:.2f}")
    try:
        for turn in range(pairs):
            for name, server in servers[::-1] if turn % 2 else servers:
                taken, where = await first_visit(server)
                times[name].append(taken)
                marks[name].append(where)
            print(f"pair {turn + 1}: " + ", ".join(f"{name} {times[name][-1]:.0f} ms"
                                                   for name, _ in servers), flush=True)
    finally:
        for _, server in servers:
            server.stop()
    load = os.getloadavg()
    print(f"load average after the run: {load[0]:.2f} {load[1]:.2f} {load[2]:.2f}")
    for name, _ in servers:
        print(f"title on the canvas, first visit, {name} (ms): " +
              ", ".join(f"{t:.0f}" for t in times[name]) +
              f"; median {statistics.median(times[name]):.0f}")
        print(f"  {name}, medians (ms since the page opened): " + ", ".join(
            f"{step} {statistics.median(m[step] for m in marks[name]):.0f}" for step in STEPS
            if all(m.get(step) is not None for m in marks[name])))
    if len(servers) == 2:
        ratios = sorted(a / b for a, b in zip(times["this build"], times["--against"]))
        ours, theirs = statistics.median(times["this build"]), statistics.median(times["--against"])
        print(f"this build against --against, first visit: medians {ours:.0f} ms against "
              f"{theirs:.0f} ms, {ours / theirs:.2f}x; {pairs} pairs' ratios: median "
              f"{statistics.median(ratios):.2f}x, range {ratios[0]:.2f}-{ratios[-1]:.2f}x")
