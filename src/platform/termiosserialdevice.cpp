#include "platform/termiosserialdevice.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

namespace qmx::platform {

namespace {

constexpr cc_t XonChar = 0x11;
constexpr cc_t XoffChar = 0x13;
// How long a close waits for output that the line still holds back (CTS low, XOFF received)
// before it discards it, and how often it looks.
constexpr auto kCloseDrainDeadline = std::chrono::milliseconds(250);
constexpr auto kCloseDrainLook = std::chrono::milliseconds(2);

// The termios speed constant for a baud rate the line settings allow; B0 for any other.
speed_t speedConstant(int baudRate) {
    switch (baudRate) {
    case 600:
        return B600;
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    default:
        return B0;
    }
}

// Raw mode with the asked framing, built on what the device reported so that bits this
// program does not govern (HUPCL, the modem lines) stay as they were.
termios rawSettings(termios t, const LineSettings& settings, speed_t speed) {
    t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | IGNPAR | PARMRK | INPCK | ISTRIP | INLCR |
                                        IGNCR | ICRNL | IXON | IXOFF | IXANY);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    t.c_cflag |= CLOCAL | CREAD | (settings.dataBits == 7 ? CS7 : CS8);
    if (settings.parity != Parity::None) {
        t.c_cflag |= PARENB | (settings.parity == Parity::Odd ? PARODD : 0);
        t.c_iflag |= INPCK;
    }
    // termios knows one or two stop bits; 1.5 (which UARTs use only with 5 data bits) runs as 2.
    if (settings.stopBits != StopBits::One)
        t.c_cflag |= CSTOPB;
    if (settings.ctsOutputFlow)
        t.c_cflag |= CRTSCTS;
    if (settings.xonXoff)
        t.c_iflag |= IXON | IXOFF;
    t.c_cc[VSTART] = XonChar;
    t.c_cc[VSTOP] = XoffChar;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    return t;
}

// Switches the driver's low-latency mode on or off; 0 or the errno of the request.
int setLowLatency(int fd, bool on) {
    serial_struct serial{};
    if (ioctl(fd, TIOCGSERIAL, &serial) != 0)
        return errno;
    if (on)
        serial.flags |= ASYNC_LOW_LATENCY;
    else
        serial.flags &= ~ASYNC_LOW_LATENCY;
    return ioctl(fd, TIOCSSERIAL, &serial) == 0 ? 0 : errno;
}

// Whether the driver's low-latency mode is on; false also when the driver has none.
bool lowLatencyOn(int fd) {
    serial_struct serial{};
    return ioctl(fd, TIOCGSERIAL, &serial) == 0 && (serial.flags & ASYNC_LOW_LATENCY) != 0;
}

int retryingTcsetattr(int fd, const termios& t) {
    while (tcsetattr(fd, TCSANOW, &t) != 0) {
        if (errno != EINTR)
            return errno;
    }
    return 0;
}

} // namespace

TermiosSerialDevice::~TermiosSerialDevice() {
    close();
}

int TermiosSerialDevice::open(const std::string& path, const LineSettings& settings) {
    close();
    const speed_t speed = speedConstant(settings.baudRate);
    if (speed == B0 || (settings.dataBits != 7 && settings.dataBits != 8))
        return m_lastError = EINVAL;

    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return m_lastError = errno;

    // The flock keeps out every cooperating program, a superuser too (TIOCEXCL does not stop
    // one). It comes first: only the lock holder may set and later clear the terminal's
    // exclusive flag, which would otherwise outlive a failed open.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_lastError = errno;
        ::close(fd);
        return m_lastError;
    }
    termios saved{};
    if (ioctl(fd, TIOCEXCL) != 0 || tcgetattr(fd, &saved) != 0) {
        m_lastError = errno;
        ioctl(fd, TIOCNXCL);
        ::close(fd);
        return m_lastError;
    }

    OpenNotes notes;
    notes.stopBitsRounded = settings.stopBits == StopBits::OneAndHalf;
    termios wanted = rawSettings(saved, settings, speed);
    int error = retryingTcsetattr(fd, wanted);
    if (error == EINVAL && settings.ctsOutputFlow) {
        // Some drivers refuse hardware flow outright; the line still works without it.
        wanted.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
        error = retryingTcsetattr(fd, wanted);
        notes.ctsFlowUnavailable = error == 0;
    }
    // tcsetattr succeeds when any part applied; what a device silently kept is only noted,
    // since a pseudo-terminal (always 8 bits, no parity) must still serve.
    termios applied{};
    if (error == 0 && tcgetattr(fd, &applied) == 0) {
        constexpr tcflag_t framing = CSIZE | PARENB;
        notes.framingUnavailable = (applied.c_cflag & framing) != (wanted.c_cflag & framing);
        notes.ctsFlowUnavailable = notes.ctsFlowUnavailable ||
                                   (settings.ctsOutputFlow && (applied.c_cflag & CRTSCTS) == 0);
    }
    if (error != 0) {
        retryingTcsetattr(fd, saved);
        ioctl(fd, TIOCNXCL);
        ::close(fd);
        return m_lastError = error;
    }

    // A USB adapter otherwise holds received bytes for its latency timer (16 ms for many), and
    // every echoed byte waits that long.
    notes.lowLatencyWasOn = lowLatencyOn(fd);
    notes.lowLatencyError = notes.lowLatencyWasOn ? 0 : setLowLatency(fd, true);

    m_fd = fd;
    m_saved = saved;
    m_notes = notes;
    m_lowLatencySet = !notes.lowLatencyWasOn && notes.lowLatencyError == 0;
    m_lastError = 0;
    return 0;
}

