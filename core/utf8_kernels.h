#pragma once

#include "core/utf8_blocks.h"

#include <string_view>
#include <utility>
#include <vector>

// The vector kernels behind utf8::blockMasks, one file each, and the choice between them.
namespace qytxt::core::utf8 {

using MaskKernel = BlockCounts (*)(std::string_view bytes, BlockMasks* masks) noexcept;

// SSE2, or one byte at a time where the processor has no SSE2.
BlockCounts blockMasksSse2(std::string_view bytes, BlockMasks* masks) noexcept;

// Built only for x86-64, and run only where the processor has AVX2.
BlockCounts blockMasksAvx2(std::string_view bytes, BlockMasks* masks) noexcept;

// The exact rare, four-byte and lead-nothing masks of a block in which a kernel saw rare bytes.
void addRareMasks(const char* block, BlockMasks& masks) noexcept;

// Every kernel this processor can run, by name, the plainest first.
std::vector<std::pair<std::string_view, MaskKernel>> maskKernels();

} // namespace qytxt::core::utf8
