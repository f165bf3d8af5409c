#pragma once

// The data files of res/, built into the program: the dialog template, the
// cell bitmap and the icon, looked up by resource id.

#include <cstdint>
#include <span>

namespace glyphsmith {

// The bytes of resource `resourceId`, or an empty span when there is none.
std::span<const std::uint8_t> embeddedResource(int resourceId);

} // namespace glyphsmith
