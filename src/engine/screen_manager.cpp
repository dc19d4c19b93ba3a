#include "engine/screen_manager.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace quillon::engine {

namespace {

void EraseLastCharacter(std::string& text) {
  if (text.empty()) return;
  size_t end = text.size() - 1;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.erase(end);
}

}  // namespace

std::string Utf8(int code) {
  auto c = static_cast<unsigned>(code);
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

const ControlState* ScreenState::Find(std::string_view control) const {
  int index = design->IndexOf(control);
  return index < 0 ? nullptr : &controls[static_cast<size_t>(index)];
}

ControlState* ScreenState::Find(std::string_view control) {
  int index = design->IndexOf(control);
  return index < 0 ? nullptr : &controls[static_cast<size_t>(index)];
}

ScreenManager::ScreenManager(const ScreenRegistry& designs, Services services)
    : designs_(designs), services_(services) {}

ScreenManager::~ScreenManager() = default;

// --- Screens -----------------------------------------------------------------------------

const ScreenDesign& ScreenManager::RequireDesign(std::string_view screen) const {
  const ScreenDesign* design = designs_.Find(screen);
  if (!design) throw std::logic_error("no such screen: " + std::string(screen));
  return *design;
}

const ScreenDesign* ScreenManager::Design(std::string_view screen) const {
  return designs_.Find(screen);
}

ScreenState* ScreenManager::Loaded(std::string_view screen) {
  auto it = screens_.find(screen);
  return it == screens_.end() ? nullptr : it->second.get();
}

const ScreenState* ScreenManager::Peek(std::string_view screen) const {
  auto it = screens_.find(screen);
  return it == screens_.end() ? nullptr : it->second.get();
}

ScreenState* ScreenManager::Acquire(std::string_view screen) {
  if (ScreenState* loaded = Loaded(screen)) return loaded;
  if (ended_) return nullptr;
  const ScreenDesign& design = RequireDesign(screen);

  auto state = std::make_unique<ScreenState>();
  state->design = &design;
  state->instance = nextInstance_++;
  state->enabled = design.enabled;
  std::int64_t now = NowMs();
  for (const ControlDesign& control : design.controls) {
    ControlState c;
    c.design = &control;
    c.visible = control.visible;
    c.enabled = control.enabled;
    c.text = control.caption;
    c.value = control.value;
    if (control.kind == ControlKind::Timer && control.enabled) {
      c.due = now + control.interval;
      c.armedOrder = nextArmedOrder_++;
    }
    state->controls.push_back(std::move(c));
  }
  for (size_t i = 0; i < design.controls.size(); ++i) {
    if (design.controls[i].kind == ControlKind::TextBox && design.controls[i].visible) {
      state->focus = static_cast<int>(i);
      break;
    }
  }
  // The screen counts as loaded before its load handler runs, so the handler (and anything it
  // calls) finds it loaded and hidden instead of creating it again.
  screens_.emplace(design.name, std::move(state));
  zOrder_.push_back(design.name);
  Changed();
  if (design.load) design.load(*this);
  return Loaded(screen);
}

bool ScreenManager::Show(std::string_view screen) {
  ScreenState* state = Acquire(screen);
  if (!state) return false;
  state->visible = true;
  BringToFront(state->design->name);
  Activate(*state);
  Changed();
  return true;
}

void ScreenManager::SetVisible(std::string_view screen, bool visible) {
  ScreenState* state = Acquire(screen);
  if (!state || state->visible == visible) return;
  if (visible) {
    Show(screen);
    return;
  }
  state->visible = false;
  if (active_ == state->design->name) ActivateFrontmost();
  Changed();
}

bool ScreenManager::IsVisible(std::string_view screen) {
  ScreenState* state = Acquire(screen);
  return state && state->visible;
}

void ScreenManager::SetEnabled(std::string_view screen, bool enabled) {
  ScreenState* state = Acquire(screen);
  if (!state || state->enabled == enabled) return;
  state->enabled = enabled;
  if (!enabled && active_ == state->design->name) ActivateFrontmost();
  Changed();
}

void ScreenManager::Unload(std::string_view screen) {
  auto it = screens_.find(screen);
  if (it == screens_.end()) return;
  std::string name = it->first;
  screens_.erase(it);
  zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), name), zOrder_.end());
  if (active_ == name) ActivateFrontmost();
  Changed();
}

