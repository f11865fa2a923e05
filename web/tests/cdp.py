"""A small DevTools-protocol client: starts headless Chromium and a static server, drives one
page, and leaves neither behind. Every step is bounded by a timeout."""
import asyncio
import base64
import json
import os
import shutil
import signal
import socket
import subprocess
import tempfile
import time

import websockets

CHROMIUM_FLAGS = [
    "--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--disable-quic", "--disable-dev-shm-usage", "--remote-debugging-port=0", "--mute-audio",
]
STEP_TIMEOUT = 20.0  # seconds for any single protocol step
WAIT_TIMEOUT = 60.0  # seconds for a condition: generous, for a machine busy with other work


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


# A static server whose pages are cross-origin isolated, which gives them the browser's fine
# clock (5 us instead of 100 us) for the measurements.
ISOLATED_SERVER = """
import functools, http.server, sys
class Handler(http.server.SimpleHTTPRequestHandler):
    def end_headers(self):
        self.send_header("Cross-Origin-Opener-Policy", "same-origin")
        self.send_header("Cross-Origin-Embedder-Policy", "require-corp")
        super().end_headers()
http.server.ThreadingHTTPServer(("127.0.0.1", int(sys.argv[2])),
                                functools.partial(Handler, directory=sys.argv[1])).serve_forever()
"""


class Server:
    """python3 -m http.server over a folder, on a free port of 127.0.0.1; isolated, the same
    with the headers that make its pages cross-origin isolated."""

    def __init__(self, folder, port=None, isolated=False):
        self.port = port or free_port()
        command = (["python3", "-c", ISOLATED_SERVER, folder, str(self.port)] if isolated else
                   ["python3", "-m", "http.server", "--bind", "127.0.0.1", "--directory", folder,
                    str(self.port)])
        self.process = subprocess.Popen(command, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, start_new_session=True)
        note_process(self.process)
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            try:
                socket.create_connection(("127.0.0.1", self.port), timeout=1).close()
                return
            except OSError:
                time.sleep(0.05)
        self.stop()
        raise RuntimeError("the static server did not start")

    def url(self, query=""):
        return f"http://127.0.0.1:{self.port}/{query}"

    def stop(self):
        stop_group(self.process)


def note_process(process):
    """Writes the process's group to the file the calling script sweeps after a killed run."""
    pid_file = os.environ.get("ZEMA_WEB_PID_FILE")
    if pid_file:
        with open(pid_file, "a") as f:
            f.write(f"{process.pid}\n")


def stop_group(process):
    if process.poll() is None:
        try:
            os.killpg(process.pid, signal.SIGTERM)
            process.wait(timeout=5)
        except (ProcessLookupError, subprocess.TimeoutExpired):
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            process.wait(timeout=5)


