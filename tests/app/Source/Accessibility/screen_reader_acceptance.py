#!/usr/bin/python3
"""The running application read through AT-SPI as a screen reader reads it, keys
pressed with xdotool; inside tests/accessibility-session.sh:
    screen_reader_acceptance.py APPLICATION VANTIX
Every job tile is a selectable item named by number and name, the job editor's
pop-up lists are named by their labels, and no event carries a character typed
into the job password dialog or the editor's share password field. Every wait
is bounded; the first failure ends the run with its reason."""

import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

TYPED = "kQ7x"
JOBS = ["Invoices", "Photos", "Contracts"]


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


def window(app, name):
    return next((w for w in app if w.name == name and w.getState().contains(pyatspi.STATE_SHOWING)), None)


class Recorder:
    def __init__(self):
        self.texts = []
        self.insertions = 0
        for kind in ("object", "focus", "window"):
            pyatspi.Registry.registerEventListener(self.record, kind)

    def record(self, event):
        self.texts.append(str(event.any_data))
        try:
            self.texts.append(event.source.name or "")
            if event.type.startswith("object:text-changed:insert") and \
                    event.source.getRole() == pyatspi.ROLE_PASSWORD_TEXT:
                self.insertions += 1
        except Exception:  # a source that went away meanwhile
            pass

    def type_password(self, field, where):
        since, before = len(self.texts), self.insertions
        subprocess.run(["xdotool", "type", "--delay", "80", TYPED], check=True)
        # the field's insertion events come with bullets in place of the characters
        wait_for("event for each character typed into the " + where, lambda: self.insertions - before >= len(TYPED))
        text = field.queryText()
        for carried in self.texts[since:] + [text.getText(0, text.characterCount)]:
            if any(character in carried for character in TYPED):
                fail("the %s tells of a typed password character: %r" % (where, carried))


def read(recorder):
    desktop = pyatspi.Registry.getDesktop(0)
    app = wait_for("application on the bus", lambda: next(a for a in desktop if a and a.name == "fernwick-vantix"))
    frame = wait_for("main window named by its screen", lambda: window(app, "Fernwick Vantix - Job list"))
    tiles = wait_for("job tiles", lambda: find(frame, pyatspi.ROLE_LIST_ITEM, pyatspi.STATE_SELECTABLE))
    names = [tile.name for tile in tiles]
    expected = ["Job %d, %s, " % (number, name) for number, name in enumerate(JOBS, 1)]
    if len(names) != len(JOBS) or any(not n.startswith(e) for n, e in zip(names, expected)):
        fail("selectable job tiles %r, expected names beginning with %r" % (names, expected))

    subprocess.run(["xdotool", "key", "alt+r"], check=True)  # Register Jobs on Scanner
    dialog = wait_for("job password dialog", lambda: window(app, "Fernwick Vantix - Job Password"))
    field = wait_for("focused password field", lambda: find(dialog, pyatspi.ROLE_PASSWORD_TEXT, pyatspi.STATE_FOCUSED))
    recorder.type_password(field[0], "job password dialog")
    subprocess.run(["xdotool", "key", "Escape"], check=True)
    wait_for("dialog to close", lambda: not window(app, dialog.name))
    subprocess.run(["xdotool", "key", "alt+a"], check=True)  # Add Job
    wait_for("job editor", lambda: frame.name == "Fernwick Vantix - Job editor")
    lists = wait_for("editor's pop-up lists", lambda: find(frame, pyatspi.ROLE_COMBO_BOX, pyatspi.STATE_SHOWING))
    labels = ["Color Mode", "Paper Size", "Resolution", "Reading Surface", "File Format"]
    if [c.name for c in lists] != labels:
        fail("the pop-up lists are named %r, expected their labels %r" % ([c.name for c in lists], labels))
    share = wait_for("share password field", lambda: find(frame, pyatspi.ROLE_PASSWORD_TEXT, pyatspi.STATE_SHOWING))
    share[0].queryComponent().grabFocus()
    wait_for("focus on the share password field", lambda: share[0].getState().contains(pyatspi.STATE_FOCUSED))
    recorder.type_password(share[0], "share password field")


def main():
    application, vantix = sys.argv[1:3]
    with tempfile.TemporaryDirectory() as scratch:
        environment = dict(os.environ, XDG_DATA_HOME=scratch + "/data", XDG_CONFIG_HOME=scratch + "/config",
                           XDG_STATE_HOME=scratch + "/state", LANGUAGE="en", LANG="C.UTF-8")
        for name in JOBS:
            subprocess.run([vantix, "jobs", "add", "--name", name, "--path", "\\\\srv\\in"], env=environment,
                           check=True, stdout=subprocess.DEVNULL)
        # A last picked scanner: the job password dialog opens without a search.
        os.makedirs(scratch + "/config/fernwick-vantix", mode=0o700)
        with open(scratch + "/config/fernwick-vantix/fernwick-vantix.conf", "w") as settings:
            settings.write("[LastScanner]\nname=Front desk\naddress=127.0.0.2\n")
        recorder = Recorder()
        program = subprocess.Popen([application], env=environment)
        try:
            read(recorder)
        finally:
            program.kill()
            program.wait()


if __name__ == "__main__":
    main()
