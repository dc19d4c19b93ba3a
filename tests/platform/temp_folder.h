// A fresh folder of the test's own under the system's temporary folder, for the files it checks.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace quillon::platform {

class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() /
        ("quillon-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path Write(const std::string& name, const std::string& bytes) {
    std::filesystem::path file = folder_ / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
  }

  std::filesystem::path folder_;
};

}  // namespace quillon::platform
