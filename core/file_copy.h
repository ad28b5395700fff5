#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

namespace qytxt::core {

enum class CopyStatus {
    Copied,      // every byte of the range
    Stopped,     // the stop request was granted between two pieces
    SourceEnded, // the source ended inside the range (it shrank meanwhile)
    ReadFailed,
    WriteFailed,
};

struct CopyResult {
    CopyStatus status = CopyStatus::Copied;
    std::int64_t copied = 0; // bytes that reached the target, also when the copy did not finish
};

// Sees the bytes of a copy as they pass, for as long as it asks for them.
class CopyWatcher {
public:
    virtual bool wantsBytes() const = 0;
    // The next bytes of the range, in order, before they are written.
    virtual void see(std::string_view bytes) = 0;

protected:
    ~CopyWatcher() = default;
};

// Copies byte ranges between open files in pieces: by the kernel (copy_file_range) where it can,
// through one fixed buffer where it refuses (another file system, a device). So a copy of any size
// holds little memory, and asking for a stop between pieces ends it promptly.
class FileCopier {
public:
    // Bytes [begin, end) of `source`, written at `target`'s current position. `stopRequested`, when
    // given, is asked before each piece. While `watcher` wants bytes they pass through the buffer,
    // so that they are read once for both; the kernel copies the rest.
    CopyResult copy(int source, std::int64_t begin, std::int64_t end, int target,
                    const std::function<bool()>& stopRequested = {}, CopyWatcher* watcher = nullptr);

private:
    CopyResult copyThroughBuffer(int source, std::int64_t begin, std::int64_t end, int target,
                                 const std::function<bool()>& stopRequested, CopyWatcher* watcher);

    std::unique_ptr<char[]> m_buffer; // made on first need, then kept for every later copy
};

} // namespace qytxt::core
