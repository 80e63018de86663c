#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstring>

#include "LocalizedText.h"

void CommandLine::prepare(int argc, char** argv)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        return;
    }
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"--help", "--help-all", "-h", "-?", "--version", "-v"}) {
            if (std::strcmp(argv[i], option) == 0) {
                qputenv("QT_QPA_PLATFORM", "offscreen");
                return;
            }
        }
    }
}

void CommandLine::process(const QCoreApplication& application)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(localized("AppCommandLineDescription"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(application);
}
