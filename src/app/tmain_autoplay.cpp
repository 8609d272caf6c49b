// Tmain: the configuration panel's autoplay buttons and the Spindrel+ menu.

#include "app/tmain.h"
#include "autoplay/autoplay_registration.h"
#include "autoplay/autoplay_texts.h"

namespace spindrel {

void Tmain::optionabtnClick() {
    registerDiscDetector(sharedRegistry(), ports_.system.programPath(), autoplay_texts::kOptionA);
}

void Tmain::optionbbtnClick() {
    registerDiscDetector(sharedRegistry(), ports_.system.programPath(), autoplay_texts::kOptionB);
}

void Tmain::setup_spindrel(int tag) {
    const char* option = tag == 1 ? autoplay_texts::kOptionA : autoplay_texts::kOptionB;
    registerSpindrelPlus(sharedRegistry(), ports_.system.programPath(), option);
    ports_.messages.show(autoplay_texts::kInstalled, model.applicationTitle, MsgButtons::ok,
                         MsgIcon::none);
    model.autoexecCaretHome = true;
}

}  // namespace spindrel
