#pragma once

#include "text/status.h"

#include <memory>
#include <string>

#include "app/appsettings.h"
#include "app/closechecks.h"
#include "app/configuration.h"
#include "app/configurationreader.h"
#include "ecu/transfercontext.h"
#include "text/messagesink.h"
#include "text/numberformat.h"

// The application object: the settings read at start-up, the one open configuration and the
// snapshot of the data last exchanged with the ECU.
namespace qmx::app {

class CEctApp {
public:
    CEctApp();

    // Loads the registry file and qmx.INI. 0, or ProgramSettingsMissing (show
    // startFailureText).
    text::Status start(const StartupPlaces& places, ScreenSize screen);

    AppSettings& settings() { return m_settings; }
    const AppSettings& settings() const { return m_settings; }
    Configuration& configuration() { return *m_configuration; }
    const Configuration& configuration() const { return *m_configuration; }
    // The X, Y and Z display decimals of qmx.INI.
    const text::NumberFormats& formats() const { return m_settings.startup.precision; }

    // Opens the file at `path` (see readConfiguration); for editing it then locks it unless
    // XOROFF is set. 0, or the message number for the caller to show once (isErrorIconMessage
    // picks the icon); on failure no document is open.
    text::Status openConfiguration(const std::string& path, FileLayout layout,
                                   OpenFor purpose = OpenFor::Editing);
    // After a successful open: when [Data] holds records whose checksum is wrong (they are
    // loaded all the same), says through `sink`, with the exclamation icon, how many there are
    // and the line (counted from 1 in the line list) and address of the first; else nothing.
    void warnAboutDamagedRecords(text::MessageSink& sink) const;
    // Save: writes the current file in the layout it was read in (packed after a Save As).
    // 0, or SaveError (1533) with the old file unchanged; a line too long for the packed
    // layout is first shown through `sink` (57659, no icon). The lock is released for the
    // write and taken again whatever the result.
    text::Status save(text::MessageSink& sink);
    // Save As: writes the packed layout to `path`; on success `path` becomes the current file
    // and counts as packed. 0 or SaveError (1533), after 57659 as for save().
    text::Status saveAs(const std::string& path, text::MessageSink& sink);
    // Writes the export text of the open configuration to `outPath`. 0 or FailedToWriteFile.
    text::Status exportTo(const std::string& outPath) const;

    // True when the open file should be held (XOROFF is 0) but another program holds it for
    // writing: it is open here, and Save cannot write to it until the other program lets go.
    bool lockRefused() const { return m_lockRefused; }

    // The data last read from or written to the ECU; empty when there is none.
    EcuSnapshot& ecuSnapshot() { return m_ecuSnapshot; }

    // Asks before a close loses edits: 3001 when the open file is modified, then 57654 when
    // the edit data differs from the ECU snapshot (OK/Cancel each). True to go on closing.
    bool askClose(text::MessageSink& sink);
    // Closes the document: releases the ECU snapshot and leaves the no-document state.
    void closeConfiguration();

private:
    void lockCurrentFile();
    // writeConfigurationFile, with a line too long for the packed layout shown through `sink`
    // and reported as SaveError.
    text::Status writeFile(const std::string& path, FileLayout layout, text::MessageSink& sink);

    AppSettings m_settings;
    std::unique_ptr<Configuration> m_configuration;
    EcuSnapshot m_ecuSnapshot;
    bool m_lockRefused = false;
};

// The open configuration of `app` (which must outlive the result) as the ECU transfers and the
// compare see it.
ecu::EcuDocument documentOf(CEctApp& app);

// The whole batch run of `qmx IN OUT` on a started application: opens IN (packed, else
// plain) for reading only, so that a file qmx is editing exports too, and writes the export
// to OUT; damaged [Data] records are named through `sink` and do not fail the run. A failure
// is shown once through `sink`, captioned with the program title, with the error icon for the
// reader's format errors and the exclamation icon otherwise. Returns the exit status: 0 on
// success, 1 on failure.
int runBatchExport(CEctApp& app, const std::string& in, const std::string& out,
                   text::MessageSink& sink);

} // namespace qmx::app
