// The soundcard mixer component: opens one mixer device of a mixer service,
// keeps a snapshot of its structure (destinations, their source lines, the
// controls of every line), reads and sets the volume and mute of a line, and
// turns the device's change notifications into the signals OnLineChange and
// OnControlChange.
//
// Lines are addressed by destination index (0 playback, 1 recording) and
// connection index (a source of that destination, or -1 for the destination
// line itself). Volumes are 0..65535 and passed to the device unchanged.
//
// Threads: create, call and destroy the component on one thread (the GUI
// thread); the signals are emitted on that thread, from its event loop,
// after the device reported the change (never from inside a call).
#pragma once

#include "mixer/MixerDestinations.h"
#include "mixer/MixerService.h"

#include <QEvent>
#include <QObject>

#include <cstdint>
#include <memory>
#include <string>

namespace moravel {

class AudioMixer : public QObject {
    Q_OBJECT
public:
    /// What identifies the open device in a notification.
    using MixerHandle = quintptr;

    /// Takes the number of devices from `service` once, then selects device 0.
    explicit AudioMixer(std::shared_ptr<mixer::MixerService> service, QObject* parent = nullptr);
    ~AudioMixer() override;

    /// The open device's index, -1 while none is open.
    int MixerId() const { return mixerId_; }
    /// Selects a device: any value in 0..DeviceCount()-1 closes the current
    /// device and opens that one afresh (even the same one); a value out of
    /// that range changes nothing. A device that fails to open leaves the
    /// component closed (MixerId -1, no Destinations).
    void SetMixerId(int id);
    /// Number of devices the service had when the component was created.
    int DeviceCount() const { return deviceCount_; }

    /// The snapshot of the open device; nothing while closed.
    const MixerDestinations* Destinations() const { return destinations_.get(); }

    // The open device's capabilities (the last device's after a failed open).
    const std::string& Manufacturer() const { return manufacturer_; }
    const std::string& ProductName() const { return caps_.productName; }
    std::uint32_t DriverVersion() const { return caps_.driverVersion; }
    std::uint16_t ProductId() const { return caps_.productId; }
    /// Number of destinations the device reports.
    int NumberOfLine() const { return static_cast<int>(caps_.destinations); }

    /// Reads a line: `left`, `right` (0..65535, -1 when the line has no
    /// readable volume; right = left on a mono line), `mute` (1 muted, 0
    /// not, -1 unknown), `stereo`, whether volume or mute are disabled, and
    /// `muteIsSelection`: for a recording source without a mute of its own,
    /// `mute` is then its selection (1 selected) in the recording selector.
    /// False, with the outputs untouched, while closed; false, with the
    /// outputs at their presets, when the line does not exist.
    bool GetVolume(int destination, int connection, int& left, int& right, int& mute, bool& stereo,
                   bool& volumeDisabled, bool& muteDisabled, bool& muteIsSelection) const;
    /// Sets a line: `left` -1 leaves the volume alone, `right` -1 means the
    /// same as left, `mute` -1 leaves the mute (or selection) alone. On a
    /// recording source without its own mute, `mute` 1 selects it (a
    /// multiplexer then deselects every other source) and 0 deselects it.
    /// True when the line exists, whatever the device made of the writes.
    bool SetVolume(int destination, int connection, int left, int right, int mute);

signals:
    /// A line of the device `mixer` changed (its identifier, `MixerLine::lineId`).
    void OnLineChange(AudioMixer* sender, AudioMixer::MixerHandle mixer, quint32 lineId);
    /// A control of the device `mixer` changed (`MixerControl::controlId`).
    void OnControlChange(AudioMixer* sender, AudioMixer::MixerHandle mixer, quint32 controlId);

protected:
    bool event(QEvent* e) override;

private:
    // A line found in the snapshot: its destination, its record and controls.
    struct LineRef {
        const MixerDestination* destination = nullptr;
        const mixer::MixerLine* line = nullptr;
        const MixerControls* controls = nullptr;
        bool isSource = false;
    };
    // What GetVolume reports, at its presets.
    struct LineState {
        int left = -1;
        int right = -1;
        int mute = -1;
        bool stereo = false;
        bool volumeDisabled = true;
        bool muteDisabled = true;
        bool muteIsSelection = false;
    };

    void Close();
    bool Open(int id);
    bool FindLine(int destination, int connection, LineRef& ref) const;
    void ReadOwnControls(const LineRef& ref, LineState& state) const;
    void ReadSelection(const LineRef& ref, LineState& state) const;
    bool WriteOwnControls(const LineRef& ref, int left, int right, int mute);
    void WriteSelection(const LineRef& ref, int mute);
    std::uint32_t Channels(const mixer::MixerControl& control, const mixer::MixerLine& line) const;

    std::shared_ptr<mixer::MixerService> service_;
    std::unique_ptr<mixer::MixerDevice> device_;
    std::unique_ptr<MixerDestinations> destinations_;
    int deviceCount_ = 0;
    int mixerId_ = -1;
    mixer::MixerCaps caps_;
    std::string manufacturer_;
};

/// The manufacturer text of `caps`: its name when the service knows it,
/// else "Microsoft" for identifier 1 and "<identifier> = Unknown" otherwise.
std::string ManufacturerText(const mixer::MixerCaps& caps);

}  // namespace moravel
