#include "SettingsPages.h"

#include "PageRegistry.h"
#include "pages/AudioPage.h"
#include "pages/CompressPage.h"
#include "pages/DebugPage.h"
#include "pages/EqualizerPage.h"
#include "pages/ExpandPage.h"
#include "pages/FilterPage.h"
#include "pages/PlayerPage.h"
#include "pages/RecorderPage.h"
#include "pages/ShiftPage.h"
#include "pages/SoundcardPage.h"
#include "pages/SpectrogramPage.h"
#include "pages/SpectrumPage.h"

namespace moravel {

SettingsPages::SettingsPages(QWidget* parent)
    : QTabWidget(parent),
      soundcard(std::make_unique<SoundcardPage>(this)),
      audio(std::make_unique<AudioPage>(this)),
      spectrum(std::make_unique<SpectrumPage>(this)),
      spectrogram(std::make_unique<SpectrogramPage>(this)),
      filter(std::make_unique<FilterPage>(this)),
      shift(std::make_unique<ShiftPage>(this)),
      compress(std::make_unique<CompressPage>(this)),
      expand(std::make_unique<ExpandPage>(this)),
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
