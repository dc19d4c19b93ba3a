#include "game/missions/messages.h"

#include <string>
#include <vector>

#include "engine/screen_manager.h"

namespace quillon::game {

using namespace engine;

namespace {

constexpr int kWidth = 3900;
constexpr int kHeight = 5565;
constexpr int kTextLeft = 120;
constexpr int kTextWidth = 3660;
constexpr int kHeaderLeft = 1260;
constexpr int kBodyTop = 1140;
constexpr int kAttachmentsTop = 4020;
constexpr int kRewardTextLeft = 960;
constexpr int kButtonTop = 5100;
constexpr int kButtonWidth = 1155;
constexpr int kButtonHeight = 315;

// An attachment icon and the tool button on `Programy` that it reveals.
struct Attachment {
  std::string icon;  // `Picture2` or `Picture3`
  std::string tool;  // `Programy.CommandN`
};

// What sets one mission message apart from the others.
struct MissionMessage {
  std::string screen;
  std::string caption;
  std::string icon;  // window icon; empty for none
  int top = 0;
  std::string title;
  std::string senderPicture;
  std::string subject;
  std::string sender;
  std::string body;
  std::string body2;
  int body2Top = 0;  // the second paragraph starts below the first, however long that is
  std::string reward;
  int rewardTop = 0;
  std::vector<Attachment> attachments;
  Handler reply;  // "Odpovědět": the completion test of the mission
};

// A text button: the invisible click area lies on top of the pale blue text written on it, and
// a frame lies beneath both.
void AddTextButton(ScreenDesign& s, const char* area, const char* label, const char* frame,
                   int areaLeft, int labelLeft, const char* text) {
  s.controls.push_back(Image(area, areaLeft, kButtonTop, kButtonWidth, kButtonHeight));
  s.controls.push_back(Label(label, labelLeft, kButtonTop + 60, text).ButtonText());
  s.controls.push_back(Shape(frame, areaLeft, kButtonTop, kButtonWidth, kButtonHeight));
}

std::string Popularity(ScreenManager& sm) {
  return sm.Control("Statistika", "Label2").Caption();
}

// A successful reply turns the mission's board slot from the message to the reward icon.
void ShowReward(ScreenManager& sm, const char* messageIcon, const char* rewardIcon) {
  sm.Control("board", messageIcon).SetVisible(false);
  sm.Control("board", rewardIcon).SetVisible(true);
}

// Shared by all five: an attachment puts its tool on the tools panel, "Storno" closes the
// message, "Smazat" is refused. Taking an attachment again changes nothing: the tool simply
// stays on the panel.
void TakeAttachment(ScreenManager& sm, const std::string& tool) {
  sm.Control("Programy", tool).SetVisible(true);
}

void CancelMessage(ScreenManager& sm, const std::string& screen) {
  sm.Show("board");
  sm.Unload(screen);
}

void DeleteMessage(ScreenManager& sm) {
  sm.Show("nemazat");
}

// A message screen in the common layout.
ScreenDesign MessageScreen(const MissionMessage& m) {
  ScreenDesign s = ManualScreen(m.screen, m.caption, 3180, m.top, kWidth, kHeight);
  s.icon = m.icon;
  const int body2Bottom = m.rewardTop - 120;
  const int rewardBottom = kAttachmentsTop - 30;
  s.controls = {
      Label("Label9", 60, 15, m.title).Title(),
      Picture("Picture1", 60, 300, Pixels(72), Pixels(46), m.senderPicture),
      Label("Label1", kHeaderLeft, 300, m.subject).Colour(colors::kTitle),
      Label("Label2", kHeaderLeft, 540, m.sender).Colour(colors::kTitle),
      Label("Label3", kHeaderLeft, 780, "Pro: RedE vuDuZAr").Colour(colors::kTitle),
      Label("Label4", kTextLeft, kBodyTop, kTextWidth, m.body2Top - kBodyTop - 60, m.body)
          .Colour(colors::kTitle),
      Label("Label5", kTextLeft, m.body2Top, kTextWidth, body2Bottom - m.body2Top, m.body2)
          .Colour(colors::kTitle),
      Line("Line1", kTextLeft, m.rewardTop - 90, kTextLeft + kTextWidth, m.rewardTop - 90),
      Label("Label7", kTextLeft, m.rewardTop, "ODMĚNA:").Colour(colors::kTitle),
      Label("Label8", kRewardTextLeft, m.rewardTop, kWidth - kRewardTextLeft - 120,
            rewardBottom - m.rewardTop, m.reward)
          .Colour(colors::kTitle),
      Label("Label6", kTextLeft, kAttachmentsTop, "Přílohy:").Colour(colors::kTitle),
  };
  const int attachmentLeft[] = {120, 1440};
  for (size_t i = 0; i < m.attachments.size(); ++i) {
    const Attachment& attachment = m.attachments[i];
    s.controls.push_back(
        Picture(attachment.icon, attachmentLeft[i], 4320, Pixels(72), Pixels(46), "attachment"));
    const std::string tool = attachment.tool;
    s.click[attachment.icon] = [tool](ScreenManager& sm) { TakeAttachment(sm, tool); };
  }
  AddTextButton(s, "Command1", "Label10", "Shape3", 120, 240, "Odpovědět");
  AddTextButton(s, "Command3", "Label11", "Shape4", 1380, 1680, "Storno");
  AddTextButton(s, "Command2", "Label12", "Shape5", 2640, 2940, "Smazat");
  s.controls.push_back(Shape("Shape2", 0, 0, kWidth, 285));
  s.controls.push_back(Shape("Shape1", 0, 270, kWidth, kHeight - 270));

  const std::string screen = m.screen;
  s.click["Command1"] = m.reply;
  s.click["Command3"] = [screen](ScreenManager& sm) { CancelMessage(sm, screen); };
  s.click["Command2"] = DeleteMessage;
  return s;
}

// Missions 1 to 3 count only while the popularity is exactly the level their own task sets.
void ReplyOnPopularity(ScreenManager& sm, const char* screen, const char* level,
                       const char* messageIcon, const char* rewardIcon) {
  if (Popularity(sm) != level) {
    sm.Show("nekompletni");
    return;
  }
  ShowReward(sm, messageIcon, rewardIcon);
  sm.Unload(screen);
}

// "Odpovědět", one completion test per mission.
void Message_Command1_Click(ScreenManager& sm) {
  ReplyOnPopularity(sm, "Message", "Málo známý", "Picture1", "Picture6");
}

void Message2_Command1_Click(ScreenManager& sm) {
  ReplyOnPopularity(sm, "Message2", "Středně známý", "Picture2", "Picture8");
}

void Message3_Command1_Click(ScreenManager& sm) {
  ReplyOnPopularity(sm, "Message3", "Známý", "Picture3", "Picture10");
}

// Without its attachment taken, message 4 says so, whatever the state of the mission.
void Message4_Command1_Click(ScreenManager& sm) {
  if (!sm.Control("Programy", "Command4").Visible()) {
    sm.Show("priloha");
    return;
  }
  if (sm.Control("back", "Check1").Value() != 1) {
    sm.Show("nekompletni");
    return;
  }
  ShowReward(sm, "Picture4", "Picture12");
  sm.Control("Programy", "Command2").SetVisible(true);  // the reward: "Generátor hlasu"
  sm.Unload("Message4");
}

void Message5_Command1_Click(ScreenManager& sm) {
  if (sm.Control("back", "mise5").Value() != 1) {
    sm.Show("nekompletni");
    return;
  }
  ShowReward(sm, "Picture5", "Picture14");
  sm.Unload("Message5");
}

}  // namespace

std::vector<ScreenDesign> MissionMessageScreens() {
  const MissionMessage messages[] = {
      {.screen = "Message",
       .caption = "Zpráva č.1",
       .icon = "message-icon",
       .top = 3015,
       .title = "Zpráva č.1",
       .senderPicture = "sender-1",
       .subject = "Předmět: Lilvidace konkurence",
       .sender = "Od: jednatel@jsoft.example",
       .body = "Mám problémy s konkurencí XSOFT SPECIAL. abourejte jejich počítač a "
               "smažte soubor xsoft-5088-6.dat jejich IP adresa je 155.8.13.76",
       .body2 = "Server je chráněn Proxy serverem , v příloze najdete program Proxy "
                "bypass, který dokáže proxy obejít. Abyste mohl soubor smazat, musíte "
                "mít oprávnění 2 stupně. V další příloze je program Files Wizard, který "
                "toto oprávnění nasimuluje.",
       .body2Top = 1920,
       .reward = "20 000,-Kč",
       .rewardTop = 3600,
       .attachments = {{"Picture2", "Command6"}, {"Picture3", "Command3"}},
       .reply = Message_Command1_Click},
      {.screen = "Message2",
       .caption = "Zpráva č.2",
       .icon = "message-icon",
       .top = 2835,
       .title = "Zpráva č.2",
       .senderPicture = "sender-2",
       .subject = "Předmět: Informace o protivníkovi",
       .sender = "Od: advokatka@pravnik.example",
       .body = "Jsem advokátka jednoho velmi vlivného člověka a ten potřebuje za každou "
               "cenu vyhrát soud. A my nutně potřebujeme vědět co má žalujíci strana. "
               "Dostaňte se do jejich počítače a najděte složku s dokumenty k případu "
               "\"Vlasak\"",
       .body2 = "IP počítače je 234.122.126.9 chráněn by měl být minimálně. Snad jen "
                "heslem a proxy serverem.",
       .body2Top = 2220,
       .reward = "36 000,-Kč",
       .rewardTop = 3600,
       .attachments = {},
       .reply = Message2_Command1_Click},
      {.screen = "Message3",
       .caption = "Zpráva č.3",
       .icon = "message-icon",
       .top = 2835,
       .title = "Zpráva č.3",
       .senderPicture = "sender-3",
       .subject = "Předmět: Vyzkoušení naší ochrany",
       .sender = "Od: sprava@datovod.example",
       .body = "Naše firma si nechala nainstalovat ochranný systém hardwarových  i "
               "softwarových firewallů a proxy server. Ale mě se zdá, že firma která "
               "montáž prováděle nenastavila vše tak jak měla.",
       .body2 = "Vaším úkolem bude se nabourat do našeho serveru a smazat tam dva "
                "testovací soubory test001.dat a test002.dat. Zřejmě budete potřebovat "
                "firewall bypass, ten najdete v příloze tohoto mailu. Naše IP adresa je "
                "255.182.27.156",
       .body2Top = 2220,
       .reward = "Nejnovější Firrewal bypass (prodejní cena 40 000,-Kč)",
       .rewardTop = 3600,
       .attachments = {{"Picture2", "Command7"}},
       .reply = Message3_Command1_Click},
      {.screen = "Message4",
       .caption = "Zpráva č.4",
       .icon = "message-icon",
       .top = 2835,
       .title = "Zpráva č.4",
       .senderPicture = "sender-4",
       .subject = "Předmět: Totální likvidace",
       .sender = "Od: vedeni@obchodnik.example",
       .body = "Potřebuji zlikvidovat konkurenční firmu BCCD s.r.o. Její IP adresa je "
               "45.103.222.39",
       .body2 = "K likvidaci použijte program Destruktor, ten vám zasílám v příloze "
                "tohoto e-mailu. ",
       .body2Top = 1680,
       .reward = "Generátor hlasu (Náš program pro americkou vládu, na volném truhu ho "
                 "NIKDE nenajdete je dělaný na zakázku a pro hackra má nevyčíslitelnou "
                 "cenu)",
       .rewardTop = 2760,
       .attachments = {{"Picture2", "Command4"}},
       .reply = Message4_Command1_Click},
      {.screen = "Message5",
       .caption = "Form1",
       .icon = "",
       .top = 2835,
       .title = "Zpráva č.5",
       .senderPicture = "sender-5",
       .subject = "Předmět: Přístup k datům ",
       .sender = "Od: x7@schranka.example",
       .body = "Musíte se dostat do počítače NBS (národní bezpečnostní služby) a nahrát "
               "tam servrovou část trojského koně Sub Seven, který nám umožní částečné "
               "ovládání jejich počítače.",
       .body2 = "Jejich IP je 96.88.173.246 jejich zabezpečení je na vysoké úrovni.",
       .body2Top = 2220,
       .reward = "150 00,-Kč",
       .rewardTop = 2760,
       .attachments = {{"Picture2", "Command5"}},
       .reply = Message5_Command1_Click},
  };
  std::vector<ScreenDesign> screens;
  for (const MissionMessage& message : messages) screens.push_back(MessageScreen(message));
  return screens;
}

}  // namespace quillon::game
