// A SampleSink that drops the samples: for a run whose only outputs are the
// transmissions it splits off (--split without OUT.wav).
#pragma once

#include "cli/SampleSink.h"

namespace moravel {

class NullSink : public SampleSink {
public:
    void Write(const std::int16_t*, std::int32_t) override {}
};

}  // namespace moravel
