#!/usr/bin/python3
"""The application as a screen reader meets it, through the accessibility bus.

Run inside tests/accessibility-session.sh:
    screen_reader_acceptance.py APPLICATION VANTIX

Three jobs are made with VANTIX in a scratch job folder, and the last picked
scanner is kept in a scratch configuration, so that the job password dialog
opens without a search. Then the application is started and read with
pyatspi, as Orca reads it, while keys are pressed with xdotool as a person
presses them:
- every job tile is a selectable list item named by its number and name;
- in the job password dialog and in the job editor's share password field,
  typed characters reach no accessibility event (the test waits for the
  fields' insertion events, which carry bullets instead);
- the job editor's pop-up lists are named by their labels.
Every wait is bounded; the first failure ends the run with its reason.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

TYPED = "kQ7x"
LIMIT = 20.0


def fail(reason):
    print("FAILED: " + reason, flush=True)
    sys.exit(1)


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, condition, limit=LIMIT):
    """The first true value of condition(), pumping the bus's events meanwhile."""
    end = time.monotonic() + limit
    while time.monotonic() < end:
        pump()
        try:
            value = condition()
        except Exception:  # an object that went away while it was read
            value = None
        if value:
            return value
        time.sleep(0.05)
    fail("no " + what + " within %d seconds" % limit)


def descendants(root, role):
    return pyatspi.findAllDescendants(root, lambda node: node is not None and node.getRole() == role)


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "100"] + list(names), check=True)


class Recorder:
    """Every object, focus and window event with the texts it carries."""

    def __init__(self):
        self.texts = []
        self.insertions = 0
        for kind in ("object", "focus", "window"):
            pyatspi.Registry.registerEventListener(self.record, kind)

    def record(self, event):
        carried = [str(event.any_data)]
        try:
            carried.append(event.source.name or "")
            if event.type.startswith("object:text-changed:insert") and \
                    event.source.getRole() == pyatspi.ROLE_PASSWORD_TEXT:
                self.insertions += 1
        except Exception:  # a source that went away meanwhile
            pass
        self.texts.extend(carried)

    def leaked(self, since):
        return [text for text in self.texts[since:] if any(character in text for character in TYPED)]


def type_password(recorder, field, where):
    """Types TYPED into the focused field and checks the events that came meanwhile."""
    pump()
    since = len(recorder.texts)
    before = recorder.insertions
    subprocess.run(["xdotool", "type", "--delay", "80", TYPED], check=True)
    wait_for("event for each character typed into the " + where,
             lambda: recorder.insertions - before >= len(TYPED))
    leaked = recorder.leaked(since)
    if leaked:
        fail("typed password characters reached accessibility events (%s): %r" % (where, leaked[:5]))
    text = field.queryText()
    shown = text.getText(0, text.characterCount)
    if any(character in shown for character in TYPED):
        fail("the %s reads back its password: %r" % (where, shown))


def main():
    application, vantix = sys.argv[1], sys.argv[2]
    scratch = tempfile.mkdtemp()
    environment = dict(os.environ, XDG_DATA_HOME=scratch + "/data", XDG_CONFIG_HOME=scratch + "/config",
                       XDG_STATE_HOME=scratch + "/state", LANGUAGE="en", LANG="C.UTF-8")
    jobs = [("Invoices", "Pdf"), ("Photos", "Jpeg"), ("Contracts", "Tiff")]
    for name, file_format in jobs:
        subprocess.run([vantix, "jobs", "add", "--name", name, "--format", file_format, "--path", "\\\\srv\\in"],
                       env=environment, check=True, stdout=subprocess.DEVNULL)
    os.makedirs(scratch + "/config/fernwick-vantix", mode=0o700)
    with open(scratch + "/config/fernwick-vantix/fernwick-vantix.conf", "w") as settings:
        settings.write("[LastScanner]\nname=Front desk\naddress=127.0.0.2\n")

    recorder = Recorder()
    program = subprocess.Popen([application], env=environment)
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_for("application on the accessibility bus",
                       lambda: next((a for a in desktop if a is not None and a.name == "fernwick-vantix"), None))
        frame = wait_for("main window named by its screen",
                         lambda: next((w for w in app if w.name == "Fernwick Vantix - Job list"), None))

        tiles = wait_for("job tiles", lambda: descendants(frame, pyatspi.ROLE_LIST_ITEM))
        names = [tile.name for tile in tiles]
        expected = ["Job %d, %s, " % (number, name) for number, (name, _) in enumerate(jobs, 1)]
        if len(tiles) != len(jobs) or any(not n.startswith(e) for n, e in zip(names, expected)):
            fail("job tiles %r, expected names beginning with %r" % (names, expected))
        for tile in tiles:
            if not tile.getState().contains(pyatspi.STATE_SELECTABLE):
                fail("the tile %r cannot be selected" % tile.name)

        # Register Jobs on Scanner, by its access key: the job password dialog.
        keys("alt+r")
        dialog = wait_for("job password dialog named by what it does",
                          lambda: next((w for w in app if w.name == "Fernwick Vantix - Job Password"), None))
        field = wait_for("focused password field in the dialog", lambda: next(
            (f for f in descendants(dialog, pyatspi.ROLE_PASSWORD_TEXT)
             if f.getState().contains(pyatspi.STATE_FOCUSED)), None))
        type_password(recorder, field, "job password dialog")
        keys("Escape")
        wait_for("dialog to close", lambda: all(w.name != dialog.name or
                                                not w.getState().contains(pyatspi.STATE_SHOWING) for w in app))

        # Add Job, by its access key: the job editor.
        keys("alt+a")
        wait_for("job editor", lambda: frame.name == "Fernwick Vantix - Job editor")
        lists = wait_for("the editor's pop-up lists", lambda: [c for c in descendants(frame, pyatspi.ROLE_COMBO_BOX)
                                                             if c.getState().contains(pyatspi.STATE_SHOWING)])
        labels = ["Color Mode", "Paper Size", "Resolution", "Reading Surface", "File Format"]
        if [c.name for c in lists] != labels:
            fail("the pop-up lists are named %r, expected their labels %r" % ([c.name for c in lists], labels))

        share = wait_for("share password field", lambda: next(
            (f for f in descendants(frame, pyatspi.ROLE_PASSWORD_TEXT)
             if f.getState().contains(pyatspi.STATE_SHOWING)), None))
        share.queryComponent().grabFocus()
        wait_for("focus on the share password field", lambda: share.getState().contains(pyatspi.STATE_FOCUSED))
        type_password(recorder, share, "share password field")
    finally:
        program.terminate()
        try:
            program.wait(10)
        except subprocess.TimeoutExpired:
            program.kill()
            program.wait()
        shutil.rmtree(scratch)
    print("passed: %d tiles, %d pop-up lists, %d insertions into password fields, no typed character"
          % (len(tiles), len(lists), recorder.insertions), flush=True)


if __name__ == "__main__":
    main()
