#include "font/font_format.h"

#include <gtest/gtest.h>

namespace glyphsmith {
namespace {

TEST(FontFormat, ChoosesByWholeExtensionIgnoringCase)
{
    EXPECT_EQ(formatForExtension("bmp"), FontFormat::Bmp);
    EXPECT_EQ(formatForExtension("BMP"), FontFormat::Bmp);
    EXPECT_EQ(formatForExtension("ttf"), FontFormat::Ttf);
    EXPECT_EQ(formatForExtension("TtF"), FontFormat::Ttf);
    EXPECT_EQ(formatForExtension("wfn"), FontFormat::Wfn);
    EXPECT_EQ(formatForExtension("Wfn"), FontFormat::Wfn);
}

TEST(FontFormat, EverythingElseIsSci)
{
    for (const char* extension : { "", "0", "001", "wfn2", ".wfn", "wf", "txt", "bmpx", "fonts\\font" })
        EXPECT_EQ(formatForExtension(extension), FontFormat::Sci) << extension;
}

} // namespace
} // namespace glyphsmith
