#include "engine/design.h"

#include <stdexcept>
#include <utility>

namespace quillon::engine {

std::string_view KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::PictureBox:
      return "picture box";
    case ControlKind::Image:
      return "image";
    case ControlKind::Label:
      return "label";
    case ControlKind::CommandButton:
      return "command button";
    case ControlKind::TextBox:
      return "text box";
    case ControlKind::CheckBox:
      return "check box";
    case ControlKind::Frame:
      return "frame";
    case ControlKind::Shape:
      return "shape";
    case ControlKind::Line:
      return "line";
    case ControlKind::Timer:
      return "timer";
    case ControlKind::ProgressBar:
      return "progress bar";
  }
  return "control";
}

ControlDesign& ControlDesign::Title() {
  foreColor = colors::kTitle;
  bold = true;
  return *this;
}

ControlDesign& ControlDesign::ButtonText() {
  foreColor = colors::kButtonText;
  bold = true;
  return *this;
}

ControlDesign& ControlDesign::Bold() {
  bold = true;
  return *this;
}

ControlDesign& ControlDesign::Regular() {
  bold = false;
  return *this;
}

ControlDesign& ControlDesign::Points(double points) {
  fontPoints = points;
  return *this;
}

ControlDesign& ControlDesign::Colour(Color color) {
  foreColor = color;
  return *this;
}

ControlDesign& ControlDesign::Hidden() {
  visible = false;
  return *this;
}

ControlDesign& ControlDesign::Disabled() {
  enabled = false;
  return *this;
}

ControlDesign& ControlDesign::Tip(std::string text) {
  tooltip = std::move(text);
  return *this;
}

ControlDesign& ControlDesign::Grow() {
  autoSize = true;
  return *this;
}

ControlDesign& ControlDesign::Wrap() {
  wordWrap = true;
  return *this;
}

ControlDesign& ControlDesign::Centred() {
  alignment = Alignment::Centre;
  return *this;
}

ControlDesign& ControlDesign::Width(int width) {
  lineWidth = width;
  return *this;
}

namespace {

ControlDesign Make(std::string name, ControlKind kind, int left, int top, int width, int height) {
  ControlDesign c;
  c.name = std::move(name);
  c.kind = kind;
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  return c;
}

}  // namespace

ControlDesign Label(std::string name, int left, int top, std::string caption) {
  ControlDesign c = Make(std::move(name), ControlKind::Label, left, top, 0, 0);
  c.caption = std::move(caption);
  c.autoSize = true;
  return c;
}

ControlDesign Label(std::string name, int left, int top, int width, int height,
                    std::string caption) {
  ControlDesign c = Make(std::move(name), ControlKind::Label, left, top, width, height);
  c.caption = std::move(caption);
  c.wordWrap = true;
  return c;
}

ControlDesign Picture(std::string name, int left, int top, int width, int height,
                      std::string picture) {
  ControlDesign c = Make(std::move(name), ControlKind::PictureBox, left, top, width, height);
  c.picture = std::move(picture);
  return c;
}

ControlDesign Image(std::string name, int left, int top, int width, int height) {
  return Make(std::move(name), ControlKind::Image, left, top, width, height);
}

ControlDesign Button(std::string name, int left, int top, int width, int height,
                     std::string caption, std::string picture) {
  ControlDesign c = Make(std::move(name), ControlKind::CommandButton, left, top, width, height);
  c.caption = std::move(caption);
  c.picture = std::move(picture);
  return c;
}

ControlDesign TextBox(std::string name, int left, int top, int width, int height) {
  return Make(std::move(name), ControlKind::TextBox, left, top, width, height);
}

ControlDesign CheckBox(std::string name, std::string caption) {
  ControlDesign c = Make(std::move(name), ControlKind::CheckBox, 0, 0, 1215, 255);
  c.caption = std::move(caption);
  return c;
}

ControlDesign Frame(std::string name, int left, int top, int width, int height,
                    std::string caption) {
  ControlDesign c = Make(std::move(name), ControlKind::Frame, left, top, width, height);
  c.caption = std::move(caption);
  return c;
}

ControlDesign Shape(std::string name, int left, int top, int width, int height) {
  return Make(std::move(name), ControlKind::Shape, left, top, width, height);
}

ControlDesign Line(std::string name, int x1, int y1, int x2, int y2) {
  ControlDesign c = Make(std::move(name), ControlKind::Line, x1, y1, 0, 0);
  c.x2 = x2;
  c.y2 = y2;
  return c;
}

ControlDesign Timer(std::string name, int intervalMs, bool enabled) {
  ControlDesign c = Make(std::move(name), ControlKind::Timer, 0, 0, 0, 0);
  c.interval = intervalMs;
  c.enabled = enabled;
  return c;
}

ControlDesign ProgressBar(std::string name, int left, int top, int width, int height) {
  return Make(std::move(name), ControlKind::ProgressBar, left, top, width, height);
}

int ScreenDesign::Left() const {
  return placement == Placement::Centred ? (kDesktopWidth - width) / 2 : left;
}

int ScreenDesign::Top() const {
  return placement == Placement::Centred ? (kDesktopHeight - height) / 2 : top;
}

const ControlDesign* ScreenDesign::Find(std::string_view control) const {
  int index = IndexOf(control);
  return index < 0 ? nullptr : &controls[static_cast<size_t>(index)];
}

int ScreenDesign::IndexOf(std::string_view control) const {
  for (size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].name == control) return static_cast<int>(i);
  }
  return -1;
}

ScreenDesign ManualScreen(std::string name, std::string caption, int left, int top, int width,
                          int height) {
  ScreenDesign s;
  s.name = std::move(name);
  s.caption = std::move(caption);
  s.left = left;
  s.top = top;
  s.width = width;
  s.height = height;
  return s;
}

ScreenDesign CentredScreen(std::string name, std::string caption, int width, int height) {
  ScreenDesign s = ManualScreen(std::move(name), std::move(caption), 0, 0, width, height);
  s.placement = Placement::Centred;
  return s;
}

void ScreenRegistry::Add(ScreenDesign design) {
  std::string name = design.name;
  if (!designs_.emplace(name, std::move(design)).second) {
    throw std::logic_error("screen designed twice: " + name);
  }
}

const ScreenDesign* ScreenRegistry::Find(std::string_view name) const {
  auto it = designs_.find(name);
  return it == designs_.end() ? nullptr : &it->second;
}

std::vector<std::string> ScreenRegistry::Names() const {
  std::vector<std::string> names;
  for (const auto& [name, design] : designs_) names.push_back(name);
  return names;
}

}  // namespace quillon::engine
