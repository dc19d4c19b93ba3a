// The game in its window: the platform's event loop runs the game until it ends.
#pragma once

namespace quillon {

// Shows the game's window full screen and runs it; returns the program's exit status.
int RunWindow(int argc, char** argv);

}  // namespace quillon
