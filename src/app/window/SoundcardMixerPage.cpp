#include "app/window/SoundcardMixerPage.h"

#include "app/window/pages/SoundcardPage.h"
#include "mixer/AudioMixer.h"
#include "mixer/setup/MixerSummary.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

namespace moravel {

// Until sampling first starts and reads the assignment, the pairs show
// nothing the mixer said and stay disabled.
SoundcardMixerPage::SoundcardMixerPage(SoundcardPage& page, AudioMixer& mixer, ErrorReport reportError)
    : page_(page), mixer_(mixer) {
    for (MixerPair pair : kMixerPairs) {
        controlsOf(pair).check->setEnabled(false);
        controlsOf(pair).track->setEnabled(false);
    }
    page_.autoSetButton->setEnabled(false);
    connectControls(reportError);
}

// A check box and its track bar do the same: write their pair's line.
void SoundcardMixerPage::connectControls(const ErrorReport& reportError) {
    const GuardedConnector on(receiver_, *this, reportError);
    on(&mixer_, &AudioMixer::OnControlChange, &SoundcardMixerPage::mixerChanged);
    for (MixerPair pair : kMixerPairs) {
        const auto changed = [this, pair] { pairChanged(pair); };
        on(controlsOf(pair).check, &QCheckBox::toggled, changed);
        on(controlsOf(pair).track, &QSlider::valueChanged, changed);
    }
    on(page_.autoSetButton, &QPushButton::clicked, &SoundcardMixerPage::autoSetClicked);
}

SoundcardLayout SoundcardMixerPage::Layout() const { return SoundcardLayoutOf(mixer_); }

void SoundcardMixerPage::ShowCardName() {
    page_.cardNameLabel->setText(mixer_.MixerId() < 0 ? QStringLiteral("No soundcard found")
                                                      : QString::fromStdString(mixer_.ProductName()));
}

SoundcardMixerPage::Pair SoundcardMixerPage::controlsOf(MixerPair pair) const {
    switch (pair) {
        case MixerPair::Master:
            return {page_.masterSwitch, page_.masterVolume};
        case MixerPair::WaveOut:
            return {page_.waveOutSwitch, page_.waveOutVolume};
        case MixerPair::MicrophoneIn:
            return {page_.micInSwitch, page_.micInVolume};
        case MixerPair::LineIn:
            return {page_.lineInSwitch, page_.lineInVolume};
        case MixerPair::WaveIn:
            return {page_.waveInSwitch, page_.waveInVolume};
        case MixerPair::MicrophoneOut:
            return {page_.micOutSwitch, page_.micOutVolume};
        case MixerPair::LineOut:
            break;
    }
    return {page_.lineOutSwitch, page_.lineOutVolume};
}

void SoundcardMixerPage::Enable(const LineAssignment& lines) {
    lines_ = lines;
    shown_ = false;
    const SoundcardLayout layout = Layout();
    for (MixerPair pair : kMixerPairs) {
        const std::optional<MixerLineRef> line = LineOfPair(pair, lines_, layout);
        controlsOf(pair).check->setEnabled(line.has_value());
        controlsOf(pair).track->setEnabled(line && readingOf(*line).left != -1);
    }
    page_.autoSetButton->setEnabled(layout.usable);
}

// Sets a pair's controls without running their handlers.
void SoundcardMixerPage::show(MixerPair pair, bool checked, int position) {
    const Pair controls = controlsOf(pair);
    const QSignalBlocker checkBlocker(controls.check);
    const QSignalBlocker trackBlocker(controls.track);
    controls.track->setValue(position);
    controls.check->setChecked(checked);
}

// Sets a pair's check box alone, without running its handler.
void SoundcardMixerPage::showChecked(MixerPair pair, const Reading& reading) {
    QCheckBox* check = controlsOf(pair).check;
    const QSignalBlocker blocker(check);
    check->setChecked(CheckedOfMute(reading.mute, reading.muteIsSelection));
}

SoundcardMixerPage::Reading SoundcardMixerPage::readingOf(const MixerLineRef& line) const {
    Reading reading;
    int right = -1;
    bool stereo = false, volumeDisabled = true, muteDisabled = true;
    mixer_.GetVolume(line.destination, line.connection, reading.left, right, reading.mute, stereo, volumeDisabled,
                     muteDisabled, reading.muteIsSelection);
    return reading;
}

// A line that cannot be read reports its presets (-1): position 0, off.
void SoundcardMixerPage::refresh(MixerPair pair) {
    const std::optional<MixerLineRef> line = LineOfPair(pair, lines_, Layout());
    if (!line) return;
    const Reading reading = readingOf(*line);
    show(pair, CheckedOfMute(reading.mute, reading.muteIsSelection), PositionOfVolume(reading.left));
}

void SoundcardMixerPage::ReadMixer() {
    for (MixerPair pair : kReadMixerOrder) refresh(pair);
    shown_ = true;
}

void SoundcardMixerPage::ReadLine(int destination, int connection) {
    if (const std::optional<MixerPair> pair = PairOfStoredLine(destination, connection, lines_)) refresh(*pair);
}

bool SoundcardMixerPage::WriteLine(int destination, int connection, bool checked, int position) {
    int left = -1, right = -1, mute = -1;
    bool stereo = false, volumeDisabled = true, muteDisabled = true, muteIsSelection = false;
    mixer_.GetVolume(destination, connection, left, right, mute, stereo, volumeDisabled, muteDisabled, muteIsSelection);
    return mixer_.SetVolume(destination, connection, VolumeOfPosition(position), -1,
                            MuteToWrite(checked, muteIsSelection, mute));
}

void SoundcardMixerPage::pairChanged(MixerPair pair) {
    const std::optional<MixerLineRef> line = LineOfPair(pair, lines_, Layout());
    if (!line) return;
    const Pair controls = controlsOf(pair);
    WriteLine(line->destination, line->connection, controls.check->isChecked(), controls.track->value());
    showChecked(pair, readingOf(*line));
}

void SoundcardMixerPage::autoSetClicked() {
    const SoundcardLayout layout = Layout();
    for (const AutoSetStep& step : kAutoSetSteps) {
        if (!PairEnabled(step.pair, lines_, layout)) continue;
        show(step.pair, step.checked, step.position);
        pairChanged(step.pair);
    }
}

void SoundcardMixerPage::mixerChanged() {
    if (shown_) ReadMixer();
}

}  // namespace moravel
