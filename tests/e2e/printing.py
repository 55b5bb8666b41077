#!/usr/bin/python3
"""The program's real print path, run by with-capture-queue under with-desktop and
given the program to start: each window's worked example, typed in and printed
from File > Print, reaches the CUPS capture queue as one job of one page that reads
as the page kept for its report in tests/printing/pages, 14 pt over 12 pt lines;
the status line names the job. File > Save as PDF writes the very page printed.
A job adjusted prints its calibration record, both phases on its page.
A printer that refuses the report, or is stopped, is named with CUPS's reason in a
message box, and nothing is printed.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

import pyatspi

from desktop import (access, activate, check, config, field_state, finish, frames, job_details, keys, opened,
                     save_as_pdf, start, typed_keys, until, wait_for, walk, xdotool)

program = sys.argv[1]
if not os.environ.get("FLOWCAL_CAPTURE_DIR"):
    print("SKIP: needs the CUPS capture queue that ./scripts/test sets up when it runs as root")
    sys.exit(77)
jobs = os.environ["FLOWCAL_CAPTURE_DIR"]
check_pdfa = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "printing", "check-pdfa")
pages = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "printing", "pages")


def kept(page):
    """The kept page's lines that carry text, as pdftotext reads them."""
    with open(os.path.join(pages, page + ".txt")) as lines:
        texts = [" ".join(re.findall(r"'([^']*)'", line)) for line in lines]
    return [" ".join(text.split()) for text in texts if text.strip()]


def read(pdf):
    """The lines of a PDF's one page, and each line's height; the file is sound."""
    sound = subprocess.run(["qpdf", "--check", pdf], capture_output=True, text=True)
    check(sound.returncode == 0, "%s is sound: %s" % (pdf, sound.stdout[-300:]))
    pages = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
    check(re.search(r"Pages:\s+1\n", pages) is not None, "%s is one page" % pdf)
    words = re.findall(r'<word xMin="[\d.]+" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>',
                       subprocess.run(["pdftotext", "-bbox", pdf, "-"], capture_output=True, text=True).stdout)
    lines = {}
    for top, bottom, word in words:
        lines.setdefault(round(float(bottom)), []).append((float(bottom) - float(top), word))
    return [" ".join(w for _, w in lines[y]) for y in sorted(lines)], [lines[y][0][0] for y in sorted(lines)]


def status_of(app, title):
    frame = next(frame for frame in frames(app) if frame.name == title)
    return next(n.name for n in walk(frame) if n.getRole() == pyatspi.ROLE_STATUS_BAR)


def new_job(before):
    added = until(lambda: sorted(name for name in set(os.listdir(jobs)) - before if not name.startswith(".")))
    return os.path.join(jobs, added[0]) if added else None


def dialog_of(app, title):
    return next((frame for frame in frames(app) if frame.name == title), None)


process, app = start(program)
saved = tempfile.mkdtemp()
reports = [(None, "Vantrel, Inc.", typed_keys("flow rate"), "flow-rate"),
           (("c", "w"), "Calibration with a mass display", typed_keys("with a mass display"), "mass-display"),
           (("c", "n"), "Calibration without a mass display", typed_keys("without a mass display"),
            "no-mass-display")]
for menu, name, typed, page in reports:
    if menu:
        opened(app, *menu)
    else:
        activate(app)
    keys(app, typed)
    before = set(os.listdir(jobs))
    access(app, "f", "p")
    job = new_job(before)
    check(job is not None, "%s: one job reached the queue" % name)
    if job is None:
        continue
    lines, heights = read(job)
    check(lines == kept(page), "%s: the printed page reads as kept: %s" % (name, lines))
    check(heights[5] < heights[3], "%s: 12 pt lines under 14 pt ones" % name)
    status = status_of(app, name)
    check(status.startswith("Report sent to %s as job " % os.environ["PRINTER"]), "%s: %s" % (name, status))
    path = os.path.join(saved, page + ".pdf")
    save_as_pdf(app, path)
    check(os.path.exists(path) and read(path)[0] == lines, "%s: saved as PDF, the page printed" % name)
    problems = subprocess.run([check_pdfa, path], capture_output=True, text=True).stdout
    check(problems == "", "%s: the saved page holds what PDF/A-1b requires: %s" % (name, problems))

