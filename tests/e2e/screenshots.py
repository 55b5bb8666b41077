#!/usr/bin/python3
"""Pictures for the README, taken by scripts/screenshots under with-desktop: the
program opens each window through the main window's menu as a technician would,
types the window's worked example and writes a PNG of each to the docs folder,
once at the normal scale and once at twice the scale (as on a high-resolution
screen); at the normal scale it also saves each report through File > Save as PDF
and writes its page, and shows both worksheets again with a job's tolerance set, as
they give their verdicts.

    screenshots.py <program> <docs folder>
"""
import os
import subprocess
import sys
import tempfile

from desktop import (activate, active_frame, check, finish, job_details, keys, opened, save_as_pdf, start, typed_keys,
                     wait_for, xdotool)

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


def save_report(app, picture):
    pdf = os.path.join(work, picture + ".pdf")
    save_as_pdf(app, pdf)
    check(os.path.exists(pdf), "%s saved" % picture)
    subprocess.run(["pdftoppm", "-png", "-r", "80", "-singlefile", pdf, os.path.join(docs, picture)], check=True)


job = {"Customer": "Prairie Transit Authority", "Site": "North Yard fuel island",
       "Site address": "400 Depot Road, Redfield, OK 74999", "Dispenser make": "Meridian",
       "Dispenser model": "CNG-220", "Dispenser serial no.": "MX22-0417", "Meter serial no.": "CM-88213",
       "Hose or side": "Side A", "Scale used": "Platform scale PS-500", "Scale certified": "2026-03-14",
       "Seals removed": "#20417", "Seals applied": "#20988", "Technician": "Dana Ruiz",
       "Registration or licence no.": "RSA-1142", "Company": "Redfield Meter Service",
       "Acceptance tolerance (%)": "1.5", "Maintenance tolerance (%)": "2.0"}
windows = [("c", "w", "^Calibration$", "mass-display", typed_keys("with a mass display", "display1")),
           ("c", "n", "^Calibration$", "no-mass-display", typed_keys("without a mass display")),
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
    process.terminate()
    process.wait(10)
finish()