void ScreenManager::End() {
  ended_ = true;
  screens_.clear();
  zOrder_.clear();
  active_.clear();
  Changed();
  if (onEnd_) onEnd_();
  throw EndRequested{};
}

void ScreenManager::BringToFront(const std::string& screen) {
  zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), screen), zOrder_.end());
  zOrder_.insert(zOrder_.begin(), screen);
}

void ScreenManager::Activate(ScreenState& screen) {
  if (screen.enabled) active_ = screen.design->name;
}

void ScreenManager::ActivateFrontmost() {
  active_.clear();
  for (const std::string& name : zOrder_) {
    const ScreenState* state = Peek(name);
    if (state->visible && state->enabled) {
      active_ = name;
      return;
    }
  }
}

// --- Platform services -------------------------------------------------------------------

bool ScreenManager::PlaySound(const std::string& path) {
  return services_.sound && services_.sound->Play(path);
}

void ScreenManager::OpenDocument(const std::string& target) {
  if (services_.documents) services_.documents->Open(target);
}

std::string ScreenManager::ShortDate(Date date) const {
  return services_.dates ? services_.dates->ShortDate(date) : CzechShortDate(date);
}

std::int64_t ScreenManager::NowMs() const {
  return services_.clock ? services_.clock->NowMs() : 0;
}

// --- Controls ----------------------------------------------------------------------------

ControlRef ScreenManager::Control(std::string_view screen, std::string_view control) {
  const ScreenDesign& design = RequireDesign(screen);
  if (!design.Find(control)) {
    throw std::logic_error("no such control: " + std::string(screen) + "." + std::string(control));
  }
  return ControlRef(*this, std::string(screen), std::string(control));
}

ControlState* ScreenManager::AcquireControl(std::string_view screen, std::string_view control) {
  if (!RequireDesign(screen).Find(control)) {
    throw std::logic_error("no such control: " + std::string(screen) + "." + std::string(control));
  }
  ScreenState* state = Acquire(screen);
  return state ? state->Find(control) : nullptr;
}

void ScreenManager::SetControlVisible(std::string_view screen, std::string_view control,
                                      bool visible) {
  ControlState* c = AcquireControl(screen, control);
  if (!c || c->visible == visible) return;
  c->visible = visible;
  Changed();
}

void ScreenManager::SetControlText(std::string_view screen, std::string_view control,
                                   const std::string& text) {
  ControlState* c = AcquireControl(screen, control);
  if (!c || c->text == text) return;
  c->text = text;
  Changed();
  const ScreenDesign& design = RequireDesign(screen);
  auto handler = design.change.find(control);
  if (handler != design.change.end()) handler->second(*this);
}

void ScreenManager::SetControlValue(std::string_view screen, std::string_view control,
                                    double value) {
  ControlState* c = AcquireControl(screen, control);
  if (!c || c->value == value) return;
  c->value = value;
  Changed();
}

void ScreenManager::SetTimerEnabled(std::string_view screen, std::string_view control,
                                    bool enabled) {
  ControlState* c = AcquireControl(screen, control);
  if (!c || c->enabled == enabled) return;
  c->enabled = enabled;
  if (enabled) {
    c->due = NowMs() + c->design->interval;
    c->armedOrder = nextArmedOrder_++;
  }
}

void ScreenManager::SetFocus(std::string_view screen, std::string_view control) {
  ScreenState* state = Acquire(screen);
  if (!state) return;
  state->focus = state->design->IndexOf(control);
  Changed();
}

double ScreenManager::Field(std::string_view screen, std::string_view field) {
  ScreenState* state = Acquire(screen);
  if (!state) return 0;
  auto it = state->variables.find(field);
  return it == state->variables.end() ? 0 : it->second;
}

void ScreenManager::SetField(std::string_view screen, std::string_view field, double value) {
  ScreenState* state = Acquire(screen);
  if (state) state->variables[std::string(field)] = value;
}

