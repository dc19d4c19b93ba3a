// The five mission messages. They share one layout and the handlers of their attachments,
// "Storno" and "Smazat"; they differ in their texts, their attachments and the completion test
// run by "Odpovědět".
#pragma once

#include <string>
#include <vector>

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

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
  engine::Handler reply;  // "Odpovědět": the completion test of the mission
};

// A message screen in the common layout.
engine::ScreenDesign MessageScreen(const MissionMessage& message);

// `Message`, `Message2` ... `Message5`.
std::vector<engine::ScreenDesign> MissionMessageScreens();

// Shared by all five: an attachment puts its tool on the tools panel, "Storno" closes the
// message, "Smazat" is refused.
void TakeAttachment(engine::ScreenManager& sm, const std::string& tool);
void CancelMessage(engine::ScreenManager& sm, const std::string& screen);
void DeleteMessage(engine::ScreenManager& sm);

// "Odpovědět", one completion test per mission.
void Message_Command1_Click(engine::ScreenManager& sm);
void Message2_Command1_Click(engine::ScreenManager& sm);
void Message3_Command1_Click(engine::ScreenManager& sm);
void Message4_Command1_Click(engine::ScreenManager& sm);
void Message5_Command1_Click(engine::ScreenManager& sm);

}  // namespace quillon::game
