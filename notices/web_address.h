#pragma once

#include "core/text.h"

#include <optional>

namespace qytxt::notices {

// The one gate between the notice page and the browser. Addresses come from an unauthenticated
// page, so only web addresses pass: an http:// or https:// address (scheme in any case) with a
// plain host name, without the blanks and line breaks around it. What passes is returned as a
// well-formed ASCII address, ready to be opened as it stands: blanks, "|", braces, a "%" that starts
// no escape and other bytes a web address cannot hold are percent-encoded, other characters as
// their UTF-8 bytes. Nothing for anything else: the empty address, other schemes, control bytes
// inside, a host that is not a plain name (an IP literal in brackets, characters outside letters,
// digits, "-", ".", "_" and "~") or a port above 65535.
std::optional<core::Text> webAddressToOpen(const core::Text& address);

} // namespace qytxt::notices
