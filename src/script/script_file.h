// Script mode from the command line: the script in a file, or standard input for `-`.
#pragma once

#include <string>

namespace quillon::script {

// Runs the script in `file` (`-`: standard input) on standard output and standard error;
// returns the exit status: 2 when the file cannot be read, 3 when the output could not be
// written.
int RunScriptFile(const std::string& file);

}  // namespace quillon::script
