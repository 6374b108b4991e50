#include "app/window/AudioDevicesDialog.h"

#include "app/window/AccessibleNames.h"
#include "app/window/DeviceComboBox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

namespace moravel {

namespace {

using Direction = AudioDeviceList::Direction;

DeviceComboBox* MakeList(const AudioDevicesDialog::Lister& lister, Direction direction, const char* name,
                         QWidget* parent) {
    auto* combo = new DeviceComboBox([lister, direction] { return lister(direction); }, parent);
    combo->setObjectName(QString::fromLatin1(name));
    return combo;
}

}  // namespace

AudioDevicesDialog::AudioDevicesDialog(const AudioDeviceSettings& current, const Lister& lister, QWidget* parent)
    : QDialog(parent),
      input_(MakeList(lister, Direction::Capture, "ComboInputDevice", this)),
      output_(MakeList(lister, Direction::Playback, "ComboOutputDevice", this)) {
    setObjectName(QStringLiteral("AudioDevicesDialog"));
    setWindowTitle(QStringLiteral("Audio Devices"));
    setModal(true);
    input_->Refill(current.input);
    output_->Refill(current.output);

    auto* form = new QFormLayout(this);
    // A screen reader on Linux names a list by its label, so each caption
    // is the list's full name.
    form->addRow(QStringLiteral("&Input device:"), input_);
    form->addRow(QStringLiteral("&Output device:"), output_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ButtonOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("ButtonCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    ApplyAccessibleTexts(this);
}

AudioDeviceSettings AudioDevicesDialog::Chosen() const { return {input_->SelectedId(), output_->SelectedId()}; }

}  // namespace moravel
