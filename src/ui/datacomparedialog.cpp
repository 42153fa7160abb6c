#include "ui/datacomparedialog.h"

#include "text/messages.h"
#include "text/messagesink.h"
#include "ui/centuryfont.h"
#include "ui/comparepane.h"
#include "ui/filecommands.h"
#include "ui/textcodec.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace qmx::ui {

namespace {

struct Choice {
    ecu::CompareChoice choice;
    const char* text;
    const char* name; // the radio button's object name
};

constexpr std::array kChoices{
    Choice{ecu::CompareChoice::EditWithEcu, "Edit area with ECU", "editWithEcu"},
    Choice{ecu::CompareChoice::FileWithEcu, "File data with ECU", "fileWithEcu"},
    Choice{ecu::CompareChoice::EditWithFile, "Edit area With File data.", "editWithFile"},
};

constexpr int kLogLines = 8;
constexpr int kLogFontPixels = 14;

} // namespace

DataCompareDialog::DataCompareDialog(const ecu::TransferContext& context,
                                     const ecu::EcuDocument& document, const QString& folder,
                                     QWidget* parent)
    : QDialog(parent), m_context(context), m_document(document),
      m_folder(folder), m_panes{new ComparePane(this), new ComparePane(this)},
      m_log(new QPlainTextEdit(this)), m_verify(new QPushButton("&Verify", this)),
      m_saveLog(new QPushButton("Save &log", this)) {
    setObjectName("dataCompare");
    setWindowTitle(textFromBytes(text::messageText(text::msg::DataCompareCaption)));
    m_panes[0]->setObjectName("firstPane");
    m_panes[1]->setObjectName("secondPane");
    m_log->setObjectName("log");
    m_verify->setObjectName("verify");
    m_saveLog->setObjectName("saveLog");

    auto* group = new QGroupBox("&Compare With", this);
    auto* choices = new QVBoxLayout(group);
    for (std::size_t i = 0; i < kChoices.size(); ++i) {
        m_choices[i] = new QRadioButton(kChoices[i].text, group);
        m_choices[i]->setObjectName(kChoices[i].name);
        choices->addWidget(m_choices[i]);
        const ecu::CompareChoice choice = kChoices[i].choice;
        connect(m_choices[i], &QRadioButton::toggled, this, [this, choice](bool on) {
            if (on)
                m_session.setChoice(choice);
        });
    }
    m_choices[0]->setChecked(true);

    m_log->setFont(centuryFont(kLogFontPixels));
    m_log->setReadOnly(true);
    m_log->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The panes take the room the dialog gains; the log keeps its lines and scrolls.
    m_log->setFixedHeight(kLogLines * m_log->fontMetrics().lineSpacing() + 2 * m_log->frameWidth() +
                          2 * int(m_log->document()->documentMargin()));
    m_saveLog->setEnabled(false);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("close");
    connect(m_verify, &QPushButton::clicked, this, &DataCompareDialog::verify);
    connect(m_saveLog, &QPushButton::clicked, this, &DataCompareDialog::saveLog);
    connect(close, &QPushButton::clicked, this, &DataCompareDialog::reject);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_verify);
    buttons->addWidget(m_saveLog);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* top = new QHBoxLayout;
    top->addWidget(group);
    top->addStretch();
    top->addLayout(buttons);
    auto* panes = new QHBoxLayout;
    panes->addWidget(m_panes[0]);
    panes->addWidget(m_panes[1]);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(panes, 1);
    layout->addWidget(m_log);
    m_verify->setDefault(true);
    m_verify->setFocus();
}

void DataCompareDialog::verify() {
    if (m_running)
        return;
    std::string path;
    if (m_session.needsFile()) {
        const QString chosen = askConfigurationPath(this, m_folder);
        if (chosen.isEmpty())
            return;
        path = chosen.toStdString();
    }
    m_running = true;
    // A loader that fails has shown its message; the log shows how far the verify came.
    static_cast<void>(m_session.verify(m_context, m_document, path));
    m_running = false;
    showResult();
}

void DataCompareDialog::showResult() {
    const ecu::CompareData& loaded = m_session.data();
    m_panes[0]->showPanes(loaded.first, loaded.second);
    m_panes[1]->showPanes(loaded.second, loaded.first);
    for (ComparePane* pane : m_panes)
        pane->scrollToFirstDifference();
    m_log->setPlainText(textFromBytes(m_session.log()).remove('\r'));
    m_saveLog->setEnabled(m_session.canSaveLog());
    m_verify->setFocus();
}

void DataCompareDialog::saveLog() {
    QFileDialog dialog(this, "Save log As", m_folder,
                       "Log Files(*.log);;Text Files(*.txt);;All Files(*.*)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("log");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const std::string path = dialog.selectedFiles().first().toStdString();
    if (const text::Status failure = ecu::saveCompareLog(path, m_session.log()))
        m_context.sink.show(text::messageText(failure),
                            text::messageText(text::msg::DataCompareCaption),
                            text::Icon::Exclamation);
}

void DataCompareDialog::reject() {
    if (!m_running)
        QDialog::reject();
}

} // namespace qmx::ui
