#include "web/scene_json.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace quillon::web {

namespace {

using engine::ControlDesign;
using engine::ScreenDesign;

// The length of the well-formed UTF-8 character at the start of `text`, 0 when it is not one.
std::size_t Utf8Length(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  std::uint32_t code = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3Fu);
  }
  const std::uint32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code < shortest[length] || surrogate || code > 0x10FFFF ? 0 : length;
}

std::string Number(double value) {
  // Every number the designs and states hold is a whole number of twips, ms or a small value.
  if (!std::isfinite(value)) return "0";
  if (value == std::floor(value) && std::fabs(value) < 1e15) {
    return std::to_string(static_cast<std::int64_t>(value));
  }
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

std::string Bool(bool value) {
  return value ? "true" : "false";
}

std::string ColourJson(engine::Color colour) {
  char text[16];
  std::snprintf(text, sizeof text, "[%u,%u,%u]", unsigned(colour.r), unsigned(colour.g),
                unsigned(colour.b));
  return text;
}

// The kind as the page names it: the enumerator's own name.
std::string_view PageKindName(engine::ControlKind kind) {
  using engine::ControlKind;
  switch (kind) {
    case ControlKind::PictureBox:
      return "PictureBox";
    case ControlKind::Image:
      return "Image";
    case ControlKind::Label:
      return "Label";
    case ControlKind::CommandButton:
      return "CommandButton";
    case ControlKind::TextBox:
      return "TextBox";
    case ControlKind::CheckBox:
      return "CheckBox";
    case ControlKind::Frame:
      return "Frame";
    case ControlKind::Shape:
      return "Shape";
    case ControlKind::Line:
      return "Line";
    case ControlKind::Timer:
      return "Timer";
    case ControlKind::ProgressBar:
      return "ProgressBar";
  }
  return "Label";
}

std::string AlignmentName(engine::Alignment alignment) {
  switch (alignment) {
    case engine::Alignment::Centre:
      return "centre";
    case engine::Alignment::Right:
      return "right";
    case engine::Alignment::Left:
      break;
  }
  return "left";
}

// One member of an object: `"name":value`, with the comma before all but the first.
class Members {
 public:
  explicit Members(std::string& out) : out_(out) { out_ += '{'; }
  ~Members() { out_ += '}'; }
  Members(const Members&) = delete;
  Members& operator=(const Members&) = delete;
  std::string& operator()(std::string_view name) {
    if (!first_) out_ += ',';
    first_ = false;
    out_ += JsonString(name);
    out_ += ':';
    return out_;
  }

 private:
  std::string& out_;
  bool first_ = true;
};

void WriteControlDesign(std::string& out, const ControlDesign& control) {
  Members member(out);
  member("name") += JsonString(control.name);
  member("kind") += JsonString(PageKindName(control.kind));
  member("left") += Number(control.left);
  member("top") += Number(control.top);
  member("width") += Number(control.width);
  member("height") += Number(control.height);
  member("x2") += Number(control.x2);
  member("y2") += Number(control.y2);
  member("caption") += JsonString(control.caption);
  member("foreColor") += ColourJson(control.foreColor);
  member("fontPoints") += Number(control.fontPoints);
  member("bold") += Bool(control.bold);
  member("alignment") += JsonString(AlignmentName(control.alignment));
  member("wordWrap") += Bool(control.wordWrap);
  member("autoSize") += Bool(control.autoSize);
  member("picture") += JsonString(control.picture);
  member("tooltip") += JsonString(control.tooltip);
  member("min") += Number(control.min);
  member("max") += Number(control.max);
  member("lineWidth") += Number(control.lineWidth);
}

void WriteScreenDesign(std::string& out, const ScreenDesign& screen) {
  Members member(out);
  member("caption") += JsonString(screen.caption);
  member("left") += Number(screen.Left());
  member("top") += Number(screen.Top());
  member("width") += Number(screen.width);
  member("height") += Number(screen.height);
  member("backColor") += ColourJson(screen.backColor);
  member("icon") += JsonString(screen.icon);
  std::string& controls = member("controls");
  controls += '[';
  for (std::size_t i = 0; i < screen.controls.size(); ++i) {
    if (i > 0) controls += ',';
    WriteControlDesign(controls, screen.controls[i]);
  }
  controls += ']';
}

void WriteScreenState(std::string& out, const engine::ScreenState& screen) {
  Members member(out);
  member("name") += JsonString(screen.design->name);
  member("instance") += Number(double(screen.instance));
  member("enabled") += Bool(screen.enabled);
  std::string& controls = member("controls");
  controls += '[';
  for (std::size_t i = 0; i < screen.controls.size(); ++i) {
    const engine::ControlState& control = screen.controls[i];
    if (i > 0) controls += ',';
    Members field(controls);
    field("visible") += Bool(control.visible);
    field("text") += JsonString(control.text);
    field("value") += Number(control.value);
  }
  controls += ']';
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  while (!text.empty()) {
    const std::size_t length = Utf8Length(text);
    if (length == 0) {
      out += "\xEF\xBF\xBD";  // U+FFFD for a byte that begins no character
      text.remove_prefix(1);
      continue;
    }
    const char c = text[0];
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
      out += escape;
    } else {
      out.append(text.substr(0, length));
    }
    text.remove_prefix(length);
  }
  out += '"';
  return out;
}

std::string DesignsJson(const engine::ScreenRegistry& screens) {
  std::string out;
  {
    Members top(out);
    Members byName(top("screens"));
    for (const std::string& name : screens.Names()) {
      WriteScreenDesign(byName(name), *screens.Find(name));
    }
  }
  return out;
}

std::string SceneJson(const engine::ScreenManager& game) {
  std::string out;
  {
    Members member(out);
    member("revision") += Number(double(game.Revision()));
    member("ended") += Bool(game.Ended());
    member("active") += JsonString(game.ActiveScreen());
    member("focus") += JsonString(game.FocusedControl());
    std::string& shown = member("screens");
    shown += '[';
    bool first = true;
    for (const std::string& name : game.VisibleFrontToBack()) {
      if (!first) shown += ',';
      first = false;
      WriteScreenState(shown, *game.Peek(name));
    }
    shown += ']';
  }
  return out;
}

}  // namespace quillon::web
