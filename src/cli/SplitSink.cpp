#include "SplitSink.h"

#include <algorithm>
#include <stdexcept>

namespace moravel {

SpectrumView SplitSink::DisplaySpectrum(const TmyFFT& engine) {
    SpectrumView view;
    if (engine.BlockSamples <= 0) return view;
    view.points = engine.DisplaySpectrum;
    view.count = std::min(engine.DisplayCount + 1, TmyFFT::kSmallCapacity);
    view.hzPerPoint = static_cast<double>(engine.Resolution) * engine.SampleRate / engine.BlockSamples;
    return view;
}

void SplitSink::Write(const std::int16_t* samples, std::int32_t count) {
    output_.Write(samples, count);
    if (!recorder_.Feed(samples, count, DisplaySpectrum(engine_))) throw std::runtime_error(recorder_.Error());
}

}  // namespace moravel
