#pragma once

#include "core/text.h"

#include <optional>

namespace qytxt::notices {

// Addresses come from an unauthenticated page, so only web addresses may reach the shell: the
// address without the blanks and line breaks around it when it is an http:// or https:// address
// (scheme in any case), nothing otherwise, the empty address included.
std::optional<core::Text> webAddressToOpen(const core::Text& address);

} // namespace qytxt::notices
