#pragma once

#include <string>
#include <string_view>

namespace qmx::ecu {

// What the link knows of the ECU at its far end: the machine code the configuration expects and
// whether the ECU has identified itself since the port was last opened.
class EcuIdentity {
public:
    // Set when the ECU-type query matched or the check is switched off; single-value writes
    // check again only while it is clear.
    bool checkPassed() const { return m_checkPassed; }
    // The ECU check's verdict on the ECU type (true) or on the machine (only ever false).
    void recordCheck(bool passed) { m_checkPassed = passed; }
    // The port was opened and the check at open has run: the next single-value write checks
    // again.
    void forgetCheck() { m_checkPassed = false; }

    // The configuration's machine code (at most 2 characters); empty until one is set.
    const std::string& machineCode() const { return m_machineCode; }
    void setMachineCode(std::string_view code) { m_machineCode = code.substr(0, 2); }

private:
    bool m_checkPassed = false;
    std::string m_machineCode;
};

} // namespace qmx::ecu
