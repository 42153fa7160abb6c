#pragma once

#include "ecu/comparesession.h"
#include "ecu/transfercontext.h"

#include <QDialog>

#include <array>

class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace qmx::ui {

class ComparePane;

// The "Data Compare" dialog: compares two of the edit data, a configuration file and the ECU
// ("&Compare With"), shows both panes with their differing bytes in red and the log of the
// differences in physical values, and saves that log. A verify never changes the edit image;
// a read of the ECU runs through the context's progress window and link.
class DataCompareDialog : public QDialog {
public:
    // `context` and `document` hold what outlives the dialog; the file dialogs start in `folder`.
    DataCompareDialog(const ecu::TransferContext& context, const ecu::EcuDocument& document,
                      const QString& folder, QWidget* parent = nullptr);

    // "&Verify": asks for the file when the choice compares with one, runs the verify and shows
    // its panes and log; "&Verify" then has the focus.
    void verify();
    // "Save &log": asks for a file name ("Save log As"), then writes the log; a failure is shown.
    void saveLog();

    const ecu::CompareSession& session() const { return m_session; }
    ComparePane* firstPane() const { return m_panes[0]; }
    ComparePane* secondPane() const { return m_panes[1]; }

protected:
    // Closing waits while a verify runs.
    void reject() override;

private:
    void showResult();

    ecu::TransferContext m_context;
    ecu::EcuDocument m_document;
    QString m_folder;
    ecu::CompareSession m_session;
    std::array<QRadioButton*, 3> m_choices;
    std::array<ComparePane*, 2> m_panes;
    QPlainTextEdit* m_log;
    QPushButton* m_verify;
    QPushButton* m_saveLog;
    bool m_running = false;
};

} // namespace qmx::ui
