#include "audio/AudioChoice.h"

#include "audio/alsa/AlsaBackend.h"
#include "audio/virtual/VirtualCard.h"
#include "audio/virtual/WavLoopSource.h"

#include <stdexcept>

namespace moravel {

namespace {

constexpr const char* kVirtualPrefix = "virtual:";

}  // namespace

AudioChoice ParseAudioChoice(const std::string& value) {
    if (value == "alsa") return {};
    if (value == "virtual") return {AudioChoice::Kind::Virtual, ""};
    const std::string prefix = kVirtualPrefix;
    if (value.size() > prefix.size() && value.compare(0, prefix.size(), prefix) == 0)
        return {AudioChoice::Kind::Virtual, value.substr(prefix.size())};
    throw std::invalid_argument("Invalid --audio value \"" + value + "\": expected alsa, virtual or virtual:FILE.wav");
}

std::unique_ptr<AudioBackend> CreateAudioBackend(const AudioChoice& choice) {
    if (choice.kind == AudioChoice::Kind::Alsa) return std::make_unique<AlsaBackend>();
    VirtualCardOptions options;
    if (!choice.loopFile.empty()) options.source = WavLoopSource::Factory(choice.loopFile);
    return std::make_unique<VirtualCard>(std::move(options));
}

}  // namespace moravel
