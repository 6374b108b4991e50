// The settings pages below the plots: the page control ("Tab1") with the
// twelve pages in the order of the page table (PageRegistry.h), checked
// against it when built (the Debug page's tab hidden). The pages are layout
// only; the classes that do their work are given the page they act on.
//
// GUI thread only.
#pragma once

#include <QTabWidget>

#include <memory>

namespace moravel {

class AudioPage;
class DebugPage;
class EqualizerPage;
class FilterPage;
class PlayerPage;
class RecorderPage;
class ShiftPage;
class SoundcardPage;
class SpectrogramPage;
class SpectrumPage;
class ThresholdGainPage;

class SettingsPages : public QTabWidget {
public:
    /// Builds every page; throws std::logic_error when they disagree with
    /// the page table.
    explicit SettingsPages(QWidget* parent);
    ~SettingsPages() override;

    // In tab order, named as the pages.
    std::unique_ptr<SoundcardPage> soundcard;
    std::unique_ptr<AudioPage> audio;
    std::unique_ptr<SpectrumPage> spectrum;
    std::unique_ptr<SpectrogramPage> spectrogram;
    std::unique_ptr<FilterPage> filter;
    std::unique_ptr<ShiftPage> shift;
    std::unique_ptr<ThresholdGainPage> compress;  // kCompressPage
    std::unique_ptr<ThresholdGainPage> expand;    // kExpandPage
    std::unique_ptr<EqualizerPage> equalizer;
    std::unique_ptr<PlayerPage> player;
    std::unique_ptr<RecorderPage> recorder;
    std::unique_ptr<DebugPage> debug;
};

}  // namespace moravel
