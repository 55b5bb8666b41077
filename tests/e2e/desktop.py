"""What the end-to-end tests share on the desktop with-desktop makes: the program
started for real, driven with xdotool as a person would, read through AT-SPI."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

failures = []


def check(ok, what):
    print(("PASS " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


def finish():
    print("%d failed" % len(failures))
    sys.exit(1 if failures else 0)


def pump(seconds):
    """Lets AT-SPI events arrive for a while."""
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def xdotool(*words):
    subprocess.run(["xdotool", *words], check=True)


def keys(typed):
    """"10 Return 1000 Return": texts typed, keys pressed."""
    for word in typed.split():
        if word in ("Return", "Tab", "F2"):
            xdotool("key", word)
        else:
            xdotool("type", "--delay", "40", word)
        pump(0.4)


def activate(title):
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", title],
                            capture_output=True, text=True, timeout=10).stdout.split()[-1]
    xdotool("windowactivate", "--sync", window)
    pump(0.5)


def access(letter, item):
    """Alt and a menu's letter, then the item's. The Alt is held a moment: Orca, busy
    with the first keys it hears, may otherwise take it apart from its letter."""
    xdotool("keydown", "alt")
    pump(0.2)
    xdotool("key", letter)
    pump(0.2)
    xdotool("keyup", "alt")
    pump(0.5)
    xdotool("key", item)


def start(program, env=None):
    """Starts the program and waits for it on the AT-SPI bus; returns it and its node."""
    process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        app = next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "flowcal"), None)
        if app is not None:
            return process, app
        pump(0.1)
    check(False, "the program shows itself on the AT-SPI bus")
    finish()


def opened(app, letter, item):
    """Opens a window from the main window's menu and waits for it."""
    activate("^Vantrel, Inc\\.$")
    count = app.childCount
    access(letter, item)
    for _ in range(50):
        if app.childCount > count:
            break
        pump(0.1)
    pump(0.5)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)
