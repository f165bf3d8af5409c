#include <gtest/gtest.h>

#include <string>

#include "font/code_pages.h"
#include "iconv_reference.h"

namespace glyphsmith {
namespace {

TEST(CodePages, MapEveryUpperByteAsIconvDoesAndBack)
{
    ASSERT_EQ(codePageNames().size(), 15u);
    for (const std::string_view nameView : codePageNames()) {
        const std::string name(nameView);
        const CodePage* page = findCodePage(name);
        ASSERT_NE(page, nullptr) << name;
        for (int byte = 128; byte < 256; ++byte) {
            const std::optional<char32_t> unicode = unicodeOf(*page, static_cast<std::uint8_t>(byte));
            ASSERT_EQ(unicode, iconvUnicodeOf(name.c_str(), byte)) << name << " byte " << byte;
            if (unicode)
                EXPECT_EQ(byteOf(*page, *unicode), std::optional<std::uint8_t>(byte)) << name << " byte " << byte;
        }
    }
    EXPECT_EQ(findCodePage("KOI8-R"), findCodePage("koi8-r"));
    EXPECT_EQ(findCodePage("unicode"), nullptr);
}

} // namespace
} // namespace glyphsmith
