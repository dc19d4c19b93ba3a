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
  const std::filesystem::path candidates[] = {
      *executableFolder / "data",
      (*executableFolder / ".." / "share" / "games" / "quillon" / "data").lexically_normal(),
  };
  for (const std::filesystem::path& candidate : candidates) {
    std::error_code error;
    if (std::filesystem::is_directory(candidate, error)) return candidate;
  }
  return (*executableFolder / ".." / "share" / "quillon" / "data").lexically_normal();
}

std::string OverrideFolderProblem(const std::filesystem::path& folder) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(folder, error);
  if (std::filesystem::is_directory(status)) return {};
  const std::string named = "QUILLON_DATA_DIR names " + folder.string();
  const std::string outcome = "; the game plays without its sounds";
  if (std::filesystem::exists(status)) return named + ", which is not a folder" + outcome;
  if (error && error != std::errc::no_such_file_or_directory &&
      error != std::errc::not_a_directory) {
    return named + ", which cannot be read (" + error.message() + ")" + outcome;
  }
  return named + ", which does not exist" + outcome;
}

std::filesystem::path SoundFolder() {
  // Script mode and the window's replay each look for the folder more than once: each problem
  // is told once.
  const char* variable = std::getenv("QUILLON_DATA_DIR");
  const std::filesystem::path overrideFolder = variable ? variable : "";
  if (!overrideFolder.empty()) {
    static std::once_flag toldOverride;
    std::call_once(toldOverride, [&overrideFolder] {
      const std::string problem = OverrideFolderProblem(overrideFolder);
      if (!problem.empty()) std::cerr << "quillon: " << problem << '\n';
    });
  }
  const std::optional<std::filesystem::path> folder =
      LocateSoundFolder(ExecutableFolder(), overrideFolder);
  if (folder) return *folder;
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
