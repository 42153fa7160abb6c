#include "ecu/commolog.h"

#include "text/messages.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace qmx::ecu {

namespace {

// The folder part of a log path: everything before the last separator, "" when there is none.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool makeWritableFolder(const std::string& folder) {
    if (folder.empty())
        return ::access(".", W_OK) == 0;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return !error && std::filesystem::is_directory(folder, error) &&
           ::access(folder.c_str(), W_OK) == 0;
}

} // namespace

CommoLog::CommoLog(Clock clock)
    : m_clock(std::move(clock)) {
    if (!m_clock) {
        const auto start = std::chrono::steady_clock::now();
        m_clock = [start] {
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now() - start)
                .count();
        };
    }
}

text::Status CommoLog::open(std::string_view path, bool deleteFirst, std::string_view versionText,
                            text::MessageSink& sink) {
    m_file.reset();
    // Stored paths may come from a Windows installation; both separators split folders.
    std::string file(path);
    std::replace(file.begin(), file.end(), '\\', '/');
    if (deleteFirst)
        std::remove(file.c_str());

    if (!file.empty() && makeWritableFolder(folderOf(file)))
        m_file.reset(std::fopen(file.c_str(), "a+"));
    if (!m_file) {
        sink.show(text::messageText(text::msg::LogFolderMissing),
                  text::messageText(text::msg::ProgramTitle), text::Icon::None);
        return text::msg::LogFolderMissing;
    }

    std::fputs(text::messageText(text::msg::LogHeader, versionText).c_str(), m_file.get());
    std::fputs(std::string(text::messageText(text::msg::LogColumnsHeader)).c_str(), m_file.get());
    std::fflush(m_file.get());
    return text::msg::Success;
}

void CommoLog::readLine(std::uint8_t byte, int count, int ticks, int error,
                        std::string_view label) {
    line(text::messageText(text::msg::LogReadLine), byte, count, ticks, error, label, false);
}

void CommoLog::writeLine(std::uint8_t byte, int count, int ticks, int error,
                         std::string_view label) {
    line(text::messageText(text::msg::LogWriteLine), byte, count, ticks, error, label, true);
}

void CommoLog::eventLine(std::uint8_t byte, int count, int ticks, int error,
                         std::string_view text) {
    line({}, byte, count, ticks, error, text, true);
}

void CommoLog::line(std::string_view operation, std::uint8_t byte, int count, int ticks, int error,
                    std::string_view text, bool flush) {
    if (!m_file)
        return;
    const std::string what = std::string(operation) + std::string(text);
    std::fprintf(m_file.get(), "%d, %02X, %d, %d, %d, %s\n", static_cast<int>(m_clock()),
                 static_cast<unsigned>(byte), count, ticks, error, what.c_str());
    if (flush)
        std::fflush(m_file.get());
}

} // namespace qmx::ecu
