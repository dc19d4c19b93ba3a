// The check of a module of the game's own before the dynamic loader maps it: the loader trusts
// the file, and one cut short by a failed copy or a full disk ends the game with SIGBUS.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quillon::platform {

// Why `file` must not be loaded as a module of this build, in a few words ("it is cut short");
// nothing when it may be: a regular file holding a shared library for this machine, word size
// and byte order whose headers and loaded segments all lie in the file. Reads only the headers
// and never blocks (a FIFO is refused at once).
std::optional<std::string> ModuleFileRefusal(const std::filesystem::path& file);

}  // namespace quillon::platform