class Browser:
    """Headless Chromium with a fresh profile; one page, attached with a flat session."""

    def __init__(self, chromium="/usr/bin/chromium", extra_flags=()):
        self.profile = tempfile.mkdtemp(prefix="zema-chromium-")
        self.process = subprocess.Popen(
            [chromium, *CHROMIUM_FLAGS, *extra_flags, f"--user-data-dir={self.profile}",
             "about:blank"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True)
        note_process(self.process)
        self.socket = None
        self.session = None
        self.next_id = 0
        self.pending = {}
        self.events = []
        self.reader = None
        self.phone = False  # a phone's touch screen, no mouse or keyboard
        self.touches = {}  # the touch points held now, by id: (x, y)

    async def start(self):
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.monotonic() + STEP_TIMEOUT
        while not os.path.exists(port_file) or os.path.getsize(port_file) == 0:
            if time.monotonic() > deadline or self.process.poll() is not None:
                raise RuntimeError("Chromium did not open its DevTools port")
            await asyncio.sleep(0.05)
        with open(port_file) as f:
            port, path = f.read().split()[:2]
        self.socket = await asyncio.wait_for(
            websockets.connect(f"ws://127.0.0.1:{port}{path}", max_size=None), STEP_TIMEOUT)
        self.reader = asyncio.ensure_future(self._read())
        target = await self.send("Target.createTarget", {"url": "about:blank"}, browser=True)
        attached = await self.send("Target.attachToTarget",
                                   {"targetId": target["targetId"], "flatten": True},
                                   browser=True)
        self.session = attached["sessionId"]
        for domain in ("Page", "Runtime"):
            await self.send(f"{domain}.enable")

    async def _read(self):
        async for text in self.socket:
            message = json.loads(text)
            if "id" in message and message["id"] in self.pending:
                self.pending.pop(message["id"]).set_result(message)
            elif "method" in message:
                self.events.append(message)

    async def send(self, method, params=None, browser=False, timeout=STEP_TIMEOUT):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if not browser:
            message["sessionId"] = self.session
        future = asyncio.get_running_loop().create_future()
        self.pending[self.next_id] = future
        await self.socket.send(json.dumps(message))
        reply = await asyncio.wait_for(future, timeout)
        if "error" in reply:
            raise RuntimeError(f"{method}: {reply['error'].get('message')}")
        return reply.get("result", {})

    async def evaluate(self, expression, timeout=STEP_TIMEOUT):
        """The value of a script expression (awaited if a promise), never as a user gesture."""
        result = await self.send("Runtime.evaluate", {
            "expression": expression, "returnByValue": True, "awaitPromise": True,
            "userGesture": False}, timeout=timeout)
        if "exceptionDetails" in result:
            raise RuntimeError(f"script failed: {expression[:80]}: "
                               f"{result['exceptionDetails'].get('text')}")
        return result["result"].get("value")

    async def wait_for(self, expression, timeout=WAIT_TIMEOUT, what=None):
        """Polls a script expression until it is true; its value. A page between two documents
        (a reload the page made itself) may fail to answer: it is asked again."""
        deadline = time.monotonic() + timeout
        failed = ""
        while True:
            try:
                value, failed = await self.evaluate(expression), ""
                if value:
                    return value
            except (RuntimeError, asyncio.TimeoutError) as error:
                failed = f" (last: {error})"
            if time.monotonic() > deadline:
                raise AssertionError(f"timed out waiting for {what or expression}{failed}")
            await asyncio.sleep(0.05)  # between polls, to leave the page room to run

    async def open(self, url, width, height):
        """Opens the page afresh (by way of a blank one, so that an old page is never taken
        for it) and waits until the game runs or says why not."""
        await self.send("Page.navigate", {"url": "about:blank"})
        await self.wait_for("location.href === 'about:blank'", what="a blank page")
        await self.resize(width, height)
        await self.send("Page.navigate", {"url": url})
        await self.wait_for(f"location.href === {json.dumps(url)} && typeof Module !== "
                            "'undefined' && Module.zemaState !== 'starting'",
                            what="the game to start or fail")

    async def resize(self, width, height):
        await self.send("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": self.phone})
        await self.send("Emulation.setTouchEmulationEnabled",
                        {"enabled": self.phone, "maxTouchPoints": 5})

    async def touch(self, points):
        """Holds exactly these touch points ({id: (x, y)}). The protocol lifts only all points
        at once, so when one is lifted the others are put down again."""
        if set(self.touches) - set(points):
            await self.send("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})
            self.touches = {}
        if points:
            kind = "touchStart" if set(points) - set(self.touches) else "touchMove"
            await self.send("Input.dispatchTouchEvent", {"type": kind, "touchPoints": [
                {"x": x, "y": y, "id": i} for i, (x, y) in points.items()]})
        self.touches = dict(points)

    async def centre(self, selector):
        """The middle of an element on the page, and its width."""
        return await self.evaluate(f"(r => [r.left + r.width / 2, r.top + r.height / 2, r.width])"
                                   f"(document.querySelector({json.dumps(selector)})"
                                   f".getBoundingClientRect())")

    async def click(self, selector):
        """A mouse click in the middle of an element, as a player's."""
        x, y, _ = await self.centre(selector)
        for kind in ("mousePressed", "mouseReleased"):
            await self.send("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y,
                                                         "button": "left", "clickCount": 1})

    async def key(self, name, down=True):
        codes = {"Enter": 13, "Space": 32, "Escape": 27, "ArrowLeft": 37, "ArrowUp": 38,
                 "ArrowRight": 39, "ArrowDown": 40, "F2": 113}
        if name.startswith("Key"):  # a letter: "KeyF" is f
            codes[name] = ord(name[3])
        key = " " if name == "Space" else name[3].lower() if name.startswith("Key") else name
        await self.send("Input.dispatchKeyEvent", {
            "type": "rawKeyDown" if down else "keyUp", "key": key, "code": name,
            "windowsVirtualKeyCode": codes[name], "nativeVirtualKeyCode": codes[name]})

    async def press(self, name):
        await self.key(name, True)
        await self.key(name, False)

    async def canvas_pixels(self):
        """The canvas as (width, height, RGBA bytes)."""
        text = await self.evaluate("""(() => {
            const c = Module.canvas;
            const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
            let s = '';
            for (let i = 0; i < d.length; i += 32768)
                s += String.fromCharCode.apply(null, d.subarray(i, i + 32768));
            return c.width + ' ' + c.height + ' ' + btoa(s);
        })()""")
        width, height, data = text.split(" ", 2)
        return int(width), int(height), base64.b64decode(data)

    async def screenshot(self, path):
        shot = await self.send("Page.captureScreenshot", {"format": "png"})
        with open(path, "wb") as f:
            f.write(base64.b64decode(shot["data"]))

    def exceptions(self):
        return [e for e in self.events if e["method"] == "Runtime.exceptionThrown"]

    async def close(self):
        try:
            if self.socket is not None:
                await asyncio.wait_for(self.send("Browser.close", browser=True), 5)
        except Exception:
            pass
        if self.reader is not None:
            self.reader.cancel()
        if self.socket is not None:
            try:
                await asyncio.wait_for(self.socket.close(), 5)
            except Exception:
                pass
        try:
            self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            pass
        stop_group(self.process)
        shutil.rmtree(self.profile, ignore_errors=True)
