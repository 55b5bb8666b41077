"""What the end-to-end tests share on the desktop with-desktop makes: the program
started for real, driven with xdotool as a person would, read through AT-SPI.

Nothing here waits a fixed time: every wait polls for what it waits for (a window
shown, the focus moved, a file written, a bus name registered) within a bound,
and a wait in vain fails the test with what did not happen."""
import os
import re
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Gio, GLib

failures = []


def check(ok, what):
    print(("PASS " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


def finish():
    print("%d failed" % len(failures))
    sys.exit(1 if failures else 0)


def worked_example(name):
    """The worked example of that window ("with a mass display") from the table the
    C++ tests read, tests/worked_examples.txt: {part: [(field, text), ...]}."""
    example = {}
    with open(os.path.join(os.path.dirname(__file__), "..", "worked_examples.txt"), encoding="utf-8") as table:
        for line in table:
            if not line.strip() or line.startswith("#"):
                continue
            window, part, pairs = (cell.strip() for cell in line.split(" | ", 2))
            if window == name:
                example[part] = [tuple(pair.split("=", 1)) if "=" in pair else (pair, "")
                                 for pair in pairs.split(";")]
    if not example:
        raise ValueError("no worked example %r in tests/worked_examples.txt" % name)
    return example


def typed_keys(name, upto=None):
    """The keys that type the worked example into its window as keys() takes them:
    each text (an empty one leaves the field's own) and Return, up to and with the
    field `upto`."""
    keys = []
    for field, text in worked_example(name)["typed"]:
        keys += ([text] if text else []) + ["Return"]
        if field == upto:
            break
    return " ".join(keys)


def shown(name, field):
    """What the window shows in the field once its worked example is typed."""
    return dict(worked_example(name)["shown"])[field]


def let_events_in():
    """Lets pending AT-SPI events arrive, then pauses a moment before the next poll."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)
    time.sleep(0.02)


def until(condition, seconds=10):
    """Polls the condition until it holds (its value is returned) or the bound
    passes (None). An object gone from the bus meanwhile counts as not yet."""
    end = time.time() + seconds
    while True:
        try:
            value = condition()
        except GLib.Error:
            value = None
        if value:
            return value
        if time.time() > end:
            return None
        let_events_in()


def wait_for(condition, what, seconds=10):
    """until(), and the test ends failing, naming what did not happen, when it never holds."""
    value = until(condition, seconds)
    if not value:
        check(False, "%s (waited %g s)" % (what, seconds))
        finish()
    return value


def xdotool(*words):
    subprocess.run(["xdotool", *words], check=True, timeout=30)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def frames(app):
    """The program's windows; one closing meanwhile is left out."""
    return [frame for frame in (app.getChildAtIndex(i) for i in range(app.childCount)) if frame is not None]


def has(node, state):
    return node.getState().contains(state)


def active_frame(app):
    return next((frame for frame in frames(app) if has(frame, pyatspi.STATE_ACTIVE)), None)


def focused(app):
    """The focused object of the active window, or None."""
    frame = active_frame(app)
    if frame is None:
        return None
    return next((node for node in walk(frame) if has(node, pyatspi.STATE_FOCUSED)), None)


def field_state(app):
    """What a key in the focused field changes: which field it is, its text, and
    whether all of it is selected."""
    field = focused(app)
    if field is None or field.getRole() != pyatspi.ROLE_TEXT:
        return None
    text = field.queryText()
    count = text.characterCount
    selected = text.getNSelections() > 0 and text.getSelection(0) == (0, count)
    return field.name, text.getText(0, -1), selected


def keys(app, typed):
    """"10 Return 1000 Return": texts typed, keys pressed; each waits for its effect.
    A text stands in the focused field; Return and Tab move the focus on, or, in a
    window with one field, select its text anew. F2 is only pressed."""
    for word in typed.split():
        before = wait_for(lambda: field_state(app), "a field has the focus before %r" % word)
        if word == "F2":
            xdotool("key", word)
        elif word in ("Return", "Tab"):
            xdotool("key", word)
            wait_for(lambda: (lambda now: now and (now[0] != before[0] or (now[2] and not before[2])))(
                field_state(app)), "%s in %r moved on" % (word, before[0]))
        else:
            xdotool("type", "--delay", "20", word)
            wait_for(lambda: (lambda now: now and word in now[1])(field_state(app)),
                     "%r typed into %r" % (word, before[0]))


def menu_open(app):
    frame = active_frame(app)
    return frame is not None and any(node.getRole() == pyatspi.ROLE_POPUP_MENU and has(node, pyatspi.STATE_SHOWING)
                                     for node in walk(frame))


def access(app, letter, item):
    """Alt and a menu's letter, then the item's. A screen reader that hears the keys
    first may take the Alt apart from its letter; the menu not opening, the keys
    are pressed again."""
    for _ in range(3):
        xdotool("keydown", "alt")
        xdotool("key", letter)
        xdotool("keyup", "alt")
        if until(lambda: menu_open(app), 3):
            break
        xdotool("key", "Escape")
        until(lambda: not menu_open(app), 3)
    else:
        check(False, "Alt+%s opens its menu" % letter)
        finish()
    xdotool("key", item)
    wait_for(lambda: not menu_open(app), "the menu closes after %r" % item)


def activate(app, name="Vantrel, Inc."):
    """Brings the window with this accessible name to the front and waits until it has the focus."""
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                            "^%s( - .*)?$" % re.escape(name)],  # the open job may follow the name
                           capture_output=True, text=True, timeout=10).stdout.split()
    if not found:
        check(False, "the window %r is on the screen" % name)
        finish()
    xdotool("windowactivate", "--sync", found[-1])
    wait_for(lambda: (lambda frame: frame is not None and frame.name == name)(active_frame(app)),
             "the window %r is active" % name)
    wait_for(lambda: focused(app), "a field of %r has the focus" % name)


