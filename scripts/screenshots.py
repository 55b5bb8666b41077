#!/usr/bin/python3
"""Pictures for the README, taken by scripts/screenshots under with-desktop: the
program opens each window through the main window's menu as a technician would,
types the window's worked example and writes a PNG of each to the docs folder,
once at the normal scale and once at twice the scale (as on a high-resolution
screen); at the normal scale it also saves each report through File > Save as PDF
and writes its page, and shows both worksheets again with a job's tolerance set, as
they give their verdicts. Last, the dispenser is adjusted and tested as left, its
calibration record saved, and, with three earlier calibrations of it added to the
jobs file, its history drawn.

    screenshots.py <program> <docs folder>
"""
import datetime
import os
import sqlite3
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from desktop import (access, activate, active_frame, check, data, field_state, finish, frames, job_details, keys,
                     opened, save_as_pdf, start, typed_keys, wait_for, xdotool)

program, docs = sys.argv[1], sys.argv[2]
work = tempfile.mkdtemp()


def window_id(title):
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", title],
                           capture_output=True, text=True, timeout=10).stdout.split()
    return found[-1]


def shoot(title, picture, window=None):
    """Writes the picture of the window with that title (or of that window, as the
    open job's name joins the titles); returns the window."""
    window = window or window_id(title)
    subprocess.run(["import", "-window", window, os.path.join(docs, picture + ".png")], check=True)
    return window


def save_report(app, picture, item="d"):
    pdf = os.path.join(work, picture + ".pdf")
    save_as_pdf(app, pdf, item)
    check(os.path.exists(pdf), "%s saved" % picture)
    subprocess.run(["pdftoppm", "-png", "-r", "80", "-singlefile", pdf, os.path.join(docs, picture)], check=True)


job = {"Customer": "Prairie Transit Authority", "Site": "North Yard fuel island",
       "Site address": "400 Depot Road, Redfield, OK 74999", "Dispenser make": "Meridian",
       "Dispenser model": "CNG-220", "Dispenser serial no.": "MX22-0417", "Meter serial no.": "CM-88213",
       "Hose or side": "Side A", "Scale used": "Platform scale PS-500", "Scale certified": "2026-03-14",
       "Seals removed": "#20417", "Seals applied": "#20988", "Technician": "Dana Ruiz",
       "Registration or licence no.": "RSA-1142", "Company": "Redfield Meter Service",
       "Acceptance tolerance (%)": "1.5", "Maintenance tolerance (%)": "2.0"}
windows = [("c", "w", "^Calibration - As Found$", "mass-display", typed_keys("with a mass display", "display1")),
           ("c", "n", "^Calibration - As Found$", "no-mass-display", typed_keys("without a mass display")),
           ("t", "Return", "^Temperature Compensation$", "temperature", ""),
           ("h", "a", "^About Vantrel", "about", "")]
# The job details last: what they keep must not reach the other pictures.
for scale, suffix in (("2", "@2x"), ("1", "")):
    process, app = start(program, dict(os.environ, QT_SCALE_FACTOR=scale))
    activate(app)
    keys(app, typed_keys("flow rate"))
    shoot("^Vantrel, Inc\\.$", "main-window" + suffix)
    if not suffix:
        save_report(app, "flow-rate-report")
    shot = {}
    for letter, item, title, name, typed in windows:
        opened(app, letter, item)
        keys(app, typed)
        shot[name] = shoot(title, name + "-window" + suffix)
        if not suffix and name.endswith("display"):
            save_report(app, name + "-report")
        if not suffix and name == "no-mass-display":  # a job's report, as filed
            job_details(app, job, lambda: shoot("^Job Details$", "job-details-dialog"))
            shoot(title, name + "-window-with-tolerance", shot[name])
            save_report(app, name + "-report-with-job")
            # The worksheet with a mass display, still open, judged too once its other
            # tests are typed.
            xdotool("windowactivate", "--sync", shot["mass-display"])
            wait_for(lambda: (lambda frame: frame is not None and frame.name == "Calibration with a mass display")(
                active_frame(app)), "the worksheet with a mass display is active")
            keys(app, typed_keys("with a mass display")[len(windows[0][4]):])
            shoot(title, "mass-display-window-with-tolerance", shot["mass-display"])
            # Adjusted to the factor the dispenser takes, and tested as left.
            access(app, "f", "a")
            wait_for(lambda: any(f.name == "Adjust" for f in frames(app)), "the Adjust dialog opens")
            xdotool("key", "ctrl+a")
            xdotool("type", "49.35")
            xdotool("key", "Return")
            wait_for(lambda: any(f.description.startswith("As Left.") for f in frames(app)), "the tests as left")
            wait_for(lambda: field_state(app), "a field of the worksheet has the focus")
            keys(app, "Tab 100 Tab 99.95 Tab 101 Tab 100.9 Tab 102 Tab 102.1 Return")
            shoot(title, "mass-display-window-as-left", shot["mass-display"])
            save_report(app, "calibration-record", "f")
    process.terminate()
    process.wait(10)

# The dispenser's three calibrations before this one, a year apart, drifting and
# set right each time: the jobs file holds them as the program would have kept them.
jobs = sqlite3.connect(os.path.join(data, "flowcal", "jobs.sqlite"))
columns = [column[1] for column in jobs.execute("PRAGMA table_info(jobs)")]
last = dict(zip(columns, jobs.execute("SELECT * FROM jobs ORDER BY id DESC LIMIT 1").fetchone()))
readings = jobs.execute("SELECT window, field, text FROM readings WHERE job = ?", (last["id"],)).fetchall()
for years, drift, keyed in ((3, 1.004, "48.80"), (2, 0.992, "49.10"), (1, 1.006, "49.02")):
    when = (datetime.date.today() - datetime.timedelta(days=365 * years)).isoformat() + "T10:00:00.000"
    row = dict(last, created=when, changed=when, tested=when)
    del row["id"]
    job = jobs.execute("INSERT INTO jobs (%s) VALUES (%s)" % (", ".join(row), ", ".join("?" * len(row))),
                       list(row.values())).lastrowid
    for window, field, text in readings:
        if window.endswith("as-left-1") and field == "existingFactor":
            text = keyed
        elif field.startswith("display") and not window.endswith("as-left-1"):
            text = "%.2f" % (float(text) * drift)
        jobs.execute("INSERT INTO readings (job, window, field, text) VALUES (?, ?, ?, ?)", (job, window, field, text))
jobs.commit()
jobs.close()
process, app = start(program)
activate(app)
xdotool("key", "ctrl+j")
wait_for(lambda: any(f.name == "Jobs" for f in frames(app)), "the jobs window opens")
xdotool("key", "alt+h")
wait_for(lambda: any(f.name.startswith("History of dispenser") for f in frames(app)), "the history opens")
shoot("^History of dispenser", "dispenser-history")
process.terminate()
process.wait(10)
finish()
