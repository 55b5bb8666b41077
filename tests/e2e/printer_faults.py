#!/usr/bin/python3
"""The real program against a printer system at fault, run by with-capture-queue
under with-desktop and given the program to start:

- a printer system that takes the connection and never answers: the window goes on
  taking keys while Print and Save as PDF wait, and Print says within its bound that
  the printer system did not answer;
- a printer system that is not there, a PRINTER that names no queue, and queues
  without a default, each told as what it is; the last offers the queues, and the
  one chosen prints;
- a queue's state message and a file name holding markup are shown as they are;
- without a home, or with one that does not exist, nothing is written but the file
  chosen: not in "/", and no home is made.
"""
import os
import socket
import subprocess
import sys
import tempfile
import threading
import time

import pyatspi

from desktop import access, activate, check, finish, focused, frames, keys, save_as_pdf, start, typed_keys, until, wait_for, walk, xdotool

program = sys.argv[1]
if not os.environ.get("FLOWCAL_CAPTURE_DIR"):
    print("SKIP: needs the CUPS capture queue that ./scripts/test sets up when it runs as root")
    sys.exit(77)
jobs = os.environ["FLOWCAL_CAPTURE_DIR"]
queue = os.environ["PRINTER"]
scratch = tempfile.mkdtemp()


def told(app, words):
    """The labels of the program's message boxes that hold the words."""
    return [n.name for n in walk(app) if n.getRole() == pyatspi.ROLE_LABEL and words in n.name]


def status(app):
    return next(n.name for n in walk(app) if n.getRole() == pyatspi.ROLE_STATUS_BAR)


def run(env_changes, drop=()):
    env = dict(os.environ, **env_changes)
    for name in drop:
        env.pop(name, None)
    process, app = start(program, env)
    activate(app)
    return process, app


def dismiss(key, gone, what):
    """Presses the key until the dialog is gone: one that has only just appeared may
    not have the keyboard yet."""
    for _ in range(4):
        xdotool("key", key)
        if until(gone, 3):
            return
    check(False, what)
    finish()


def stop(process):
    process.terminate()
    process.wait(10)


# A printer system that takes the connection and never answers.
listener = socket.socket()
listener.bind(("127.0.0.1", 0))
listener.listen(8)
held = []
threading.Thread(target=lambda: [held.append(listener.accept()) for _ in range(8)], daemon=True).start()
process, app = run({"CUPS_SERVER": "127.0.0.1:%d" % listener.getsockname()[1]})
keys(app, typed_keys("flow rate", "pulsesPerGallon"))
for letter, what in (("p", "Print"), ("d", "Save as PDF")):
    asked = time.time()
    access(app, "f", letter)
    # The window answers meanwhile: Tab moves the focus at once.
    before = focused(app).name
    xdotool("key", "Tab")
    moved = until(lambda: focused(app) is not None and focused(app).name != before, 0.5)
    check(bool(moved), "%s: the window takes keys while the printer system does not answer" % what)
    if letter == "p":
        said = until(lambda: told(app, "did not answer within 5 seconds (127.0.0.1:"), 10)
        check(bool(said) and time.time() - asked < 8, "Print: told within the bound: %s" % said)
        dismiss("Escape", lambda: not told(app, "did not answer"), "the offer closes")
    else:
        dialog = until(lambda: next((f for f in frames(app) if f.name == "Save Report as PDF"), None), 10)
        check(dialog is not None and time.time() - asked < 8, "Save as PDF: the file dialog within the bound")
        dismiss("Escape", lambda: not any(f.name == "Save Report as PDF" for f in frames(app)), "the file dialog closes")
stop(process)
listener.close()

# A printer system that is not there, and a PRINTER naming no queue.
for env, words in (({"CUPS_SERVER": "127.0.0.1:1"}, "The printer system (127.0.0.1:1) cannot be reached"),
                   ({"PRINTER": "flowcal-missing"}, 'The printer "flowcal-missing" does not exist')):
    process, app = run(env)
    access(app, "f", "p")
    said = until(lambda: told(app, words), 10)
    check(bool(said), "told: %s" % said)
    dismiss("Escape", lambda: not told(app, words), "the message closes")
    stop(process)

# Queues without a default: the one chosen prints, this once.
default = subprocess.run(["lpstat", "-d"], capture_output=True, text=True,
                         env={k: v for k, v in os.environ.items() if k not in ("PRINTER", "LPDEST")}).stdout
if "no system default" in default:
    process, app = run({}, drop=("PRINTER", "LPDEST"))
    before = set(os.listdir(jobs))
    access(app, "f", "p")
    said = until(lambda: told(app, "No printer is set as the default"), 10)
    check(bool(said), "queues without a default: the choice is offered")
    xdotool("type", queue)  # the list goes to the queue whose name is typed
    xdotool("key", "Return")
    check(until(lambda: set(os.listdir(jobs)) - before, 10) is not None, "the chosen queue printed the report")
    wait_for(lambda: status(app).startswith("Report sent to %s as job" % queue), "the status line names the job")
    stop(process)
else:
    print("NOTE: this machine has a default printer, so the choice of queues is not tried: %s" % default.strip())

# Markup in a queue's state message and in a file name is shown as it is.
stopped = os.environ["FLOWCAL_STOPPED_PRINTER"]
subprocess.run(["cupsdisable", "-r", "<b>x</b>", stopped], check=True)
process, app = run({"PRINTER": stopped})
access(app, "f", "p")
said = until(lambda: told(app, "did not take the report"), 10)
check(bool(said) and "(<b>x</b>)" in said[0], "the state message as it is: %s" % said)
dismiss("Return", lambda: not told(app, "did not take the report"), "the message closes")
subprocess.run(["cupsdisable", "-r", "stopped for the end-to-end tests", stopped], check=True)
marked = os.path.join(scratch, "<b>x<i>.pdf")
save_as_pdf(app, marked)
check(status(app) == "Report saved as %s." % marked, "the file name as it is: %s" % status(app))
stop(process)

# Without a usable home nothing is written but the file chosen: neither in "/"
# (where the file was suggested and Qt kept its dialog's history) nor in a home that
# does not exist. Other programs on this machine may write elsewhere meanwhile, so
# the places a program without a home would write to are the ones looked at.
top = set(os.listdir("/"))
for env, drop, name in (({}, ("HOME",), "no-home.pdf"), ({"HOME": "/nonexistent/home"}, (), "missing-home.pdf")):
    process, app = run(env, drop)
    chosen = os.path.join(scratch, name)
    save_as_pdf(app, chosen)
    check(os.path.exists(chosen), "%s: saved" % name)
    stop(process)
check(set(os.listdir("/")) == top and not os.path.exists("/nonexistent"),
      "nothing written outside the chosen files: %s" % sorted(set(os.listdir("/")) - top))
finish()
