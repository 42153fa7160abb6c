#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/linksession.h"
#include "cli/session.h"
#include "ecu/singlewrite.h"

#include <charconv>
#include <optional>

namespace qmx::cli {

namespace {

// 1 to `digits` hexadecimal digits, with or without "0x" in front.
std::optional<std::uint16_t> hexNumber(std::string_view text, std::size_t digits) {
    if (text.starts_with("0x") || text.starts_with("0X"))
        text.remove_prefix(2);
    if (text.empty() || text.size() > digits ||
        text.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos)
        return std::nullopt;
    unsigned value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return static_cast<std::uint16_t>(value);
}

// poke CONFIG ADDRESS VALUE [--word]: the single-value write of the hex view and the constant
// editor.
class PokeCommand : public Command {
public:
    CLI::App* define(CLI::App& parent) override {
        CLI::App* sub = addConfigCommand(
            parent, "poke",
            "Write one byte (or with --word one word, high byte first) straight into "
            "the running ECU; progress on standard error",
            m_config);
        sub->add_option("ADDRESS", m_address, "ECU address, hexadecimal 0000-FFFF")->required();
        sub->add_option("VALUE", m_value, "value, hexadecimal 00-FF (with --word 0000-FFFF)")
            ->required();
        sub->add_flag("--word", m_word, "write a word instead of a byte");
        sub->fallthrough();
        return sub;
    }

    int run(Session& session) override {
        const std::optional<std::uint16_t> address = hexNumber(m_address, 4);
        if (!address)
            return session.fail("ADDRESS wants 1 to 4 hexadecimal digits: " + m_address);
        const std::optional<std::uint16_t> value = hexNumber(m_value, m_word ? 4 : 2);
        if (!value)
            return session.fail(std::string("VALUE wants 1 to ") + (m_word ? "4" : "2") +
                                " hexadecimal digits: " + m_value);
        if (const int status = session.open(m_config))
            return status;

        LinkSession link(session);
        // A failure was shown through the session's sink already.
        const text::Status result =
            m_word
                ? ecu::writeEcuWord(link.link(), link.progress(), session.sink(), *address, *value)
                : ecu::writeEcuByte(link.link(), link.progress(), session.sink(), *address,
                                    static_cast<std::uint8_t>(*value));
        return result == 0 ? 0 : 1;
    }

private:
    std::string m_config;
    std::string m_address;
    std::string m_value;
    bool m_word = false;
};

} // namespace

std::unique_ptr<Command> makePokeCommand() {
    return std::make_unique<PokeCommand>();
}

} // namespace qmx::cli
