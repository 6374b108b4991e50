// Buttons that do the same whatever presses them. Qt's accessible action for
// a checkable button ("Toggle", what an assistive client such as voice
// control, switch access or a screen reader's "activate" invokes) calls
// toggle(): the state changes without a click, so a handler connected to
// `clicked` never runs and the button shows a state nothing acts on. The
// interface installed here answers for every button without a menu as Qt's
// does (role, name, states, actions) but its press and toggle actions click
// the button, as the mouse and Space do: handlers run, and one that refuses
// (Play without a file) sets the button back as after a click. The click
// comes from the event loop right after the action returns.
// GUI thread only.
#pragma once

#include <QAccessibleWidget>

class QAbstractButton;

namespace moravel {

class AccessibleButton : public QAccessibleWidget {
public:
    explicit AccessibleButton(QAbstractButton* button);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& action) const override;

private:
    QAbstractButton* button() const;
};

/// Installs the factory that gives buttons this interface (once per process;
/// later calls do nothing). Must run before the buttons' accessible
/// interfaces are first asked for.
void InstallAccessibleButtons();

}  // namespace moravel
