#include "audio/alsa/AlsaConfig.h"

#include <stdexcept>

namespace moravel::alsa {

namespace {

// A copy of the current global configuration, owned by the caller.
snd_config_t* copyOfSystemConfig() {
    snd_config_t* global = nullptr;
    if (snd_config_update_ref(&global) < 0) throw std::runtime_error("ALSA: cannot load the system configuration");
    snd_config_t* copy = nullptr;
    const int err = snd_config_copy(&copy, global);
    snd_config_unref(global);
    if (err < 0) throw std::runtime_error("ALSA: cannot copy the system configuration");
    return copy;
}

// Merges the definitions of `file` into `tree`.
int loadFileInto(snd_config_t* tree, const std::string& file) {
    snd_input_t* in = nullptr;
    int err = snd_input_stdio_open(&in, file.c_str(), "r");
    if (err < 0) return err;
    err = snd_config_load(tree, in);
    snd_input_close(in);
    return err;
}

}  // namespace

AlsaConfig::AlsaConfig(const std::string& file) : tree_(copyOfSystemConfig()) {
    const int err = loadFileInto(tree_, file);
    if (err < 0) {
        snd_config_delete(tree_);
        tree_ = nullptr;
        throw std::runtime_error("ALSA: cannot load " + file + ": " + snd_strerror(err));
    }
}

AlsaConfig::~AlsaConfig() {
    if (tree_) snd_config_delete(tree_);
}

int AlsaConfig::openPcm(const std::string& name, snd_pcm_stream_t stream, snd_pcm_t** pcm) const {
    *pcm = nullptr;
    if (tree_) return snd_pcm_open_lconf(pcm, name.c_str(), stream, SND_PCM_NONBLOCK, tree_);
    return snd_pcm_open(pcm, name.c_str(), stream, SND_PCM_NONBLOCK);
}

}  // namespace moravel::alsa
