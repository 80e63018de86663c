#pragma once

// Qt's line edits tell assistive technology about each change of their text,
// also when they hide it: every insertion, removal and replacement event
// carries the characters typed, and every client on the session's
// accessibility bus receives them, although reading the field gives nothing.
// This update handler passes such events of a field that hides its text on
// with each character replaced by the '*' that the field's accessible value
// shows, and drops them for a field that shows nothing at all; every other
// event goes on unchanged. A field that shows its text on purpose (the bulk
// table's password field while its eye is on) is a plain field for as long as
// it does: the user asked to see the password, and hearing it is the same.
class PasswordEventFilter {
public:
    // On the main thread, once the QApplication exists. Events go on to the
    // handler installed before, if any (a test's recorder), else to the platform.
    static void install();
    // Puts the handler installed before back.
    static void uninstall();
};
