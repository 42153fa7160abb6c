#include "platform/termiosserialdevice.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/time.h>
#include <tuple>
#include <unistd.h>

namespace qmx::platform {
namespace {

using namespace std::chrono_literals;

// The controlling side of a pseudo-terminal; its slave stands in for a serial port.
class PtyMaster {
public:
    PtyMaster() {
        m_fd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_fd >= 0 && grantpt(m_fd) == 0 && unlockpt(m_fd) == 0)
            m_slave = ptsname(m_fd);
    }
    ~PtyMaster() { close(); }
    void close() {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    const std::string& slave() const { return m_slave; }
    int fd() const { return m_fd; }
    // The next byte from the slave side; nothing when none comes before the deadline.
    std::optional<std::uint8_t> receive(std::chrono::milliseconds deadline = 5s) {
        pollfd entry{m_fd, POLLIN, 0};
        std::uint8_t byte = 0;
        if (::poll(&entry, 1, static_cast<int>(deadline.count())) == 1 &&
            ::read(m_fd, &byte, 1) == 1)
            return byte;
        return std::nullopt;
    }

private:
    int m_fd = -1;
    std::string m_slave;
};

// The far end of the line for the signal handler below, which answers from inside the signal.
int g_peer = -1;
volatile sig_atomic_t g_signals = 0;

void answerFromTheSignal(int) {
    g_signals = g_signals + 1;
    const std::uint8_t answer = 0x41;
    static_cast<void>(::write(g_peer, &answer, 1));
}

TEST(TermiosSerialDevice, ASignalDuringAWaitIsRetriedAndTheByteStillComes) {
    PtyMaster pty;
    TermiosSerialDevice device;
    ASSERT_EQ(device.open(pty.slave(), LineSettings{}), 0);
    // A timer signal interrupts the wait in poll(); its handler is also what sends the byte, so
    // a wait that gave up on EINTR would miss it.
    g_peer = pty.fd();
    g_signals = 0;
    struct sigaction action {};
    action.sa_handler = answerFromTheSignal;
    sigemptyset(&action.sa_mask);
    struct sigaction previous {};
    ASSERT_EQ(sigaction(SIGALRM, &action, &previous), 0);
    itimerval timer{};
    timer.it_value.tv_usec = 30'000;
    ASSERT_EQ(setitimer(ITIMER_REAL, &timer, nullptr), 0);

    std::uint8_t byte = 0;
    const ReadResult result = device.read(byte, 10s);

    sigaction(SIGALRM, &previous, nullptr);
    EXPECT_EQ(g_signals, 1);
    EXPECT_EQ(result, ReadResult::Byte);
    EXPECT_EQ(byte, 0x41);
}

TEST(TermiosSerialDevice, WriteThatCannotGoOutInTimeFails) {
    PtyMaster pty;
    TermiosSerialDevice device;
    ASSERT_EQ(device.open(pty.slave(), LineSettings{}), 0);
    // Nobody reads the other side, so the terminal's buffers fill up; writes go out at once
    // while there is room, and the first one that finds none within its time-out fails.
    constexpr std::size_t kLimit = 1u << 22;
    std::size_t written = 0;
    while (written < kLimit && device.write(0x55, 20ms))
        ++written;
    ASSERT_GT(written, 0u);
    ASSERT_LT(written, kLimit);
    EXPECT_EQ(device.lastError(), ETIMEDOUT);
    for (int i = 0; i < 4096; ++i)
        ASSERT_EQ(pty.receive(), 0x55);
    EXPECT_TRUE(device.write(0x55, 5s));
}

TEST(TermiosSerialDevice, OpenFailuresComeBackAsErrno) {
    TermiosSerialDevice device;
    EXPECT_EQ(device.open("/nonexistent/tty", LineSettings{}), ENOENT);
    EXPECT_EQ(device.open("/dev/null", LineSettings{}), ENOTTY);
    PtyMaster pty;
    LineSettings fast;
    fast.baudRate = 38400;
    EXPECT_EQ(device.open(pty.slave(), fast), EINVAL);
    std::uint8_t byte = 0;
    EXPECT_EQ(device.read(byte, 0ms), ReadResult::Error);
    EXPECT_FALSE(device.write(0, 0ms));
}

// Settings as the terminal holds them, seen through a second descriptor opened beforehand.
termios settingsOf(int fd) {
    termios t{};
    tcgetattr(fd, &t);
    return t;
}

TEST(TermiosSerialDevice, AppliesTheLineSettingsAndRestoresThemAtClose) {
    // The speed each asks for, and whether it asks for two stop bits (1.5 is rounded up).
    const std::tuple<LineSettings, speed_t, bool> cases[] = {
        {{600, 7, Parity::Odd, StopBits::One, true, true}, B600, false},
        {{19200, 8, Parity::None, StopBits::OneAndHalf, false, false}, B19200, true},
        {{9600, 8, Parity::Even, StopBits::Two, false, true}, B9600, true},
    };
    for (const auto& [settings, speed, twoStops] : cases) {
        PtyMaster pty;
        const int observer = ::open(pty.slave().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(observer, 0);
        const termios before = settingsOf(observer);

        TermiosSerialDevice device;
        ASSERT_EQ(device.open(pty.slave(), settings), 0);
        const termios t = settingsOf(observer);
        EXPECT_EQ(cfgetospeed(&t), speed);
        EXPECT_EQ(cfgetispeed(&t), speed);
        // A pseudo-terminal always runs 8 bits without parity; the open notes what it kept.
        EXPECT_EQ(t.c_cflag & (CSIZE | PARENB), static_cast<tcflag_t>(CS8));
        const bool parity = settings.parity != Parity::None;
        EXPECT_EQ(device.notes().framingUnavailable, settings.dataBits != 8 || parity);
        EXPECT_EQ((t.c_iflag & INPCK) != 0, parity);
        EXPECT_EQ(t.c_iflag & PARMRK, 0u);
        EXPECT_EQ((t.c_cflag & CSTOPB) != 0, twoStops);
        EXPECT_EQ(device.notes().stopBitsRounded, settings.stopBits == StopBits::OneAndHalf);
        EXPECT_EQ((t.c_cflag & (CLOCAL | CREAD)), CLOCAL | CREAD);
        EXPECT_EQ(t.c_iflag & (IXON | IXOFF), settings.xonXoff ? IXON | IXOFF : 0u);
        EXPECT_EQ(std::tie(t.c_cc[VSTART], t.c_cc[VSTOP], t.c_cc[VMIN], t.c_cc[VTIME]),
                  std::make_tuple(0x11, 0x13, 0, 0));
        EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
        EXPECT_EQ(t.c_oflag & OPOST, 0u);
        if (!device.notes().ctsFlowUnavailable) {
            EXPECT_EQ((t.c_cflag & CRTSCTS) != 0, settings.ctsOutputFlow);
        }

        device.close();
        const termios after = settingsOf(observer);
        EXPECT_EQ(std::tie(after.c_cflag, after.c_iflag, after.c_lflag, after.c_oflag),
                  std::tie(before.c_cflag, before.c_iflag, before.c_lflag, before.c_oflag));
        ::close(observer);
    }
}

} // namespace
} // namespace qmx::platform
