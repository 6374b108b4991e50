// The two blinking indicator lights of the status strip, advanced by the
// window's 500 ms timer: the recording light and the buffer error light.
//
// Not thread-safe: the GUI thread ticks it.
#pragma once

namespace moravel {

/// What an indicator shows: lit or not, and its text (a static string).
struct LightState {
    bool lit;
    const char* text;
};

class StatusLights {
public:
    /// One tick of the recording light. `recordDown`: the recorder's Record
    /// button is down; the light then blinks (toggles every tick), else it is
    /// unlit. `pauseDown`: the Pause button is down; the text is "Paused",
    /// else "Recording".
    LightState RecordingLight(bool recordDown, bool pauseDown);

    /// One tick of the buffer error light, text "Buffer Error". While
    /// `bufferError` is set the light toggles every tick, else it is unlit.
    /// `bufferError` is cleared when the light ends the tick unlit, so a
    /// single late block lights it for exactly one tick and late blocks that
    /// keep coming make it blink at 1 Hz.
    LightState BufferErrorLight(bool& bufferError);

    bool RecordBlink() const { return recordBlink_; }
    bool ErrorBlink() const { return errorBlink_; }

private:
    bool recordBlink_ = false;
    bool errorBlink_ = false;
};

}  // namespace moravel
