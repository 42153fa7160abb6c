#include "ui/frameactions.h"

#include "app/accelerators.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace qmx::ui {

FrameActions::FrameActions(QWidget& owner, std::function<bool(int command)> available)
    : QObject(&owner), m_available(std::move(available)) {
    const auto offered = [this](int command) { return m_available(command); };
    // Every command of either menu bar, with the texts as the menus write them.
    for (bool document : {false, true}) {
        for (const app::Menu& menu :
             app::menuBar({.documentOpen = document, .monitorItems = true}, offered)) {
            for (const app::MenuItem& item : menu.items) {
                if (item.command == 0 || m_actions.count(item.command))
                    continue;
                const QString text =
                    QString::fromUtf8(item.text.data(), qsizetype(item.text.size()));
                make(item.command, owner)->setText(text.section('\t', 0, 0));
            }
        }
    }
    // Then the keys, in table order, so that a menu item names its first key.
    std::map<int, QList<QKeySequence>> keys;
    for (const app::Accelerator& a : app::accelerators())
        keys[a.command].append(
            QKeySequence(QString::fromLatin1(a.keys.data(), qsizetype(a.keys.size()))));
    for (const auto& [command, sequences] : keys) {
        if (!m_available(command))
            continue;
        QAction* act = m_actions.count(command) ? m_actions[command] : make(command, owner);
        act->setShortcuts(sequences);
    }
    for (int command : app::forwardedCommands())
        if (!m_actions.count(command) && m_available(command))
            make(command, owner);
}

QAction* FrameActions::make(int command, QWidget& owner) {
    auto* act = new QAction(&owner);
    act->setObjectName(QString("command%1").arg(command));
    act->setShortcutContext(Qt::WindowShortcut);
    act->setAutoRepeat(true);
    owner.addAction(act);
    connect(act, &QAction::triggered, this, [this, command] { emit triggered(command); });
    m_actions[command] = act;
    return act;
}

QAction* FrameActions::action(int command) const {
    const auto found = m_actions.find(command);
    return found == m_actions.end() ? nullptr : found->second;
}

void FrameActions::buildMenuBar(QMenuBar& bar, const app::MenuContext& context) const {
    for (QAction* old : bar.actions())
        if (QMenu* menu = old->menu())
            menu->deleteLater();
    bar.clear();
    for (const app::Menu& menu : app::menuBar(context, m_available)) {
        QMenu* popup =
            bar.addMenu(QString::fromUtf8(menu.title.data(), qsizetype(menu.title.size())));
        for (const app::MenuItem& item : menu.items) {
            if (item.command == 0)
                popup->addSeparator();
            else
                popup->addAction(action(item.command));
        }
    }
}

void FrameActions::applyState(const app::CommandState& state) {
    for (const auto& [command, act] : m_actions) {
        act->setEnabled(app::commandEnabled(command, state));
        if (const std::optional<bool> checked = app::commandChecked(command, state)) {
            act->setCheckable(true);
            act->setChecked(*checked);
        }
    }
}

} // namespace qmx::ui
