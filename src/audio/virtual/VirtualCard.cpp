#include "audio/virtual/VirtualCard.h"

#include "audio/virtual/BlockTiming.h"
#include "audio/virtual/CardState.h"
#include "audio/virtual/VirtualCapture.h"
#include "audio/virtual/VirtualPlayback.h"

#include <QCoreApplication>

#include <stdexcept>

namespace moravel {

VirtualCard::VirtualCard(VirtualCardOptions options) : state_(std::make_shared<vcard::CardState>(std::move(options))) {}

VirtualCard::~VirtualCard() = default;

std::unique_ptr<CaptureService> VirtualCard::createCapture() { return std::make_unique<vcard::VirtualCapture>(state_); }

std::unique_ptr<PlaybackService> VirtualCard::createPlayback() {
    return std::make_unique<vcard::VirtualPlayback>(state_);
}

DeviceCaps VirtualCard::captureCaps(TEWDev device) {
    if (!vcard::CardState::IsCardDevice(device) || !state_->present) return {};
    return {true, 2, false, false};
}

DeviceCaps VirtualCard::playbackCaps(TEWDev device) {
    if (!vcard::CardState::IsCardDevice(device) || !state_->present) return {};
    return {true, 2, true, true};
}

bool VirtualCard::getVolume(TEWDev device, std::uint32_t& volume) {
    if (!playbackCaps(device).volume) return false;
    volume = state_->volume;
    return true;
}

bool VirtualCard::setVolume(TEWDev device, std::uint32_t volume) {
    if (!playbackCaps(device).volume) return false;
    state_->volume = volume;
    return true;
}

std::vector<std::string> VirtualCard::captureDeviceNames() {
    return {"Default (virtual soundcard)", "Virtual soundcard"};
}

std::vector<std::string> VirtualCard::playbackDeviceNames() { return captureDeviceNames(); }

ClockMode VirtualCard::Clock() const { return state_->clock.Mode(); }

std::chrono::nanoseconds VirtualCard::Now() const { return state_->clock.Now(); }

void VirtualCard::Advance(std::chrono::nanoseconds step) {
    requireStepping("Advance");
    advanceTo(Now() + step, false);
}

void VirtualCard::AdvanceFrames(std::int64_t frames, std::int32_t rate) {
    Advance(vcard::FramesDuration(frames, rate));
}

bool VirtualCard::StepToNextDeadline() {
    requireStepping("StepToNextDeadline");
    const auto deadline = state_->devices.EarliestDeadline();
    if (deadline) advanceTo(std::max(*deadline, Now()), false);
    return deadline.has_value();
}

void VirtualCard::RunFor(std::chrono::nanoseconds span) {
    requireStepping("RunFor");
    advanceTo(Now() + span, true);
}

void VirtualCard::requireStepping(const char* what) const {
    if (Clock() != ClockMode::Stepping)
        throw std::logic_error(std::string("VirtualCard::") + what + " needs the stepping clock");
}

// Deadline by deadline, so that the notifications of all devices are
// posted in the order of their card times.
void VirtualCard::advanceTo(std::chrono::nanoseconds target, bool deliver) {
    for (auto deadline = state_->devices.EarliestDeadline(); deadline && *deadline <= target;
         deadline = state_->devices.EarliestDeadline()) {
        state_->clock.Set(*deadline);
        state_->devices.TickAll(Now());
        if (deliver) QCoreApplication::sendPostedEvents();
    }
    state_->clock.Set(target);
}

void VirtualCard::Unplug() {
    state_->present = false;
    state_->devices.VanishAll();
}

void VirtualCard::Plug() { state_->present = true; }

std::size_t VirtualCard::OpenDevices() const { return state_->devices.Count(); }

std::vector<std::int16_t> VirtualCard::PlayedSamples() const { return state_->played.Snapshot(); }

void VirtualCard::ClearPlayedSamples() { state_->played.Clear(); }

}  // namespace moravel
