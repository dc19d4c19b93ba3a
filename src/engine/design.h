// Screen and control designs: what a screen looks like before anything happens to it.
// Every screen of the game is declared as one of these, and every unload brings a screen
// back to exactly these values.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::engine {

class ScreenManager;

// Positions and sizes are in twips: 15 to a pixel on the 1024 x 768 desktop.
constexpr int kTwipsPerPixel = 15;
constexpr int kDesktopWidth = 15360;
constexpr int kDesktopHeight = 11520;

constexpr int Pixels(int pixels) {
  return pixels * kTwipsPerPixel;
}

struct Color {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(Color, Color) = default;
};

namespace colors {
inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kTitle{95, 176, 237};        // titles and bypass routes
inline constexpr Color kText{17, 116, 225};         // ordinary texts and values
inline constexpr Color kButtonText{169, 213, 245};  // texts under an image click area
inline constexpr Color kErrorTitle{255, 128, 128};
inline constexpr Color kErrorText{255, 192, 192};
}  // namespace colors

enum class ControlKind {
  PictureBox,
  Image,
  Label,
  CommandButton,
  TextBox,
  CheckBox,
  Frame,
  Shape,
  Line,
  Timer,
  ProgressBar,
};

std::string_view KindName(ControlKind kind);

enum class Alignment { Left, Centre, Right };

struct ControlDesign {
  std::string name;
  ControlKind kind = ControlKind::Label;
  // The control's rectangle; a line runs from (left, top) to (x2, y2) instead.
  int left = 0, top = 0, width = 0, height = 0;
  int x2 = 0, y2 = 0;
  std::string caption;  // label, button, frame and check box caption; a text box's text
  Color foreColor = colors::kText;
  double fontPoints = 8.25;
  bool bold = false;
  bool visible = true;
  bool enabled = true;    // a timer's Enabled
  bool autoSize = false;  // a label that grows with its text
  bool wordWrap = false;
  Alignment alignment = Alignment::Left;
  std::string picture;  // artwork name, see assets/
  std::string tooltip;
  int interval = 0;  // a timer's interval in ms
  double value = 0;  // a check box's 0/1, a progress bar's value
  double min = 0, max = 100;
  int lineWidth = 1;

  // Modifiers, so that a screen's design reads like a table.
  ControlDesign& Title();       // light blue, bold
  ControlDesign& ButtonText();  // pale blue, bold: a text under a click area
  ControlDesign& Bold();
  ControlDesign& Regular();
  ControlDesign& Points(double points);
  ControlDesign& Colour(Color color);
  ControlDesign& Hidden();
  ControlDesign& Disabled();
  ControlDesign& Tip(std::string text);
  ControlDesign& Grow();  // sized to its text
  ControlDesign& Wrap();
  ControlDesign& Centred();
  ControlDesign& Width(int lineWidth);
};

ControlDesign Label(std::string name, int left, int top, std::string caption);
ControlDesign Label(std::string name, int left, int top, int width, int height,
                    std::string caption);
ControlDesign Picture(std::string name, int left, int top, int width, int height,
                      std::string picture);
ControlDesign Image(std::string name, int left, int top, int width, int height);
ControlDesign Button(std::string name, int left, int top, int width, int height,
                     std::string caption, std::string picture);
ControlDesign TextBox(std::string name, int left, int top, int width, int height);
ControlDesign CheckBox(std::string name, std::string caption);
ControlDesign Frame(std::string name, int left, int top, int width, int height,
                    std::string caption);
ControlDesign Shape(std::string name, int left, int top, int width, int height);
ControlDesign Line(std::string name, int x1, int y1, int x2, int y2);
ControlDesign Timer(std::string name, int intervalMs, bool enabled);
ControlDesign ProgressBar(std::string name, int left, int top, int width, int height);

using Handler = std::function<void(ScreenManager&)>;
// A key-press handler may change the character code; 0 swallows the key.
using KeyPressHandler = std::function<void(ScreenManager&, int& keyAscii)>;

enum class Placement { Manual, Centred };

struct ScreenDesign {
  std::string name;
  std::string caption;
  int left = 0, top = 0, width = 0, height = 0;
  Placement placement = Placement::Manual;
  bool enabled = true;
  std::string icon;
  Color backColor = colors::kBlack;
  std::vector<ControlDesign> controls;  // design order: earlier lies on top

  Handler load;
  std::map<std::string, Handler, std::less<>> click;
  std::map<std::string, Handler, std::less<>> tick;
  std::map<std::string, Handler, std::less<>> change;
  std::map<std::string, KeyPressHandler, std::less<>> keyPress;

  // Where the screen stands on the desktop: centred screens are centred on 15360 x 11520.
  int Left() const;
  int Top() const;
  const ControlDesign* Find(std::string_view control) const;
  int IndexOf(std::string_view control) const;  // -1 when there is no such control
};

// A screen placed at its stored left and top, or centred on the desktop.
ScreenDesign ManualScreen(std::string name, std::string caption, int left, int top, int width,
                          int height);
ScreenDesign CentredScreen(std::string name, std::string caption, int width, int height);

class ScreenRegistry {
 public:
  void Add(ScreenDesign design);
  const ScreenDesign* Find(std::string_view name) const;
  std::vector<std::string> Names() const;

 private:
  std::map<std::string, ScreenDesign, std::less<>> designs_;
};

}  // namespace quillon::engine
