#include "sim/simoptions.h"

#include "sim/imagefile.h"

#include <CLI/CLI.hpp>

#include <charconv>

namespace qmx::sim {

namespace {

constexpr std::uint16_t DefaultLow = 0x8000;
constexpr std::uint16_t DefaultHigh = 0x80FF;
constexpr std::size_t MaxAnswerBytes = 5;

template <typename T> std::optional<T> number(std::string_view text, int base) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::uint16_t> hexAddress(std::string_view text) {
    if (text.size() > 4 || text.find_first_not_of("0123456789abcdefABCDEF") != text.npos)
        return std::nullopt;
    return number<std::uint16_t>(text, 16);
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == text.npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

} // namespace

std::optional<std::uint8_t> parseByteValue(std::string_view text) {
    if (text.size() == 1)
        return static_cast<std::uint8_t>(text[0]);
    if (text.size() < 3 || text.size() > 4 || !(text.starts_with("0x") || text.starts_with("0X")))
        return std::nullopt;
    const auto digits = text.substr(2);
    if (digits.find_first_not_of("0123456789abcdefABCDEF") != digits.npos)
        return std::nullopt;
    return number<std::uint8_t>(digits, 16);
}

std::optional<std::pair<std::uint16_t, std::uint16_t>> parseRange(std::string_view text) {
    const auto parts = split(text, '-');
    if (parts.size() != 2)
        return std::nullopt;
    const auto low = hexAddress(parts[0]);
    const auto high = hexAddress(parts[1]);
    if (!low || !high || *low > *high)
        return std::nullopt;
    return std::pair{*low, *high};
}

std::optional<std::vector<std::uint8_t>> parseHexBytes(std::string_view text) {
    if (text.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const auto pair = text.substr(i, 2);
        if (pair.find_first_not_of("0123456789abcdefABCDEF") != pair.npos)
            return std::nullopt;
        bytes.push_back(*number<std::uint8_t>(pair, 16));
    }
    return bytes;
}

std::optional<MonitorItem> parseMonitorItem(std::string_view text) {
    const auto parts = split(text, ':');
    if (parts.size() < 3 || parts.size() > 5 || parts[0].size() > 2 ||
        parts[0].find_first_not_of("0123456789abcdefABCDEF") != parts[0].npos)
        return std::nullopt;
    MonitorItem item;
    const auto request = number<std::uint8_t>(parts[0], 16);
    const auto length = number<int>(parts[1], 10);
    const auto start = number<std::int64_t>(parts[2], 10);
    if (!request || !length || (*length != 1 && *length != 2) || !start)
        return std::nullopt;
    item.request = *request;
    item.length = *length;
    item.start = *start;
    if (parts.size() > 3) {
        const auto step = number<std::int64_t>(parts[3], 10);
        if (!step)
            return std::nullopt;
        item.step = *step;
    }
    if (parts.size() > 4) {
        const auto period = number<std::int64_t>(parts[4], 10);
        if (!period || *period <= 0)
            return std::nullopt;
        item.period = Milliseconds(*period);
    }
    return item;
}

std::optional<int> parseCommandLine(int argc, const char* const* argv, SimSetup& setup,
                                    std::ostream& out, std::ostream& err) {
    CLI::App app{"ecusim: an engine control unit on a pseudo-terminal. Prints the terminal's "
                 "path on the first line of standard output, then answers the ECU exchanges "
                 "(memory read and write, single-value writes, identification queries, monitor "
                 "requests) until SIGTERM or SIGINT, or until standard input closes.",
                 "ecusim"};
    EngineOptions& engine = setup.engine;
    Faults& faults = engine.faults;
    std::string image;
    std::string range;
    std::string writeResult;
    std::string rejectResult;
    std::vector<std::string> monitor;
    std::string wrongId;
    std::string noise;
    long long echoTimeout = engine.echoTimeout.count();
    long long commandTimeout = engine.commandTimeout.count();
    long long answerDelay = 0;
    long long echoDelay = 0;
    std::uint64_t silenceAfter = 0;
    bool noStdin = false;

    app.add_option("--image", image,
                   "Memory contents: a configuration file, packed or plain (its [Data] section), "
                   "or a file of S1 records")
        ->check(CLI::ExistingFile);
    app.add_option("--range", range,
                   "Data area LOW-HIGH in hexadecimal, both included, that memory reads send "
                   "and writes may change (default: what the image covers, else 8000-80FF)");
    app.add_option("--ecu-code", engine.ecuAnswer,
                   "Answer to the ECU-type query 0xBF, 1 to 5 characters")
        ->capture_default_str();
    app.add_option("--machine-code", engine.machineAnswer,
                   "Answer to the machine query 0xBE, 1 to 5 characters")
        ->capture_default_str();
    app.add_option("--write-result", writeResult,
                   "Result byte after a memory write that was stored: one character or 0xNN "
                   "(default 0)");
    app.add_option("--reject-result", rejectResult,
                   "Result byte after a memory write with a wrong record checksum or a record "
                   "outside the data area; nothing is stored (default 1)");
    app.add_option(
           "--monitor", monitor,
           "Monitor item REQ:LEN:START[:STEP[:PERIOD]]: request byte (hex), 1 or 2 answer "
           "bytes, start value, added STEP every PERIOD ms (default 0 and 1000); repeatable")
        ->type_name("ITEM");
    app.add_option("--link", setup.linkPath,
                   "Create this symbolic link to the terminal (e.g. a ports/COMn of a QMX home "
                   "folder); removed at exit");
    app.add_option("--baud", engine.baudRate,
                   "Emulate the line rate: every character costs 10 bit times in each direction "
                   "(default 0: no delay)")
        ->check(CLI::Range(0, 1'000'000));
    app.add_option("--echo-timeout", echoTimeout,
                   "Memory read: ms to wait for the echo of each character before the read is "
                   "abandoned")
        ->capture_default_str()
        ->check(CLI::Range(1, 3'600'000));
    app.add_option("--command-timeout", commandTimeout,
                   "ms of silence after which a half-received command or write is abandoned")
        ->capture_default_str()
        ->check(CLI::Range(1, 3'600'000));
    app.add_option("--wrong-echo", faults.wrongEchoes,
                   "Send echo number N (counted from 1 over the run) complemented; repeatable")
        ->type_name("N");
    app.add_option("--drop-echo", faults.droppedEchoes,
                   "Never send echo number N (counted from 1 over the run); repeatable")
        ->type_name("N");
    app.add_option("--silence-after", silenceAfter,
                   "Fall silent for good after sending N bytes (echoes, records, answers)");
    app.add_option("--bad-checksum", faults.badChecksumRecord,
                   "Send record N (from 1) of a memory read with a wrong checksum")
        ->check(CLI::Range(1, 4096));
    app.add_option("--bad-checksum-reads", faults.badChecksumReads,
                   "Only the first K memory reads carry the bad checksum (default 0: all)")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--wrong-id", wrongId,
                   "Answer the identification queries with other bytes: ecu, machine or both")
        ->check(CLI::IsMember({"ecu", "machine", "both"}));
    app.add_option("--noise", noise,
                   "Hexadecimal bytes sent before every answer (queries, monitor requests, "
                   "write result)");
    app.add_option("--noise-answers", faults.noiseAnswers,
                   "Only the first K answers get the noise (default 0: all)")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--answer-delay", answerDelay,
                   "Delay every answer (queries, monitor requests, write result) by this many ms")
        ->check(CLI::Range(0, 3'600'000));
    app.add_option("--echo-delay", echoDelay, "Delay every echo by this many ms")
        ->check(CLI::Range(0, 3'600'000));
    app.add_flag("--trace", setup.trace, "Print every byte and event on standard error");
    app.add_flag("--no-stdin", noStdin,
                 "Keep serving when standard input closes (for a start in the background)");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // CLI11 numbers its errors; the simulator keeps one usage status.
        return app.exit(e, out, err) == 0 ? 0 : 2;
    }

    auto usage = [&err](const std::string& text) {
        err << "ecusim: " << text << "\n";
        return std::optional<int>(2);
    };
    if (!image.empty()) {
        if (const std::string problem = loadImage(image, setup.memory); !problem.empty())
            return usage(image + ": " + problem);
    } else {
        setup.memory.setRange(DefaultLow, DefaultHigh);
    }
    if (!range.empty()) {
        const auto parsed = parseRange(range);
        if (!parsed)
            return usage("--range wants LOW-HIGH in hexadecimal, LOW not above HIGH: " + range);
        setup.memory.setRange(parsed->first, parsed->second);
    }
    for (const std::string* answer : {&engine.ecuAnswer, &engine.machineAnswer}) {
        if (answer->empty() || answer->size() > MaxAnswerBytes)
            return usage("an identification answer holds 1 to 5 characters: " + *answer);
    }
    for (auto [text, target] : {std::pair{&writeResult, &engine.writeResult},
                                std::pair{&rejectResult, &engine.rejectResult}}) {
        if (text->empty())
            continue;
        const auto value = parseByteValue(*text);
        if (!value)
            return usage("a result byte is one character or 0xNN: " + *text);
        *target = *value;
    }
    for (const std::string& text : monitor) {
        const auto item = parseMonitorItem(text);
        if (!item)
            return usage("--monitor wants REQ:LEN:START[:STEP[:PERIOD]]: " + text);
        constexpr std::uint8_t taken[] = {cmd::Memory, cmd::ByteWrite, cmd::WordWrite,
                                          cmd::EcuTypeQuery, cmd::MachineQuery};
        if (std::find(std::begin(taken), std::end(taken), item->request) != std::end(taken))
            return usage("a monitor request byte may not be a command byte: " + text);
        for (const MonitorItem& other : engine.monitorItems) {
            if (other.request == item->request)
                return usage("two monitor items share a request byte: " + text);
        }
        engine.monitorItems.push_back(*item);
    }
    if (!noise.empty()) {
        const auto bytes = parseHexBytes(noise);
        if (!bytes)
            return usage("--noise wants pairs of hexadecimal digits: " + noise);
        faults.noise = *bytes;
    }
    faults.wrongEcuId = wrongId == "ecu" || wrongId == "both";
    faults.wrongMachineId = wrongId == "machine" || wrongId == "both";
    if (app.count("--silence-after") > 0)
        faults.silenceAfter = silenceAfter;
    engine.echoTimeout = Milliseconds(echoTimeout);
    engine.commandTimeout = Milliseconds(commandTimeout);
    faults.answerDelay = Milliseconds(answerDelay);
    faults.echoDelay = Milliseconds(echoDelay);
    setup.watchStdin = !noStdin;
    return std::nullopt;
}

} // namespace qmx::sim
