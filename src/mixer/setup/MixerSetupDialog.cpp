#include "mixer/setup/MixerSetupDialog.h"

#include "common/AccessibleTexts.h"
#include "mixer/setup/MixerDeviceChoice.h"
#include "mixer/setup/MixerSummary.h"
#include "common/SoundcardChoices.h"

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

MixerSetupDialog::MixerSetupDialog(std::shared_ptr<mixer::MixerService> service, const std::string& settingsFile, HelpRequest help,
               QWidget* parent)
    : QDialog(parent), Mixer(service), service_(std::move(service)), ini_(settingsFile), help_(std::move(help)) {
    setObjectName(QStringLiteral("Form1"));
    Mixer.setObjectName(QStringLiteral("Mixer"));
    if (service_) storedDevice_ = ChosenMixerDevice(*service_, ini_);
    Mixer.SetMixerId(storedDevice_);
    BuildControls();
    FillDevices();
    FillLists();
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &MixerSetupDialog::MixerDeviceChange);
}

void MixerSetupDialog::BuildControls() {
    setWindowTitle(QStringLiteral("Soundcard Configuration"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);

    Label1 = new QLabel(QString::fromLatin1(kExplanation));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);

    ComboBox1 = MakeList("ComboBox1");
    auto* deviceLabel = new QLabel(QStringLiteral("Mixer device"));
    deviceLabel->setBuddy(ComboBox1);
    auto* device = new QFormLayout;
    device->addRow(deviceLabel, ComboBox1);

    ComboBox2 = MakeList("ComboBox2");
    ComboBox6 = MakeList("ComboBox6");
    ComboBox7 = MakeList("ComboBox7");
    ComboBox3 = MakeList("ComboBox3");
    ComboBox4 = MakeList("ComboBox4");
    ComboBox5 = MakeList("ComboBox5");
    GroupBox1 = MakeGroup("GroupBox1", QStringLiteral("Audio In  "), {ComboBox2, ComboBox6, ComboBox7});
    GroupBox2 = MakeGroup("GroupBox2", QStringLiteral("Audio Out  "), {ComboBox3, ComboBox4, ComboBox5});

    ButtonOK = Named(new QPushButton(QStringLiteral("OK")), "ButtonOK");
    ButtonOK->setDefault(true);
    ButtonCancel = Named(new QPushButton(QStringLiteral("Cancel")), "ButtonCancel");
    connect(ButtonOK, &QPushButton::clicked, this, &MixerSetupDialog::ButtonOKClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* groups = new QHBoxLayout;
    groups->addWidget(GroupBox1);
    groups->addWidget(GroupBox2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 6);
    column->setSpacing(4);
    column->addWidget(Label1);
    column->addLayout(device);
    column->addLayout(groups, 1);
    column->addLayout(buttons);
}

QComboBox* MixerSetupDialog::ListOf(LineKey key) const {
    switch (key) {
        case LineKey::Microphone_Out:
            return ComboBox3;
        case LineKey::Line_Out:
            return ComboBox4;
        case LineKey::Wave_Out:
            return ComboBox5;
        case LineKey::Microphone_In:
            return ComboBox2;
        case LineKey::Line_In:
            return ComboBox6;
        case LineKey::Wave_In:
            break;
    }
    return ComboBox7;
}

// Every device of the service, the open one shown; no device, no choice.
void MixerSetupDialog::FillDevices() {
    const QSignalBlocker quiet(ComboBox1);
    const int count = service_ ? service_->DeviceCount() : 0;
    for (int id = 0; id < count; ++id) ComboBox1->addItem(QString::fromStdString(service_->DeviceDescription(id)));
    ComboBox1->setCurrentIndex(Mixer.MixerId());
    ComboBox1->setEnabled(count > 0);
}

void MixerSetupDialog::MixerDeviceChange(int device) {
    Mixer.SetMixerId(device);
    FillLists();
}

// The lists hold the destinations' line names; each shows its stored line,
// or the pre-selected one on a first run and on another device than the
// stored lines belong to. An index the list does not hold shows no
// selection.
void MixerSetupDialog::FillLists() {
    const MixerNames names = MixerNamesOf(Mixer);
    const bool stored = HasStoredLineAssignment(ini_) && Mixer.MixerId() == storedDevice_;
    const LineAssignment lines = stored ? ReadLineAssignment(ini_) : PreselectedLines(names);
    for (LineKey key : {LineKey::Microphone_Out, LineKey::Line_Out, LineKey::Wave_Out, LineKey::Microphone_In,
                        LineKey::Line_In, LineKey::Wave_In}) {
        QComboBox* list = ListOf(key);
        list->clear();
        for (const std::string& item : ChoiceItems(names, key)) list->addItem(QString::fromStdString(item));
        const std::int32_t index = LineOf(lines, key);
        list->setCurrentIndex(index < list->count() ? index : -1);
    }
}

void MixerSetupDialog::ButtonOKClick() {
    for (QComboBox* list : {ComboBox2, ComboBox6, ComboBox3, ComboBox4, ComboBox7})
        if (list->currentText() == QLatin1String(kNotAvailableText)) list->setCurrentIndex(-1);
    LineAssignment lines;
    for (LineKey key : {LineKey::Microphone_Out, LineKey::Line_Out, LineKey::Wave_Out, LineKey::Microphone_In,
                        LineKey::Line_In, LineKey::Wave_In})
        SetLine(lines, key, ListOf(key)->currentIndex());
    try {
        WriteLineAssignment(ini_, lines);
        if (Mixer.MixerId() >= 0) WriteMixerDevice(ini_, service_->DeviceName(Mixer.MixerId()));
    } catch (const std::exception& error) {
        QMessageBox::warning(this, windowTitle(), QString::fromLocal8Bit(error.what()));
        return;
    }
    accept();
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
