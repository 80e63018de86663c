#!/usr/bin/python3
"""screen_reader_acceptance.py APPLICATION VANTIX, inside tests/accessibility-session.sh:
reads the running application through AT-SPI as a screen reader does (job tiles,
the job editor's pop-up lists, the events while its share password is typed), keys
pressed with xdotool. Every wait is bounded; the first failure ends the run with its reason."""

import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

TYPED = "kQ7x"
JOBS = [("Invoices", "Pdf"), ("Quarterly statements for the accounting department", "Jpeg"), ("Photos", "Tiff")]


def fail(reason):
    sys.exit("FAILED: " + reason)


def wait_for(what, condition, limit=20):
    end, context = time.monotonic() + limit, GLib.MainContext.default()
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        try:
            value = condition()
        except Exception:  # an object that went away while it was read
            value = None
        if value:
            return value
        time.sleep(0.05)
    fail("no %s within %d seconds" % (what, limit))


def find(root, role, state):
    return [node for node in pyatspi.findAllDescendants(root, lambda n: n is not None and n.getRole() == role)
            if node.getState().contains(state)]


def read(told):
    app = wait_for("application on the bus",
                   lambda: next(a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "fernwick-vantix"))
    frame = wait_for("main window named by its screen",
                     lambda: next(w for w in app if w.name == "Fernwick Vantix - Job list"))
    tiles = wait_for("job tiles", lambda: find(frame, pyatspi.ROLE_LIST_ITEM, pyatspi.STATE_SELECTABLE))
    expected = ["Job %d, %s, %s" % (n, name, form.upper()) for n, (name, form) in enumerate(JOBS, 1)]
    if [tile.name for tile in tiles] != expected:
        fail("selectable job tiles %r, expected %r" % ([tile.name for tile in tiles], expected))

    subprocess.run(["xdotool", "key", "alt+a"], check=True)  # Add Job
    wait_for("job editor", lambda: frame.name == "Fernwick Vantix - Job editor")
    lists = wait_for("editor's pop-up lists", lambda: find(frame, pyatspi.ROLE_COMBO_BOX, pyatspi.STATE_SHOWING))
    labels = ["Color Mode", "Paper Size", "Resolution", "Reading Surface", "File Format"]
    if [c.name for c in lists] != labels:
        fail("the pop-up lists are named %r, expected their labels %r" % ([c.name for c in lists], labels))
    field = wait_for("share password field", lambda: find(frame, pyatspi.ROLE_PASSWORD_TEXT, pyatspi.STATE_SHOWING))
    field[0].queryComponent().grabFocus()
    wait_for("focus on the share password field", lambda: field[0].getState().contains(pyatspi.STATE_FOCUSED))
    since = len(told)
    subprocess.run(["xdotool", "type", "--delay", "80", TYPED], check=True)
    wait_for("insertion told for each character typed",
             lambda: sum(kind.startswith("object:text-changed:insert") for kind, _ in told[since:]) >= len(TYPED))
    for kind, carried in told[since:]:
        if any(character in carried for character in TYPED):
            fail("%s tells of a character typed into the share password field: %r" % (kind, carried))


def main():
    application, vantix = sys.argv[1:3]
    told = []  # each event's kind and what it carries (a name, a text inserted or removed, ...)
    pyatspi.Registry.registerEventListener(lambda event: told.append((event.type, str(event.any_data))),
                                           "object", "focus", "window")
    with tempfile.TemporaryDirectory() as scratch:
        os.environ.update(XDG_DATA_HOME=scratch + "/data", XDG_CONFIG_HOME=scratch + "/config",
                          XDG_STATE_HOME=scratch + "/state", LANGUAGE="en", LANG="C.UTF-8")
        for name, form in JOBS:
            subprocess.run([vantix, "jobs", "add", "--name", name, "--format", form, "--path", "\\\\srv\\in"],
                           check=True, stdout=subprocess.DEVNULL)
        program = subprocess.Popen([application])
        try:
            read(told)
        finally:
            program.kill()
            program.wait()


if __name__ == "__main__":
    main()
