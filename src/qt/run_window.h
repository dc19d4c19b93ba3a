// The game in its window: the platform's event loop runs the game until it ends.
#pragma once

#include <string>

namespace quillon::qt {

struct WindowOptions {
  bool windowed = false;   // start in the 1024 x 768 window instead of full screen
  std::string recordFile;  // where the game is recorded as a script; empty for nowhere
};

// Shows the game's window and runs it; returns the program's exit status.
int RunWindow(int argc, char** argv, const WindowOptions& options);

}  // namespace quillon::qt