# The job's details typed once, in the worksheet's File > Job Details...: the next
# page has them under the letterhead, with the verdicts, the rest as before.
job_details(app, {"Customer": "Acme Gas", "Dispenser serial no.": "SN-4471", "Technician": "R. Diaz",
                  "Acceptance tolerance (%)": "0.7", "Maintenance tolerance (%)": "1.5"})
before = set(os.listdir(jobs))
access(app, "f", "p")
job = new_job(before)
lines = read(job)[0] if job else []
plain = kept("no-mass-display")
check(lines[:4] == plain[:4] and lines[-(len(plain) - 4):] == plain[4:], "with details, the page is the same around "
      "the block: %s" % lines)
for line in ("Customer: Acme Gas", "Dispenser serial no.: SN-4471", "Technician: R. Diaz", "Lbs\\GGE factor: 5.66",
             "Test 1: 0.950 % maint., outside 0.7 % acceptance, within 1.5 % maintenance",
             "Average error: 0.715 % maint., outside 0.7 % acceptance, within 1.5 % maintenance"):
    check(line in lines, "the details block says %r" % line)
check(any(line.startswith("Printed 20") for line in lines), "the block says when it was printed")

# File > Adjust... takes the factor keyed in (the new one, offered), and the window
# shows the tests as left at it; File > Print Record prints the calibration record.
access(app, "f", "a")
wait_for(lambda: dialog_of(app, "Adjust"), "the Adjust dialog opens")
xdotool("key", "Return")
wait_for(lambda: not dialog_of(app, "Adjust"), "the Adjust dialog closes")
wait_for(lambda: any(frame.description.startswith("As Left.") for frame in frames(app)), "the window is as left")
wait_for(lambda: field_state(app), "a field of the worksheet has the focus again")
keys(app, "Tab Tab 100 Tab 17.65 Return")
before = set(os.listdir(jobs))
access(app, "f", "r")
job = new_job(before)
lines = read(job)[0] if job else []
for line in ("CALIBRATION RECORD", "Customer: Acme Gas", "Test 1 100 17.65 99.899 0.10% OK",
             "Result As Left: passes", "Technician: ________________________________ Date: ______________",
             "Printed name: R. Diaz"):
    check(line in lines, "the record says %r: %s" % (line, lines))
check(any(re.fullmatch(r"ADJUSTMENT: flow cal\. factor \S+ \u2192 43\.3328 keyed in", line) for line in lines),
      "the record names the adjustment: %s" % lines)
check(any(line.startswith("AS FOUND, factor") for line in lines) and
      "AS LEFT, factor 43.3328, held to 0.7 % acceptance" in lines, "the record has both phases: %s" % lines)
process.terminate()
process.wait(10)
shutil.rmtree(saved)
kept_settings = open(os.path.join(config, "flowcal", "flowcal.conf")).read()
check("R. Diaz" in kept_settings and "Acme Gas" not in kept_settings,
      "the technician is kept for the next run, the job is not: %s" % kept_settings)

for printer, reason in ((os.environ["FLOWCAL_REFUSING_PRINTER"], "is not accepting jobs."),
                        (os.environ["FLOWCAL_STOPPED_PRINTER"], "it is stopped (stopped for the end-to-end tests).")):
    process, app = start(program, dict(os.environ, PRINTER=printer))
    activate(app)
    before = set(os.listdir(jobs))
    access(app, "f", "p")

    def told():
        return [n.name for n in walk(app) if n.getRole() == pyatspi.ROLE_LABEL and "did not take the report" in n.name]
    said = until(told) or []
    check(len(said) == 1 and '"%s"' % printer in said[0] and reason in said[0], "told: %s" % said)
    for _ in range(4):  # a message box that has only just appeared may not have the keyboard yet
        xdotool("key", "Return")
        if until(lambda: not told(), 3):
            break
    wait_for(lambda: not told(), "the message about %s closes" % printer)
    check(set(os.listdir(jobs)) == before, "nothing printed on %s" % printer)
    process.terminate()
    process.wait(10)
finish()
