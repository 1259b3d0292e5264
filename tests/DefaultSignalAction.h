#pragma once
// A test that raises a quit signal to see the program take it needs the signal's default
// action to begin with: the program leaves a signal its starter ignored ignored, and a test
// program started as a background job of a script has SIGINT ignored. The action before
// comes back at the end of the scope.
#include <csignal>

class DefaultSignalAction {
public:
    explicit DefaultSignalAction(int signal) : signal_(signal) {
        struct sigaction byDefault {};
        byDefault.sa_handler = SIG_DFL;
        sigemptyset(&byDefault.sa_mask);
        sigaction(signal_, &byDefault, &before_);
    }
    ~DefaultSignalAction() { sigaction(signal_, &before_, nullptr); }
    DefaultSignalAction(const DefaultSignalAction&) = delete;
    DefaultSignalAction& operator=(const DefaultSignalAction&) = delete;

private:
    int signal_;
    struct sigaction before_ {};
};
