#!/usr/bin/python3
"""What a blind technician gets from the program, on the real AT-SPI bus, with the
Orca screen reader listening: run by with-desktop, given the program to start.

Every field of every window is labelled by its captions and holds them in its name,
each window has a name of its own and each calculating window a status bar; the
results of an Enter and every failure message are spoken, in each window, without
the focus moving; F2 reads the results again.
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

failures = []
notifications = []  # the texts the program's notifications showed


def check(ok, what):
    print(("PASS " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


def pump(seconds):
    """Lets AT-SPI events arrive for a while."""
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def on_showing(event):
    if event.detail1 == 1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
        notifications.append(event.source.name)


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


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def labels(node):
    return [relation.get_target(i).name for relation in node.get_relation_set()
            if relation.get_relation_type() == pyatspi.RELATION_LABELLED_BY
            for i in range(relation.get_n_targets())]


program = subprocess.Popen([sys.argv[1]], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
app = None
for _ in range(100):
    app = next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "flowcal"), None)
    if app is not None:
        break
    pump(0.1)
check(app is not None, "the program shows itself on the AT-SPI bus")
if app is None:
    sys.exit(1)

orca = subprocess.Popen(["orca", "--debug-file=" + os.path.join(os.environ["FLOWCAL_DESKTOP_WORK"], "orca.log")],
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
pump(6)


def opened(menu):
    """Opens a window from the main window's menu and waits for it."""
    activate("^Vantrel, Inc\\.$")
    count = app.childCount
    menu, item = menu.split()
    # Held a moment: Orca, busy with the first keys it hears, may otherwise take
    # the Alt apart from its letter.
    xdotool("keydown", "alt")
    pump(0.2)
    xdotool("key", menu)
    pump(0.2)
    xdotool("keyup", "alt")
    pump(0.5)
    xdotool("key", item)
    for _ in range(50):
        if app.childCount > count:
            break
        pump(0.1)
    pump(0.5)


# Each window: an Enter that computes, then one that fails, typed where the focus
# goes from the window's first field.
stories = [
    (None, "10 Return 1000 Return 5.66 Return", "FRQUENCY 29, RATE 9.8484",
     "0 Return 0 Return 5.66 Return", "Frequency ratio not computed"),
    ("c w", "Return 100 Return 98 Return", "Percent of Error, Test 1 2.000%",
     "0 Return 98 Return", "Percent of error of Test 2 not computed: the scale reading of Test 2 is zero."),
    ("c n", "Return Return 100 Return 17.5 Return", "Mass Dispensed, Test 1 99.05",
     "120 Return x Return", "Mass dispensed of Test 2 not computed"),
    ("t Return", "59 Return", "P-30 2,901  PSI, P-36 3,614  PSI",
     "abc Return", "Celsius temperature not computed: the temperature is not a number."),
]
for menu, computing, result, failing, failure in stories:
    if menu:
        opened(menu)
    else:
        activate("^Vantrel, Inc\\.$")
    for typed, spoken in ((computing, result), (failing, failure)):
        del notifications[:]
        keys(typed)
        pump(0.5)
        check(any(spoken in text for text in notifications), "%s spoken in %s" % (spoken, notifications))
opened("h a")

frames = [app.getChildAtIndex(i) for i in range(app.childCount)]
names = sorted(frame.name for frame in frames if frame.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG))
check(len(set(names)) == 5, "five windows with names of their own: %s" % names)
for frame in frames:
    nodes = list(walk(frame))
    calculating = not frame.name.startswith("About")
    for field in (n for n in nodes if calculating and n.getRole() == pyatspi.ROLE_TEXT):
        captions = labels(field)
        check(captions and all(caption in field.name for caption in captions),
              "%s: %r labelled by %s" % (frame.name, field.name, captions))
    bars = [n for n in nodes if n.getRole() == pyatspi.ROLE_STATUS_BAR]
    check(len(bars) == int(calculating), "%s: %d status bar" % (frame.name, len(bars)))
    for bar in bars:
        check(bar.queryText().characterCount == len(bar.name), "%s: its status bar's text is read" % frame.name)

activate("^Vantrel, Inc\\.$")
del notifications[:]
keys("F2")
pump(0.5)
check(any(text.startswith("FRQUENCY 0") for text in notifications), "F2 reads the results: %s" % notifications)

# Orca writes its log as it ends; it ends at the next event after the signal.
orca.terminate()
for _ in range(20):
    if orca.poll() is not None:
        break
    xdotool("key", "shift")
    time.sleep(0.5)
orca.kill()
with open(os.path.join(os.environ["FLOWCAL_DESKTOP_WORK"], "orca.log"), errors="replace") as log:
    speech = [line for line in log if "SPEECH OUTPUT" in line]
for spoken in [story[2] for story in stories] + [story[4] for story in stories]:
    check(any(spoken in line for line in speech), "Orca says %r" % spoken)

program.terminate()
program.wait(10)
print("%d failed" % len(failures))
sys.exit(1 if failures else 0)
