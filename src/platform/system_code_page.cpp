#include "platform/system_code_page.h"

#include <cstdlib>

namespace glyphsmith {

namespace {

struct LanguagePage {
    std::string_view language;
    std::string_view page;
};

// Windows' ANSI code page for each language that does not use cp1252.
constexpr LanguagePage LanguagePages[] = {
    { "cs", "cp1250" }, { "sk", "cp1250" }, { "pl", "cp1250" }, { "hu", "cp1250" }, { "sl", "cp1250" },
    { "hr", "cp1250" }, { "bs", "cp1250" }, { "ro", "cp1250" }, { "sq", "cp1250" },
    { "ru", "cp1251" }, { "uk", "cp1251" }, { "be", "cp1251" }, { "bg", "cp1251" }, { "mk", "cp1251" },
    { "sr", "cp1251" }, { "kk", "cp1251" }, { "ky", "cp1251" }, { "tt", "cp1251" }, { "mn", "cp1251" },
    { "el", "cp1253" }, { "tr", "cp1254" }, { "az", "cp1254" }, { "he", "cp1255" }, { "yi", "cp1255" },
    { "ar", "cp1256" }, { "fa", "cp1256" }, { "ur", "cp1256" }, { "lt", "cp1257" }, { "lv", "cp1257" },
    { "et", "cp1257" }, { "vi", "cp1258" }, { "th", "cp874" },
};

} // namespace

std::string codePageForLocale(std::string_view locale)
{
    const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
    // Serbian in Latin letters is written in cp1250, in Cyrillic in cp1251.
    if (language == "sr" && locale.find("@latin") != std::string_view::npos)
        return "cp1250";
    for (const LanguagePage& entry : LanguagePages)
        if (entry.language == language)
            return std::string(entry.page);
    return "cp1252";
}

std::string environmentLocale()
{
    for (const char* name : { "LC_ALL", "LC_CTYPE", "LANG" })
        if (const char* value = std::getenv(name); value && *value)
            return value;
    return {};
}

} // namespace glyphsmith
