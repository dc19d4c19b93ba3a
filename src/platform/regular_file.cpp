#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quillon::platform {

RegularFile::RegularFile(const std::filesystem::path& file) {
  const int descriptor = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (descriptor < 0) {
    refusal_ = std::strerror(errno);
    return;
  }
  struct stat status {};
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    refusal_ = "it is no regular file";
    ::close(descriptor);
    return;
  }
  descriptor_ = descriptor;
  size_ = static_cast<std::uint64_t>(status.st_size);
  head_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size_, kHeadBytes)));
  if (!ReadFromFile(0, head_)) head_.clear();  // a file that shrank: each read asks the file
}

RegularFile::~RegularFile() {
  if (IsOpen()) ::close(descriptor_);
}

bool RegularFile::ReadAt(std::uint64_t offset, std::span<unsigned char> bytes) const {
  if (offset <= head_.size() && bytes.size() <= head_.size() - offset) {
    std::copy_n(head_.begin() + static_cast<std::ptrdiff_t>(offset), bytes.size(), bytes.begin());
    return true;
  }
  return ReadFromFile(offset, bytes);
}

bool RegularFile::ReadFromFile(std::uint64_t offset, std::span<unsigned char> bytes) const {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::pread(descriptor_, bytes.data() + done, bytes.size() - done,
                                static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace quillon::platform
