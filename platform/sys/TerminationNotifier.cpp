#include "TerminationNotifier.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

namespace sys {

namespace {

// A signal handler can reach nothing but a global: the socket's write end, or -1.
std::atomic<int> g_writeEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free);

void onSignal(int)
{
    const int saved = errno;
    const int fd = g_writeEnd.load();
    if (fd >= 0) {
        // A full socket already holds a request: the byte may be dropped.
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);
    }
    errno = saved;
}

} // namespace

TerminationNotifier::TerminationNotifier()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, m_fds) != 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(m_fds[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { take(); });
    m_previousWriteEnd = g_writeEnd.exchange(m_fds[1]);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction previous = {};
        if (::sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN)
            continue;
        if (::sigaction(signal, &action, &previous) == 0)
            m_taken.push_back({signal, previous});
    }
}

TerminationNotifier::~TerminationNotifier()
{
    for (const Taken& t : m_taken)
        ::sigaction(t.signal, &t.previous, nullptr);
    if (m_fds[1] >= 0) {
        g_writeEnd.store(m_previousWriteEnd);
        m_notifier.reset();
        ::close(m_fds[0]);
        ::close(m_fds[1]);
    }
}

void TerminationNotifier::take()
{
    char bytes[16];
    while (::read(m_fds[0], bytes, sizeof bytes) > 0) {
    }
    // The request may end the program, or this notifier.
    if (std::function<void()> request = onRequest)
        request();
}

} // namespace sys
