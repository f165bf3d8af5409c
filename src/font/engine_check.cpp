#include "font/engine_check.h"

#include <filesystem>

#include "font/file_io.h"
#include "font/font_files.h"
#include "font/font_format.h"

namespace glyphsmith {

namespace {

// Far beyond any font either engine reaches through 16-bit positions; the cap
// only keeps a stray huge file from being loaded whole.
constexpr std::size_t MaxFileBytes = 16 * 1024 * 1024;

} // namespace

std::string_view engineName(Engine engine)
{
    return engine == Engine::Ags ? "AGS" : "ScummVM";
}

std::string engineCheckLine(std::string_view label, const EngineCheck& check)
{
    std::string line = std::string(label) + ": " + std::string(engineName(check.engine)) + ": ";
    switch (check.verdict) {
    case EngineVerdict::Loads:
        line += "loads";
        break;
    case EngineVerdict::Changed:
        line += "loads with changes: ";
        break;
    case EngineVerdict::Refused:
        line += "refused: ";
        break;
    }
    for (std::size_t i = 0; i < check.reasons.size(); ++i)
        line += (i == 0 ? "" : "; ") + check.reasons[i];
    for (const std::string& note : check.notes)
        line += "; note: " + note;
    return line;
}

FileError checkFontFile(const std::string& path, std::vector<EngineCheck>& checks)
{
    checks.clear();
    std::string extension = std::filesystem::path(path).extension().string();
    if (!extension.empty())
        extension.erase(0, 1);
    const FontFormat byExtension = formatForExtension(extension, std::filesystem::path(path).stem().string());

    // Read even when no engine reads the format, so a missing file is reported.
    std::vector<std::uint8_t> bytes;
    if (FileError error = readWholeFile(path, MaxFileBytes, bytes); error != FileError::None)
        return error;
    // A .fon or .fnt patch file is checked as the SCI font its first byte says it is.
    const FontFormat format = formatToRead(byExtension, path);
    if (format != FontFormat::Wfn && format != FontFormat::Sci)
        return FileError::None;
    checks.push_back(format == FontFormat::Wfn ? checkWithAgs(bytes) : checkWithScummVm(bytes));
    return FileError::None;
}

std::vector<std::string> engineWarnings(const std::string& path)
{
    std::vector<EngineCheck> checks;
    if (FileError error = checkFontFile(path, checks); error != FileError::None)
        return { path + ": cannot read the saved file back to check it: " + describe(FileResult::failed(error)) };
    std::vector<std::string> lines;
    for (const EngineCheck& check : checks)
        if (check.verdict != EngineVerdict::Loads)
            lines.push_back(engineCheckLine(path, check));
    return lines;
}

} // namespace glyphsmith
