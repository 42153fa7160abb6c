#pragma once

#include "text/messages.h"

// The outcome of an operation that can fail: success, or the number of the message that says
// why. Operations return it instead of throwing; the caller shows the message or passes it on.
namespace qmx::text {

class [[nodiscard]] Status {
public:
    // Success.
    constexpr Status() = default;
    // `message` is a number of the string table; msg::Success (0) stands for success, so that
    // `return msg::SaveError;` and `return msg::Success;` read as they mean.
    constexpr Status(int message) : m_message(message) {}

    constexpr bool ok() const { return m_message == msg::Success; }
    // True for a failure, as with std::error_code: `if (const Status s = f()) return s;`.
    constexpr explicit operator bool() const { return !ok(); }
    // The message number; msg::Success when ok().
    constexpr int message() const { return m_message; }

    friend constexpr bool operator==(Status, Status) = default;

private:
    int m_message = msg::Success;
};

// The text of a failure's message; empty for success.
inline std::string_view messageText(Status status) {
    return messageText(status.message());
}

} // namespace qmx::text
