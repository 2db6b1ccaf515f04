#include "platform/framework/TkMemFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

TEST(TkMemFile, ReadsStopAtTheEnd)
{
    CTkMemFile file(Bytes{1, 2, 3, 4, 5});
    std::uint8_t buffer[4] = {};
    EXPECT_EQ(file.Read(buffer, 3), 3u);
    EXPECT_EQ(buffer[2], 3);
    EXPECT_EQ(file.Read(buffer, 4), 2u);
    EXPECT_EQ(buffer[0], 4);
    EXPECT_EQ(buffer[1], 5);
    EXPECT_EQ(file.GetPosition(), 5u);
    EXPECT_EQ(file.Read(buffer, 4), 0u);
    file.SeekToBegin();
    EXPECT_EQ(file.Read(buffer, 1), 1u);
    EXPECT_EQ(buffer[0], 1);
}

TEST(TkMemFile, WritesOverwriteThenGrow)
{
    CTkMemFile file(Bytes{1, 2, 3});
    const std::uint8_t first[] = {9};
    file.Write(first, 1);
    const std::uint8_t more[] = {7, 7, 7, 7};
    file.Write(more, 4);
    EXPECT_EQ(file.GetBytes(), (Bytes{9, 7, 7, 7, 7}));
    EXPECT_EQ(file.GetPosition(), 5u);
    file.Write(more, 0);
    EXPECT_EQ(file.GetLength(), 5u);
}

TEST(TkMemFile, ImpossibleGrowthIsAFileException)
{
    CTkMemFile file;
    EXPECT_THROW(file.SetLength(~std::uint64_t(0)), CTkFileException);
    EXPECT_EQ(file.GetLength(), 0u);
}
