#include "SpectrogramOutput.h"

#include "AtomicFile.h"
#include "PlotMath.h"
#include "SpectrogramPng.h"

#include <cmath>

namespace moravel {
namespace {

std::int32_t MaxColumns(const SpectrogramGeometry& g) { return MaxSpectrogramColumns(g.rows, g.hzPerRow); }

std::int32_t ExpectedColumns(const SpectrogramGeometry& geometry, std::int64_t samples, std::int32_t blockSamples) {
    const std::int64_t columns = blockSamples > 0 ? (samples + blockSamples - 1) / blockSamples : 0;
    const std::int32_t limit = MaxColumns(geometry);
    if (columns > limit) {
        const auto seconds = static_cast<std::int64_t>(std::floor(limit / geometry.columnsPerSecond));
        throw SpectrogramTooWide("the picture would be " + std::to_string(columns) +
                                 " columns wide (one per block), more than the limit of " + std::to_string(limit) +
                                 " (" + std::to_string(kMaxPictureWidth) + " pixels with the axes), which holds " +
                                 std::to_string(seconds / 60) + " min " + MinutesSeconds(seconds).substr(3) +
                                 " s of audio at this sample rate; cut the recording into shorter parts");
    }
    return static_cast<std::int32_t>(columns);
}

}  // namespace

SpectrogramGeometry SpectrogramGeometry::For(std::int32_t sampleRate, std::int32_t blockSamples,
                                             std::int32_t resolution) {
    SpectrogramGeometry g{};
    g.rows = resolution > 0 ? (blockSamples / 2) / resolution : 0;
    g.columnsPerSecond = static_cast<double>(sampleRate) / blockSamples;
    g.hzPerRow = static_cast<double>(resolution) * sampleRate / blockSamples;
    return g;
}

SpectrogramOutput::SpectrogramOutput(const SpectrogramGeometry& geometry, std::int64_t expectedSamples,
                                     std::int32_t blockSamples, SpectrogramLook look)
    : geometry_(geometry),
      picture_(geometry.rows, MaxColumns(geometry), ExpectedColumns(geometry, expectedSamples, blockSamples),
               *look.palette, look.scale) {}

void SpectrogramOutput::AddBlock(const TmyFFT& engine) {
    try {
        picture_.AddColumn(engine.DisplaySpectrum, engine.DisplayCount);
    } catch (const PictureTooWide&) {
        ExpectedColumns(geometry_, std::int64_t{picture_.Columns()} + 1, 1);  // throws with the limit
        throw;
    }
}

SpectrogramLayout SpectrogramOutput::Layout() const {
    return LayOutSpectrogram(picture_.Columns(), picture_.Rows(), geometry_.columnsPerSecond, geometry_.hzPerRow);
}

void SpectrogramOutput::Write(const std::string& path) const {
    PendingFile file(path);
    WriteSpectrogramPng(file.Path(), picture_, Layout());
    file.Commit();
}

}  // namespace moravel
