#pragma once

#include <string_view>

// How the core reaches the user: the front end supplies a sink (message boxes in the desktop
// program, stderr in qmxctl, a recorder in tests). The core never opens a window itself.
namespace qmx::text {

enum class Icon { None, Information, Exclamation, Error, Question };
enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Shows `text` with `caption` and `icon`; returns the button the user chose (Ok for a
    // plain message).
    virtual Answer show(std::string_view text, std::string_view caption, Icon icon,
                        Buttons buttons = Buttons::Ok) = 0;
};

} // namespace qmx::text
