# SPDX-License-Identifier: GPL-3.0-or-later
# What a screen reader hears: Numra driven with real key presses on a
# virtual X server, read by an assistive-technology client on the AT-SPI
# bus. The result of 1 2 + 5 * 2 Return arrives as the entry field's text
# and as an event; a subtotal, a VAT result and an error box are announced;
# the tape is a table whose cells and headers can be read.
#   test_atspi.py <numra>   (run by test_atspi.sh, which starts the buses)
import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

STEP_SECONDS = 15
failures = []
events = []


def fail(text):
    failures.append(text)
    print("FAIL " + text, flush=True)


def pump(seconds):
    """Lets the bus deliver events for a while."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def wait_for(what, probe, seconds=STEP_SECONDS):
    """probe() until it gives something true; None after the time is up."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            found = probe()
        except Exception:  # an object that went away while it was read
            found = None
        if found:
            return found
        pump(0.1)
    fail("timed out waiting for " + what)
    return None


def descendants(node, depth=0):
    if node is None or depth > 12:
        return
    yield node
    for i in range(node.childCount):
        yield from descendants(node.getChildAtIndex(i), depth + 1)


def find(root, predicate):
    for node in descendants(root):
        try:
            if predicate(node):
                return node
        except Exception:
            continue
    return None


def text_of(node):
    try:
        text = node.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return node.name


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "80", *names], check=False, timeout=10)


def heard(predicate):
    return any(predicate(e) for e in events)


def record(event):
    """type, source's name and role, what the event carries: the changed
    text, or the source's description as it is now."""
    try:
        source = event.source.name or ""
        role = event.source.getRoleName()
        said = event.source.description if "description" in event.type else str(event.any_data)
    except Exception:
        source, role, said = "", "", ""
    events.append((event.type, source, role, said))


def main():
    numra = sys.argv[1]
    home = tempfile.mkdtemp()
    os.mkdir(home + "/run", 0o700)  # a Numra of its own, which meets no other
    env = dict(os.environ, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
               XDG_RUNTIME_DIR=home + "/run",
               QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    for kind in ("object:text-changed", "object:property-change:accessible-description",
                 "object:property-change:accessible-value", "window:create", "object:state-changed:showing"):
        pyatspi.Registry.registerEventListener(record, kind)
    app_process = subprocess.Popen([numra], env=env, stderr=subprocess.DEVNULL)
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_for("Numra on the AT-SPI bus",
                       lambda: next((a for a in desktop if a is not None and a.name.lower() == "numra"), None))
        if app is None:
            return
        entry = wait_for("the entry field", lambda: find(app, lambda n: n.name == "Eingabefeld"))
        if entry is None:
            return
        subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(app_process.pid)],
                       check=False, timeout=STEP_SECONDS, stdout=subprocess.DEVNULL)
        pump(1.0)  # shown and focused

        # The result, read and told.
        keys("1", "2", "plus", "5", "asterisk", "2", "Return")
        if wait_for("the entry field to read 22 (it reads %r)" % text_of(entry),
                    lambda: text_of(entry) == "22"):
            wait_for("an event that tells the result 22",
                     lambda: heard(lambda e: e[1] == "Eingabefeld" and "22" in e[3]))

        # The pending formula is exposed while it waits.
        keys("7", "plus")
        wait_for("the pending formula 7+ to be exposed",
                 lambda: find(app, lambda n: n.name == "Ausstehende Formel" and "7+" in n.description))
        keys("Delete", "F9")

        # A subtotal is announced.
        events.clear()
        keys("4", "plus", "Return")
        wait_for("the subtotal 4 to be announced",
                 lambda: heard(lambda e: "description" in e[0] and "4" in e[3] and "Zwischensumme" in e[3]))
        keys("Escape", "Escape")

        # A VAT result is announced.
        events.clear()
        keys("1", "0", "0", "F7")
        wait_for("the VAT result 119,00 to be announced",
                 lambda: heard(lambda e: "description" in e[0] and "119" in e[3]))
        keys("Escape")
        pump(0.5)

        # An error box is announced and can be read.
        events.clear()
        keys("5", "slash", "0", "Return")
        box = wait_for("the error box", lambda: find(desktop, lambda n: n.getRoleName() == "alert"))
        if box is not None:
            wait_for("the error box to be told (alert with its text)",
                     lambda: heard(lambda e: "Gleitkommadivision durch Null" in e[3] or
                                   (e[0].startswith("window:create") and e[2] == "alert")))
            if not find(box, lambda n: "Gleitkommadivision durch Null" in (n.name + n.description + text_of(n))):
                fail("the error box's text cannot be read")
        keys("Return")
        pump(0.5)

        # The tape: a table with its headers, whose cells can be read.
        keys("F4")
        table = wait_for("the tape's table", lambda: find(app, lambda n: n.getRoleName() == "table"))
        if table is not None:
            cells = table.queryTable()
            if cells.nRows < 1:
                fail("the tape table has no rows")
            else:
                texts = [text_of(cells.getAccessibleAt(0, c)) for c in range(cells.nColumns)]
                if "12+5*2" not in texts or "22" not in texts:
                    fail("the tape's first row reads %r" % texts)
            heads = [cells.getColumnDescription(c) or
                     (cells.getColumnHeader(c).name if cells.getColumnHeader(c) else "")
                     for c in range(cells.nColumns)]
            if not all(heads):
                fail("the tape's columns have no headers: %r" % heads)
            row_head = cells.getRowDescription(0) or \
                (cells.getRowHeader(0).name if cells.getRowHeader(0) else "")
            if not row_head:
                fail("the tape's rows have no headers")
    finally:
        app_process.terminate()
        try:
            app_process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            app_process.kill()


main()
if failures:
    print("%d failure(s); events heard:" % len(failures))
    for e in events[-30:]:
        print("  ", e)
    sys.exit(1)
print("all read and heard")
