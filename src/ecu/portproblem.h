#pragma once

#include <filesystem>
#include <string>

namespace qmx::ecu {

// Why the serial device `device` did not open with system error `error`, for the user: for a
// refused permission (EACCES, EPERM) the device, its group and how to join it; for a port held by
// another program (EBUSY, EWOULDBLOCK) the device and, where `procRoot` tells, the program. Empty
// for other errors, which the open's own message covers.
std::string openProblemText(const std::filesystem::path& device, int error,
                            const std::filesystem::path& procRoot = "/proc");

} // namespace qmx::ecu
