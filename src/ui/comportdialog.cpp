#include "ui/comportdialog.h"

#include "app/ectapp.h"
#include "app/linkhost.h"
#include "text/messages.h"
#include "text/messagesink.h"
#include "ui/textcodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace qmx::ui {

ComPortDialog::ComPortDialog(app::ComPortValues values, ecu::Link& link, text::MessageSink& sink,
                             QWidget* parent)
    : QDialog(parent), m_link(link), m_sink(sink), m_choice(values, ecu::listPorts(link)),
      m_ports(new QComboBox(this)), m_autoSelect(new QCheckBox("&Auto Select", this)) {
    setWindowTitle(textFromBytes(text::messageText(text::msg::ComPortCaption)));
    setObjectName("comPortDialog");
    m_ports->setObjectName("ports");
    m_autoSelect->setObjectName("autoSelect");
    m_ports->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_ports->setMaxVisibleItems(16);

    // The group's key moves the focus to its first child, the list.
    auto* group = new QGroupBox("P&ort", this);
    auto* inGroup = new QVBoxLayout(group);
    inGroup->addWidget(m_ports);
    inGroup->addWidget(m_autoSelect);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_autoSelect->setChecked(m_choice.autoSelect());
    refill();
    connect(buttons, &QDialogButtonBox::accepted, this, &ComPortDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_autoSelect, &QCheckBox::toggled, this, &ComPortDialog::autoSelectToggled);
    connect(m_ports, &QComboBox::currentIndexChanged, this,
            [this](int entry) { m_choice.selectEntry(entry); });
}

void ComPortDialog::accept() {
    const app::ComPortChoice::Outcome outcome = m_choice.accept(m_link, m_sink);
    refill();
    if (outcome == app::ComPortChoice::Outcome::Accepted)
        QDialog::accept();
}

void ComPortDialog::autoSelectToggled(bool on) {
    m_choice.setAutoSelect(on, ecu::listPorts(m_link));
    refill();
}

void ComPortDialog::refill() {
    const QSignalBlocker quiet(m_ports);
    m_ports->clear();
    for (int entry = 0; entry < app::ComPortChoice::kEntries; ++entry)
        m_ports->addItem(textFromBytes(m_choice.entryText(entry)));
    m_ports->setCurrentIndex(m_choice.selectedEntry());
    m_ports->setEnabled(m_choice.listEnabled());
}

void runComPortDialog(app::CEctApp& app, app::LinkHost& host, text::MessageSink& sink,
                      QWidget* parent) {
    app::Configuration& configuration = app.configuration();
    ComPortDialog dialog(app::currentComPortValues(configuration, host.link()), host.link(), sink,
                         parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (const text::Status stored = app::storeComPortValues(dialog.values(), configuration, host))
        sink.show(text::messageText(stored.message()), text::messageText(text::msg::ComPortCaption),
                  text::Icon::Exclamation);
}

} // namespace qmx::ui
