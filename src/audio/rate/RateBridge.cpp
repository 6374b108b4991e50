#include "audio/rate/RateBridge.h"

#include <speex/speex_resampler.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace moravel {

namespace {

constexpr std::int32_t kMaxRate = 384000;
// Speex's "desktop" quality: a 0.1 dB passband far past any audio range's
// content at a few microseconds of a core per block.
constexpr int kQuality = SPEEX_RESAMPLER_QUALITY_DESKTOP;
// The ratio is set as a fraction whose denominator stays below this: the
// resampler rescales its phase by the new denominator over the old in
// 32-bit arithmetic when the ratio changes, which larger ones overflow
// (the output then jumps by thousands of samples). It still moves the
// ratio in steps of some 15 ppm, which the loop's integral dithers between.
constexpr double kLargestDenominator = 65535.0;
// The loop: the trim is kProportional times the low lead's shortfall below
// the floor (in seconds) plus the integral of kIntegral times it over time.
// With the lead changing by (trim - 1) seconds per second this settles in
// about twenty seconds without overshooting far (damping about 0.7:
// kIntegral = (kProportional / 1.4)^2), fast enough to follow a server
// whose latency steps by tens of ms when its other streams come and go, and
// slow enough that the low lead's steps move the pitch by a tenth of a
// percent at most (under two cents).
constexpr double kProportional = 0.1;
constexpr double kIntegral = 0.005;
// The low lead is taken over this many blocks (about four seconds: longer
// than PipeWire's timing updates are apart) and is the second lowest, so
// that one stray report does not move it.
constexpr std::size_t kRecentLeads = 32;
// Each block without a gap takes the floor this part of the way back to
// where it started: about 1600 blocks (three and a half minutes) to come
// most of the way down, so that a machine busy now and then keeps it up.
constexpr double kFloorDecay = 1.0 / 1600;
// Gaps in the output's first blocks say more about its starting than about
// how late blocks come: they do not raise the floor.
constexpr std::int64_t kSettlingBlocks = 16;
// A resync waits for this many measurements since the last one, so that
// it is not set off by the first report after a start or a change.
constexpr std::size_t kLeadsBeforeResync = 4;
// The first measurements after a start say more about the device starting
// than about the clocks.
constexpr std::int64_t kIgnoredMeasurements = 2;
// A low lead this far above the floor is not a clock difference but blocks
// that came in a burst (a sound server often hands over two at the start):
// trimmed at most 0.5 %, 100 ms too much would take 20 s to play away, all
// of it heard late. The excess is dropped from the next block at once.
constexpr double kExcessSeconds = 0.050;
// A low lead this far below the floor (a device that starts with only its
// own small lead, or blocks that came late) would take as long to build
// up, with the output running dry meanwhile: the shortfall is made up with
// silence ahead of the next block at once.
constexpr double kShortfallSeconds = 0.010;

}  // namespace

struct RateBridge::Resampler {
    SpeexResamplerState* state = nullptr;
    ~Resampler() {
        if (state) speex_resampler_destroy(state);
    }
};

RateBridge::RateBridge(const Setup& setup)
    : setup_(setup),
      resampler_(std::make_unique<Resampler>()),
      floor_(static_cast<double>(setup.floorLeadFrames)) {
    const auto valid = [](std::int32_t rate) { return rate >= 1 && rate <= kMaxRate; };
    if (!valid(setup.inputRate) || !valid(setup.outputRate))
        throw std::invalid_argument("rates of " + std::to_string(setup.inputRate) + " and " +
                                    std::to_string(setup.outputRate) + " Hz cannot be bridged");
    int error = 0;
    resampler_->state = speex_resampler_init(1, static_cast<spx_uint32_t>(setup.inputRate),
                                             static_cast<spx_uint32_t>(setup.outputRate), kQuality, &error);
    if (!resampler_->state) throw std::runtime_error(speex_resampler_strerror(error));
}

RateBridge::~RateBridge() = default;

const std::vector<std::int16_t>& RateBridge::Process(const std::int16_t* samples, std::size_t count,
                                                     std::int64_t leadFrames) {
    steer(leadFrames, static_cast<double>(count) / setup_.inputRate);
    const double ratio = static_cast<double>(setup_.outputRate) * trim_ / setup_.inputRate;
    output_.resize(static_cast<std::size_t>(std::ceil(static_cast<double>(count) * ratio)) + 16);
    std::size_t taken = 0, made = 0;
    while (taken < count) {
        auto inLength = static_cast<spx_uint32_t>(count - taken);
        auto outLength = static_cast<spx_uint32_t>(output_.size() - made);
        speex_resampler_process_int(resampler_->state, 0, samples + taken, &inLength, output_.data() + made,
                                    &outLength);
        taken += inLength;
        made += outLength;
        if (made == output_.size()) output_.resize(output_.size() * 2);
    }
    output_.resize(made);
    resync();
    return output_;
}

