#!/usr/bin/python3
"""What a blind technician gets from the program, on the real AT-SPI bus, with the
Orca screen reader listening: run by with-desktop, given the program to start.

Every field of every window is labelled by its captions and holds them in its name,
each window has a name of its own and each calculating window a status bar; the
results of an Enter and every failure message are spoken, in each window, without
the focus moving, a test's error with its verdict against the tolerance kept from
an earlier run; F2 reads the results again.
"""
import os
import subprocess
import sys

import pyatspi

from desktop import (activate, active_frame, config, frames, check, finish, keys, opened, screen_reader_listening,
                     shown, start, typed_keys, until, wait_for, walk, xdotool)

notifications = []  # the texts the program's notifications showed


def on_showing(event):
    if event.detail1 == 1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
        notifications.append(event.source.name)


def labels(node):
    return [relation.get_target(i).name for relation in node.get_relation_set()
            if relation.get_relation_type() == pyatspi.RELATION_LABELLED_BY
            for i in range(relation.get_n_targets())]


pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
# The tolerance an earlier run kept, as File > Job Details writes it.
os.makedirs(os.path.join(config, "flowcal"), exist_ok=True)
with open(os.path.join(config, "flowcal", "flowcal.conf"), "w") as kept:
    kept.write("[tolerance]\nacceptance=0.7\nmaintenance=1.5\n")
program, app = start(sys.argv[1])

orca_log = os.path.join(os.environ["FLOWCAL_DESKTOP_WORK"], "orca.log")
# Orca writes its debug log in blocks of 8 KiB; started with its log file opened
# line-buffered, it writes each line as it says it, so the test reads what it said
# as it says it.
line_by_line = """
import builtins, runpy, sys
log = sys.argv[1]
real_open = builtins.open
builtins.open = lambda file, mode="r", *rest, **named: (
    real_open(file, mode, buffering=1) if file == log else real_open(file, mode, *rest, **named))
sys.argv = ["orca", "--debug-file=" + log]
runpy.run_path("/usr/bin/orca", run_name="__main__")
"""
# Orca runs once per user: it quits at once when another Orca of this user runs,
# as one of another desktop's test may.
wait_for(lambda: subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"], capture_output=True).returncode,
         "no other Orca of this user runs (Orca runs once per user)", 240)
orca = subprocess.Popen(["/usr/bin/python3", "-c", line_by_line, orca_log],
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
wait_for(screen_reader_listening, "Orca listens on the AT-SPI bus", 30)


def speech():
    with open(orca_log, errors="replace") as log:
        return [line for line in log if "SPEECH OUTPUT" in line]


def orca_said(spoken, since=0):
    """Whether Orca has said the text, after the first `since` things it said."""
    return any(spoken in line for line in speech()[since:])


# Each window: an Enter that computes, then one that fails, typed where the focus
# goes from the window's first field.
stories = [
    (None, typed_keys("flow rate"),
     "FRQUENCY %s, RATE %s" % (shown("flow rate", "frequency"), shown("flow rate", "rate")),
     "0 Return 0 Return 5.66 Return", "Frequency ratio and rate for the whole frequency not computed"),
    ("c w", typed_keys("with a mass display", "display1"),
     "Percent of Error, Test 1 %s, outside 0.7 %% acceptance and 1.5 %% maintenance"
     % shown("with a mass display", "percentError1"),
     "0 Return 98 Return", "Percent of error of Test 2 not computed: the scale reading of Test 2 is zero."),
    ("c n", typed_keys("without a mass display", "gallons1"),
     "Mass Dispensed, Test 1 " + shown("without a mass display", "display1"),
     "120 Return x Return", "Mass dispensed of Test 2, percent of error of Test 2"),
    ("t Return", "59 Return", "P-30 2,901  PSI, P-36 3,614  PSI",
     "abc Return", 'P-36 pressure not computed: the temperature "abc" is not a number.'),
]
for menu, computing, result, failing, failure in stories:
    mark = len(speech())
    if menu:
        opened(app, *menu.split())
    else:
        activate(app)
        mark = 0
    # A person who hears the screen waits for the window to be announced before
    # typing; Orca, still behind, might drop what is shown meanwhile.
    frame = active_frame(app).name
    wait_for(lambda: orca_said(frame + " frame", mark), "Orca announces %r" % frame, 15)
    for typed, spoken in ((computing, result), (failing, failure)):
        del notifications[:]
        keys(app, typed)
        until(lambda: any(spoken in text for text in notifications), 5)
        check(any(spoken in text for text in notifications), "%s spoken in %s" % (spoken, notifications))
        # A person hears it out before going on; Orca may drop what it has not yet
        # said when new events crowd in.
        check(until(lambda: orca_said(spoken), 15), "Orca says %r" % spoken)
opened(app, "h", "a")

windows = frames(app)
names = sorted(frame.name for frame in windows if frame.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG))
check(len(set(names)) == 5, "five windows with names of their own: %s" % names)
for frame in windows:
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

# The field Enter moves the focus to is spoken, as Tab's is.
activate(app)
mark = len(speech())
keys(app, "Return")
check(until(lambda: orca_said("PULSES/GALLON", mark), 15), "Orca says the field the focus moves to")

del notifications[:]
keys(app, "F2")
until(lambda: any(text.startswith("FRQUENCY 0") for text in notifications), 5)
check(any(text.startswith("FRQUENCY 0") for text in notifications), "F2 reads the results: %s" % notifications)

orca.kill()
orca.wait(10)

program.terminate()
program.wait(10)
finish()
