#include "WindowSettings.h"

#include "ChainSettingsFile.h"

#include <algorithm>
#include <variant>

namespace moravel {
namespace {

// One key and the value it is read into or written from. The value's type
// selects the key's form in the file.
struct Field {
    using Value = std::variant<std::int32_t*, bool*, std::string*, long double*>;

    std::string key;
    Value value;
    bool byteSized = false;  // a kept key that holds 0..255
};

template <typename T, std::size_t N>
void AppendNumbered(std::vector<Field>& fields, const std::string& stem, std::array<T, N>& values) {
    for (std::size_t i = 0; i < N; ++i) fields.push_back({stem + std::to_string(i + 1), &values[i]});
}

// Keys 1-47, in read order.
std::vector<Field> ReadFields(WindowSettings& s) {
    std::vector<Field> fields = {
        {"SpectrumFilterType", &s.SpectrumFilterType},
        {"FilterVisible", &s.FilterVisible},
        {"FilterOn", &s.FilterOn},
        {"FilterCenterFreq", &s.FilterCenterFreq},
        {"FilterBandwidth", &s.FilterBandwidth},
        {"NoiseBlanker1On", &s.NoiseBlanker1On},
        {"NoiseBlanker1Level", &s.NoiseBlanker1Level},
        {"AudioRange", &s.AudioRange},
        {"SpectrumZoom", &s.SpectrumZoom, true},
        {"PlotSmoothing", &s.PlotSmoothing, true},
        {"PlotSpeed", &s.PlotSpeed, true},
        {"PlotFunction", &s.PlotFunction, true},
        {"SpectrumDecayValue", &s.SpectrumDecayValue},
        {"SpectrumDecayOn", &s.SpectrumDecayOn},
        {"SpectrumLogScale", &s.SpectrumLogScale},
        {"SpectumXPosition", &s.SpectumXPosition},
        {"AGC_enabled", &s.AGC_enabled},
        {"WindowState", &s.WindowState},
        {"WindowWidth", &s.WindowWidth},
        {"WindowHeight", &s.WindowHeight},
        {"SplitterTop", &s.SplitterTop},
        {"TrackSpectrogramOffset", &s.TrackSpectrogramOffset},
        {"TrackSpectrogramGain", &s.TrackSpectrogramGain},
        {"Spectrogram", &s.Spectrogram},
        {"SpectrumOn", &s.SpectrumOn},
        {"SpectrogramScroll", &s.SpectrogramScroll},
        {"TrackFrequencyShift", &s.TrackFrequencyShift},
        {"FrequencyShiftOn", &s.FrequencyShiftOn},
        {"FrequencyShiftRange", &s.FrequencyShiftRange},
        {"SpectrumResolution", &s.SpectrumResolution},
        {"TrackAgcDecay", &s.TrackAgcDecay},
        {"TrackAgcLevel", &s.TrackAgcLevel},
        {"SelectedTab", &s.SelectedTab},
        {"SpectrumScaleMax", &s.SpectrumScaleMax},
        {"SpectumScaleType", &s.SpectumScaleType},
        {"WaveRecorderFilename", &s.WaveRecorderFilename},
        {"WavePlayerFilename", &s.WavePlayerFilename},
        {"ExpanderOn", &s.ExpanderOn},
        {"CompressorOn", &s.CompressorOn},
    };
    AppendNumbered(fields, "eq", s.eq);
    fields.push_back({"EqualizerOn", &s.EqualizerOn});
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
        {"FilterVisible", &s.FilterVisible},
        {"FilterOn", &s.FilterOn},
        {"FilterCenterFreq", &s.FilterCenterFreq},
        {"FilterBandwidth", &s.FilterBandwidth},
        {"NoiseBlanker1On", &s.NoiseBlanker1On},
        {"NoiseBlanker1Level", &s.NoiseBlanker1Level},
        {"SpectumScaleType", &s.SpectumScaleType},
        {"SpectrumScaleMax", &s.SpectrumScaleMax},
        {"SpectrumDecayOn", &s.SpectrumDecayOn},
        {"SpectrumDecayValue", &s.SpectrumDecayValue},
        {"SpectrumResolution", &s.SpectrumResolution},
        {"SpectrumLogScale", &s.SpectrumLogScale},
        {"AudioRange", &s.AudioRange},
        {"SpectrumZoom", &s.SpectrumZoom},
        {"SpectrumFilterType", &s.SpectrumFilterType},
        {"PlotSmoothing", &s.PlotSmoothing},
        {"PlotSpeed", &s.PlotSpeed},
        {"PlotFunction", &s.PlotFunction},
        {"AGC_enabled", &s.AGC_enabled},
        {"SpectrumXminimum", xMinimum},
    };
    if (xPosition != nullptr) fields.push_back({"SpectumXPosition", xPosition});
    const std::vector<Field> middle = {
        {"WindowState", &s.WindowState},
        {"WindowWidth", &s.WindowWidth},
        {"WindowHeight", &s.WindowHeight},
        {"SplitterTop", &s.SplitterTop},
        {"TrackSpectrogramOffset", &s.TrackSpectrogramOffset},
        {"TrackSpectrogramGain", &s.TrackSpectrogramGain},
        {"Spectrogram", &s.Spectrogram},
        {"SpectrogramScroll", &s.SpectrogramScroll},
        {"SpectrumOn", &s.SpectrumOn},
        {"FrequencyShiftOn", &s.FrequencyShiftOn},
        {"TrackFrequencyShift", &s.TrackFrequencyShift},
        {"FrequencyShiftRange", &s.FrequencyShiftRange},
        {"TrackAgcDecay", &s.TrackAgcDecay},
        {"TrackAgcLevel", &s.TrackAgcLevel},
        {"SelectedTab", &s.SelectedTab},
    };
    fields.insert(fields.end(), middle.begin(), middle.end());
    const std::vector<Field> palette = PaletteFields(s);
    fields.insert(fields.end(), palette.begin(), palette.end());
    const std::vector<Field> tail = {
        {"WaveRecorderFilename", &s.WaveRecorderFilename},
        {"WavePlayerFilename", &s.WavePlayerFilename},
        {"ExpanderOn", &s.ExpanderOn},
        {"CompressorOn", &s.CompressorOn},
        {"EqualizerOn", &s.EqualizerOn},
    };
    fields.insert(fields.end(), tail.begin(), tail.end());
    AppendNumbered(fields, "eq", s.eq);
    return fields;
}

// Reads one key; the value the field holds on entry is the key's default.
void ReadField(const TKustomIniFile& file, const Field& field) {
    struct Reader {
        const TKustomIniFile& file;
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

void WriteField(TKustomIniFile& file, const Field& field) {
    struct Writer {
        TKustomIniFile& file;
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

WindowSettings ReadWindowSettings(const TKustomIniFile& file) {
    WindowSettings settings;
    for (const Field& field : ReadFields(settings)) ReadField(file, field);
    return settings;
}

void ReadPaletteSettings(const TKustomIniFile& file, WindowSettings& settings) {
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

void WriteWindowSettings(TKustomIniFile& file, const WindowSettings& settings,
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
