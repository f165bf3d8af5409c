// The code page a Linux locale stands for: the one Windows would use for the
// locale's language.

#include <gtest/gtest.h>

#include "platform/system_code_page.h"

namespace glyphsmith {
namespace {

TEST(SystemCodePage, FollowsTheLocalesLanguageAndIsCp1252ForEveryOther)
{
    const struct {
        const char* locale;
        const char* page;
    } rows[] = {
        { "cs_CZ.UTF-8", "cp1250" }, { "pl_PL", "cp1250" }, { "ru_RU.UTF-8", "cp1251" }, { "uk_UA.KOI8-U", "cp1251" },
        { "el_GR.UTF-8", "cp1253" }, { "tr_TR", "cp1254" }, { "he_IL.UTF-8", "cp1255" }, { "ar_EG", "cp1256" },
        { "lt_LT", "cp1257" }, { "vi", "cp1258" }, { "th_TH.UTF-8", "cp874" }, { "sr_RS", "cp1251" }, { "sr_RS@latin", "cp1250" },
        { "de_DE.UTF-8", "cp1252" }, { "en_US", "cp1252" }, { "C", "cp1252" }, { "POSIX", "cp1252" }, { "", "cp1252" },
        { "csb_PL", "cp1252" }, // Kashubian: a language of its own, not Czech
    };
    for (const auto& row : rows)
        EXPECT_EQ(codePageForLocale(row.locale), row.page) << row.locale;
}

} // namespace
} // namespace glyphsmith
