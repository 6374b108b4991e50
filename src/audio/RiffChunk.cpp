// RIFF chunk descent, ascent and creation over any RiffFile. Header fields
// are assembled byte by byte, so the layout does not depend on the host.
#include "audio/RiffFile.h"

#include "audio/ByteOrder.h"

#include <array>
#include <limits>

namespace moravel {

namespace {

using Word = std::array<std::uint8_t, 4>;

bool readExactly(RiffFile& file, void* buffer, std::int64_t count) { return file.read(buffer, count) == count; }

bool writeExactly(RiffFile& file, const void* buffer, std::int64_t count) { return file.write(buffer, count) == count; }

bool writeLe32(RiffFile& file, std::uint32_t v) {
    Word bytes{};
    StoreLe32(bytes.data(), v);
    return writeExactly(file, bytes.data(), 4);
}

bool hasFormType(std::uint32_t id) { return id == kRiffId || id == kListId; }

// Only chunks whose 8-byte header lies inside the parent belong to it; the
// end of the file bounds the search anyway, because a header there cannot
// be read.
std::int64_t searchLimit(const RiffChunk* parent) {
    return parent ? ChunkDataEnd(*parent) : std::numeric_limits<std::int64_t>::max();
}

// Reads the header at `start`; on success the file stands at the chunk data.
bool readHeader(RiffFile& file, std::int64_t start, RiffChunk& chunk) {
    std::array<std::uint8_t, 8> header{};
    if (!readExactly(file, header.data(), 8)) return false;
    chunk.id = LoadLe32(header.data());
    chunk.size = LoadLe32(header.data() + 4);
    chunk.dataOffset = start + 8;
    chunk.formType = 0;
    chunk.dirty = false;
    if (!hasFormType(chunk.id)) return true;
    Word form{};
    if (!readExactly(file, form.data(), 4)) return false;
    chunk.formType = LoadLe32(form.data());
    return true;
}

std::int64_t paddedEnd(const RiffChunk& chunk) { return chunk.dataOffset + chunk.size + (chunk.size & 1u); }

}  // namespace

std::int64_t ChunkDataEnd(const RiffChunk& chunk) {
    if (chunk.size == 0 || chunk.size == 0xFFFFFFFFu) return std::numeric_limits<std::int64_t>::max();
    return chunk.dataOffset + chunk.size;
}

bool Descend(RiffFile& file, RiffChunk& chunk, const RiffChunk* parent, DescendMode mode) {
    const std::uint32_t wanted = chunk.id;
    const std::int64_t limit = searchLimit(parent);
    std::int64_t start = file.tell();
    RiffChunk found;
    while (start >= 0 && start <= limit - 8) {
        if (file.seek(start, RiffFile::Origin::Begin) != start) return false;
        if (!readHeader(file, start, found)) return false;
        if (mode == DescendMode::Next || found.id == wanted) {
            chunk = found;
            return true;
        }
        // The next header follows the data and its pad byte; a chunk that
        // claims to run past the parent ends the search.
        const std::int64_t next = paddedEnd(found);
        if (next > limit) return false;
        start = next;
    }
    return false;
}

bool Ascend(RiffFile& file, RiffChunk& chunk) {
    if (chunk.dirty) {
        const std::int64_t end = file.tell();
        const std::int64_t size = end - chunk.dataOffset;
        if (end < 0 || size < 0 || size > std::numeric_limits<std::uint32_t>::max()) return false;
        chunk.size = static_cast<std::uint32_t>(size);
        const std::int64_t sizeField = chunk.dataOffset - 4;
        if (file.seek(sizeField, RiffFile::Origin::Begin) != sizeField) return false;
        if (!writeLe32(file, chunk.size)) return false;
        if (file.seek(end, RiffFile::Origin::Begin) != end) return false;
        const std::uint8_t pad = 0;
        if ((chunk.size & 1u) != 0 && !writeExactly(file, &pad, 1)) return false;
        chunk.dirty = false;
    }
    const std::int64_t behind = paddedEnd(chunk);
    return file.seek(behind, RiffFile::Origin::Begin) == behind;
}

bool CreateChunk(RiffFile& file, RiffChunk& chunk, CreateMode mode) {
    if (mode == CreateMode::Riff) chunk.id = kRiffId;
    const std::int64_t start = file.tell();
    if (start < 0) return false;
    if (!writeLe32(file, chunk.id) || !writeLe32(file, chunk.size)) return false;
    if (mode == CreateMode::Riff && !writeLe32(file, chunk.formType)) return false;
    chunk.dataOffset = start + 8;
    chunk.dirty = true;
    return true;
}

}  // namespace moravel
