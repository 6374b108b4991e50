#include "cli/SpectrogramOutput.h"

#include "common/AtomicFile.h"
#include "cli/SpectrogramPng.h"

#include <algorithm>
#include <filesystem>
#include <memory>

namespace moravel {
namespace {

std::int64_t ExpectedColumns(std::int64_t samples, std::int32_t blockSamples) {
    return blockSamples > 0 ? (samples + blockSamples - 1) / blockSamples : 0;
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
                                     std::int32_t blockSamples, SpectrogramLook look, std::int32_t partColumns)
    : geometry_(geometry),
      look_(std::move(look)),
      partColumns_(partColumns > 0 ? partColumns : MaxSpectrogramColumns(geometry.rows, geometry.hzPerRow)),
      expectedColumns_(ExpectedColumns(expectedSamples, blockSamples)) {
    startPart();
}

// Memory is reserved for the columns the header promises in this part.
void SpectrogramOutput::startPart() {
    const std::int64_t before = static_cast<std::int64_t>(parts_.size()) * partColumns_;
    const auto expected = static_cast<std::int32_t>(std::clamp<std::int64_t>(expectedColumns_ - before, 0, partColumns_));
    parts_.emplace_back(geometry_.rows, partColumns_, expected, *look_.palette, look_.scale);
}

void SpectrogramOutput::AddBlock(const Engine& engine) {
    if (parts_.back().Columns() >= partColumns_) startPart();
    parts_.back().AddColumn(engine.DisplaySpectrum, engine.DisplayCount);
}

SpectrogramLayout SpectrogramOutput::Layout(std::size_t part) const {
    return LayOutSpectrogram(parts_[part].Columns(), parts_[part].Rows(), geometry_.columnsPerSecond,
                             geometry_.hzPerRow, static_cast<std::int64_t>(part) * partColumns_);
}

std::string SpectrogramOutput::PartPath(const std::string& path, std::size_t part) {
    std::filesystem::path name(path);
    name.replace_filename(name.stem().string() + "-" + std::to_string(part) + name.extension().string());
    return name.string();
}

// Every part is written before any takes its name, so a failure leaves
// none of them behind.
void SpectrogramOutput::Write(const std::string& path) const {
    std::vector<std::unique_ptr<PendingFile>> files;
    for (std::size_t part = 0; part < parts_.size(); ++part) {
        files.push_back(std::make_unique<PendingFile>(parts_.size() == 1 ? path : PartPath(path, part + 1)));
        WriteSpectrogramPng(files.back()->Path(), parts_[part], Layout(part));
    }
    for (const auto& file : files) file->Commit();
}

}  // namespace moravel
