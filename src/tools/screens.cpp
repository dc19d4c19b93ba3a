#include "tools/screens.h"

#include "tools/cracking.h"
#include "tools/programy.h"
#include "tools/voice.h"
#include "tools/wizard.h"

namespace quillon {

void RegisterToolScreens(engine::ScreenRegistry& registry) {
  registry.Add(ProgramyScreen());
  registry.Add(CrackingScreen());
  registry.Add(VoiceScreen());
  registry.Add(VoicebrakerScreen());
  registry.Add(WizardScreen());
}

}  // namespace quillon
