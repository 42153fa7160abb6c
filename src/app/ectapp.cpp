#include "app/ectapp.h"

#include <cstdio>

#include "app/batchexport.h"
#include "app/configurationwriter.h"
#include "app/messages.h"

namespace qmx::app {

CEctApp::CEctApp() : m_configuration(std::make_unique<Configuration>()) {
}

int CEctApp::start(const StartupPlaces& places, ScreenSize screen) {
    return loadAppSettings(m_settings, places, screen);
}

int CEctApp::openConfiguration(const std::string& path, FileLayout layout, OpenFor purpose) {
    const int result = readConfiguration(*m_configuration, m_settings, path, layout, purpose);
    if (result == msg::Success && purpose == OpenFor::Editing)
        lockCurrentFile();
    return result;
}

void CEctApp::warnAboutDamagedRecords(MessageSink& sink) const {
    const config::ChecksumFaults& damaged = m_configuration->damagedRecords;
    if (damaged.count == 0)
        return;
    char address[8];
    std::snprintf(address, sizeof address, "%04X", damaged.firstAddress);
    sink.show(
        messageText(msg::DamagedDataRecords, {std::to_string(damaged.count),
                                              std::to_string(damaged.firstLine + 1), address}),
        messageText(msg::ProgramTitle), Icon::Exclamation);
}

int CEctApp::save(MessageSink& sink) {
    Configuration& configuration = *m_configuration;
    if (!configuration.isOpen())
        return msg::SaveError;
    configuration.lock.unlock();
    const int result =
        writeFile(configuration.path,
                  configuration.loadedFromPacked ? FileLayout::Packed : FileLayout::Plain, sink);
    lockCurrentFile();
    return result;
}

int CEctApp::saveAs(const std::string& path, MessageSink& sink) {
    Configuration& configuration = *m_configuration;
    if (!configuration.isOpen())
        return msg::SaveError;
    configuration.lock.unlock();
    const int result = writeFile(path, FileLayout::Packed, sink);
    if (result == msg::Success) {
        configuration.setFile(path);
        configuration.loadedFromPacked = true;
    }
    lockCurrentFile();
    return result;
}

int CEctApp::exportTo(const std::string& outPath) const {
    return writeExport(*m_configuration, formats(), outPath);
}

bool CEctApp::askClose(MessageSink& sink) {
    const std::string_view caption = messageText(msg::ProgramTitle);
    const auto ask = [&](int question) {
        return sink.show(messageText(question), caption, Icon::Question, Buttons::OkCancel) ==
               Answer::Ok;
    };
    if (closeLosesUnsavedEdits(*m_configuration) && !ask(msg::CloseWithoutSaving))
        return false;
    if (closeLosesEcuEdits(m_configuration->image, m_ecuSnapshot) && !ask(msg::CloseWithoutWriting))
        return false;
    return true;
}

void CEctApp::closeConfiguration() {
    m_ecuSnapshot.reset();
    m_configuration->clear();
}

int CEctApp::writeFile(const std::string& path, FileLayout layout, MessageSink& sink) {
    const int result = writeConfigurationFile(*m_configuration, path, layout);
    if (result != msg::LineTooLong)
        return result;
    sink.show(messageText(msg::LineTooLong), messageText(msg::ProgramTitle), Icon::None);
    return msg::SaveError;
}

void CEctApp::lockCurrentFile() {
    if (m_settings.registryValues.xorOff == 0 && m_configuration->isOpen())
        m_configuration->lock.lock(m_configuration->path);
}

int runBatchExport(CEctApp& app, const std::string& in, const std::string& out, MessageSink& sink) {
    int result = app.openConfiguration(in, FileLayout::PackedThenPlain, OpenFor::Reading);
    if (result == msg::Success) {
        app.warnAboutDamagedRecords(sink);
        result = app.exportTo(out);
    }
    if (result == msg::Success)
        return 0;
    sink.show(messageText(result), messageText(msg::ProgramTitle),
              isErrorIconMessage(result) ? Icon::Error : Icon::Exclamation);
    return 1;
}

} // namespace qmx::app