// --- Events ------------------------------------------------------------------------------

void ScreenManager::AfterEvent(Handler action) {
  afterEvent_.push_back(std::move(action));
}

void ScreenManager::Dispatch(const std::function<void()>& event) {
  if (ended_) return;
  try {
    event();
    while (!afterEvent_.empty() && !ended_) {
      Handler action = std::move(afterEvent_.front());
      afterEvent_.erase(afterEvent_.begin());
      action(*this);
    }
  } catch (const EndRequested&) {
    // The game is over; the rest of the handler was meant not to run.
  }
  afterEvent_.clear();
}

void ScreenManager::Start(std::string_view firstScreen) {
  Dispatch([&] { Show(firstScreen); });
}

bool ScreenManager::TakesClick(std::string_view screen, std::string_view control) const {
  const ScreenState* state = ended_ ? nullptr : Peek(screen);
  if (!state || !state->visible || !state->enabled) return false;
  if (control.empty()) return true;
  const ControlState* clicked = state->Find(control);
  return clicked && clicked->visible;
}

ScreenState* ScreenManager::ActivateByClick(std::string_view screen) {
  if (!TakesClick(screen)) return nullptr;
  ScreenState* state = Loaded(screen);
  BringToFront(state->design->name);
  Activate(*state);
  Changed();
  return state;
}

bool ScreenManager::ClickScreen(std::string_view screen) {
  return ActivateByClick(screen) != nullptr;
}

bool ScreenManager::Click(std::string_view screen, std::string_view control) {
  if (control.empty() || !TakesClick(screen, control)) return false;
  ScreenState* state = ActivateByClick(screen);
  const ScreenDesign& design = *state->design;
  const int index = design.IndexOf(control);
  if (design.controls[static_cast<size_t>(index)].kind == ControlKind::TextBox) {
    state->focus = index;
  }
  auto handler = design.click.find(control);
  if (handler != design.click.end()) Dispatch([&] { handler->second(*this); });
  return true;
}

int ScreenManager::KeyPress(std::string_view screen, std::string_view control, int keyAscii) {
  if (ended_) return 0;
  const ScreenDesign& design = RequireDesign(screen);
  auto handler = design.keyPress.find(control);
  if (handler == design.keyPress.end()) return keyAscii;
  Dispatch([&] { handler->second(*this, keyAscii); });
  return ended_ ? 0 : keyAscii;
}

void ScreenManager::EditText(std::string_view screen, std::string_view control,
                             const std::string& text) {
  Dispatch([&] { SetControlText(screen, control, text); });
}

void ScreenManager::TypeKey(int keyAscii) {
  std::string screen = active_;
  std::string control = FocusedControl();
  if (ended_ || control.empty()) return;

  const int code = KeyPress(screen, control, keyAscii);
  if (code == 0 || code == kEnterKey || code == kEscapeKey) return;
  ScreenState* state = Loaded(screen);
  ControlState* box = state ? state->Find(control) : nullptr;
  if (!box || (code == kBackspaceKey && box->text.empty())) return;
  // The text is edited where it lies: copying it for every key would make typing into a long
  // text quadratic. The change handler sees the same as after EditText.
  Dispatch([&] {
    if (code == kBackspaceKey) {
      EraseLastCharacter(box->text);
    } else {
      box->text += Utf8(code);
    }
    Changed();
    const ScreenDesign& design = *state->design;
    auto handler = design.change.find(control);
    if (handler != design.change.end()) handler->second(*this);
  });
}

