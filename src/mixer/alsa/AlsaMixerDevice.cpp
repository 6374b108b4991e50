#include "mixer/alsa/AlsaMixerDevice.h"

#include "mixer/alsa/AlsaControlValues.h"
#include "mixer/alsa/AlsaElementProbe.h"

#include <poll.h>

#include <algorithm>

namespace moravel::mixer {

namespace {

snd_mixer_t* OpenMixer(const std::string& ctlName) {
    snd_mixer_t* mixer = nullptr;
    if (snd_mixer_open(&mixer, 0) < 0) return nullptr;
    snd_hctl_t* hctl = nullptr;
    // Non-blocking: reading events after a wake-up must stop when there are
    // none left instead of waiting for the next one.
    if (snd_mixer_attach(mixer, ctlName.c_str()) < 0 || snd_mixer_selem_register(mixer, nullptr, nullptr) < 0 ||
        snd_mixer_load(mixer) < 0 || snd_mixer_get_hctl(mixer, ctlName.c_str(), &hctl) < 0 ||
        snd_hctl_nonblock(hctl, 1) < 0) {
        snd_mixer_close(mixer);
        return nullptr;
    }
    return mixer;
}

}  // namespace

std::unique_ptr<AlsaMixerDevice> AlsaMixerDevice::Open(const std::string& ctlName, MixerCaps caps) {
    snd_mixer_t* mixer = OpenMixer(ctlName);
    if (!mixer) return nullptr;
    std::vector<snd_mixer_elem_t*> elements;
    std::vector<AlsaElementTraits> traits;
    for (snd_mixer_elem_t* e = snd_mixer_first_elem(mixer); e; e = snd_mixer_elem_next(e)) {
        if (!snd_mixer_selem_is_active(e)) continue;
        elements.push_back(e);
        traits.push_back(ProbeElement(e));
    }
    AlsaMixerLayout layout(traits);
    caps.destinations = layout.Destinations();
    std::unique_ptr<AlsaMixerDevice> device(
        new AlsaMixerDevice(mixer, std::move(elements), std::move(layout), std::move(caps)));
    device->WatchDescriptors();
    return device;
}

AlsaMixerDevice::AlsaMixerDevice(snd_mixer_t* mixer, std::vector<snd_mixer_elem_t*> elements, AlsaMixerLayout layout,
                                 MixerCaps caps)
    : mixer_(mixer), elements_(std::move(elements)), layout_(std::move(layout)), caps_(std::move(caps)) {
    for (snd_mixer_elem_t* e : elements_) {
        snd_mixer_elem_set_callback_private(e, this);
        snd_mixer_elem_set_callback(e, &AlsaMixerDevice::ElementChanged);
    }
}

AlsaMixerDevice::~AlsaMixerDevice() {
    notifiers_.clear();
    snd_mixer_close(mixer_);
}

bool AlsaMixerDevice::DestinationLine(std::uint32_t destination, MixerLine& line) const {
    const AlsaLine* found = layout_.Destination(destination);
    if (found) line = found->record;
    return found != nullptr;
}

bool AlsaMixerDevice::SourceLine(std::uint32_t destination, std::uint32_t source, MixerLine& line) const {
    const AlsaLine* found = layout_.Source(destination, source);
    if (found) line = found->record;
    return found != nullptr;
}

bool AlsaMixerDevice::LineControls(std::uint32_t lineId, std::vector<MixerControl>& controls) const {
    const AlsaLine* line = layout_.Line(lineId);
    if (!line) return false;
    controls.clear();
    for (std::uint32_t id : line->controls) controls.push_back(layout_.Control(id)->record);
    return true;
}

// The control when the query names at least one channel and its item count.
const AlsaControlBinding* AlsaMixerDevice::Checked(std::uint32_t controlId, std::uint32_t channels,
                                                   std::uint32_t items) const {
    const AlsaControlBinding* control = layout_.Control(controlId);
    if (!control || channels == 0) return nullptr;
    const std::uint32_t expected = (control->record.flags & kControlFlagMultiple) != 0 ? control->record.items : 0;
    return items == expected ? control : nullptr;
}

bool AlsaMixerDevice::ControlValues(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                                    std::vector<std::uint32_t>& values) const {
    const AlsaControlBinding* control = Checked(controlId, channels, items);
    return control && ReadControl(*control, elements_, channels, values);
}

bool AlsaMixerDevice::ListTexts(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                                std::vector<MixerListText>& texts) const {
    const AlsaControlBinding* control = Checked(controlId, channels, items);
    if (!control || !IsListClass(control->record.type)) return false;
    texts.clear();
    for (const MixerListText& text : control->texts) texts.insert(texts.end(), channels, text);
    return true;
}

bool AlsaMixerDevice::SetControlValues(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                                       const std::vector<std::uint32_t>& values) {
    const AlsaControlBinding* control = Checked(controlId, channels, items);
    if (!control || values.size() < channels * std::max<std::uint32_t>(items, 1)) return false;
    if (!WriteControl(*control, elements_, channels, values)) return false;
    // A write can change other elements too: a card switches off the rest of
    // an exclusive capture group when one is switched on, and the simple
    // mixer learns that only from the events the write caused. Take them in
    // now, so that a read right after the write does not see two selected.
    snd_mixer_handle_events(mixer_);
    return true;
}

void AlsaMixerDevice::WatchDescriptors() {
    const int count = snd_mixer_poll_descriptors_count(mixer_);
    if (count <= 0) return;
    std::vector<pollfd> fds(static_cast<std::size_t>(count));
    if (snd_mixer_poll_descriptors(mixer_, fds.data(), static_cast<unsigned>(count)) < 0) return;
    for (const pollfd& fd : fds) {
        if ((fd.events & POLLIN) == 0) continue;
        auto notifier = std::make_unique<QSocketNotifier>(fd.fd, QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] { HandleEvents(); });
        notifiers_.push_back(std::move(notifier));
    }
}

