#include "font/font_format.h"

#include <gtest/gtest.h>

namespace glyphsmith {
namespace {

TEST(FontFormat, ChoosesByWholeExtensionIgnoringCaseAndTakesSciForAnyOther)
{
    const std::pair<const char*, FontFormat> cases[] = {
        { "BMP", FontFormat::Bmp }, { "TtF", FontFormat::Ttf }, { "Wfn", FontFormat::Wfn }, { "", FontFormat::Sci },
        { "001", FontFormat::Sci }, { "wfn2", FontFormat::Sci }, { ".wfn", FontFormat::Sci }, { "wf", FontFormat::Sci },
        { "bmpx", FontFormat::Sci }, { "fonts\\font", FontFormat::Sci },
    };
    for (auto [extension, format] : cases)
        EXPECT_EQ(formatForExtension(extension), format) << extension;
}

} // namespace
} // namespace glyphsmith
