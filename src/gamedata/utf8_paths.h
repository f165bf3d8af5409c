#pragma once

// The program keeps paths as UTF-8 text; std::filesystem reads a narrow
// string in the system's code page on Windows. These two convert at that edge.

#include <filesystem>
#include <string>

namespace glyphsmith {

inline std::filesystem::path pathFromUtf8(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string utf8Of(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace glyphsmith
