#pragma once

// An in-memory stand-in for the file-class root of the registry. Keys are
// named by paths with "\\" between the parts (".wfn", "Glyphsmith\\shell\\open\\command")
// and, as in the real registry, compared without regard to ASCII case.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "platform/window_system.h"

namespace glyphsmith {

class HeadlessRegistry {
public:
    // --- What the window system calls ---

    std::optional<RegistryKey> createClassKey(std::string_view name);
    // A handle that is not open is ignored, as the real call fails on it.
    void setDefaultValue(RegistryKey key, std::string_view subkeyPath, std::string_view value);
    void closeKey(RegistryKey key);

    // --- What tests set and look at ---

    // Makes createClassKey fail for `name` from now on.
    void failCreateKey(std::string_view name);

    bool hasKey(std::string_view path) const;
    // The default value of the key at `path`; nullopt when the key or its value is missing.
    std::optional<std::string> defaultValue(std::string_view path) const;
    // Every key, by path as first created, with its default value if set.
    std::map<std::string, std::optional<std::string>> keys() const;
    // Keys created or opened and not closed yet.
    int openKeyCount() const { return static_cast<int>(openKeys_.size()); }

private:
    struct Key {
        std::string path; // as first created
        std::optional<std::string> value;
    };

    // Creates the key and every missing key above it; returns its folded path.
    std::string createPath(std::string_view path);

    std::map<std::string, Key> keys_; // by path folded to lower case
    std::map<int, std::string> openKeys_; // handle to folded path
    std::set<std::string> failingNames_; // folded
    int nextHandle_ = 1;
};

} // namespace glyphsmith
