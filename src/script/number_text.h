// How script mode prints a number: the shortest text that reads back as the same double, in
// fixed or scientific notation, whichever is shorter (fixed on a tie), as std::to_chars writes
// it. Written out here because not every standard library a build of the game uses has the
// floating-point std::to_chars (the browser's has not).
#pragma once

#include <string>

namespace quillon::script {

std::string ShortestText(double value);

}  // namespace quillon::script
