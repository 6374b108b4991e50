#include "audio/alsa/AlsaRecovery.h"

#include <cerrno>

namespace moravel::alsa {

StreamFault RecoverFrom(snd_pcm_t* pcm, int err) {
    switch (-err) {
        case EAGAIN:
        case EINTR:
            return StreamFault::Retry;
        case EPIPE:     // xrun
        case ESTRPIPE:  // suspended: resumed, or prepared again
            return snd_pcm_recover(pcm, err, 1) == 0 ? StreamFault::Xrun : StreamFault::Lost;
        default:  // ENODEV, EIO, EBADFD, ENOTTY, ...
            return StreamFault::Lost;
    }
}

}  // namespace moravel::alsa
