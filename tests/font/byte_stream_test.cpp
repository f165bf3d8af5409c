#include "font/byte_stream.h"

#include <gtest/gtest.h>

#include <array>

namespace glyphsmith {
namespace {

TEST(ByteReader, ReadsLittleEndianValues)
{
    const std::array<std::uint8_t, 7> bytes{ 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xff };
    ByteReader reader(bytes);
    EXPECT_EQ(reader.u16le(), 0x1234);
    EXPECT_EQ(reader.u32le(), 0x12345678u);
    EXPECT_EQ(reader.u8(), 0xff);
    EXPECT_FALSE(reader.overran());
    EXPECT_EQ(reader.remaining(), 0u);
}

TEST(ByteReader, ReadingExactlyToTheEndIsNotAnOverrun)
{
    const std::array<std::uint8_t, 4> bytes{ 1, 2, 3, 4 };
    ByteReader reader(bytes);
    reader.seek(4);
    EXPECT_FALSE(reader.overran());
    reader.seek(2);
    EXPECT_EQ(reader.bytes(2).size(), 2u);
    EXPECT_FALSE(reader.overran());
}

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

TEST(ByteWriter, WritesLittleEndianAndPatchesInPlace)
{
    ByteWriter writer;
    writer.u8(0x87);
    writer.u16le(0);
    writer.u32le(3790);
    writer.patchU16le(1, 657);
    const std::vector<std::uint8_t> expected{ 0x87, 0x91, 0x02, 0xce, 0x0e, 0x00, 0x00 };
    EXPECT_EQ(writer.bytes(), expected);
}

} // namespace
} // namespace glyphsmith
