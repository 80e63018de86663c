#pragma once

class QCoreApplication;

// The application's own arguments: --help, --help-all (also Qt's standard
// options, such as -platform and -style, which the application object takes
// itself) and --version.
class CommandLine {
public:
    // Before the application object is made: a run that asks only for the
    // help or the version needs no display, so it uses the offscreen platform.
    static void prepare(int argc, char** argv);
    // Prints the help or the version and ends the program (status 0) when
    // asked to; an unknown option ends it with a message and status 1.
    static void process(const QCoreApplication& application);
};
