#include "cli/SplitSink.h"

#include "audio/transmission/EngineSpectrum.h"

#include <stdexcept>

namespace moravel {

void SplitSink::Write(const std::int16_t* samples, std::int32_t count) {
    output_.Write(samples, count);
    if (!recorder_.Feed(samples, count, EngineDisplaySpectrum(engine_))) throw std::runtime_error(recorder_.Error());
}

}  // namespace moravel
