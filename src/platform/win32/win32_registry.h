#pragma once

// The file-class registry of the current user, HKEY_CURRENT_USER\Software\Classes,
// which Windows merges into HKEY_CLASSES_ROOT and which needs no
// administrator's rights. Keys are handed out as small numbers.

#include <map>
#include <optional>
#include <string_view>

#include "platform/window_system.h"
#include "platform/win32/win32_handles.h"

namespace glyphsmith {

class Win32Registry {
public:
    std::optional<RegistryKey> createClassKey(std::string_view name);
    void setDefaultValue(RegistryKey key, std::string_view subkeyPath, std::string_view value);
    // Closes the key; the shell is told the associations changed once the last
    // open key is closed.
    void closeKey(RegistryKey key);

private:
    std::map<int, UniqueKey> keys_;
    int nextHandle_ = 1;
    bool changed_ = false;
};

} // namespace glyphsmith