# The program keeps the technician's details and its jobs here, never in the
# user's own folders.
config = tempfile.mkdtemp(prefix="flowcal-e2e-config-")
data = tempfile.mkdtemp(prefix="flowcal-e2e-data-")


def start(program, env=None):
    """Starts the program, with settings of its own, and waits until it is on the
    AT-SPI bus with its main window active; returns it and its node."""
    env = dict(env or os.environ, XDG_CONFIG_HOME=config, XDG_DATA_HOME=data)
    process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    app = wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "flowcal"),
                                None), "the program shows itself on the AT-SPI bus")
    wait_for(lambda: active_frame(app), "the program's main window is active")
    return process, app


def save_as_pdf(app, path, item="d"):
    """File > Save as PDF (or the File menu's item given) into path, typed over the
    name the dialog suggests, as a person does; True once the file is there and the
    dialog gone."""
    access(app, "f", item)
    dialog = wait_for(lambda: next((f for f in frames(app) if f.name == "Save Report as PDF"), None),
                      "the file dialog opens")
    wait_for(lambda: any(node.getRole() == pyatspi.ROLE_TEXT and has(node, pyatspi.STATE_FOCUSED)
                         for node in walk(dialog)), "the file name has the focus")
    xdotool("key", "ctrl+a")
    xdotool("type", "--delay", "10", path)
    for _ in range(3):  # a second Enter when the first closed the name completer's list
        xdotool("key", "Return")
        if until(lambda: os.path.exists(path) and not any(f.name == "Save Report as PDF" for f in frames(app)), 3):
            return True
    return False


def job_details(app, details, before=None):
    """File > Job Details... in the active window: each detail named (by its label)
    typed into its field, reached by Tab as a person does, then Enter. before, when
    given, is called with the dialog filled in, before the Enter."""
    access(app, "f", "j")
    dialog = wait_for(lambda: next((f for f in frames(app) if f.name == "Job Details"), None),
                      "the job details dialog opens")

    def focused_detail():
        return next((n for n in walk(dialog) if n.getRole() == pyatspi.ROLE_TEXT and has(n, pyatspi.STATE_FOCUSED)),
                    None)
    for name, text in details.items():
        while wait_for(focused_detail, "a detail has the focus").name != name:
            focus = focused_detail()
            xdotool("key", "Tab")
            until(lambda: not has(focus, pyatspi.STATE_FOCUSED), 3)
        xdotool("type", "--delay", "20", text)
        wait_for(lambda: text in focused_detail().queryText().getText(0, -1), "%r typed into %r" % (text, name))
    if before:
        before()
    xdotool("key", "Return")
    wait_for(lambda: not any(f.name == "Job Details" for f in frames(app)), "Enter accepts the details")


def opened(app, letter, item):
    """Opens a window from the main window's menu and waits until it is active with
    the focus in one of its fields."""
    activate(app)
    count = app.childCount
    access(app, letter, item)
    wait_for(lambda: app.childCount > count, "a window opens from Alt+%s %s" % (letter, item))
    new = app.getChildAtIndex(app.childCount - 1)
    wait_for(lambda: has(new, pyatspi.STATE_ACTIVE) and focused(app), "the window %r is active" % new.name)


def screen_reader_listening():
    """True once a screen reader has registered its many event listeners with the
    AT-SPI registry, the text caret's among them: it then hears what is shown."""
    session = Gio.bus_get_sync(Gio.BusType.SESSION)
    address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                                GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 2000).unpack()[0]
    bus = Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)
    try:
        events = bus.call_sync("org.a11y.atspi.Registry", "/org/a11y/atspi/registry", "org.a11y.atspi.Registry",
                               "GetRegisteredEvents", None, None, Gio.DBusCallFlags.NONE, 2000).unpack()[0]
    finally:
        bus.close_sync()
    by_listener = {}
    for listener, event in events:
        by_listener.setdefault(listener, set()).add(event)
    return any(len(heard) >= 20 and {"Object:TextCaretMoved:", "Object:StateChanged:Showing"} <= heard
               for heard in by_listener.values())
