"""The page's "Use your own copy" on the stand-in copies windres made (build/stand-ins): one that
is not whole, dropped on the page, is said and ZEMA's own title stays; a whole one, chosen with
the file chooser, is kept and played with, and again after a reload, until it is forgotten."""
import json
import os
import subprocess


async def use_own_copy(page, zema_sim, work, site, check, differing_pixels, read_png):
    stand_ins = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(zema_sim))),
                             "stand-ins")
    if not os.path.isdir(stand_ins):
        print(f"skip the page's own copy: no stand-in copies in {stand_ins} (windres missing)")
        return
    os.symlink(stand_ins, os.path.join(site, "stand-ins"))
    own, copy = os.path.join(work, "own-title.png"), os.path.join(work, "copy-title.png")
    for shot, data in ((own, []), (copy, ["--data", os.path.join(stand_ins, "pe64-japanese")])):
        subprocess.run([zema_sim, "--shot", "1", shot] + data, input="frame\n", text=True,
                       capture_output=True, timeout=60, check=True)

    async def shows(picture, what):
        await page.wait_for("Module.zemaState === 'running' && Module.zemaFrameNumber() >= 2",
                            what=f"the game to run ({what})")
        differ = differing_pixels(await page.canvas_pixels(), read_png(picture))
        check(differ == 0, f"{what} ({differ} pixels differ)")

    await page.open(page.server.url(), 1024, 768)
    # Dropped on the page: the files fetched from the server as the player's would be read.
    names = sorted(os.listdir(os.path.join(stand_ins, "missing-picture")))
    await page.evaluate(f"""Promise.all({json.dumps(names)}.map(name =>
        fetch('stand-ins/missing-picture/' + name).then(r => r.blob())
            .then(blob => new File([blob], name)))).then(files => {{
        const moved = new DataTransfer();
        files.forEach(file => moved.items.add(file));
        dispatchEvent(new DragEvent('drop', {{dataTransfer: moved, cancelable: true}}));
    }})""")
    said = await page.wait_for("(t => t.includes('keeps its own') && t)(document.getElementById("
                               "'own-copy-said').textContent)", what="the page to judge the copy")
    check(said.startswith("Not a whole copy: standin.exe: no bitmap 114 (imgGate)"),
          f"a dropped copy that is not whole is said on the page ({said!r})")
    check(not await page.evaluate("Module.zemaPlaysOwnCopy()"), "and ZEMA's own is kept")
    await shows(own, "ZEMA's own title stays")

    # Chosen with the file chooser: kept, and the page starts again with it.
    folder = os.path.join(stand_ins, "pe64-japanese")
    chooser = await page.send("Runtime.evaluate",
                              {"expression": "document.querySelector('#own-copy input')"})
    await page.evaluate("window.zemaBeforeCopy = true")
    await page.send("DOM.setFileInputFiles", {
        "objectId": chooser["result"]["objectId"],
        "files": [os.path.join(folder, name) for name in sorted(os.listdir(folder))]})
    await page.wait_for("window.zemaBeforeCopy === undefined && typeof Module !== 'undefined' && "
                        "Module.zemaState === 'running' && Module.zemaPlaysOwnCopy()",
                        what="the page to start again with the chosen copy")
    await shows(copy, "a whole copy chosen in the page is played with: its title as zema-sim "
                      "--data shows it")
    await page.send("Page.reload")
    await page.wait_for("typeof Module !== 'undefined' && Module.zemaState === 'running' && "
                        "Module.zemaPlaysOwnCopy()", what="the reloaded page with the copy")
    await shows(copy, "after a reload the kept copy is played with again")
    await page.press("Enter")  # every sound is loaded before a key is handled
    check(await page.wait_for("JSON.parse(Module.zemaRecord()).screenMode === 0 && "
                              "Module.zemaState === 'running'"), "a game starts with its sounds")

    await page.click("[data-copy=forget]")
    await page.wait_for("typeof Module !== 'undefined' && Module.zemaState === 'running' && "
                        "!Module.zemaPlaysOwnCopy() && Module.zemaFrameNumber() >= 2",
                        what="the page without the copy")
    await shows(own, "a forgotten copy leaves ZEMA's own title")
    check(not page.exceptions(), f"no script errors ({len(page.exceptions())})")
