#include "settings/WindowSettings.h"

#include "settings/ChainSettingsFile.h"

#include <algorithm>
#include <variant>

namespace moravel {
namespace {

using namespace controls;

// One key and the value it is read into or written from. The value's type
// selects the key's form in the file.
struct Field {
    using Value = std::variant<std::int32_t*, bool*, std::string*, long double*>;

    std::string key;
    Value value;
    bool byteSized = false;  // a kept key that holds 0..255
};

// A control's key, from the control table.
template <typename Control>
std::string Key(const Control& control) {
    return std::string(control.key);
}

// The equalizer's band sliders, keys eq1..eq7.
void AppendEqualizer(std::vector<Field>& fields, WindowSettings& s) {
    for (std::size_t b = 0; b < s.eq.size(); ++b) fields.push_back({Key(kEqualizerBandControls[b]), &s.eq[b]});
}

template <typename T, std::size_t N>
void AppendNumbered(std::vector<Field>& fields, const std::string& stem, std::array<T, N>& values) {
    for (std::size_t i = 0; i < N; ++i) fields.push_back({stem + std::to_string(i + 1), &values[i]});
}

// Keys 1-47, in read order.
std::vector<Field> ReadFields(WindowSettings& s) {
    std::vector<Field> fields = {
        {Key(kComboFilterType), &s.SpectrumFilterType},
        {Key(kFilterVisible), &s.FilterVisible},
        {Key(kFilterOn), &s.FilterOn},
        {Key(kTrackFilterCenter), &s.FilterCenterFreq},
        {Key(kTrackFilterBW), &s.FilterBandwidth},
        {Key(kNoiseBlankerOn), &s.NoiseBlanker1On},
        {Key(kTrackNoiseblanker1Level), &s.NoiseBlanker1Level},
        {Key(kComboAudioRange), &s.AudioRange},
        {"SpectrumZoom", &s.SpectrumZoom, true},
        {"PlotSmoothing", &s.PlotSmoothing, true},
        {"PlotSpeed", &s.PlotSpeed, true},
        {"PlotFunction", &s.PlotFunction, true},
        {Key(kTrackSpectrumDecay), &s.SpectrumDecayValue},
        {Key(kSpectrumDecayOn), &s.SpectrumDecayOn},
        {Key(kSpectrumLogScale), &s.SpectrumLogScale},
        {"SpectumXPosition", &s.SpectumXPosition},
        {Key(kAgcOn), &s.AGC_enabled},
        {"WindowState", &s.WindowState},
        {"WindowWidth", &s.WindowWidth},
        {"WindowHeight", &s.WindowHeight},
        {"SplitterTop", &s.SplitterTop},
        {Key(kTrackSpectrogramOffset), &s.TrackSpectrogramOffset},
        {Key(kTrackSpectrogramGain), &s.TrackSpectrogramGain},
        {Key(kSpectrogramOn), &s.Spectrogram},
        {Key(kSpectrumOn), &s.SpectrumOn},
        {Key(kSpectrogramScroll), &s.SpectrogramScroll},
        {Key(kTbFreqShift), &s.TrackFrequencyShift},
        {Key(kShiftOn), &s.FrequencyShiftOn},
        {Key(kComboFreqShiftRange), &s.FrequencyShiftRange},
        {Key(kComboSpectrumResolution), &s.SpectrumResolution},
        {Key(kTrackAgcDecay), &s.TrackAgcDecay},
        {Key(kTrackAgcLevel), &s.TrackAgcLevel},
        {"SelectedTab", &s.SelectedTab},
        {Key(kTrackSpectrumMax), &s.SpectrumScaleMax},
        {Key(kComboSpectrumScale), &s.SpectumScaleType},
        {"WaveRecorderFilename", &s.WaveRecorderFilename},
        {"WavePlayerFilename", &s.WavePlayerFilename},
        {Key(kExpanderOn), &s.ExpanderOn},
        {Key(kCompressorOn), &s.CompressorOn},
    };
    AppendEqualizer(fields, s);
    fields.push_back({Key(kEqualizerOn), &s.EqualizerOn});
    return fields;
}

// Keys 48-53: colours 1-4, then alphas 1-2.
std::vector<Field> PaletteFields(WindowSettings& s) {
    std::vector<Field> fields;
    AppendNumbered(fields, "PaletteColor", s.PaletteColor);
    AppendNumbered(fields, "PaletteAlpha", s.PaletteAlpha);
    return fields;
}

// Every key in close order. `xPosition` null leaves SpectumXPosition out.
std::vector<Field> WriteFields(WindowSettings& s, std::int32_t* xMinimum, std::int32_t* xPosition) {
    std::vector<Field> fields = {
        {Key(kFilterVisible), &s.FilterVisible},
        {Key(kFilterOn), &s.FilterOn},
        {Key(kTrackFilterCenter), &s.FilterCenterFreq},
        {Key(kTrackFilterBW), &s.FilterBandwidth},
        {Key(kNoiseBlankerOn), &s.NoiseBlanker1On},
        {Key(kTrackNoiseblanker1Level), &s.NoiseBlanker1Level},
        {Key(kComboSpectrumScale), &s.SpectumScaleType},
        {Key(kTrackSpectrumMax), &s.SpectrumScaleMax},
        {Key(kSpectrumDecayOn), &s.SpectrumDecayOn},
        {Key(kTrackSpectrumDecay), &s.SpectrumDecayValue},
        {Key(kComboSpectrumResolution), &s.SpectrumResolution},
        {Key(kSpectrumLogScale), &s.SpectrumLogScale},
        {Key(kComboAudioRange), &s.AudioRange},
        {"SpectrumZoom", &s.SpectrumZoom},
        {Key(kComboFilterType), &s.SpectrumFilterType},
        {"PlotSmoothing", &s.PlotSmoothing},
        {"PlotSpeed", &s.PlotSpeed},
        {"PlotFunction", &s.PlotFunction},
        {Key(kAgcOn), &s.AGC_enabled},
        {"SpectrumXminimum", xMinimum},
    };
    if (xPosition != nullptr) fields.push_back({"SpectumXPosition", xPosition});
    const std::vector<Field> middle = {
        {"WindowState", &s.WindowState},
        {"WindowWidth", &s.WindowWidth},
        {"WindowHeight", &s.WindowHeight},
        {"SplitterTop", &s.SplitterTop},
        {Key(kTrackSpectrogramOffset), &s.TrackSpectrogramOffset},
        {Key(kTrackSpectrogramGain), &s.TrackSpectrogramGain},
        {Key(kSpectrogramOn), &s.Spectrogram},
        {Key(kSpectrogramScroll), &s.SpectrogramScroll},
        {Key(kSpectrumOn), &s.SpectrumOn},
        {Key(kShiftOn), &s.FrequencyShiftOn},
        {Key(kTbFreqShift), &s.TrackFrequencyShift},
        {Key(kComboFreqShiftRange), &s.FrequencyShiftRange},
        {Key(kTrackAgcDecay), &s.TrackAgcDecay},
        {Key(kTrackAgcLevel), &s.TrackAgcLevel},
        {"SelectedTab", &s.SelectedTab},
    };
    fields.insert(fields.end(), middle.begin(), middle.end());
    const std::vector<Field> palette = PaletteFields(s);
    fields.insert(fields.end(), palette.begin(), palette.end());
    const std::vector<Field> tail = {
        {"WaveRecorderFilename", &s.WaveRecorderFilename},
        {"WavePlayerFilename", &s.WavePlayerFilename},
        {Key(kExpanderOn), &s.ExpanderOn},
        {Key(kCompressorOn), &s.CompressorOn},
        {Key(kEqualizerOn), &s.EqualizerOn},
    };
    fields.insert(fields.end(), tail.begin(), tail.end());
    AppendEqualizer(fields, s);
    return fields;
}

// Reads one key; the value the field holds on entry is the key's default.
void ReadField(const IniFile& file, const Field& field) {
    struct Reader {
        const IniFile& file;
        const Field& field;
        void operator()(std::int32_t* v) const {
            const std::int32_t stored = file.ReadInteger(kSettingsSection, field.key, *v);
            if (!field.byteSized || (stored >= 0 && stored <= 255)) *v = stored;
        }
        void operator()(bool* v) const { *v = file.ReadBool(kSettingsSection, field.key, *v); }
        void operator()(std::string* v) const { *v = file.ReadString(kSettingsSection, field.key, *v); }
        void operator()(long double* v) const { *v = file.ReadFloat(kSettingsSection, field.key, *v); }
    };
    std::visit(Reader{file, field}, field.value);
}

void WriteField(IniFile& file, const Field& field) {
    struct Writer {
        IniFile& file;
        const std::string& key;
        void operator()(std::int32_t* v) const { file.WriteInteger(kSettingsSection, key, *v); }
        void operator()(bool* v) const { file.WriteBool(kSettingsSection, key, *v); }
        void operator()(std::string* v) const { file.WriteString(kSettingsSection, key, *v); }
        void operator()(long double* v) const { file.WriteFloat(kSettingsSection, key, *v); }
    };
    std::visit(Writer{file, field.key}, field.value);
}

std::vector<std::string> KeysOf(const std::vector<Field>& fields) {
    std::vector<std::string> keys;
    keys.reserve(fields.size());
    for (const Field& field : fields) keys.push_back(field.key);
    return keys;
}

// The read table's field of `key` holding a T, or nullptr.
template <typename T>
T* FieldOf(WindowSettings& settings, std::string_view key) {
    for (const Field& field : ReadFields(settings)) {
        if (field.key == key && std::holds_alternative<T*>(field.value)) return std::get<T*>(field.value);
    }
    return nullptr;
}

}  // namespace

std::int32_t* NumberField(WindowSettings& settings, std::string_view key) {
    return FieldOf<std::int32_t>(settings, key);
}

bool* SwitchField(WindowSettings& settings, std::string_view key) { return FieldOf<bool>(settings, key); }

WindowSettings ReadWindowSettings(const IniFile& file) {
    WindowSettings settings;
    for (const Field& field : ReadFields(settings)) ReadField(file, field);
    return settings;
}

void ReadPaletteSettings(const IniFile& file, WindowSettings& settings) {
    // The palette's defaults are those of a file without a palette, whatever
    // `settings` held before.
    WindowSettings defaults;
    for (const Field& field : PaletteFields(defaults)) ReadField(file, field);
    settings.PaletteColor = defaults.PaletteColor;
    settings.PaletteAlpha = defaults.PaletteAlpha;
}

bool PaletteIsStored(const WindowSettings& settings) {
    return std::any_of(settings.PaletteColor.begin(), settings.PaletteColor.end(),
                       [](std::int32_t colour) { return colour != 0; });
}

void WriteWindowSettings(IniFile& file, const WindowSettings& settings,
                         std::optional<std::int32_t> spectumXPosition, std::int32_t spectrumXminimum) {
    WindowSettings values = settings;  // the field table needs addressable values
    std::int32_t xPosition = spectumXPosition.value_or(0);
    for (const Field& field : WriteFields(values, &spectrumXminimum, spectumXPosition ? &xPosition : nullptr))
        WriteField(file, field);
}

std::vector<std::string> WindowSettingsReadOrder() {
    WindowSettings settings;
    return KeysOf(ReadFields(settings));
}

std::vector<std::string> PaletteReadOrder() {
    WindowSettings settings;
    return KeysOf(PaletteFields(settings));
}

std::vector<std::string> WindowSettingsWriteOrder() {
    WindowSettings settings;
    std::int32_t xMinimum = 0;
    std::int32_t xPosition = 0;
    return KeysOf(WriteFields(settings, &xMinimum, &xPosition));
}

}  // namespace moravel
