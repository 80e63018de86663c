#pragma once

class QObject;
class QWidget;

// Sends a command along the responder chain: the view it starts from, then its
// parent, and so on up, until one of them has an invokable method of that name
// taking the sender (QObject*). So a control can send a command without
// knowing which screen carries it out.
class ResponderChain {
public:
    // True when a view took the command.
    static bool sendAction(const char* action, QObject* sender, QWidget* from);
};
