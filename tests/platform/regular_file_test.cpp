#include "platform/regular_file.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "temp_folder.h"

namespace quillon::platform {
namespace {

using RegularFileTest = TempFolderTest;

std::string Read(const RegularFile& file, std::uint64_t offset, std::size_t count) {
  std::string bytes(count, '\0');
  const bool read = file.ReadAt(offset, {reinterpret_cast<unsigned char*>(bytes.data()), count});
  return read ? bytes : "<none>";
}

TEST_F(RegularFileTest, ReadsEveryPartOfAFileWhereverItLies) {
  // 1000 bytes: "0123456789" a hundred times.
  std::string text;
  for (int i = 0; i < 100; ++i) text += "0123456789";
  const RegularFile file(Write("long.bin", text));
  ASSERT_TRUE(file.IsOpen());
  EXPECT_EQ(file.Size(), 1000u);
  EXPECT_EQ(Read(file, 0, 12), "012345678901");
  EXPECT_EQ(Read(file, 250, 12), "012345678901");  // across the first part read at opening
  EXPECT_EQ(Read(file, 994, 6), "456789");          // the very end
  EXPECT_EQ(Read(file, 995, 6), "<none>");          // past it
  EXPECT_EQ(Read(file, 5000, 1), "<none>");
  EXPECT_EQ(Read(file, 1000, 0), "");
}

TEST_F(RegularFileTest, AShortFileEndsWhereItEnds) {
  const RegularFile file(Write("short.bin", "RIFF"));
  ASSERT_TRUE(file.IsOpen());
  EXPECT_EQ(Read(file, 0, 4), "RIFF");
  EXPECT_EQ(Read(file, 2, 2), "FF");
  EXPECT_EQ(Read(file, 0, 5), "<none>");
  EXPECT_EQ(Read(file, 4, 1), "<none>");
}

TEST_F(RegularFileTest, WhatIsNoRegularFileIsNotOpened) {
  EXPECT_FALSE(RegularFile(folder_).IsOpen());
  EXPECT_EQ(RegularFile(folder_).Refusal(), "it is no regular file");
  EXPECT_FALSE(RegularFile(folder_ / "missing").IsOpen());
  EXPECT_EQ(RegularFile(folder_ / "missing").Refusal(), "No such file or directory");
}

}  // namespace
}  // namespace quillon::platform
