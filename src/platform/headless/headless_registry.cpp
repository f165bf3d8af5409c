#include "platform/headless/headless_registry.h"

#include <vector>

namespace glyphsmith {

namespace {

std::string folded(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return result;
}

// The non-empty parts of a path between backslashes.
std::vector<std::string_view> pathParts(std::string_view path)
{
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        std::size_t end = path.find('\\');
        std::string_view part = path.substr(0, end);
        if (!part.empty())
            parts.push_back(part);
        path = end == std::string_view::npos ? std::string_view() : path.substr(end + 1);
    }
    return parts;
}

// The path as stored for lookups: parts joined by single backslashes, folded.
std::string lookupPath(std::string_view path)
{
    std::string joined;
    for (std::string_view part : pathParts(path)) {
        if (!joined.empty())
            joined += '\\';
        joined += part;
    }
    return folded(joined);
}

} // namespace

std::string HeadlessRegistry::createPath(std::string_view path)
{
    std::string built;
    for (std::string_view part : pathParts(path)) {
        if (!built.empty())
            built += '\\';
        built += part;
        keys_.try_emplace(folded(built), Key { built, std::nullopt });
    }
    return folded(built);
}

std::optional<RegistryKey> HeadlessRegistry::createClassKey(std::string_view name)
{
    if (pathParts(name).empty() || failingNames_.contains(lookupPath(name)))
        return std::nullopt;
    int handle = nextHandle_++;
    openKeys_[handle] = createPath(name);
    return RegistryKey { handle };
}

void HeadlessRegistry::setDefaultValue(RegistryKey key, std::string_view subkeyPath, std::string_view value)
{
    auto open = openKeys_.find(key.handle);
    if (open == openKeys_.end())
        return;
    std::string path = keys_.at(open->second).path;
    if (!pathParts(subkeyPath).empty())
        path += '\\' + std::string(subkeyPath);
    keys_.at(createPath(path)).value = std::string(value);
}

void HeadlessRegistry::closeKey(RegistryKey key)
{
    openKeys_.erase(key.handle);
}

void HeadlessRegistry::failCreateKey(std::string_view name)
{
    failingNames_.insert(lookupPath(name));
}

bool HeadlessRegistry::hasKey(std::string_view path) const
{
    return keys_.contains(lookupPath(path));
}

std::optional<std::string> HeadlessRegistry::defaultValue(std::string_view path) const
{
    auto found = keys_.find(lookupPath(path));
    return found == keys_.end() ? std::nullopt : found->second.value;
}

std::map<std::string, std::optional<std::string>> HeadlessRegistry::keys() const
{
    std::map<std::string, std::optional<std::string>> result;
    for (const auto& [foldedPath, key] : keys_)
        result[key.path] = key.value;
    return result;
}

} // namespace glyphsmith