// A descriptor is readable: let ALSA say whether that means events (a
// plugin's descriptor may wake for its own reasons) and read them all. A
// descriptor in error would wake the event loop for ever: stop watching.
void AlsaMixerDevice::HandleEvents() {
    const int count = snd_mixer_poll_descriptors_count(mixer_);
    std::vector<pollfd> fds(static_cast<std::size_t>(std::max(count, 0)));
    unsigned short revents = 0;
    const bool polled =
        count > 0 && snd_mixer_poll_descriptors(mixer_, fds.data(), static_cast<unsigned>(count)) >= 0 &&
        poll(fds.data(), static_cast<nfds_t>(count), 0) >= 0 &&
        snd_mixer_poll_descriptors_revents(mixer_, fds.data(), static_cast<unsigned>(count), &revents) >= 0;
    const bool failed = !polled || (revents & (POLLERR | POLLHUP | POLLNVAL)) != 0 ||
                        ((revents & POLLIN) != 0 && snd_mixer_handle_events(mixer_) < 0);
    if (failed)
        for (const auto& notifier : notifiers_) notifier->setEnabled(false);
}

int AlsaMixerDevice::ElementChanged(snd_mixer_elem_t* element, unsigned int mask) {
    auto* device = static_cast<AlsaMixerDevice*>(snd_mixer_elem_get_callback_private(element));
    const auto found = std::find(device->elements_.begin(), device->elements_.end(), element);
    if (found != device->elements_.end()) device->Report(static_cast<int>(found - device->elements_.begin()), mask);
    return 0;
}

// Tells the handler which lines or controls the element's change touches.
// A removed element is forgotten (ALSA frees it); its lines report a change.
void AlsaMixerDevice::Report(int element, unsigned int mask) {
    const bool removed = mask == SND_CTL_EVENT_MASK_REMOVE;
    if (removed) elements_[static_cast<std::size_t>(element)] = nullptr;
    if (!handler_) return;
    if (removed || (mask & SND_CTL_EVENT_MASK_INFO) != 0)
        for (std::uint32_t lineId : layout_.LinesOfElement(element)) handler_(MixerChangeKind::Line, lineId);
    if (!removed && (mask & SND_CTL_EVENT_MASK_VALUE) != 0)
        for (std::uint32_t controlId : layout_.ControlsOfElement(element))
            handler_(MixerChangeKind::Control, controlId);
}

}  // namespace moravel::mixer
