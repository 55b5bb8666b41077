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

from desktop import activate, check, finish, keys, opened, pump, start, walk, xdotool

notifications = []  # the texts the program's notifications showed


def on_showing(event):
    if event.detail1 == 1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
        notifications.append(event.source.name)


def labels(node):
    return [relation.get_target(i).name for relation in node.get_relation_set()
            if relation.get_relation_type() == pyatspi.RELATION_LABELLED_BY
            for i in range(relation.get_n_targets())]


pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
program, app = start(sys.argv[1])

orca = subprocess.Popen(["orca", "--debug-file=" + os.path.join(os.environ["FLOWCAL_DESKTOP_WORK"], "orca.log")],
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
pump(6)


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
        opened(app, *menu.split())
    else:
        activate("^Vantrel, Inc\\.$")
    for typed, spoken in ((computing, result), (failing, failure)):
        del notifications[:]
        keys(typed)
        pump(0.5)
        check(any(spoken in text for text in notifications), "%s spoken in %s" % (spoken, notifications))
opened(app, "h", "a")

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
finish()
