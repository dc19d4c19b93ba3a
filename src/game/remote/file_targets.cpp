#include "game/remote/file_targets.h"

#include <array>
#include <map>
#include <string>

#include "engine/screen_manager.h"

namespace quillon::game {

using namespace engine;

namespace {

constexpr int kFirstRowTop = 720;
constexpr int kRowStep = 300;
constexpr int kCopyLeft = 3360;
constexpr int kDelLeft = 4020;
constexpr int kCommandWidth = 555;
constexpr int kCommandHeight = 255;

struct FileEntry {
  const char* name;
  const char* date;
};

struct FileTarget {
  const char* screen;
  const char* title;  // also the caption
  int width, height;
  bool centred;
  int left, top;  // for a manually placed screen
  std::array<FileEntry, 4> files;
  // Click handlers of the rows with an effect of their own, by control name.
  std::map<std::string, Handler, std::less<>> effects;
};

// The eight controls of a row, by row number (1..4).
struct RowControls {
  std::string file, date, copy, copyLabel, copyFrame, del, delLabel, delFrame;
};

std::string Numbered(const char* kind, int number) {
  return kind + std::to_string(number);
}

RowControls Row(int row) {
  return {Numbered("Label", 2 + row),      Numbered("Label", 6 + row),
          Numbered("Command", row),        Numbered("Label", 10 + 2 * row),
          Numbered("Shape", 1 + 2 * row),  Numbered("Command", 4 + row),
          Numbered("Label", 11 + 2 * row), Numbered("Shape", 2 + 2 * row)};
}

// The access right is the files wizard being open, asked afresh at every click.
bool HasPermission(ScreenManager& sm) {
  return sm.IsVisible("wizard");
}

// Copy and Del of a row, rows counting from 1. Both return whether the files wizard gave the
// permission; without it they show `oprávnění` and change nothing. A copy never changes a row:
// the notice is its whole effect.
bool CopyFileRow(ScreenManager& sm) {
  const bool permitted = HasPermission(sm);
  sm.Show(permitted ? "kopírování" : "oprávnění");
  return permitted;
}

bool DeleteFileRow(ScreenManager& sm, const char* screen, int row) {
  if (!HasPermission(sm)) {
    sm.Show("oprávnění");
    return false;
  }
  const RowControls c = Row(row);
  for (const std::string* control :
       {&c.file, &c.date, &c.copy, &c.del, &c.copyLabel, &c.delLabel, &c.copyFrame, &c.delFrame}) {
    sm.Control(screen, *control).SetVisible(false);
  }
  return true;
}

// The one design shared by the three file servers.
ScreenDesign FileTargetScreen(const FileTarget& target) {
  ScreenDesign s = target.centred
                       ? CentredScreen(target.screen, target.title, target.width, target.height)
                       : ManualScreen(target.screen, target.title, target.left, target.top,
                                      target.width, target.height);
  s.controls = {
      Label("Label11", 120, 75, target.title).Title(),
      Label("Label1", 120, 420, "Název souboru"),
      Label("Label2", 2040, 420, "Datum"),
  };
  const std::string screen = target.screen;
  for (int row = 1; row <= 4; ++row) {
    const RowControls c = Row(row);
    const FileEntry& file = target.files[static_cast<size_t>(row - 1)];
    const int top = kFirstRowTop + (row - 1) * kRowStep;
    // Each click area comes before the label written on it, so that it takes the click.
    s.controls.push_back(Label(c.file, 120, top, 1215, 195, file.name).Colour(colors::kTitle));
    s.controls.push_back(Label(c.date, 1980, top, 1215, 195, file.date).Colour(colors::kTitle));
    s.controls.push_back(Image(c.copy, kCopyLeft, top, kCommandWidth, kCommandHeight));
    s.controls.push_back(Label(c.copyLabel, 3420, top + 30, "Copy").Colour(colors::kWhite));
    s.controls.push_back(Shape(c.copyFrame, kCopyLeft, top, kCommandWidth, kCommandHeight));
    s.controls.push_back(Image(c.del, kDelLeft, top, kCommandWidth, kCommandHeight));
    s.controls.push_back(Label(c.delLabel, 4140, top + 30, "Del").Colour(colors::kWhite));
    s.controls.push_back(Shape(c.delFrame, kDelLeft, top, kCommandWidth, kCommandHeight));

    s.click[c.copy] = [](ScreenManager& sm) { CopyFileRow(sm); };
    s.click[c.del] = [screen, row](ScreenManager& sm) { DeleteFileRow(sm, screen.c_str(), row); };
  }
  s.controls.push_back(Shape("Shape2", 60, 60, 4635, 255));
  s.controls.push_back(Shape("Shape1", 60, 300, 4635, 3015));
  for (const auto& [control, handler] : target.effects) s.click[control] = handler;
  return s;
}

void SetPopularity(ScreenManager& sm, const char* popularity) {
  sm.Control("Statistika", "Label2").SetCaption(popularity);
}

// Mission 3 is done once both test files are gone, in either order.
void TestBothTestFilesDeleted(ScreenManager& sm) {
  if (!sm.Control("comp3", "Label3").Visible() && !sm.Control("comp3", "Label4").Visible()) {
    SetPopularity(sm, "Známý");
  }
}

// Del "xsoft-5088-6.dat": mission 1.
void comp1_Command7_Click(ScreenManager& sm) {
  if (DeleteFileRow(sm, "comp1", 3)) SetPopularity(sm, "Málo známý");
}

// Copy "vlasak.doc": mission 2.
void Comp2_Command4_Click(ScreenManager& sm) {
  if (CopyFileRow(sm)) SetPopularity(sm, "Středně známý");
}

// Del "test001.dat" and "test002.dat": mission 3.
void comp3_Command5_Click(ScreenManager& sm) {
  DeleteFileRow(sm, "comp3", 1);
  TestBothTestFilesDeleted(sm);
}

void comp3_Command6_Click(ScreenManager& sm) {
  DeleteFileRow(sm, "comp3", 2);
  TestBothTestFilesDeleted(sm);
}

// Del "cenik.dat" or "ucetnictvi.dat": caught.
void comp3_Command7_Click(ScreenManager& sm) {
  if (DeleteFileRow(sm, "comp3", 3)) sm.SetVisible("loser2", true);
}

void comp3_Command8_Click(ScreenManager& sm) {
  if (DeleteFileRow(sm, "comp3", 4)) sm.SetVisible("loser2", true);
}

}  // namespace

ScreenDesign Comp1Screen() {
  return FileTargetScreen({"comp1",
                           "XSOFTWARE",
                           4725,
                           3375,
                           true,
                           0,
                           0,
                           {{{"xsoft-5086-6.dat", "18.9.2010"},
                             {"xsoft-5087-6.dat", "18.10.2010"},
                             {"xsoft-5088-6.dat", "18.11.2010"},
                             {"xsoft-5089-6.dat", "18.12.2010"}}},
                           {{"Command7", comp1_Command7_Click}}});
}

ScreenDesign Comp2Screen() {
  return FileTargetScreen({"Comp2",
                           "Judr. Oldřich Vrba",
                           4710,
                           3330,
                           false,
                           5295,
                           3720,
                           {{{"mrazek.doc", "7.10.2009"},
                             {"holub.doc", "8.3.2008"},
                             {"sykora.doc", "30.11.2010"},
                             {"vlasak.doc", "4.12.2010"}}},
                           {{"Command4", Comp2_Command4_Click}}});
}

ScreenDesign Comp3Screen() {
  return FileTargetScreen({"comp3",
                           "Dřevozpracující podnik Miroslava Krejčího",
                           4725,
                           3345,
                           false,
                           5295,
                           3720,
                           {{{"test001.dat", "9.12.2011"},
                             {"test002.dat", "9.12.2011"},
                             {"cenik.dat", "2.12.2011"},
                             {"ucetnictvi.dat", "4.12.2011"}}},
                           {{"Command5", comp3_Command5_Click},
                            {"Command6", comp3_Command6_Click},
                            {"Command7", comp3_Command7_Click},
                            {"Command8", comp3_Command8_Click}}});
}

}  // namespace quillon::game
