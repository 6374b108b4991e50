#include "audio/EnhWave.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace moravel {

// ---- Wave input ----------------------------------------------------------------

EnhWaveIn::EnhWaveIn(AudioBackend& backend, QObject* parent) : EnhWaveDevice(backend, parent) {}

EnhWaveIn::~EnhWaveIn() {
    Close();
    finishFile();
}

TEWInCaps EnhWaveIn::capabilities() const {
    TEWInCaps caps;
    const DeviceCaps found = backend_.captureCaps(device);
    if (found.present && found.channels == 2) caps.insert(icStereo);
    return caps;
}

void EnhWaveIn::SetFileName(const std::string& name) {
    if (name != fileName_ && !open_) fileName_ = name;
}

bool EnhWaveIn::Open() {
    if (MaxBuffers < 1 || MaxBuffers > kMaxRing) throw std::range_error("MaxBuffers must be 1..9");
    if (BufferSize < 16) throw std::range_error("BufferSize must be at least 16");
    startSession();
    service_ = backend_.createCapture();
    open_ = service_->open(device, format(), static_cast<std::uint32_t>(BufferSize), this, session_) == kWaveOk;
    started_ = open_ && service_->start() == kWaveOk;
    return started_;
}

// Buffers go to the device only when its open notification arrives, so that
// data flows once the owner's thread runs its event loop.
void EnhWaveIn::queueBuffers() {
    bufferCount_ = 0;
    while (bufferCount_ < MaxBuffers) {
        const auto index = static_cast<std::size_t>(bufferCount_);
        buffers_[index].assign(static_cast<std::size_t>(BufferSize), 0);
        WaveHeader& header = headers_[index];
        header = WaveHeader{};
        header.data = buffers_[index].data();
        header.bufferLength = static_cast<std::uint32_t>(BufferSize);
        header.flags = kHeaderPrepared;
        ++bufferCount_;
        if (service_->addBuffer(&header) != kWaveOk) break;
    }
}

bool EnhWaveIn::ownsBuffer(const WaveHeader* header) const {
    for (std::int32_t i = 0; i < bufferCount_; ++i) {
        if (header == &headers_[static_cast<std::size_t>(i)]) return true;
    }
    return false;
}

// The handler gets a pointer into the buffer; the buffer goes back to the
// device after the handler returns, also when it raised an exception, so
// the ring never shrinks.
void EnhWaveIn::handleData(WaveHeader* header) {
    if (!open_ || !ownsBuffer(header)) return;
    const std::uint64_t session = session_;
    std::exception_ptr error;
    if (header->bytesRecorded > 0) {
        appendToFile(header->data, header->bytesRecorded);
        if (OnData) {
            try {
                OnData(this, header->data, static_cast<std::int32_t>(header->bytesRecorded));
            } catch (...) {
                error = std::current_exception();
            }
        }
    }
    // The handler may have closed or reopened the device.
    if (open_ && session == session_) requeue(header);
    if (error) raise([&] { std::rethrow_exception(error); });
}

void EnhWaveIn::requeue(WaveHeader* header) {
    header->bytesRecorded = 0;
    header->flags = kHeaderPrepared;
    service_->addBuffer(header);
}

void EnhWaveIn::Close() {
    if (started_) {
        started_ = service_->stop() != kWaveOk;
        service_->reset();
    }
    if (open_) {
        freeBuffers();
        open_ = service_->close() != kWaveOk;
    }
}

void EnhWaveIn::freeBuffers() {
    while (bufferCount_ > 0) {
        --bufferCount_;
        const auto index = static_cast<std::size_t>(bufferCount_);
        headers_[index] = WaveHeader{};
        std::vector<std::uint8_t>().swap(buffers_[index]);
    }
}

void EnhWaveIn::handleClose(std::uint64_t session, bool lost) {
    if (lost && session == session_ && open_) {
        started_ = false;
        service_->reset();
        freeBuffers();
        service_->close();
        open_ = false;
        notify(OnLost);
    }
    if (!firstCloseOf(session)) return;
    finishFile();
    notify(OnClose);
}

std::int64_t EnhWaveIn::Overruns() const { return service_ ? service_->xruns() : 0; }

bool EnhWaveIn::event(QEvent* e) {
    const auto* note = WaveNotification::From(e);
    if (note == nullptr) return QObject::event(e);
    const bool current = note->session() == session_;
    switch (note->kind()) {
        case WaveNotification::Open:
            if (current && open_) {
                queueBuffers();
                if (!fileName_.empty()) startFile();
                notify(OnOpen);
            }
            break;
        case WaveNotification::Data:
            if (current) handleData(note->header());
            break;
        case WaveNotification::Close:
            handleClose(note->session(), note->lost());
            break;
        case WaveNotification::Done:
            break;
    }
    return true;
}

// ---- Raw capture file: the 44-byte header, its sizes put in at the end ----

void EnhWaveIn::startFile() {
    if (file_) return;
    file_ = std::fopen(fileName_.c_str(), "wb");
    if (!file_) return;  // a file that cannot be created is simply not written
    fileDataBytes_ = 0;
    fileHeader_ = PcmWaveHeader(PcmWaveFormat(channels, samples, SampleBits));
    std::fwrite(fileHeader_.data(), 1, fileHeader_.size(), file_);
}

