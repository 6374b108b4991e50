#include "mixer/AudioMixer.h"

#include <QCoreApplication>

namespace moravel {

namespace {

// A device's change notification on its way to the owner's thread.
class MixerChangeEvent : public QEvent {
public:
    static QEvent::Type Id() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    MixerChangeEvent(mixer::MixerChangeKind changeKind, AudioMixer::MixerHandle handle, std::uint32_t changed)
        : QEvent(Id()), kind(changeKind), mixer(handle), id(changed) {}

    const mixer::MixerChangeKind kind;
    const AudioMixer::MixerHandle mixer;
    const std::uint32_t id;
};

}  // namespace

std::string ManufacturerText(const mixer::MixerCaps& caps) {
    if (!caps.manufacturerName.empty()) return caps.manufacturerName;
    if (caps.manufacturerId == 1) return "Microsoft";
    return std::to_string(caps.manufacturerId) + " = Unknown";
}

AudioMixer::AudioMixer(std::shared_ptr<mixer::MixerService> service, QObject* parent)
    : QObject(parent), service_(std::move(service)) {
    deviceCount_ = service_ ? service_->DeviceCount() : 0;
    SetMixerId(0);
}

AudioMixer::~AudioMixer() { Close(); }

void AudioMixer::SetMixerId(int id) {
    if (id < 0 || id >= deviceCount_) return;
    Close();
    if (!Open(id)) return;
    destinations_ = std::make_unique<MixerDestinations>(this, *device_, caps_.destinations);
}

void AudioMixer::Close() {
    if (mixerId_ >= 0) {
        device_->SetChangeHandler({});
        device_.reset();
        mixerId_ = -1;
    }
    destinations_.reset();
}

bool AudioMixer::Open(int id) {
    device_ = service_->Open(id);
    if (!device_) return false;
    mixerId_ = id;
    caps_ = device_->Caps();
    manufacturer_ = ManufacturerText(caps_);
    // Posted, not called: the handler may run on another thread, and the
    // owner must see the change from its event loop, as it would a message.
    const auto handle = reinterpret_cast<MixerHandle>(device_.get());
    device_->SetChangeHandler([this, handle](mixer::MixerChangeKind kind, std::uint32_t changed) {
        QCoreApplication::postEvent(this, new MixerChangeEvent(kind, handle, changed));
    });
    return true;
}

bool AudioMixer::event(QEvent* e) {
    if (e->type() != MixerChangeEvent::Id()) return QObject::event(e);
    const auto* change = static_cast<const MixerChangeEvent*>(e);
    if (change->kind == mixer::MixerChangeKind::Line)
        emit OnLineChange(this, change->mixer, change->id);
    else
        emit OnControlChange(this, change->mixer, change->id);
    return true;
}

}  // namespace moravel
