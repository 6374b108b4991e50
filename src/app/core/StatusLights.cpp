#include "app/core/StatusLights.h"

namespace moravel {

LightState StatusLights::RecordingLight(bool recordDown, bool pauseDown) {
    recordBlink_ = recordDown && !recordBlink_;
    return {recordBlink_, pauseDown ? "Paused" : "Recording"};
}

LightState StatusLights::BufferErrorLight(bool& bufferError) {
    errorBlink_ = bufferError && !errorBlink_;
    if (!errorBlink_) bufferError = false;
    return {errorBlink_, "Buffer Error"};
}

}  // namespace moravel
