#include "mixer/alsa/AlsaCardInfo.h"

#include <alsa/asoundlib.h>

#include <memory>
#include <sstream>

namespace moravel::mixer {

namespace {

struct CtlCloser {
    void operator()(snd_ctl_t* ctl) const { snd_ctl_close(ctl); }
};
using Ctl = std::unique_ptr<snd_ctl_t, CtlCloser>;

Ctl OpenCtl(const std::string& name) {
    snd_ctl_t* raw = nullptr;
    if (snd_ctl_open(&raw, name.c_str(), 0) < 0) return nullptr;
    return Ctl(raw);
}

// "1.2.8" -> 0x0102: major and minor, as a driver version.
std::uint32_t LibraryVersion() {
    std::istringstream text(snd_asoundlib_version());
    unsigned major = 0, minor = 0;
    char dot = 0;
    text >> major >> dot >> minor;
    return ((major & 0xFFU) << 8) | (minor & 0xFFU);
}

}  // namespace

std::optional<MixerCaps> ReadCardCaps(const std::string& ctlName) {
    const Ctl ctl = OpenCtl(ctlName);
    if (!ctl) return std::nullopt;
    snd_ctl_card_info_t* info = nullptr;
    snd_ctl_card_info_alloca(&info);
    if (snd_ctl_card_info(ctl.get(), info) < 0) return std::nullopt;
    MixerCaps caps;
    const std::string name = snd_ctl_card_info_get_name(info);
    caps.productName = name.empty() ? snd_ctl_card_info_get_longname(info) : name;
    const std::string chip = snd_ctl_card_info_get_mixername(info);
    caps.manufacturerName = chip.empty() ? snd_ctl_card_info_get_driver(info) : chip;
    caps.productId = static_cast<std::uint16_t>(std::max(0, snd_ctl_card_info_get_card(info)));
    caps.driverVersion = LibraryVersion();
    return caps;
}

int HardwareCardOf(const std::string& ctlName) {
    const Ctl ctl = OpenCtl(ctlName);
    if (!ctl || snd_ctl_type(ctl.get()) != SND_CTL_TYPE_HW) return -1;
    snd_ctl_card_info_t* info = nullptr;
    snd_ctl_card_info_alloca(&info);
    if (snd_ctl_card_info(ctl.get(), info) < 0) return -1;
    return snd_ctl_card_info_get_card(info);
}

}  // namespace moravel::mixer
