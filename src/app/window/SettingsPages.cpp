#include "app/window/SettingsPages.h"

#include "app/window/PageRegistry.h"
#include "app/window/pages/AudioPage.h"
#include "app/window/pages/DebugPage.h"
#include "app/window/pages/EqualizerPage.h"
#include "app/window/pages/FilterPage.h"
#include "app/window/pages/PlayerPage.h"
#include "app/window/pages/RecorderPage.h"
#include "app/window/pages/ShiftPage.h"
#include "app/window/pages/SoundcardPage.h"
#include "app/window/pages/SpectrogramPage.h"
#include "app/window/pages/SpectrumPage.h"
#include "app/window/pages/ThresholdGainPage.h"

namespace moravel {

SettingsPages::SettingsPages(QWidget* parent)
    : QTabWidget(parent),
      soundcard(std::make_unique<SoundcardPage>(this)),
      audio(std::make_unique<AudioPage>(this)),
      spectrum(std::make_unique<SpectrumPage>(this)),
      spectrogram(std::make_unique<SpectrogramPage>(this)),
      filter(std::make_unique<FilterPage>(this)),
      shift(std::make_unique<ShiftPage>(this)),
      compress(std::make_unique<ThresholdGainPage>(this, kCompressPage)),
      expand(std::make_unique<ThresholdGainPage>(this, kExpandPage)),
      equalizer(std::make_unique<EqualizerPage>(this)),
      player(std::make_unique<PlayerPage>(this)),
      recorder(std::make_unique<RecorderPage>(this)),
      debug(std::make_unique<DebugPage>(this)) {
    setObjectName(QStringLiteral("Tab1"));
    setDocumentMode(true);
    ArrangePages(*this);
}

SettingsPages::~SettingsPages() = default;

}  // namespace moravel
