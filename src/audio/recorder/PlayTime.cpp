#include "audio/recorder/PlayTime.h"

namespace moravel {

// Counting bytes and dividing by the bytes of one sample of every channel
// gives the samples per channel whatever the frame size, so a file whose
// frames are bytes and one whose frames are whole samples both come out right.
double PlaySeconds(std::int64_t frame, const WaveFormatEx& format, std::int32_t inputRate) {
    const double bytes = static_cast<double>(frame) * format.nBlockAlign;
    const double bytesPerSecond = static_cast<double>(format.nChannels) * (format.wBitsPerSample / 8) * inputRate;
    return bytes / bytesPerSecond;
}

}  // namespace moravel
