// The engine's display spectrum as the transmission recorder takes it, for
// every caller that feeds the recorder processed blocks (the batch tool,
// the window): point p of DisplaySpectrum at p·R·rate/N Hz, where the
// spectrum's peak read-out places it.
#pragma once

#include "dsp/Engine.h"
#include "audio/transmission/PeakFrequencyTally.h"

namespace moravel {

/// A view of `engine`'s DisplaySpectrum[0 .. DisplayCount] (empty before the
/// engine is configured). Valid while the engine is unchanged.
BlockSpectrum EngineDisplaySpectrum(const Engine& engine);

}  // namespace moravel