// A recording that reaches the most a WAV header can describe (4 GiB) ends
// there: bytes beyond it would wrap the sizes and leave a file that claims
// to hold almost nothing.
void EnhWaveIn::appendToFile(const std::uint8_t* data, std::uint32_t bytes) {
    if (!file_) return;
    const std::size_t written = std::fwrite(data, 1, std::min(bytes, PcmWaveRoom(fileDataBytes_)), file_);
    fileDataBytes_ += static_cast<std::uint32_t>(written);
}

// The header is written again whole: the format is the one the file began
// with, whatever the fields hold by now.
void EnhWaveIn::finishFile() {
    if (!file_) return;
    SetPcmWaveSizes(fileHeader_, fileDataBytes_);
    std::fseek(file_, 0, SEEK_SET);
    std::fwrite(fileHeader_.data(), 1, fileHeader_.size(), file_);
    std::fclose(file_);
    file_ = nullptr;
}

// ---- Wave output ---------------------------------------------------------------

namespace {

WaveHeader* linkOf(const WaveHeader* header) { return reinterpret_cast<WaveHeader*>(header->user); }

void freeBlock(WaveHeader* header) {
    delete[] header->data;
    delete header;
}

}  // namespace

EnhWaveOut::EnhWaveOut(AudioBackend& backend, QObject* parent) : EnhWaveDevice(backend, parent) {}

EnhWaveOut::~EnhWaveOut() {
    Close();
    // A device that failed to close keeps its blocks; they go with the component.
    while (head_) {
        WaveHeader* next = linkOf(head_);
        freeBlock(head_);
        head_ = next;
    }
}

TEWOutCaps EnhWaveOut::capabilities() const {
    TEWOutCaps caps;
    const DeviceCaps d = backend_.playbackCaps(device);
    if (!d.present) return caps;
    if (d.channels == 2) caps.insert(ocStereo);
    if (d.lrVolume) caps.insert(ocLRVolume);
    if (d.volume) caps.insert(ocVolume);
    return caps;
}

std::uint16_t EnhWaveOut::volume() const {
    std::uint32_t both = 0;
    if (!backend_.getVolume(device, both)) return 0;
    return static_cast<std::uint16_t>(both & 0xFFFFU);
}

void EnhWaveOut::setVolume(std::uint16_t value) { backend_.setVolume(device, (std::uint32_t{value} << 16) | value); }

bool EnhWaveOut::Open() {
    startSession();
    service_ = backend_.createPlayback();
    open_ = service_->open(device, format(), this, session_) == kWaveOk;
    return open_;
}

bool EnhWaveOut::Write(const void* data, std::int32_t size) {
    // Nothing would ever free a copy queued on a device that is not open.
    if (!open_ || size <= 0) return playing_;
    auto* header = new WaveHeader{};
    header->bufferLength = static_cast<std::uint32_t>(size);
    header->data = new std::uint8_t[static_cast<std::size_t>(size)];
    std::memcpy(header->data, data, static_cast<std::size_t>(size));
    WaveHeader** link = &head_;
    while (*link) link = reinterpret_cast<WaveHeader**>(&(*link)->user);
    *link = header;
    header->flags = kHeaderPrepared;
    service_->write(header);
    playing_ = head_ != nullptr;
    return playing_;
}

bool EnhWaveOut::ReleaseBlock(WaveHeader* header) {
    WaveHeader** link = &head_;
    while (*link && *link != header) link = reinterpret_cast<WaveHeader**>(&(*link)->user);
    if (header && *link == header) {
        *link = linkOf(header);
        freeBlock(header);
    }
    playing_ = head_ != nullptr;
    return playing_;
}

void EnhWaveOut::Close() {
    if (playing_) {
        service_->reset();
        playing_ = false;
    }
    if (open_) {
        while (head_) ReleaseBlock(head_);
        open_ = service_->close() != kWaveOk;
    }
}

std::int32_t EnhWaveOut::QueuedBlocks() const {
    std::int32_t count = 0;
    for (const WaveHeader* h = head_; h; h = linkOf(h)) ++count;
    return count;
}

std::int64_t EnhWaveOut::Underruns() const { return service_ ? service_->xruns() : 0; }

std::int64_t EnhWaveOut::LeadFrames() const { return open_ && service_ ? service_->leadFrames() : -1; }

std::int64_t EnhWaveOut::BridgedGaps() const { return open_ && service_ ? service_->bridgedGaps() : 0; }

bool EnhWaveOut::event(QEvent* e) {
    const auto* note = WaveNotification::From(e);
    if (note == nullptr) return QObject::event(e);
    const bool current = note->session() == session_;
    switch (note->kind()) {
        case WaveNotification::Open:
            if (current) notify(OnOpen);
            break;
        case WaveNotification::Done:
            // A block of an earlier session was freed when that session closed.
            if (current) ReleaseBlock(note->header());
            notify(OnDone);
            break;
        case WaveNotification::Close:
            if (note->lost() && current && open_) {
                service_->reset();
                playing_ = false;
                while (head_) ReleaseBlock(head_);
                service_->close();
                open_ = false;
                notify(OnLost);
            }
            if (firstCloseOf(note->session())) notify(OnClose);
            break;
        case WaveNotification::Data:
            break;
    }
    return true;
}

}  // namespace moravel