void ScreenManager::FireDueTimers() {
  if (ended_) return;
  const std::int64_t now = NowMs();
  while (!ended_) {
    // The earliest due timer; of timers due together, the one enabled first.
    std::string screen;
    size_t timer = 0;
    const ControlState* next = nullptr;
    for (const auto& [name, state] : screens_) {
      for (size_t i = 0; i < state->controls.size(); ++i) {
        const ControlState& c = state->controls[i];
        if (c.design->kind != ControlKind::Timer || !c.enabled || c.design->interval <= 0) continue;
        if (c.due > now) continue;
        if (!next || c.due < next->due || (c.due == next->due && c.armedOrder < next->armedOrder)) {
          next = &c;
          screen = name;
          timer = i;
        }
      }
    }
    if (!next) return;

    ScreenState& state = *Loaded(screen);
    ControlState& c = state.controls[timer];
    // The next tick counts from this one; a front end that fell behind does not catch up.
    c.due += c.design->interval;
    if (c.due <= now) c.due = now + c.design->interval;
    const ScreenDesign& design = *state.design;
    auto handler = design.tick.find(c.design->name);
    if (handler != design.tick.end()) Dispatch([&] { handler->second(*this); });
  }
}

std::optional<std::int64_t> ScreenManager::NextTimerDue() const {
  std::optional<std::int64_t> earliest;
  if (ended_) return earliest;
  for (const auto& [name, state] : screens_) {
    for (const ControlState& c : state->controls) {
      if (c.design->kind != ControlKind::Timer || !c.enabled || c.design->interval <= 0) continue;
      if (!earliest || c.due < *earliest) earliest = c.due;
    }
  }
  return earliest;
}

// --- Inspection --------------------------------------------------------------------------

std::vector<std::string> ScreenManager::VisibleFrontToBack() const {
  std::vector<std::string> visible;
  for (const std::string& name : zOrder_) {
    if (Peek(name)->visible) visible.push_back(name);
  }
  return visible;
}

std::string ScreenManager::FocusedControl() const {
  const ScreenState* state = Peek(active_);
  if (!state || state->focus < 0) return {};
  return state->design->controls[static_cast<size_t>(state->focus)].name;
}

// --- ControlRef --------------------------------------------------------------------------

const ControlState* ControlRef::State() const {
  return manager_.AcquireControl(screen_, control_);
}

namespace {

// What a control reads as when its screen unloaded itself while being created.
const ControlDesign& DesignOf(ScreenManager& manager, const std::string& screen,
                              const std::string& control) {
  return *manager.Design(screen)->Find(control);
}

}  // namespace

bool ControlRef::Visible() const {
  const ControlState* c = State();
  return c ? c->visible : DesignOf(manager_, screen_, control_).visible;
}

void ControlRef::SetVisible(bool visible) const {
  manager_.SetControlVisible(screen_, control_, visible);
}

std::string ControlRef::Caption() const {
  const ControlState* c = State();
  return c ? c->text : DesignOf(manager_, screen_, control_).caption;
}

void ControlRef::SetCaption(const std::string& caption) const {
  manager_.SetControlText(screen_, control_, caption);
}

std::string ControlRef::Text() const {
  return Caption();
}

void ControlRef::SetText(const std::string& text) const {
  manager_.SetControlText(screen_, control_, text);
}

double ControlRef::Value() const {
  const ControlState* c = State();
  return c ? c->value : DesignOf(manager_, screen_, control_).value;
}

void ControlRef::SetValue(double value) const {
  manager_.SetControlValue(screen_, control_, value);
}

bool ControlRef::Enabled() const {
  const ControlState* c = State();
  return c ? c->enabled : DesignOf(manager_, screen_, control_).enabled;
}

void ControlRef::SetEnabled(bool enabled) const {
  manager_.SetTimerEnabled(screen_, control_, enabled);
}

void ControlRef::SetFocus() const {
  manager_.SetFocus(screen_, control_);
}

// --- Virtual time ------------------------------------------------------------------------

void AdvanceVirtualTime(ScreenManager& manager, VirtualClock& clock, std::int64_t ms) {
  if (ms < 0 || clock.NowMs() > kVirtualTimeLimitMs || ms > kVirtualTimeLimitMs - clock.NowMs()) {
    throw std::out_of_range("virtual time cannot move on by " + std::to_string(ms) + " ms");
  }
  const std::int64_t target = clock.NowMs() + ms;
  while (!manager.Ended()) {
    std::optional<std::int64_t> due = manager.NextTimerDue();
    if (!due || *due > target) break;
    clock.Set(std::max(*due, clock.NowMs()));
    manager.FireDueTimers();
  }
  clock.Set(target);
}

}  // namespace quillon::engine
