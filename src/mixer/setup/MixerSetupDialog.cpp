#include "mixer/setup/MixerSetupDialog.h"

#include "common/AccessibleTexts.h"
#include "common/SoundcardChoices.h"
#include "mixer/setup/MixerDeviceChoice.h"
#include "mixer/setup/MixerSummary.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <array>
#include <exception>
#include <utility>

namespace moravel {

namespace {

constexpr int kClientWidth = 453;
constexpr int kClientHeight = 240;

constexpr std::array<LineKey, 6> kLineKeys = {LineKey::Microphone_Out, LineKey::Line_Out, LineKey::Wave_Out,
                                              LineKey::Microphone_In,  LineKey::Line_In,  LineKey::Wave_In};

const char* const kExplanation =
    "Moravel needs to know the configuration of your soundcard.  To do this, you should select the audio line "
    "that best describes each of the required lines.  In most cases your soundcard will have the exact same audio "
    "line as asked by Moravel. For more information, press F1.";

// Named, with its hint, from the table of accessible texts.
template <typename Control>
Control* Named(Control* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    accessible::ApplyControlText(*control, accessible::kSoundcardDialog);
    return control;
}

QComboBox* MakeList(const char* name) {
    auto* list = Named(new QComboBox, name);
    list->setEditable(false);
    return list;
}

// A group of three labelled lists: microphone, line, wave. Qt on Linux
// reports a combo box's current item as its name and its captions through
// the labels whose buddy it is, so each caption carries its list's full
// name ("Line, Audio In", not the "Line" of both groups).
QGroupBox* MakeGroup(const char* name, const QString& title, const std::array<QComboBox*, 3>& lists) {
    auto* group = new QGroupBox(title);
    group->setObjectName(QString::fromLatin1(name));
    auto* form = new QFormLayout(group);
    form->setContentsMargins(8, 4, 8, 4);
    form->setVerticalSpacing(2);
    const std::array<const char*, 3> captions = {"Microphone", "Line", "Wave"};
    for (std::size_t i = 0; i < lists.size(); ++i) {
        auto* label = new QLabel(QString::fromLatin1(captions[i]));
        label->setAccessibleName(lists[i]->accessibleName());
        label->setBuddy(lists[i]);
        form->addRow(label, lists[i]);
    }
    return group;
}

}  // namespace

MixerSetupDialog::MixerSetupDialog(std::shared_ptr<mixer::MixerService> service, SoundcardSetup stored, Store store,
                                   HelpRequest help, QWidget* parent)
    : QDialog(parent),
      mixer(service),
      service_(std::move(service)),
      stored_(std::move(stored)),
      store_(std::move(store)),
      help_(std::move(help)) {
    setObjectName(QStringLiteral("Form1"));
    mixer.setObjectName(QStringLiteral("Mixer"));
    if (service_) storedDevice_ = ChosenMixerDevice(*service_, stored_.mixerDevice.value_or(std::string()));
    mixer.SetMixerId(storedDevice_);
    buildControls();
    fillDevices();
    fillLists();
    connect(mixerDeviceList, &QComboBox::currentIndexChanged, this, &MixerSetupDialog::mixerDeviceChanged);
}

void MixerSetupDialog::buildControls() {
    setWindowTitle(QStringLiteral("Soundcard Configuration"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);

    explanationLabel = new QLabel(QString::fromLatin1(kExplanation));
    explanationLabel->setObjectName(QStringLiteral("Label1"));
    explanationLabel->setTextFormat(Qt::PlainText);
    explanationLabel->setWordWrap(true);

    mixerDeviceList = MakeList("ComboBox1");
    auto* deviceLabel = new QLabel(QStringLiteral("Mixer device"));
    deviceLabel->setBuddy(mixerDeviceList);
    auto* device = new QFormLayout;
    device->addRow(deviceLabel, mixerDeviceList);

    micInList = MakeList("ComboBox2");
    lineInList = MakeList("ComboBox6");
    waveInList = MakeList("ComboBox7");
    micOutList = MakeList("ComboBox3");
    lineOutList = MakeList("ComboBox4");
    waveOutList = MakeList("ComboBox5");
    audioInGroup = MakeGroup("GroupBox1", QStringLiteral("Audio In  "), {micInList, lineInList, waveInList});
    audioOutGroup = MakeGroup("GroupBox2", QStringLiteral("Audio Out  "), {micOutList, lineOutList, waveOutList});

    okButton = Named(new QPushButton(QStringLiteral("OK")), "ButtonOK");
    okButton->setDefault(true);
    cancelButton = Named(new QPushButton(QStringLiteral("Cancel")), "ButtonCancel");
    connect(okButton, &QPushButton::clicked, this, &MixerSetupDialog::okClicked);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* groups = new QHBoxLayout;
    groups->addWidget(audioInGroup);
    groups->addWidget(audioOutGroup);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 6);
    column->setSpacing(4);
    column->addWidget(explanationLabel);
    column->addLayout(device);
    column->addLayout(groups, 1);
    column->addLayout(buttons);
}

QComboBox* MixerSetupDialog::listOf(LineKey key) const {
    switch (key) {
        case LineKey::Microphone_Out:
            return micOutList;
        case LineKey::Line_Out:
            return lineOutList;
        case LineKey::Wave_Out:
            return waveOutList;
        case LineKey::Microphone_In:
            return micInList;
        case LineKey::Line_In:
            return lineInList;
        case LineKey::Wave_In:
            break;
    }
    return waveInList;
}

// Every device of the service, the open one shown; no device, no choice.
void MixerSetupDialog::fillDevices() {
    const QSignalBlocker quiet(mixerDeviceList);
    const int count = service_ ? service_->DeviceCount() : 0;
    for (int id = 0; id < count; ++id)
        mixerDeviceList->addItem(QString::fromStdString(service_->DeviceDescription(id)));
    mixerDeviceList->setCurrentIndex(mixer.MixerId());
    mixerDeviceList->setEnabled(count > 0);
}

void MixerSetupDialog::mixerDeviceChanged(int device) {
    mixer.SetMixerId(device);
    fillLists();
}

// The lists hold the destinations' line names; each shows its stored line,
// or the pre-selected one on a first run and on another device than the
// stored lines belong to. An index the list does not hold shows no
// selection.
void MixerSetupDialog::fillLists() {
    const MixerNames names = MixerNamesOf(mixer);
    const bool stored = stored_.lines && mixer.MixerId() == storedDevice_;
    const LineAssignment lines = stored ? *stored_.lines : PreselectedLines(names);
    for (LineKey key : kLineKeys) {
        QComboBox* list = listOf(key);
        list->clear();
        for (const std::string& item : ChoiceItems(names, key)) list->addItem(QString::fromStdString(item));
        const std::int32_t index = LineOf(lines, key);
        list->setCurrentIndex(index < list->count() ? index : -1);
    }
}

void MixerSetupDialog::okClicked() {
    for (QComboBox* list : {micInList, lineInList, micOutList, lineOutList, waveInList})
        if (list->currentText() == QLatin1String(kNotAvailableText)) list->setCurrentIndex(-1);
    try {
        if (store_) store_(chosen());
    } catch (const std::exception& error) {
        QMessageBox::warning(this, windowTitle(), QString::fromLocal8Bit(error.what()));
        return;
    }
    accept();
}

// The lines the lists show (-1 for none) and the open mixer device.
SoundcardSetup MixerSetupDialog::chosen() const {
    SoundcardSetup setup;
    setup.lines.emplace();
    for (LineKey key : kLineKeys) SetLine(*setup.lines, key, listOf(key)->currentIndex());
    if (mixer.MixerId() >= 0) setup.mixerDevice = service_->DeviceName(mixer.MixerId());
    return setup;
}

void MixerSetupDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        if (help_) help_(QString::fromLatin1(kHelpTopic));
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace moravel
