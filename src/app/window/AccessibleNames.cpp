#include "app/window/AccessibleNames.h"

#include "common/AccessibleTexts.h"
#include "app/window/AccessibleValues.h"

#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QString>
#include <QWidget>

#include <string>
#include <string_view>

namespace moravel {

namespace {

QString TextOf(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QWidget* FindWidget(QWidget* root, const QString& name) {
    if (root->objectName() == name) return root;
    return root->findChild<QWidget*>(name);
}

// Qt on Linux reports a combo box's current item as its accessible name and
// its label through the "labelled by" relation, which it takes from labels
// whose buddy the combo is. A combo without a caption of its own gets a
// hidden label with its name (once), so the bus carries the name too.
void LabelCombo(QComboBox* combo, const QString& name) {
    const QString labelName = combo->objectName() + QStringLiteral("Label");
    QWidget* parent = combo->parentWidget();
    if (parent == nullptr || parent->findChild<QLabel*>(labelName, Qt::FindDirectChildrenOnly) != nullptr) return;
    auto* label = new QLabel(name, parent);
    label->setObjectName(labelName);
    label->setBuddy(combo);
    label->hide();
}

void ApplyValueText(QWidget* root, QSlider* slider, const accessible::ControlText& text) {
    QLabel* readout = text.readout.empty() ? nullptr : root->findChild<QLabel*>(TextOf(text.readout));
    if (readout == nullptr && text.unit.empty()) return;
    SpeakSliderValue(slider, readout, TextOf(text.unit));
}

}  // namespace

QStringList ApplyAccessibleTexts(QWidget* root) {
    QStringList missing;
    const std::string window = root->objectName().toStdString();
    for (const accessible::ControlText& text : accessible::ControlTexts(window)) {
        QWidget* widget = FindWidget(root, TextOf(text.object));
        if (widget == nullptr) {
            missing << TextOf(text.object);
            continue;
        }
        accessible::ApplyControlText(*widget, window);
        if (auto* slider = qobject_cast<QSlider*>(widget)) ApplyValueText(root, slider, text);
        if (auto* combo = qobject_cast<QComboBox*>(widget)) LabelCombo(combo, TextOf(text.name));
    }
    return missing;
}

void SetLightName(QLabel* light, const QString& text, bool active) {
    const QString name = text + (active ? QStringLiteral(": on") : QStringLiteral(": off"));
    if (light->accessibleName() != name) light->setAccessibleName(name);
}

}  // namespace moravel
