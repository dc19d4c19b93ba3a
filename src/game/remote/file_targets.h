// The three target computers with a file list: four rows of a file name, a date, Copy and
// Del. Copy and Del work only while the files wizard is open; the goal operations of
// missions 1 to 3 set the popularity, and the wrong deletion on comp3 gets the player caught.
#pragma once

#include "engine/design.h"

namespace quillon::game {

engine::ScreenDesign Comp1Screen();
engine::ScreenDesign Comp2Screen();
engine::ScreenDesign Comp3Screen();

}  // namespace quillon::game
