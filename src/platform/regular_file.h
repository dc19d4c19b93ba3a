// A regular file opened to read its headers, as the checks of sounds and modules do.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace quillon::platform {

class RegularFile {
 public:
  // Opening never blocks: a FIFO without a writer or a device is refused at once, as is anything
  // but a regular file, since reading it could wait or never end.
  explicit RegularFile(const std::filesystem::path& file);
  ~RegularFile();
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  bool IsOpen() const { return descriptor_ >= 0; }
  // Why the file is not open: the system's message, or "it is no regular file".
  const std::string& Refusal() const { return refusal_; }
  std::uint64_t Size() const { return size_; }

  // Reads exactly `bytes.size()` bytes at `offset`; false when the file ends before.
  bool ReadAt(std::uint64_t offset, std::span<unsigned char> bytes) const;

 private:
  // The file's first bytes, read once when it is opened: the headers the checks read one after
  // another mostly lie there, and each read of the system is costly where the system is far
  // (the game compiled for node).
  static constexpr std::size_t kHeadBytes = 256;

  bool ReadFromFile(std::uint64_t offset, std::span<unsigned char> bytes) const;

  int descriptor_ = -1;
  std::uint64_t size_ = 0;
  std::string refusal_;
  std::vector<unsigned char> head_;
};

}  // namespace quillon::platform
