#include "sim/ptyserver.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/signalfd.h>
#include <termios.h>
#include <unistd.h>

namespace qmx::sim {

namespace {

void traceBytes(std::ostream* trace, TimePoint start, const char* direction,
                const std::uint8_t* bytes, std::size_t count) {
    if (!trace || count == 0)
        return;
    const auto ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    char head[48];
    std::snprintf(head, sizeof head, "%10.3f %s", ms, direction);
    *trace << head;
    for (std::size_t i = 0; i < count; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, " %02X", bytes[i]);
        *trace << byte;
    }
    *trace << '\n';
}

} // namespace

PtyServer::~PtyServer() {
    std::error_code error;
    if (!m_link.empty() && std::filesystem::read_symlink(m_link, error) == m_slavePath)
        std::filesystem::remove(m_link, error);
    for (const int fd : {m_master, m_slave, m_signals}) {
        if (fd >= 0)
            ::close(fd);
    }
}

int PtyServer::open() {
    sigset_t signals;
    sigemptyset(&signals);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&signals, signal);
    // Blocked signals wait in the descriptor; a write to a vanished stdout only fails.
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0 || ::signal(SIGPIPE, SIG_IGN) == SIG_ERR)
        return errno;
    m_signals = signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK);
    if (m_signals < 0)
        return errno;

    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0 ||
        fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK) != 0)
        return errno;
    const char* name = ptsname(m_master);
    if (!name)
        return errno;
    m_slavePath = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0)
        return errno;
    // Until the program configures the port, the line discipline must not echo or translate.
    termios raw{};
    if (tcgetattr(m_slave, &raw) != 0)
        return errno;
    cfmakeraw(&raw);
    if (tcsetattr(m_slave, TCSANOW, &raw) != 0)
        return errno;
    return 0;
}

int PtyServer::createLink(const std::filesystem::path& link) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(link, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_symlink(status))
        return EEXIST;
    std::filesystem::create_directories(link.parent_path(), error);
    // Build the new link beside the old one and rename it over, so no reader sees none.
    auto temporary = link;
    temporary += ".ecusim-" + std::to_string(getpid());
    std::filesystem::remove(temporary, error);
    std::filesystem::create_symlink(m_slavePath, temporary, error);
    if (!error)
        std::filesystem::rename(temporary, link, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return error.value();
    }
    m_link = link;
    return 0;
}

int PtyServer::serve(EcuEngine& engine, bool watchStdin, std::ostream* trace) {
    const TimePoint start = Clock::now();
    std::vector<std::uint8_t> pending; // due bytes the terminal has not taken yet
    std::array<std::uint8_t, 256> buffer{};
    for (;;) {
        const std::size_t before = pending.size();
        engine.poll(Clock::now(), pending);
        traceBytes(trace, start, "out", pending.data() + before, pending.size() - before);
        while (!pending.empty()) {
            const ssize_t written = ::write(m_master, pending.data(), pending.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written < 0 && errno == EAGAIN)
                break;
            if (written < 0)
                return errno;
            pending.erase(pending.begin(), pending.begin() + written);
        }

        std::array<pollfd, 3> fds{
            {{m_signals, POLLIN, 0},
             {m_master, static_cast<short>(POLLIN | (pending.empty() ? 0 : POLLOUT)), 0},
             {STDIN_FILENO, POLLIN, 0}}};
        timespec wait{};
        const timespec* timeout = nullptr;
        if (const auto due = engine.nextDue()) {
            const auto left = std::max(Clock::duration::zero(), *due - Clock::now());
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
            wait.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
            wait.tv_nsec = static_cast<long>(ns % 1'000'000'000);
            timeout = &wait;
        }
        const int ready = ppoll(fds.data(), watchStdin ? 3 : 2, timeout, nullptr);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return errno;

        if (fds[0].revents != 0)
            return 0;
        if (watchStdin && fds[2].revents != 0) {
            const ssize_t got = ::read(STDIN_FILENO, buffer.data(), buffer.size());
            if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN))
                return 0;
        }
        if (fds[1].revents & POLLIN) {
            const ssize_t got = ::read(m_master, buffer.data(), buffer.size());
            if (got < 0 && errno != EINTR && errno != EAGAIN)
                return errno;
            const TimePoint now = Clock::now();
            for (ssize_t i = 0; i < got; ++i)
                engine.receive(buffer[static_cast<std::size_t>(i)], now);
            traceBytes(trace, start, "in ", buffer.data(),
                       static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        } else if (fds[1].revents & (POLLERR | POLLHUP | POLLNVAL)) {
            return EIO;
        }
    }
}

} // namespace qmx::sim
