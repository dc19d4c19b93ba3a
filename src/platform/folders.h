// Where the game's own files lie: its executable, its sounds and its modules. Each is found from
// the executable's folder, never from the working directory, so that a sound or a module someone
// placed there is never taken for the game's.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::platform {

// The folder of the running executable, from /proc/self/exe; nothing where that cannot be read.
std::optional<std::filesystem::path> ExecutableFolder();

// Why ExecutableFolder() has nothing, in the player's words.
inline constexpr std::string_view kNoExecutableFolder =
    "the game's own folder cannot be known (/proc is not mounted)";

// Where the game's sounds lie: `overrideFolder` when given (the player's QUILLON_DATA_DIR),
// else `data` beside the executable when it is there (a build tree), else, relative to the
// executable, `../share/games/quillon/data` when it is there (Debian's place for a game's data),
// else `../share/quillon/data` (an installed tree, under any prefix).
// Nothing without an override when the executable's folder is not known.
std::optional<std::filesystem::path> LocateSoundFolder(
    const std::optional<std::filesystem::path>& executableFolder,
    const std::filesystem::path& overrideFolder = {});

// What is wrong with the folder the player named for the sounds, in the player's words; empty
// when it is a folder.
std::string OverrideFolderProblem(const std::filesystem::path& folder);

// The same, with the override taken from the environment. Empty when there is none: the game
// then says once on standard error why it has no sounds, and SoundFile finds none. A
// QUILLON_DATA_DIR that names no folder is also told once; the game then plays without sounds.
std::filesystem::path SoundFolder();

// A module of the game's own, `file`: beside the executable when it is there (a build tree),
// else in `installedFolder` relative to the executable's folder (an installed tree).
std::filesystem::path LocateModule(const std::filesystem::path& executableFolder,
                                   const std::filesystem::path& installedFolder,
                                   const std::string& file);

// The file of a sound that the game names by its path in the `data` folder ("data/ip.dat").
// Empty when `soundFolder` is: a path relative to the working directory would find a sound there.
std::filesystem::path SoundFile(const std::filesystem::path& soundFolder, const std::string& path);

}  // namespace quillon::platform
