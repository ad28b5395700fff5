#pragma once

#include <string>
#include <vector>

namespace qytxt::core {

// A GBK (GB18030-compatible) byte string without zero bytes. The empty text stands for a missing one.
using Text = std::string;

// Raw bytes of any value, zero bytes included: what files are read into and written from.
using ByteSet = std::string;

// The pieces of split text, in order.
using TextList = std::vector<Text>;

} // namespace qytxt::core
