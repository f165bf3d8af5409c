// Settings kept between runs, on Win32: string values of the current user's
// registry key HKEY_CURRENT_USER\Software\Glyphsmith, one value per name.

#include <string>
#include <vector>

#include "platform/win32/utf16.h"
#include "platform/win32/win32_window_system.h"

namespace glyphsmith {

namespace {

constexpr wchar_t SettingsKey[] = L"Software\\Glyphsmith";

} // namespace

std::string Win32WindowSystem::setting(std::string_view name)
{
    const std::wstring valueName = toUtf16(name);
    DWORD size = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, SettingsKey, valueName.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size)
            != ERROR_SUCCESS
        || size == 0)
        return {};
    // The size counts bytes and the ending zero.
    std::vector<wchar_t> value(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CURRENT_USER, SettingsKey, valueName.c_str(), RRF_RT_REG_SZ, nullptr, value.data(), &size)
        != ERROR_SUCCESS)
        return {};
    return toUtf8(value.data());
}

void Win32WindowSystem::setSetting(std::string_view name, std::string_view value)
{
    HKEY opened = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr)
        != ERROR_SUCCESS)
        return;
    const UniqueKey key(opened);
    const std::wstring text = toUtf16(value);
    ::RegSetValueExW(key.get(), toUtf16(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::string Win32WindowSystem::systemCodePage()
{
    // The ANSI code page: "cp1252", "cp1251", ... (and cp874 for Thai).
    return "cp" + std::to_string(::GetACP());
}

} // namespace glyphsmith
