// A device opened on a simulated card: forwards to the card and receives its
// change notifications while it is open.
//
// Threads: see SimulatedCard.h; the change handler runs on the thread that
// made the change.
#pragma once

#include "mixer/MixerDevice.h"
#include "mixer/simulated/SimulatedCard.h"

#include <memory>

namespace moravel::mixer {

class SimulatedMixerDevice : public MixerDevice {
public:
    explicit SimulatedMixerDevice(std::shared_ptr<SimulatedCard> card) : card_(std::move(card)) {}
    ~SimulatedMixerDevice() override { SetChangeHandler({}); }

    MixerCaps Caps() const override { return card_->Caps(); }
    bool DestinationLine(std::uint32_t destination, MixerLine& line) const override {
        return card_->DestinationLine(destination, line);
    }
    bool SourceLine(std::uint32_t destination, std::uint32_t source, MixerLine& line) const override {
        return card_->SourceLine(destination, source, line);
    }
    bool LineControls(std::uint32_t lineId, std::vector<MixerControl>& controls) const override {
        return card_->LineControls(lineId, controls);
    }
    bool ControlValues(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                       std::vector<std::uint32_t>& values) const override {
        return card_->ControlValues(controlId, channels, items, values);
    }
    bool ListTexts(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                   std::vector<MixerListText>& texts) const override {
        return card_->ListTexts(controlId, channels, items, texts);
    }
    bool SetControlValues(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                          const std::vector<std::uint32_t>& values) override {
        return card_->SetControlValues(controlId, channels, items, values);
    }
    void SetChangeHandler(MixerChangeHandler handler) override;

private:
    std::shared_ptr<SimulatedCard> card_;
    int subscription_ = 0;
};

}  // namespace moravel::mixer
