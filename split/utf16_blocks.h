#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

// UTF-16 seen 64 bytes (32 code units) at a time, one bit per code unit (bit i for unit i).
namespace qytxt::split::utf16 {

inline constexpr std::size_t kBlock = 64;

struct UnitMasks {
    std::uint32_t control = 0; // below U+0020, and U+007F
    std::uint32_t high = 0;    // D800..DBFF: the first half of a surrogate pair
    std::uint32_t low = 0;     // DC00..DFFF: the second half
};

// The masks of `blocks` consecutive blocks at `bytes`, with the fastest kernel this processor runs.
void blockMasks(const char* bytes, std::size_t blocks, bool bigEndian, UnitMasks* masks) noexcept;

// The masks of the whole units among up to 64 bytes, one unit at a time: what every kernel must
// agree with.
UnitMasks unitMasks(std::string_view bytes, bool bigEndian) noexcept;

using MaskKernel = void (*)(const char* bytes, std::size_t blocks, bool bigEndian, UnitMasks* masks) noexcept;

// SSE2, or one unit at a time where the processor has no SSE2.
void blockMasksSse2(const char* bytes, std::size_t blocks, bool bigEndian, UnitMasks* masks) noexcept;

// Built only for x86-64, and run only where the processor has AVX2.
void blockMasksAvx2(const char* bytes, std::size_t blocks, bool bigEndian, UnitMasks* masks) noexcept;

// Every kernel this processor can run, by name, the plainest first.
std::vector<std::pair<std::string_view, MaskKernel>> maskKernels();

} // namespace qytxt::split::utf16
