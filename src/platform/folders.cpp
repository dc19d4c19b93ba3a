#include "platform/folders.h"

#include <cstdlib>
#include <iostream>
#include <mutex>
#include <system_error>

namespace quillon::platform {

std::optional<std::filesystem::path> ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::nullopt;
  return self.parent_path();
}

std::optional<std::filesystem::path> LocateSoundFolder(
    const std::optional<std::filesystem::path>& executableFolder,
    const std::filesystem::path& overrideFolder) {
  if (!overrideFolder.empty()) return overrideFolder;
  if (!executableFolder) return std::nullopt;
  std::error_code error;
  const std::filesystem::path beside = *executableFolder / "data";
  if (std::filesystem::is_directory(beside, error)) return beside;
  return (*executableFolder / ".." / "share" / "quillon" / "data").lexically_normal();
}

std::filesystem::path SoundFolder() {
  const char* variable = std::getenv("QUILLON_DATA_DIR");
  const std::optional<std::filesystem::path> folder =
      LocateSoundFolder(ExecutableFolder(), variable ? variable : "");
  if (folder) return *folder;
  // Script mode and the window's replay each look for the folder more than once.
  static std::once_flag told;
  std::call_once(told, [] {
    std::cerr << "quillon: no sounds: " << kNoExecutableFolder
              << "; set QUILLON_DATA_DIR to the folder of its sounds\n";
  });
  return {};
}

std::filesystem::path LocateModule(const std::filesystem::path& executableFolder,
                                   const std::filesystem::path& installedFolder,
                                   const std::string& file) {
  std::error_code error;
  const std::filesystem::path beside = executableFolder / file;
  if (std::filesystem::exists(beside, error)) return beside;
  return (executableFolder / ".." / installedFolder / file).lexically_normal();
}

std::filesystem::path SoundFile(const std::filesystem::path& soundFolder, const std::string& path) {
  if (soundFolder.empty()) return {};
  const std::filesystem::path relative(path);
  auto part = relative.begin();
  if (part == relative.end() || *part != "data") return soundFolder / relative;
  std::filesystem::path file = soundFolder;
  for (++part; part != relative.end(); ++part) file /= *part;
  return file;
}

}  // namespace quillon::platform
