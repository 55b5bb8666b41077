#!/usr/bin/python3
"""The real program against a printer system at fault, run by with-capture-queue
under with-desktop and given the program to start:

- a printer system that takes the connection and never answers: the window goes on
  taking keys while Print and Save as PDF wait, every key typed meanwhile lands in
  its field, no dialog opens over the typing, and the status line says within the
  bound what happened;
- nothing listening at the printer system's address, a PRINTER or a user's
  lpoptions default that names no queue, and queues without a default, each told as
  what it is; the last offers the queues, and the one chosen prints;
- a connection dropped as the page starts to flow (the job is cancelled, nothing
  printed, and the window says so), and an answer to the page held past the bound
  (the window says the page may have been printed exactly when one came out);
- control characters in the technician's name: the saved page holds what PDF/A-1b
  requires; a full disk is said to be full and leaves no file;
- a queue's state message and a file name holding markup are shown as they are;
- without a home, or with one that does not exist, nothing is written but the file
  chosen: not in "/", and no home is made.
"""
import os
import re
import socket
import subprocess
import sys
import tempfile
import threading
import time

import pyatspi

from desktop import access, activate, check, config, finish, focused, frames, keys, save_as_pdf, start, typed_keys, until, wait_for, walk, xdotool

program = sys.argv[1]
if not os.environ.get("FLOWCAL_CAPTURE_DIR"):
    print("SKIP: needs the CUPS capture queue that ./scripts/test sets up when it runs as root")
    sys.exit(77)
jobs = os.environ["FLOWCAL_CAPTURE_DIR"]
queue = os.environ["PRINTER"]
scratch = tempfile.mkdtemp()
check_pdfa = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "printing", "check-pdfa")


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


class Proxy:
    """Stands between the program and the printer system (cupsd on localhost:631). On
    the connection that sends a page (an IPP Send-Document request), "drop" closes
    both ends as the page starts to flow; "hold" passes the page on but holds the
    printer system's answer back for eight seconds, past the program's bound."""
    SEND_DOCUMENT = re.compile(rb"\r\n[\x01\x02][\x00-\x02]\x00\x06")

    def __init__(self, mode):
        self.mode = mode
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(8)
        self.port = self.listener.getsockname()[1]
        threading.Thread(target=self.serve, daemon=True).start()

    def serve(self):
        while True:
            try:
                client, _ = self.listener.accept()
            except OSError:
                return
            server = socket.create_connection(("127.0.0.1", 631))
            page = threading.Event()
            threading.Thread(target=self.up, args=(client, server, page), daemon=True).start()
            threading.Thread(target=self.down, args=(server, client, page), daemon=True).start()

    def up(self, client, server, page):
        tail = b""
        try:
            while data := client.recv(65536):
                found = self.SEND_DOCUMENT.search(tail + data)
                if found and not page.is_set():
                    page.set()
                    if self.mode == "drop":  # the request reaches the printer system, the page does not
                        server.sendall((tail + data)[len(tail):max(found.end(), len(tail))])
                        for end in (client, server):
                            end.shutdown(socket.SHUT_RDWR)
                        return
                server.sendall(data)
                tail = data[-8:]
        except OSError:
            pass

    def down(self, server, client, page):
        try:
            while data := server.recv(65536):
                if page.is_set() and self.mode == "hold":
                    time.sleep(8)
                client.sendall(data)
        except OSError:
            pass

    def close(self):
        self.listener.close()


def pending(queue):
    """The jobs of the queue that have not finished."""
    return subprocess.run(["lpstat", "-o", queue], capture_output=True, text=True).stdout.split("\n")[:-1]


# A printer system that takes the connection and never answers. The technician
# types on meanwhile, past the bound: every key lands in its field, no dialog
# opens over the typing, no file is written, and the status line says what
# happened.
listener = socket.socket()
listener.bind(("127.0.0.1", 0))
listener.listen(8)
held = []
threading.Thread(target=lambda: [held.append(listener.accept()) for _ in range(8)], daemon=True).start()
home = tempfile.mkdtemp()
os.makedirs(os.path.join(home, "Documents"))
process, app = run({"CUPS_SERVER": "127.0.0.1:%d" % listener.getsockname()[1], "HOME": home})
keys(app, typed_keys("flow rate", "pulsesPerGallon"))
for letter, what, words in (("p", "Print", "did not answer within 5 seconds (127.0.0.1:"),
                            ("d", "Save as PDF", "The report was not saved: the window was in use")):
    asked = time.time()
    access(app, "f", letter)
    field = wait_for(lambda: focused(app), "a field has the focus")
    before = field.queryText().getText(0, -1)
    while time.time() - asked < 7:
        xdotool("type", "7")
        time.sleep(0.3)
    typed = field.queryText().getText(0, -1)
    xdotool("key", "Return")  # which a dialog opened meanwhile would have taken
    said = until(lambda: words in status(app), 5)
    check(bool(said) and time.time() - asked < 14, "%s: the status line says it: %s" % (what, status(app)))
    sevens = typed[len(before):] if typed.startswith(before) else typed  # or typed over the selected text
    check(len(sevens) >= 15 and set(sevens) == {"7"},
          "%s: every key typed meanwhile is in its field: %r then %r" % (what, before, typed))
    check([f.name for f in frames(app)] == ["Vantrel, Inc."], "%s: no dialog opened over the typing" % what)
