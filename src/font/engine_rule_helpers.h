#pragma once

// Small pieces the AGS and ScummVM loading rules share. Internal to
// src/font: the rules' callers use engine_check.h.

#include <cstdint>
#include <span>
#include <string>

#include "font/engine_check.h"

namespace glyphsmith::engine_rules {

// The little-endian 16-bit value at `at`; the caller has checked both bytes lie in `bytes`.
inline std::size_t u16At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return std::size_t { bytes[at] } | std::size_t { bytes[at + 1] } << 8;
}

// What `engine` says of a file it does not load.
inline EngineCheck refusedBy(Engine engine, std::string reason)
{
    EngineCheck check;
    check.engine = engine;
    check.verdict = EngineVerdict::Refused;
    check.reasons.push_back(std::move(reason));
    return check;
}

// The start of a reason about one character: "character 65: ".
inline std::string characterLabel(std::size_t code)
{
    return "character " + std::to_string(code) + ": ";
}

} // namespace glyphsmith::engine_rules
