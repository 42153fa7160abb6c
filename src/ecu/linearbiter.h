#pragma once

// Who uses the serial line. The flags are the program's protocol between the transfers, the
// monitor poll and the main frame's commands; each can only be set by a scoped hold below, which
// clears it again when it ends. Holds nest: a flag reads as set while any hold of it lives.
// Single-threaded, like the link.
namespace qmx::ecu {

class TickCountdown;

class LineArbiter {
public:
    // A read, write, single-value write or check started by a command runs (the main frame
    // disables its commands and refuses to close).
    bool transferActive() const { return m_transfers > 0; }
    // A transfer wants the line: the monitor poll starts no new exchange.
    bool foregroundBusy() const { return m_foreground > 0; }
    // An exchange of the monitor cycle may be in progress; a single-value write waits for it.
    bool monitorCycleActive() const { return m_monitorClaims > 0; }
    // Holds of the re-entrant communication lock.
    int commLockDepth() const { return m_commLock; }

private:
    friend class TransferScope;
    friend class ForegroundHold;
    friend class MonitorClaim;
    friend class CommLockHold;

    int m_transfers = 0;
    int m_foreground = 0;
    int m_monitorClaims = 0;
    int m_commLock = 0;
};

// Sets transferActive for its lifetime.
class TransferScope {
public:
    explicit TransferScope(LineArbiter& arbiter) : m_arbiter(arbiter) { ++m_arbiter.m_transfers; }
    ~TransferScope() { --m_arbiter.m_transfers; }
    TransferScope(const TransferScope&) = delete;
    TransferScope& operator=(const TransferScope&) = delete;

private:
    LineArbiter& m_arbiter;
};

// Holds the communication lock for its lifetime.
class CommLockHold {
public:
    explicit CommLockHold(LineArbiter& arbiter) : m_arbiter(arbiter) { ++m_arbiter.m_commLock; }
    ~CommLockHold() { --m_arbiter.m_commLock; }
    CommLockHold(const CommLockHold&) = delete;
    CommLockHold& operator=(const CommLockHold&) = delete;

private:
    LineArbiter& m_arbiter;
};

// Sets monitorCycleActive for its lifetime: held by the monitor poll while its cycle runs, and by
// a memory transfer from its start.
class MonitorClaim {
public:
    explicit MonitorClaim(LineArbiter& arbiter) : m_arbiter(arbiter) {
        ++m_arbiter.m_monitorClaims;
    }
    ~MonitorClaim() { --m_arbiter.m_monitorClaims; }
    MonitorClaim(const MonitorClaim&) = delete;
    MonitorClaim& operator=(const MonitorClaim&) = delete;

private:
    LineArbiter& m_arbiter;
};

// Sets foregroundBusy for its lifetime. On construction it first lets a monitor exchange in
// progress end: it waits tick by tick while monitorCycleActive is set, as long as a tick runs
// that could end it, and at most a bounded number of ticks, so that a poll that never lets go
// cannot hold the line forever.
class ForegroundHold {
public:
    ForegroundHold(LineArbiter& arbiter, TickCountdown& ticks);
    ~ForegroundHold() { --m_arbiter.m_foreground; }
    ForegroundHold(const ForegroundHold&) = delete;
    ForegroundHold& operator=(const ForegroundHold&) = delete;

private:
    LineArbiter& m_arbiter;
};

} // namespace qmx::ecu
