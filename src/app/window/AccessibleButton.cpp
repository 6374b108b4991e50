#include "app/window/AccessibleButton.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QKeySequence>
#include <QMetaObject>
#include <QPushButton>
#include <QToolButton>

namespace moravel {

namespace {

// A button with a menu keeps Qt's interface, whose action opens the menu.
bool HasMenu(const QObject* object) {
    if (const auto* push = qobject_cast<const QPushButton*>(object)) return push->menu() != nullptr;
    if (const auto* tool = qobject_cast<const QToolButton*>(object)) return tool->menu() != nullptr;
    return false;
}

QAccessibleInterface* Factory(const QString&, QObject* object) {
    auto* button = qobject_cast<QAbstractButton*>(object);
    if (button == nullptr || HasMenu(button)) return nullptr;
    return new AccessibleButton(button);
}

// The caption as spoken: without the '&' that marks the mnemonic ("&&" is
// a literal '&').
QString WithoutMnemonic(const QString& caption) {
    QString spoken;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
        spoken += caption[i];
    }
    return spoken;
}

}  // namespace

AccessibleButton::AccessibleButton(QAbstractButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

QAbstractButton* AccessibleButton::button() const { return static_cast<QAbstractButton*>(widget()); }

QAccessible::Role AccessibleButton::role() const {
    if (!button()->isCheckable()) return QAccessible::Button;
    return button()->autoExclusive() ? QAccessible::RadioButton : QAccessible::CheckBox;
}

QAccessible::State AccessibleButton::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    const QAbstractButton* b = button();
    state.checkable = b->isCheckable();
    state.checked = b->isChecked();
    if (const auto* check = qobject_cast<const QCheckBox*>(b))
        state.checkStateMixed = check->checkState() == Qt::PartiallyChecked;
    state.pressed = b->isDown();
    if (const auto* push = qobject_cast<const QPushButton*>(b)) state.defaultButton = push->isDefault();
    return state;
}

QString AccessibleButton::text(QAccessible::Text kind) const {
    QString text;
    if (kind == QAccessible::Name) {
        text = button()->accessibleName();
        if (text.isEmpty()) text = WithoutMnemonic(button()->text());
    } else if (kind == QAccessible::Accelerator) {
        const auto* push = qobject_cast<const QPushButton*>(button());
        const QKeySequence keys = push != nullptr && push->isDefault() ? QKeySequence(Qt::Key_Enter)
                                                                        : QKeySequence::mnemonic(button()->text());
        text = keys.toString(QKeySequence::NativeText);
    }
    return text.isEmpty() ? QAccessibleWidget::text(kind) : text;
}

QStringList AccessibleButton::actionNames() const {
    QStringList names;
    if (widget()->isEnabled()) names << (button()->isCheckable() ? toggleAction() : pressAction());
    return names + QAccessibleWidget::actionNames();
}

void AccessibleButton::doAction(const QString& action) {
    if (!widget()->isEnabled()) return;
    if (action == pressAction() || action == toggleAction()) {
        // Clicked from the event loop, once the caller has its answer: a
        // handler that opens a modal box (Play without a file) must not hold
        // an assistive client's call, and the client with it, until the box
        // is closed.
        QMetaObject::invokeMethod(button(), &QAbstractButton::click, Qt::QueuedConnection);
        return;
    }
    QAccessibleWidget::doAction(action);
}

QStringList AccessibleButton::keyBindingsForAction(const QString& action) const {
    if ((action == pressAction() || action == toggleAction()) && !button()->shortcut().isEmpty())
        return {button()->shortcut().toString(QKeySequence::NativeText)};
    return QAccessibleWidget::keyBindingsForAction(action);
}

void InstallAccessibleButtons() {
    static const bool installed = [] {
        QAccessible::installFactory(&Factory);
        return true;
    }();
    (void)installed;
}

}  // namespace moravel
