#!/usr/bin/python3
"""The real program killed mid-job, run by with-capture-queue under with-desktop
and given the program to start: every reading typed more than a second before
SIGKILL is back when the program starts again, with the same results, and the job
prints as it stood.
"""
import os
import signal
import sys
import time

import pyatspi

from desktop import check, finish, keys, opened, shown, start, typed_keys, until, wait_for, walk, access

program = sys.argv[1]
if not os.environ.get("FLOWCAL_CAPTURE_DIR"):
    print("SKIP: needs the CUPS capture queue that ./scripts/test sets up when it runs as root")
    sys.exit(77)
jobs = os.environ["FLOWCAL_CAPTURE_DIR"]


def fields(app):
    """The window's fields by name, as they read now."""
    window = next(f for f in app if f is not None and f.name == "Calibration with a mass display")
    return {n.description: n.queryText().getText(0, -1) for n in walk(window) if n.getRole() == pyatspi.ROLE_TEXT}


process, app = start(program)
opened(app, "c", "w")
keys(app, typed_keys("with a mass display"))
typed = fields(app)
check(typed.get("New flow calibration factor") == shown("with a mass display", "newFactor"),
      "the worked example computes: %s" % typed)
time.sleep(1.5)
process.send_signal(signal.SIGKILL)
process.wait(10)

process, app = start(program)
opened(app, "c", "w")
again = wait_for(lambda: (lambda now: now if now == typed else None)(fields(app)),
                 "every reading and result is back after the kill", 10)
check(again == typed, "the readings and results as before the kill: %s" % fields(app))
before = set(os.listdir(jobs))
access(app, "f", "p")
check(until(lambda: set(os.listdir(jobs)) - before, 10) is not None, "the job prints as it stood")
process.terminate()
process.wait(10)
finish()
