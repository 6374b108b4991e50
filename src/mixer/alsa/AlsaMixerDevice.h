// A mixer device over the ALSA simple mixer of one control device: its
// elements laid out as lines and controls (AlsaMixerLayout.h), their values
// (AlsaControlValues.h), and change notifications from the mixer's poll
// descriptors, watched by socket notifiers on the thread that opened it
// (no thread of its own, no polling loop).
//
// Threads: open, call and destroy on one thread with a Qt event loop; the
// change handler runs on that thread, from the event loop.
#pragma once

#include "mixer/alsa/AlsaMixerLayout.h"
#include "mixer/MixerDevice.h"

#include <alsa/asoundlib.h>

#include <QSocketNotifier>

#include <memory>
#include <string>
#include <vector>

namespace moravel::mixer {

class AlsaMixerDevice : public MixerDevice {
public:
    /// Opens the simple mixer of `ctlName`, reporting `caps` (with its
    /// destination count); nothing when it does not open.
    static std::unique_ptr<AlsaMixerDevice> Open(const std::string& ctlName, MixerCaps caps);
    ~AlsaMixerDevice() override;

    MixerCaps Caps() const override { return caps_; }
    bool DestinationLine(std::uint32_t destination, MixerLine& line) const override;
    bool SourceLine(std::uint32_t destination, std::uint32_t source, MixerLine& line) const override;
    bool LineControls(std::uint32_t lineId, std::vector<MixerControl>& controls) const override;
    bool ControlValues(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                       std::vector<std::uint32_t>& values) const override;
    bool ListTexts(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                   std::vector<MixerListText>& texts) const override;
    bool SetControlValues(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                          const std::vector<std::uint32_t>& values) override;
    void SetChangeHandler(MixerChangeHandler handler) override { handler_ = std::move(handler); }

private:
    AlsaMixerDevice(snd_mixer_t* mixer, std::vector<snd_mixer_elem_t*> elements, AlsaMixerLayout layout,
                    MixerCaps caps);
    const AlsaControlBinding* Checked(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items) const;
    void WatchDescriptors();
    void HandleEvents();
    static int ElementChanged(snd_mixer_elem_t* element, unsigned int mask);
    void Report(int element, unsigned int mask);

    snd_mixer_t* mixer_;
    std::vector<snd_mixer_elem_t*> elements_;  // null once removed
    AlsaMixerLayout layout_;
    MixerCaps caps_;
    MixerChangeHandler handler_;
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers_;
};

}  // namespace moravel::mixer