void TermiosSerialDevice::close() {
    if (m_fd < 0)
        return;
    // Output that flow control holds back would make close() itself wait for it, for half a
    // minute with many drivers: let it drain for a short while, then discard it.
    const auto deadline = Clock::now() + kCloseDrainDeadline;
    int queued = 0;
    while (ioctl(m_fd, TIOCOUTQ, &queued) == 0 && queued > 0 && Clock::now() < deadline)
        std::this_thread::sleep_for(kCloseDrainLook);
    tcflush(m_fd, TCOFLUSH);
    if (m_lowLatencySet)
        // Best effort: the device is released in any case.
        static_cast<void>(setLowLatency(m_fd, false));
    m_lowLatencySet = false;
    retryingTcsetattr(m_fd, m_saved);
    // The exclusive flag belongs to the terminal, not to this descriptor: clear it, or the next
    // open fails while another process (a pseudo-terminal's owner) keeps the terminal alive.
    ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
}

int TermiosSerialDevice::waitFor(short events, Clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd entry{m_fd, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(std::max<long long>(0, left.count())));
        if (ready > 0 && (entry.revents & events) == 0) {
            // Hung up or failed without being ready: the device is gone.
            m_lastError = EIO;
            return -1;
        }
        if (ready >= 0)
            return ready;
        if (errno != EINTR) {
            m_lastError = errno;
            return -1;
        }
    }
}

bool TermiosSerialDevice::write(std::uint8_t byte, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    m_lastError = 0;
    if (m_fd < 0) {
        m_lastError = EBADF;
        return false;
    }
    for (;;) {
        const ssize_t written = ::write(m_fd, &byte, 1);
        if (written == 1)
            return true;
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN) {
            m_lastError = errno;
            return false;
        }
        // The output buffer is full (flow control holds the line): wait for room.
        const int ready = waitFor(POLLOUT, deadline);
        if (ready < 0)
            return false;
        if (ready == 0) {
            m_lastError = ETIMEDOUT;
            return false;
        }
    }
}

ReadResult TermiosSerialDevice::read(std::uint8_t& byte, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    m_lastError = 0;
    if (m_fd < 0) {
        m_lastError = EBADF;
        return ReadResult::Error;
    }
    for (;;) {
        const int ready = waitFor(POLLIN, deadline);
        if (ready < 0)
            return ReadResult::Error;
        if (ready == 0)
            return ReadResult::Timeout;
        const ssize_t got = ::read(m_fd, &byte, 1);
        if (got == 1)
            return ReadResult::Byte;
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        // Readable yet nothing to read: in raw mode that is end of file, the line hung up.
        m_lastError = got < 0 ? errno : EIO;
        return ReadResult::Error;
    }
}

void TermiosSerialDevice::clearLineErrors() {
    // A terminal keeps no sticky error state: with INPCK and no PARMRK a damaged character
    // arrives as 0x00, and overruns only drop characters. There is nothing to clear, and
    // nothing may be discarded.
    m_lastError = 0;
}

} // namespace qmx::platform
