#include "font/byte_stream.h"

#include <gtest/gtest.h>

#include <array>

namespace glyphsmith {
namespace {

TEST(ByteReader, OverrunsYieldZeroAndStaySet)
{
    const std::array<std::uint8_t, 3> bytes{ 0xaa, 0xbb, 0xcc };
    ByteReader reader(bytes);
    reader.skip(2);
    EXPECT_EQ(reader.u16le(), 0x00cc); // the missing high byte reads as 0
    EXPECT_TRUE(reader.overran());
    reader.seek(0);
    EXPECT_EQ(reader.u8(), 0xaa);
    EXPECT_TRUE(reader.overran());

    ByteReader seeking(bytes);
    seeking.seek(4);
    EXPECT_TRUE(seeking.overran());

    ByteReader block(bytes);
    EXPECT_TRUE(block.bytes(4).empty());
    EXPECT_TRUE(block.overran());
}

} // namespace
} // namespace glyphsmith