check(os.listdir(os.path.join(home, "Documents")) == [], "no file was written by the typing")
stop(process)
listener.close()

# Nothing listening at the printer system's address, a PRINTER naming no queue, and
# a default in the user's lpoptions that names no queue.
lpoptions = tempfile.mkdtemp()
os.makedirs(os.path.join(lpoptions, ".cups"))
with open(os.path.join(lpoptions, ".cups", "lpoptions"), "w") as options:
    options.write("Default flowcal-gone\n")
for env, drop, words in (
        ({"CUPS_SERVER": "127.0.0.1:1"}, (), "The printer system (127.0.0.1:1) cannot be reached: nothing answers at "
                                             "that address (the connection was refused): the printer system is not "
                                             "running there"),
        ({"PRINTER": "flowcal-missing"}, (), 'The printer "flowcal-missing" does not exist'),
        ({"HOME": lpoptions}, ("PRINTER", "LPDEST"),
         'The printer "flowcal-gone", the default in %s/.cups/lpoptions, does not exist' % lpoptions)):
    process, app = run(env, drop)
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

# A page dropped as it starts to flow, and the printer system's answer to a page
# held past the bound: the window says a page went only when the job holds it, and
# never that nothing was printed when a page came out.
for mode in ("drop", "hold"):
    proxy = Proxy(mode)
    before = set(os.listdir(jobs))
    process, app = run({"CUPS_SERVER": "127.0.0.1:%d" % proxy.port})
    access(app, "f", "p")
    if mode == "drop":
        words = "did not take the report: the connection broke while the report was being sent"
        said = until(lambda: told(app, words), 10)
        check(bool(said), "drop: told that the printer system did not take the report: %s %s" % (status(app), told(app, "")))
        dismiss("Escape", lambda: not told(app, words), "the offer closes")
        check(until(lambda: not pending(queue), 5) is not None, "drop: the job was cancelled: %s" % pending(queue))
        check(set(os.listdir(jobs)) == before, "drop: nothing was printed")
    else:
        said = until(lambda: "may have been printed" in status(app) or told(app, "did not answer within 5"), 12)
        printed = until(lambda: set(os.listdir(jobs)) - before, 5)
        check(bool(said) and bool(printed) == ("may have been printed" in status(app)),
              "hold: what the window says (%r) matches what came out (%s)" % (status(app) or said, printed))
        check(not told(app, "Nothing was printed") or not printed, "hold: never 'Nothing was printed' for a page")
    stop(process)
    proxy.close()

# Control characters of a barcode scanner and a direction override in the
# technician's name: the saved page's metadata stay XML and it holds what PDF/A-1b
# requires.
os.makedirs(os.path.join(config, "flowcal"), exist_ok=True)
with open(os.path.join(config, "flowcal", "flowcal.conf"), "w") as kept:
    kept.write('[technician]\nname="A\\x1-B\\aC\\x202e-D"\n')
process, app = run({})
scanned = os.path.join(scratch, "scanned.pdf")
save_as_pdf(app, scanned)
info = subprocess.run(["pdfinfo", scanned], capture_output=True, text=True).stdout
check("A?-B?C?-D" in info, "the control characters were kept and print as '?': %s" % info)
problems = subprocess.run([check_pdfa, scanned], capture_output=True, text=True).stdout
check(problems == "", "the page holds what PDF/A-1b requires: %s" % problems)
stop(process)
os.remove(os.path.join(config, "flowcal", "flowcal.conf"))

# A full disk is said to be full, and leaves no file behind.
disk = tempfile.mkdtemp()
subprocess.run(["mount", "-t", "tmpfs", "-o", "size=256k", "tmpfs", disk], check=True)
try:
    subprocess.run(["dd", "if=/dev/zero", "of=" + os.path.join(disk, "filler"), "bs=4k"], capture_output=True)
    process, app = run({})
    save_as_pdf(app, os.path.join(disk, "report.pdf"))
    said = until(lambda: status(app).endswith("report.pdf\": the disk is full."), 10)
    check(bool(said), "full disk: %s" % status(app))
    check(os.listdir(disk) == ["filler"], "full disk: no file left behind: %s" % os.listdir(disk))
    stop(process)
finally:
    subprocess.run(["umount", disk])

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
