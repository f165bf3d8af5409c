#include "platform/win32/win32_registry.h"

#include <shlobj.h>

#include "platform/win32/utf16.h"

namespace glyphsmith {

namespace {

UniqueKey createKey(HKEY parent, const std::wstring& path)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key,
            nullptr)
        != ERROR_SUCCESS)
        return nullptr;
    return UniqueKey(key);
}

} // namespace

std::optional<RegistryKey> Win32Registry::createClassKey(std::string_view name)
{
    UniqueKey key = createKey(HKEY_CURRENT_USER, L"Software\\Classes\\" + toUtf16(name));
    if (!key)
        return std::nullopt;
    const int handle = nextHandle_++;
    keys_[handle] = std::move(key);
    return RegistryKey { handle };
}

void Win32Registry::setDefaultValue(RegistryKey key, std::string_view subkeyPath, std::string_view value)
{
    auto found = keys_.find(key.handle);
    if (found == keys_.end())
        return;
    UniqueKey subkey;
    HKEY target = found->second.get();
    if (!subkeyPath.empty()) {
        subkey = createKey(target, toUtf16(subkeyPath));
        if (!subkey)
            return;
        target = subkey.get();
    }
    const std::wstring wide = toUtf16(value);
    // The editor writes its keys at every start; a value already in place is
    // left alone, so the shell is told of a change only when there is one.
    wchar_t existing[1024];
    DWORD existingBytes = sizeof existing;
    if (::RegGetValueW(target, nullptr, nullptr, RRF_RT_REG_SZ, nullptr, existing, &existingBytes) == ERROR_SUCCESS
        && existing == wide)
        return;
    const DWORD bytes = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
    if (::RegSetValueExW(target, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()), bytes) == ERROR_SUCCESS)
        changed_ = true;
}

void Win32Registry::closeKey(RegistryKey key)
{
    keys_.erase(key.handle);
    if (keys_.empty() && changed_) {
        changed_ = false;
        // Explorer picks up the new icons and open commands without a restart.
        ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    }
}

} // namespace glyphsmith
