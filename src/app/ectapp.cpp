#include "app/ectapp.h"

#include <cstdio>

#include "app/batchexport.h"
#include "app/configurationwriter.h"
#include "text/messages.h"

namespace qmx::app {

CEctApp::CEctApp() : m_configuration(std::make_unique<Configuration>()) {
}

text::Status CEctApp::start(const StartupPlaces& places, ScreenSize screen) {
    return loadAppSettings(m_settings, places, screen);
}

text::Status CEctApp::openConfiguration(const std::string& path, FileLayout layout,
                                        OpenFor purpose) {
    const text::Status result =
        readConfiguration(*m_configuration, m_settings, path, layout, purpose);
    if (result == text::msg::Success && purpose == OpenFor::Editing)
        lockCurrentFile();
    return result;
}

void CEctApp::warnAboutDamagedRecords(text::MessageSink& sink) const {
    const config::ChecksumFaults& damaged = m_configuration->damagedRecords;
    if (damaged.count == 0)
        return;
    char address[8];
    std::snprintf(address, sizeof address, "%04X", damaged.firstAddress);
    sink.show(text::messageText(
                  text::msg::DamagedDataRecords,
                  {std::to_string(damaged.count), std::to_string(damaged.firstLine + 1), address}),
              text::messageText(text::msg::ProgramTitle), text::Icon::Exclamation);
}

text::Status CEctApp::save(text::MessageSink& sink) {
    Configuration& configuration = *m_configuration;
    if (!configuration.isOpen())
        return text::msg::SaveError;
    configuration.lock.unlock();
    const text::Status result =
        writeFile(configuration.path,
                  configuration.loadedFromPacked ? FileLayout::Packed : FileLayout::Plain, sink);
    lockCurrentFile();
    return result;
}

text::Status CEctApp::saveAs(const std::string& path, text::MessageSink& sink) {
    Configuration& configuration = *m_configuration;
    if (!configuration.isOpen())
        return text::msg::SaveError;
    configuration.lock.unlock();
    const text::Status result = writeFile(path, FileLayout::Packed, sink);
    if (result == text::msg::Success) {
        configuration.setFile(path);
        configuration.loadedFromPacked = true;
    }
    lockCurrentFile();
    return result;
}

text::Status CEctApp::exportTo(const std::string& outPath) const {
    return writeExport(*m_configuration, formats(), outPath);
}

bool CEctApp::askClose(text::MessageSink& sink) {
    const std::string_view caption = text::messageText(text::msg::ProgramTitle);
    const auto ask = [&](int question) {
        return sink.show(text::messageText(question), caption, text::Icon::Question,
                         text::Buttons::OkCancel) == text::Answer::Ok;
    };
    if (closeLosesUnsavedEdits(*m_configuration) && !ask(text::msg::CloseWithoutSaving))
        return false;
    if (closeLosesEcuEdits(m_configuration->image, m_ecuSnapshot) &&
        !ask(text::msg::CloseWithoutWriting))
        return false;
    return true;
}

void CEctApp::closeConfiguration() {
    m_ecuSnapshot.reset();
    m_configuration->clear();
}

text::Status CEctApp::writeFile(const std::string& path, FileLayout layout,
                                text::MessageSink& sink) {
    const text::Status result = writeConfigurationFile(*m_configuration, path, layout);
    if (result != text::msg::LineTooLong)
        return result;
    sink.show(text::messageText(text::msg::LineTooLong), text::messageText(text::msg::ProgramTitle),
              text::Icon::None);
    return text::msg::SaveError;
}

void CEctApp::lockCurrentFile() {
    m_lockRefused = false;
    if (m_settings.registryValues.xorOff == 0 && m_configuration->isOpen())
        m_lockRefused = !m_configuration->lock.lock(m_configuration->path);
}

ecu::EcuDocument documentOf(CEctApp& app) {
    Configuration& configuration = app.configuration();
    return {configuration.lines,
            configuration.maps,
            app.formats(),
            configuration.path,
            app.settings().registryValues.machineFolder,
            app.ecuSnapshot()};
}

int runBatchExport(CEctApp& app, const std::string& in, const std::string& out,
                   text::MessageSink& sink) {
    text::Status result = app.openConfiguration(in, FileLayout::PackedThenPlain, OpenFor::Reading);
    if (result == text::msg::Success) {
        app.warnAboutDamagedRecords(sink);
        result = app.exportTo(out);
    }
    if (result == text::msg::Success)
        return 0;
    sink.show(text::messageText(result), text::messageText(text::msg::ProgramTitle),
              isErrorIconMessage(result) ? text::Icon::Error : text::Icon::Exclamation);
    return 1;
}

} // namespace qmx::app
