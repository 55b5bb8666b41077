#!/usr/bin/python3
"""Pictures for the README, taken by scripts/screenshots under with-desktop: the
program opens each window through the main window's menu as a technician would,
types the window's worked example and writes a PNG of each to the docs folder,
once at the normal scale and once at twice the scale (as on a high-resolution
screen); at the normal scale it also saves each report through File > Save as PDF
and writes its page.

    screenshots.py <program> <docs folder>
"""
import os
import subprocess
import sys
import tempfile

from desktop import activate, check, finish, keys, opened, save_as_pdf, start, typed_keys

program, docs = sys.argv[1], sys.argv[2]
work = tempfile.mkdtemp()


def window_id(title):
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", title],
                           capture_output=True, text=True, timeout=10).stdout.split()
    return found[-1]


def shoot(title, picture):
    subprocess.run(["import", "-window", window_id(title), os.path.join(docs, picture + ".png")], check=True)


def save_report(app, picture):
    pdf = os.path.join(work, picture + ".pdf")
    save_as_pdf(app, pdf)
    check(os.path.exists(pdf), "%s saved" % picture)
    subprocess.run(["pdftoppm", "-png", "-r", "80", "-singlefile", pdf, os.path.join(docs, picture)], check=True)


windows = [("c", "w", "^Calibration$", "mass-display", typed_keys("with a mass display", "display1")),
           ("c", "n", "^Calibration$", "no-mass-display", typed_keys("without a mass display")),
           ("t", "Return", "^Temperature Compensation$", "temperature", ""),
           ("h", "a", "^About Vantrel", "about", "")]
for scale, suffix in (("1", ""), ("2", "@2x")):
    process, app = start(program, dict(os.environ, QT_SCALE_FACTOR=scale))
    activate(app)
    keys(app, typed_keys("flow rate"))
    shoot("^Vantrel, Inc\\.$", "main-window" + suffix)
    if not suffix:
        save_report(app, "flow-rate-report")
    for letter, item, title, name, typed in windows:
        opened(app, letter, item)
        keys(app, typed)
        shoot(title, name + "-window" + suffix)
        if not suffix and name.endswith("display"):
            save_report(app, name + "-report")
    process.terminate()
    process.wait(10)
finish()
