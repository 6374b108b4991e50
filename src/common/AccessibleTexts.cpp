#include "common/AccessibleTexts.h"

#include <algorithm>
#include <array>

namespace moravel::accessible {

namespace {

// object, name, description, read-out, unit
constexpr std::array kTexts = std::to_array<ControlText>({
    // Soundcard page. The captions repeat between the groups ("Mic" in and
    // out, "Wave" in and out), so every name says which line it is.
    {"CheckBox7", "Master output", "Master output enable / disable, must be on", {}, {}},
    {"TrackBar7", "Master output volume", "Master volume level", {}, " %"},
    {"CheckBox6", "Wave output", "Wave out enable / disable, must be on", {}, {}},
    {"TrackBar6", "Wave output volume", "Wave out volume level", {}, " %"},
    {"CheckBox2", "Mic input", "Microphone in enable / disable", {}, {}},
    {"TrackBar2", "Mic input volume", "Set the mic input volume", {}, " %"},
    {"CheckBox3", "Line input", "Line in enable / disable", {}, {}},
    {"TrackBar3", "Line input volume", "Set the line input volume", {}, " %"},
    {"CheckBox8", "Wave input", "Wave in, must be off to prevent feedback loop", {}, {}},
    {"TrackBar8", "Wave input volume", "Set the wave input volume", {}, " %"},
    {"CheckBox4", "Mic direct output", "Direct microphone output, must be off", {}, {}},
    {"TrackBar4", "Mic direct output volume", "Set the direct microphone out volume", {}, " %"},
    {"CheckBox5", "Line direct output", "Direct line output, must be off", {}, {}},
    {"TrackBar5", "Line direct output volume", "Set the direct line out volume", {}, " %"},
    {"ButtonAutoSetAudio", "Auto set audio", "Set all mixer settings to the Moravel defaults", {}, {}},
    {"SpeedButton4", "Help: Soundcard settings", {}, {}, {}},

    // Audio page.
    {"ComboAudioRange", "Audio range", {}, {}, {}},
    {"SpeedButton7", "Help: Audio settings", {}, {}, {}},
    {"CheckAGC", "Auto Gain Control", {}, {}, {}},
    {"TrackAgcLevel", "AGC level", "AGC level", {}, {}},
    {"TrackAgcDecay", "AGC decay", "AGC decay level", {}, {}},
    {"SpeedButton5", "Defaults for AGC", {}, {}, {}},
    {"VUAgcLevel", "AGC level meter", {}, {}, {}},
    {"CheckNoiseBlanker1", "Noise blanker", {}, {}, {}},
    {"TrackNoiseblanker1Level", "Noise blanker level", {}, {}, {}},

    // Spectrum page.
    {"sb_Spectrum_on", "Spectrum On", {}, {}, {}},
    {"sp_spectrum_normalize", "Normalize spectrum", {}, {}, {}},
    {"CheckSpectrumLogarithmic", "Log scale of the spectrum", {}, {}, {}},
    {"ComboSpectrumScale", "Spectrum scale", {}, {}, {}},
    {"ButtonRefreshSpectrumScale", "Reset spectrum scale", {}, {}, {}},
    {"TrackSpectrumMax", "Spectrum scale maximum", {}, "Label14", {}},
    {"CheckSpectrumDecay", "On: spectrum smoothing", {}, {}, {}},
    {"TrackSpectrumDecay", "Spectrum smoothing", {}, "Label28", {}},
    {"ComboSpectrumResolution", "Spectrum resolution", {}, {}, {}},
    {"SpeedButton6", "Help: Spectrum settings", {}, {}, {}},

    // Spectrogram page.
    {"sb_spectrogram_on", "Spectrogram On", {}, {}, {}},
    {"sb_spectrogram_autoscroll", "Auto Scroll spectrogram", {}, {}, {}},
    {"sb_zoom_spectrogram", "Zoom spectrogram", {}, {}, {}},
    {"SpectrogramClear", "Clear spectrogram", {}, {}, {}},
    {"SpeedButton8", "Help: Spectrogram settings", {}, {}, {}},
    {"TrackSpectrogramOffset", "Spectrogram colour offset", {}, {}, {}},
    {"TrackSpectrogramGain", "Spectrogram colour gain", {}, {}, {}},
    {"ComboPalettePresets", "Palette presets", {}, {}, {}},
    {"Button2", "Edit palette", {}, {}, {}},

    // Filter page.
    {"sb_filter_on", "Filter On", {}, {}, {}},
    {"sb_filter_visible", "Visible filter band", {}, {}, {}},
    {"SpeedButton9", "Help: Filter", {}, {}, {}},
    {"TrackFilterCenter", "Filter center", {}, "Label9", {}},
    {"TrackFilterBW", "Filter width", {}, "Label7", {}},
    {"ComboFilterType", "Filter type", {}, {}, {}},
    {"ComboPresetFilters", "Filter presets", {}, {}, {}},

    // Shift page.
    {"sb_shift_on", "Shift On", {}, {}, {}},
    {"SpeedButton10", "Help: Frequency shift", {}, {}, {}},
    {"tbFreqShift", "Frequency shift", "Amount of frequency shift", "lbl_freq_shift", {}},
    {"sbZeroFShift", "Zero frequency shift", {}, {}, {}},
    {"ComboFreqShiftRange", "Frequency shift range", "Set the range of frequency shift", {}, {}},

    // Compress and Expand pages.
    {"sb_compressor_on", "Compressor On", {}, {}, {}},
    {"TrackCompressorThreshold", "Compressor threshold", "Compressor threshold", {}, {}},
    {"TrackCompressorGain", "Compressor gain", "Compressor amplification level", {}, {}},
    {"SpeedButton1", "Defaults for compressor", {}, {}, {}},
    {"SpeedButton11", "Help: Compress", {}, {}, {}},
    {"sb_expander_on", "Expander On", {}, {}, {}},
    {"TrackExpanderThreshold", "Expander threshold", "Expander threshold", {}, {}},
    {"TrackExpanderGain", "Expander gain", "Expander amplification level", {}, {}},
    {"SpeedButton2", "Defaults for expander", {}, {}, {}},
    {"SpeedButton12", "Help: Expand", {}, {}, {}},

    // Equalizer page: each band speaks the percentage shown under it.
    {"sb_equalizer_on", "Equalizer on", {}, {}, {}},
    {"sb_equalizer_reset", "Reset equalizer", {}, {}, {}},
    {"SpeedButton13", "Help: Equalizer", {}, {}, {}},
    {"eq1", "Equalizer band 1", {}, "Label61", {}},
    {"eq2", "Equalizer band 2", {}, "Label62", {}},
    {"eq3", "Equalizer band 3", {}, "Label63", {}},
    {"eq4", "Equalizer band 4", {}, "Label64", {}},
    {"eq5", "Equalizer band 5", {}, "Label65", {}},
    {"eq6", "Equalizer band 6", {}, "Label66", {}},
    {"eq7", "Equalizer band 7", {}, "Label67", {}},

    // Player and Recorder pages: both have "Pause" and "Browse".
    {"sb_wave_play", "Play", {}, {}, {}},
    {"sb_waveplayer_pause", "Pause playing", {}, {}, {}},
    {"sb_browse_wave_playfile", "Browse for the file to play", {}, {}, {}},
    {"Check_waveplay_loop", "Loop playing", {}, {}, {}},
    {"TrackWavePlayerPosition", "Play position", {}, {}, " %"},
    {"SpeedButton15", "Help: Sound player", {}, {}, {}},
    {"sb_wave_record", "Record", {}, {}, {}},
    {"sb_waverecorder_pause", "Pause recording", {}, {}, {}},
    {"sb_browse_wave_recordfile", "Browse for the file to record to", {}, {}, {}},
    {"SpeedButton14", "Help: Sound recorder", {}, {}, {}},
    {"sb_record_on_signal", "Record on signal",
     "Record each transmission to its own file in the chosen folder, with a line in transmissions.csv", {}, {}},
    {"sb_browse_signal_folder", "Choose the folder for the transmissions", {}, {}, {}},
    // The folder and the state are read-outs: their names go on with what they show.
    {"PanelSignalFolder", "Transmissions folder", {}, {}, {}},
    {"TrackSignalThreshold", "Signal threshold",
     "A transmission starts when the level stays at or above this for the attack time", "LabelSignalThreshold", {}},
    {"SpinSignalAttack", "Attack time", "How long the level must stay above the threshold to start a transmission",
     {}, {}},
    {"SpinSignalHang", "Hang time", "How long the level may stay below the threshold before the transmission ends",
     {}, {}},
    {"SpinSignalPreRoll", "Pre-roll time", "How much audio from before the start each file keeps", {}, {}},
    {"LabelSignalState", "Record on signal state", {}, {}, {}},
    // The page scrolls sideways in a narrow window; the vertical bar is never shown.
    {"ScrollRecorderPage", "Recorder page position", {}, {}, " %"},
    {"ScrollRecorderPageVertical", "Recorder page vertical position", {}, {}, {}},

    // Debug page (hidden unless debugging).
    {"sb_plot_spectral", "Plot spectral", {}, {}, {}},
    {"sb_plot_signal", "Plot signal", {}, {}, {}},

    // The plots and their scroll bars. The plots' descriptions are their
    // read-outs, which the window keeps current.
    {"Chart2", "Spectrogram plot", {}, {}, {}},
    {"ScrollSpectrogram", "Spectrogram time", {}, {}, {}},
    {"ScrollSpectrogramVertical", "Spectrogram frequency", {}, {}, {}},
    {"SpeedButton3", "Help: Spectrogram plot", {}, {}, {}},
    {"Chart1", "Spectrum plot", {}, {}, {}},
    {"ScrollSpectrum", "Spectrum frequency", {}, {}, {}},
    {"SpeedButton16", "Help: Spectrum plot", {}, {}, {}},
    {"Splitter", "Splitter between the plots", "Drag the splitter up or down", {}, {}},

    // Status strip.
    {"VUAudio", "Audio level", {}, {}, {}},
    {"VUCpu", "CPU", {}, {}, {}},
});

// "Soundcard Configuration". The captions "Microphone", "Line" and "Wave"
// stand in both groups, so every list's name says which group it is in.
constexpr std::array kSoundcardDialogTexts = std::to_array<ControlText>({
    {"ComboBox1", "Mixer device", "The mixer whose lines are listed below", {}, {}},
    {"ComboBox2", "Microphone, Audio In", "The card's recording line for a microphone", {}, {}},
    {"ComboBox6", "Line, Audio In", "The card's recording line for the line input", {}, {}},
    {"ComboBox7", "Wave, Audio In", "The card's recording line for what it plays itself", {}, {}},
    {"ComboBox3", "Microphone, Audio Out", "The card's playback line of the microphone", {}, {}},
    {"ComboBox4", "Line, Audio Out", "The card's playback line of the line input", {}, {}},
    {"ComboBox5", "Wave, Audio Out", "The card's playback line of what programs play", {}, {}},
    {"ButtonOK", "OK", "Store the lines and close", {}, {}},
    {"ButtonCancel", "Cancel", "Close without storing", {}, {}},
});

// "Spectrogram Color Gradient": a slider for each of the gradient's control
// points, whose glyphs are their only caption.
constexpr std::string_view kGradientHint =
    "Drag the 2 middle sliders to change the colour gradient. Right-click on a slider to change the color.";
constexpr std::array kGradientEditorTexts = std::to_array<ControlText>({
    {"ControlPoint0", "Gradient slider 1", kGradientHint, {}, {}},
    {"ControlPoint1", "Gradient slider 2", kGradientHint, {}, {}},
    {"ControlPoint2", "Gradient slider 3", kGradientHint, {}, {}},
    {"ControlPoint3", "Gradient slider 4", kGradientHint, {}, {}},
    {"ControlPoint4", "Gradient slider 5", kGradientHint, {}, {}},
    {"ControlPoint5", "Gradient slider 6", kGradientHint, {}, {}},
    {"ControlPoint6", "Gradient slider 7", kGradientHint, {}, {}},
    {"ControlPoint7", "Gradient slider 8", kGradientHint, {}, {}},
    {"ControlPoint8", "Gradient slider 9", kGradientHint, {}, {}},
    {"btnClose", "Close", "Close the editor", {}, {}},
    {"rbPolynomial", "Polynomial Power", "From the selected slider to the next the colours follow a power curve", {},
     {}},
    {"acpPolyPower", "Polynomial Power value", "The power of the curve", {}, {}},
    {"rbSinusoidal", "Sinusoidal Shape", "From the selected slider to the next the colours follow a sine curve", {},
     {}},
    {"acpSinusShape", "Sinusoidal Shape value", "The shape of the curve", {}, {}},
});

// "Audio Devices": the lists are filled afresh each time they are opened.
constexpr std::array kAudioDevicesDialogTexts = std::to_array<ControlText>({
    {"ComboInputDevice", "Input device", "The device the receiver's audio comes from", {}, {}},
    {"ComboOutputDevice", "Output device", "The device the processed audio is played on", {}, {}},
    {"ButtonOK", "OK", "Use and store the chosen devices and close", {}, {}},
    {"ButtonCancel", "Cancel", "Close and keep the devices", {}, {}},
});

constexpr std::array kAboutBoxTexts = std::to_array<ControlText>({
    {"ButtonOK", "OK", "Close the About box", {}, {}},
});

}  // namespace

std::span<const ControlText> ControlTexts(std::string_view window) {
    if (window == kMainWindow) return kTexts;
    if (window == kSoundcardDialog) return kSoundcardDialogTexts;
    if (window == kGradientEditor) return kGradientEditorTexts;
    if (window == kAboutBox) return kAboutBoxTexts;
    if (window == kAudioDevicesDialog) return kAudioDevicesDialogTexts;
    return {};
}

const ControlText* FindControlText(std::string_view object, std::string_view window) {
    const std::span<const ControlText> texts = ControlTexts(window);
    const auto found =
        std::find_if(texts.begin(), texts.end(), [object](const ControlText& text) { return text.object == object; });
    return found == texts.end() ? nullptr : &*found;
}

std::string_view HintOf(std::string_view object, std::string_view window) {
    const ControlText* text = FindControlText(object, window);
    return text == nullptr ? std::string_view{} : text->description;
}

}  // namespace moravel::accessible
