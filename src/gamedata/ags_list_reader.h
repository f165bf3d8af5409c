#pragma once

// The bounded reader of an AGS package's list, used by the package reader only.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "gamedata/ags_obfuscation.h"

namespace glyphsmith {

// Reads the list through its hiding, keeping every byte read in plain form
// so that a rebuild can change a field and hide the list again unchanged.
class AgsListReader {
public:
    AgsListReader(std::span<const std::uint8_t> file, std::size_t start, std::size_t limit)
        : file_(file.first(limit)), position_(start) {}

    void hideFromHere(std::uint32_t seed)
    {
        sequence_.emplace(seed);
        hiddenFrom_ = plain_.size();
    }
    bool overran() const { return overran_; }
    std::size_t position() const { return position_; }
    std::size_t remaining() const { return file_.size() - position_; }
    std::size_t plainPosition() const { return plain_.size(); }
    std::size_t hiddenFrom() const { return hiddenFrom_; }
    std::vector<std::uint8_t> takePlain() { return std::move(plain_); }

    std::uint8_t u8()
    {
        if (position_ >= file_.size()) {
            overran_ = true;
            return 0;
        }
        std::uint8_t value = file_[position_++];
        if (sequence_)
            value = static_cast<std::uint8_t>(value - sequence_->next());
        plain_.push_back(value);
        return value;
    }
    std::uint64_t number(int bytes)
    {
        std::uint64_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= std::uint64_t { u8() } << (8 * i);
        return value;
    }
    std::vector<std::uint8_t> field(std::size_t count)
    {
        if (count > remaining()) {
            overran_ = true;
            return {};
        }
        std::vector<std::uint8_t> bytes;
        for (std::size_t i = 0; i < count; ++i)
            bytes.push_back(u8());
        return bytes;
    }
    // A zero-ended string of at most `limit` bytes, the zero included.
    std::optional<std::string> zeroEnded(std::size_t limit)
    {
        std::string text;
        while (text.size() < limit) {
            std::uint8_t c = u8();
            if (overran_)
                return std::nullopt;
            if (c == 0)
                return text;
            text.push_back(static_cast<char>(c));
        }
        return std::nullopt;
    }

private:
    std::span<const std::uint8_t> file_;
    std::size_t position_;
    std::optional<AgsListSequence> sequence_;
    std::size_t hiddenFrom_ = 0;
    std::vector<std::uint8_t> plain_;
    bool overran_ = false;
};

} // namespace glyphsmith
