// Carries processed blocks from the capture clock to the playback clock.
//
// The live pipeline captures at one rate and plays at another (the audio
// ranges capture 50 Hz below the output rate), and even at equal nominal
// rates two devices, or a sound server's streams, run on clocks of their
// own. Played as they come, the blocks would sound too high by the rates'
// ratio and the output would run dry between blocks. The bridge resamples
// each block from the input rate to the output rate, and trims the ratio
// so that the output's lead (the audio queued ahead of each new block)
// stays just above a floor, as bridges between two audio clocks do: a lead
// above it shortens the blocks a little, one below lengthens them. The trim
// is a proportional-integral loop, bounded to a few tenths of a percent, so
// it follows clock differences and absorbs jitter without an audible change
// of pitch. A lead far from the floor (blocks that came in a burst, a
// device that starts with little queued) is set right at once instead:
// audio dropped or silence put in, once.
//
// What must not happen is the lead's low points reaching zero (the output
// would run dry), so the loop holds the low points, not the mean, at a
// floor: it works on the second lowest lead of the last few seconds. How
// far the lead strays above its low points depends on the output. A sound
// server that takes a stream's audio in chunks of its own cycle reports a
// lead that jumps by a chunk from block to block, and PipeWire's reports
// between two of its timing updates drift up by tens of ms and fall back at
// the update; a server that takes audio in small pieces reports a steady
// one. Held by its low points, a steady output runs close to the floor
// (little delay) and a jumpy one only as high as it needs.
//
// The floor itself rises when the output had to bridge a gap with silence
// (a block came later than the lead could cover: a busy machine delays the
// blocks by tens of ms now and then), and sinks back to where it started
// over a few minutes without one, as a sound server raises a stream's
// latency after an underrun.
//
// Plain C++ (speexdsp's resampler); not thread-safe: one thread calls it
// (the GUI thread in the program).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace moravel {

class RateBridge {
public:
    struct Setup {
        std::int32_t inputRate = 0;        // Hz of the blocks handed in
        std::int32_t outputRate = 0;       // Hz of the device they go to
        std::int64_t floorLeadFrames = 0;  // output frames the lead's low points are held above
    };

    /// The largest trim of the ratio either way (0.5 %: far beyond any two
    /// clocks' difference, about a twelfth of a semitone).
    static constexpr double kMaxTrim = 0.005;

    /// Rates of 1 Hz to 384 kHz; throws std::invalid_argument otherwise.
    explicit RateBridge(const Setup& setup);
    ~RateBridge();
    RateBridge(const RateBridge&) = delete;
    RateBridge& operator=(const RateBridge&) = delete;

    /// Resamples `count` samples and returns the output samples (valid until
    /// the next call). `leadFrames` is the output's lead measured ahead of
    /// the last block played, or a negative value when the output cannot
    /// tell (the ratio then stays as it is).
    const std::vector<std::int16_t>& Process(const std::int16_t* samples, std::size_t count,
                                             std::int64_t leadFrames);

    /// The current trim: 1 is the nominal ratio, above 1 more output frames.
    double Trim() const { return trim_; }
    /// The lead the loop holds at the floor: the second lowest of the
    /// recent measurements (the lowest while there is one), in output
    /// frames; negative before the first measurement.
    double LowLead() const;
    /// The output bridged a gap with silence: the floor rises by
    /// kFloorStepSeconds, to at most kMaxFloorSeconds (not in the first
    /// blocks, while the output starts).
    void RaiseFloor();
    /// The floor the low lead is held at now, in output frames.
    double Floor() const { return floor_; }
    static constexpr double kFloorStepSeconds = 0.010;
    static constexpr double kMaxFloorSeconds = 0.100;

    /// Times a lead far from the floor was set right at once.
    std::int64_t Resyncs() const { return resyncs_; }
    const Setup& setup() const { return setup_; }

private:
    struct Resampler;
    void steer(std::int64_t leadFrames, double blockSeconds);
    void applyTrim();
    void resync();

    Setup setup_;
    std::unique_ptr<Resampler> resampler_;
    std::vector<std::int16_t> output_;
    double trim_ = 1.0;
    double integral_ = 0.0;
    std::deque<std::int64_t> recentLeads_;  // the last measurements, oldest first
    double floor_ = 0;                      // output frames; from setup_.floorLeadFrames up
    std::int64_t measurements_ = 0;
    std::int64_t skipMeasurements_ = 0;
    std::int64_t resyncs_ = 0;
    std::uint32_t appliedDenominator_ = 0;  // of the fraction last set; 0: the rates' own
};

}  // namespace moravel
