#include "game/desktop/notices.h"

#include "engine/screen_manager.h"

namespace quillon::game {

using namespace engine;

Handler UnloadOnClick(std::string screen) {
  return [screen = std::move(screen)](ScreenManager& sm) { sm.Unload(screen); };
}

namespace {

constexpr int kCloseWidth = Pixels(78);
constexpr int kCloseHeight = Pixels(25);

struct Notice {
  std::string name;
  std::string title;
  std::string text;
  std::string caption;
  int width = 0, height = 0;
  // Centred unless a manual position is given.
  int left = -1, top = -1;
};

ScreenDesign Placed(const Notice& n) {
  ScreenDesign s = n.left < 0 ? CentredScreen(n.name, n.caption, n.width, n.height)
                              : ManualScreen(n.name, n.caption, n.left, n.top, n.width, n.height);
  return s;
}

void AddFrameShapes(ScreenDesign& s) {
  s.controls.push_back(Shape("Shape2", 60, 60, s.width - 120, 255));
  s.controls.push_back(Shape("Shape1", 60, 300, s.width - 120, s.height - 360));
}

// A notice's design: title `Label4`, text `Label1`, the frame shapes and the close picture
// `Picture1`, whose click unloads the notice.
ScreenDesign NoticeScreen(const Notice& n) {
  ScreenDesign s = Placed(n);
  const int closeLeft = (s.width - kCloseWidth) / 2;
  const int closeTop = s.height - kCloseHeight - 90;
  s.controls = {
      Picture("Picture1", closeLeft, closeTop, kCloseWidth, kCloseHeight, "close-button"),
      Label("Label4", 120, 75, n.title).Title(),
      Label("Label1", 120, 390, s.width - 240, closeTop - 420, n.text),
  };
  AddFrameShapes(s);
  s.click["Picture1"] = UnloadOnClick(n.name);
  return s;
}

// The sound error: light red, a second line of text, and a close picture named `error`.
ScreenDesign ErrorScreen() {
  ScreenDesign s = CentredScreen("error", "Form1", 4680, 1935);
  const int closeLeft = (s.width - kCloseWidth) / 2;
  const int closeTop = s.height - kCloseHeight - 90;
  s.controls = {
      Picture("error", closeLeft, closeTop, kCloseWidth, kCloseHeight, "close-button"),
      Label("Label4", 120, 75, "CHYBA PROGRAMU").Title().Colour(colors::kErrorTitle),
      Label("Label1", 120, 360, 4440, 615,
            "Nelze najít zvukový soubor, program zřejmě není kompletní, zkontrolujte zda "
            "složka s programem obsahuje podsložku DATA")
          .Colour(colors::kErrorText),
      Label("Label2", 120, 1005, 4440, 420,
            "Chybějící soubor se zvukem něják neovlivní hru, pouze ji může narušovat těmito "
            "výzvami.")
          .Colour(colors::kErrorText),
  };
  AddFrameShapes(s);
  s.click["error"] = UnloadOnClick("error");
  return s;
}

}  // namespace

void RegisterNoticeScreens(ScreenRegistry& registry) {
  const Notice notices[] = {
      {"noconnect", "Připojení k servru se nezdařilo", "Server neexistuje nebo má technické potíže",
       "Form1", 3900, 1320, 6000, 4965},
      {"ok", "Kontrola zatížení serveru", "Zatížení serveru je v normě", "ok", 3750, 1290},
      {"kontrola", "Automatická kontrola serveru",
       "Server je v bořádku veškerá bezpečnostní opatření funkční", "Form1", 3750, 1290},
      {"kontakt", "Kontakt na BCCD s.r.o.", "info@bccd.example nebo podpora@bccd.example", "Form1",
       3750, 1290},
      {"proxy", "Server ukončil spojení", "Spojení bylo ukončeno hostujícím počítačem", "Form1",
       4005, 1305},
      {"miseok", "Mise byla splněna", "Mise byla úspěšně splněna", "Form1", 3765, 1305},
      {"nekompletni", "Mise není kompletní", "Úkol mise nebyl splěn, mise není kompletní", "Form1",
       3810, 1290},
      {"nemazat", "Zprávu nelze smazat", "Po dokončení úkolu musíte na zprávu odpovědět", "Form1",
       3765, 1305},
      {"neniserver", "Nelze spustit", "Žádný server není aktivní", "Form1", 3765, 1290},
      {"priloha", "Příloha", "Nezkopíroval jste si přílohu", "Form1", 3765, 1290},
      {"trojan", "Zpráva Sub Seven", "Serverová část byla zkopírována a aktivována", "Form1", 4050,
       1305},
  };
  for (const Notice& notice : notices) registry.Add(NoticeScreen(notice));
  registry.Add(ErrorScreen());
}

}  // namespace quillon::game
