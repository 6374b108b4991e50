// The file layer under the WAV stream: a small abstract file (so tests and
// the fuzzer can put memory or a failing file underneath), its POSIX
// implementation, and the RIFF chunk operations Descend, Ascend and
// CreateChunk.
//
// Every file operation returns -1 on failure, so callers can test each call
// the same way and attach their own message.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace moravel {

class RiffFile {
public:
    enum class Origin { Begin, Current, End };

    virtual ~RiffFile() = default;

    /// Reads up to `count` bytes; returns the bytes read (0 at the end of the
    /// file) or -1.
    virtual std::int64_t read(void* buffer, std::int64_t count) = 0;
    /// Writes `count` bytes; returns `count` or -1. A buffered write may
    /// report its failure at a later write, seek, read or flush.
    virtual std::int64_t write(const void* buffer, std::int64_t count) = 0;
    /// Moves the position; returns the new position or -1. Positions past
    /// the end are allowed (a later write extends the file).
    virtual std::int64_t seek(std::int64_t offset, Origin origin) = 0;
    /// The current position or -1.
    virtual std::int64_t tell() = 0;
    /// Pushes buffered writes to the file; 0 or -1.
    virtual int flush() = 0;
    /// flush(), then has the file's data written to the disk, so that it
    /// survives a crash of the system or a power failure; 0 or -1. A file
    /// with no disk beneath it only flushes.
    virtual int sync() { return flush(); }
};

/// A RiffFile on a POSIX file descriptor. Writes are collected in a buffer,
/// so the many small writes of a recording cost few system calls; once a
/// buffered write has failed, every later write and flush fails too, so lost
/// data is never reported as saved.
class PosixRiffFile final : public RiffFile {
public:
    enum class Mode { Read, CreateReplace };

    /// Opens `path` read-only, or creates it (replacing an existing file)
    /// for reading and writing. Returns nullptr when that fails; errno tells
    /// why.
    static std::unique_ptr<PosixRiffFile> Open(const std::string& path, Mode mode);

    /// Flushes (errors are lost; call flush() first to see them) and closes.
    ~PosixRiffFile() override;

    PosixRiffFile(const PosixRiffFile&) = delete;
    PosixRiffFile& operator=(const PosixRiffFile&) = delete;

    std::int64_t read(void* buffer, std::int64_t count) override;
    std::int64_t write(const void* buffer, std::int64_t count) override;
    std::int64_t seek(std::int64_t offset, Origin origin) override;
    std::int64_t tell() override;
    int flush() override;
    /// fdatasync(2) after the flush; a file that cannot be synchronised (a
    /// pipe, a read-only file system) counts as synchronised.
    int sync() override;

private:
    explicit PosixRiffFile(int fd);
    bool bufferAccepts(std::int64_t count) const;
    bool writeThrough(const void* data, std::int64_t count, std::int64_t offset);
    std::int64_t fileSize();

    static constexpr std::int64_t kBufferCapacity = 64 * 1024;

    int fd_;
    std::int64_t position_ = 0;
    // Bytes not yet written, destined for the file from bufferStart_ on.
    std::vector<std::uint8_t> buffer_;
    std::int64_t bufferStart_ = 0;
    bool writeFailed_ = false;
};

/// Four-character code, first character in the lowest byte.
constexpr std::uint32_t FourCC(char a, char b, char c, char d) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(a)) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(d)) << 24;
}

constexpr std::uint32_t kRiffId = FourCC('R', 'I', 'F', 'F');
constexpr std::uint32_t kListId = FourCC('L', 'I', 'S', 'T');

/// One chunk: 4-byte id, 4-byte little-endian size, data, and a pad byte
/// when the size is odd. RIFF and LIST chunks start their data with a form
/// type; `dataOffset` then points at the form type.
struct RiffChunk {
    std::uint32_t id = 0;
    std::uint32_t size = 0;
    std::uint32_t formType = 0;
    std::int64_t dataOffset = 0;
    /// Created for writing: Ascend patches the size and writes the pad byte.
    bool dirty = false;
};

/// Where a chunk's data ends (without the pad byte). A size of 0 or
/// 0xFFFFFFFF is what a writer leaves before it knows the size (for example
/// a recorder that crashed), so such a chunk reaches to the end of the file.
std::int64_t ChunkDataEnd(const RiffChunk& chunk);

enum class DescendMode {
    /// The chunk that starts at the current position.
    Next,
    /// The first chunk with `chunk.id` from the current position on.
    FindChunk,
};

/// Reads a chunk header into `chunk` and leaves the file at the start of its
/// data (behind the form type for RIFF and LIST). With a parent, only chunks
/// whose header lies inside the parent count. Returns false when no such
/// chunk is there or the file cannot be read.
bool Descend(RiffFile& file, RiffChunk& chunk, const RiffChunk* parent, DescendMode mode);

/// Leaves the chunk: a dirty chunk gets its size (from the current position)
/// written into its header and a pad byte when that size is odd; then the
/// file stands behind the chunk and its pad byte. Returns false on failure.
bool Ascend(RiffFile& file, RiffChunk& chunk);

enum class CreateMode { Plain, Riff };

/// Writes a chunk header (id and size; for Riff the id "RIFF" and
/// `chunk.formType` too) at the current position and marks the chunk dirty.
/// Returns false on failure.
bool CreateChunk(RiffFile& file, RiffChunk& chunk, CreateMode mode);

}  // namespace moravel