// Drops what a burst put ahead of the floor from the block's start, or
// puts silence for a shortfall ahead of it. The next lead measured is still
// the one ahead of this block, from before the change, so it is not taken,
// and the measurements before the change are forgotten. A shortfall is
// judged against the floor the bridge started with: a floor raised after a
// gap is reached by the loop, without a second gap of silence.
void RateBridge::resync() {
    if (recentLeads_.size() < kLeadsBeforeResync) return;
    // An excess counts once every one of the last few leads shows it: the
    // low lead of the whole window would wait for the low leads before a
    // burst to leave it, seconds during which all of it is heard late.
    const auto last = recentLeads_.end() - static_cast<std::ptrdiff_t>(kLeadsBeforeResync);
    const double excess = static_cast<double>(*std::min_element(last, recentLeads_.end())) - floor_;
    const double shortfall = static_cast<double>(setup_.floorLeadFrames) - LowLead();
    if (excess > kExcessSeconds * setup_.outputRate) {
        const auto dropped = std::min(output_.size(), static_cast<std::size_t>(excess));
        output_.erase(output_.begin(), output_.begin() + static_cast<std::ptrdiff_t>(dropped));
    } else if (shortfall > kShortfallSeconds * setup_.outputRate) {
        output_.insert(output_.begin(), static_cast<std::size_t>(-excess), std::int16_t{0});
    } else {
        return;
    }
    recentLeads_.clear();
    skipMeasurements_ = 1;
    ++resyncs_;
}

// The proportional-integral loop on the low lead.
void RateBridge::steer(std::int64_t leadFrames, double blockSeconds) {
    if (leadFrames < 0 || ++measurements_ <= kIgnoredMeasurements) return;
    if (skipMeasurements_ > 0) {
        --skipMeasurements_;
        return;
    }
    floor_ -= kFloorDecay * (floor_ - static_cast<double>(setup_.floorLeadFrames));
    recentLeads_.push_back(leadFrames);
    if (recentLeads_.size() > kRecentLeads) recentLeads_.pop_front();
    const double shortfall = (floor_ - LowLead()) / setup_.outputRate;
    // One measurement per block: the integral advances by a block's time.
    integral_ = std::clamp(integral_ + kIntegral * shortfall * blockSeconds, -kMaxTrim, kMaxTrim);
    trim_ = 1.0 + std::clamp(kProportional * shortfall + integral_, -kMaxTrim, kMaxTrim);
    applyTrim();
}

void RateBridge::RaiseFloor() {
    if (measurements_ < kSettlingBlocks) return;
    floor_ = std::min(floor_ + kFloorStepSeconds * setup_.outputRate, kMaxFloorSeconds * setup_.outputRate);
}

double RateBridge::LowLead() const {
    if (recentLeads_.empty()) return -1.0;
    std::int64_t lowest = recentLeads_.front(), second = std::numeric_limits<std::int64_t>::max();
    for (std::size_t k = 1; k < recentLeads_.size(); ++k) {
        const std::int64_t lead = recentLeads_[k];
        if (lead < lowest) {
            second = lowest;
            lowest = lead;
        } else if (lead < second) {
            second = lead;
        }
    }
    return static_cast<double>(recentLeads_.size() > 1 ? second : lowest);
}

void RateBridge::applyTrim() {
    const double scale =
        std::max(1.0, std::floor(kLargestDenominator / (setup_.outputRate * (1 + kMaxTrim))));
    const auto num = static_cast<spx_uint32_t>(std::llround(setup_.inputRate * scale));
    const auto den = static_cast<spx_uint32_t>(std::llround(setup_.outputRate * scale * trim_));
    // The resampler compares a new fraction with its own reduced one, so it
    // would rebuild its filter for every block although the ratio moves in
    // steps that most blocks do not cross.
    if (den == appliedDenominator_) return;
    appliedDenominator_ = den;
    speex_resampler_set_rate_frac(resampler_->state, num, den, static_cast<spx_uint32_t>(setup_.inputRate),
                                  static_cast<spx_uint32_t>(setup_.outputRate));
}

}  // namespace moravel
