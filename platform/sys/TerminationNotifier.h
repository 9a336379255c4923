#pragma once
// The session's request to end the program (SIGTERM, SIGINT, SIGHUP), handed to the
// program from its event loop, so that it ends the way it does when its user closes it.
// The signal handler itself only writes a byte to a socket.

#include <csignal>
#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace sys {

class TerminationNotifier {
public:
    // Takes the signals that are not ignored; one that the program was started with
    // ignored (nohup) stays ignored.
    TerminationNotifier();
    // Gives the signals back to the handling they had before.
    ~TerminationNotifier();
    TerminationNotifier(const TerminationNotifier&) = delete;
    TerminationNotifier& operator=(const TerminationNotifier&) = delete;

    // False when the signals could not be taken: they then end the program at once.
    bool isActive() const { return m_notifier != nullptr; }

    // Runs from the event loop, a modal dialog's nested loop too, once for the signals
    // that came since it last ran.
    std::function<void()> onRequest;

private:
    void take();

    int m_fds[2] = {-1, -1};
    int m_previousWriteEnd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    struct Taken {
        int signal;
        struct sigaction previous;
    };
    std::vector<Taken> m_taken;
};

} // namespace sys
