#pragma once

#include "app/commands.h"
#include "app/menulayout.h"

#include <QObject>

#include <functional>
#include <map>

class QAction;
class QMenuBar;
class QWidget;

namespace qmx::ui {

// The main frame's actions, built once: one per command of the menus and the accelerator
// table, with the menu text and every key of the command. Commands the program does not offer
// (`available` refuses them) get no action, so no item or key does nothing.
class FrameActions : public QObject {
    Q_OBJECT
public:
    // The actions' keys work anywhere in `owner`'s window.
    FrameActions(QWidget& owner, std::function<bool(int command)> available);

    // The action of `command`; null when the program does not offer it.
    QAction* action(int command) const;

    // Rebuilds `bar` for `context` from the actions.
    void buildMenuBar(QMenuBar& bar, const app::MenuContext& context) const;

    // Enables and ticks every action by the rules of `state`.
    void applyState(const app::CommandState& state);

signals:
    void triggered(int command);

private:
    QAction* make(int command, QWidget& owner);

    std::function<bool(int)> m_available;
    std::map<int, QAction*> m_actions;
};

} // namespace qmx::ui
