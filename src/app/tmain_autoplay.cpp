// Tmain: the configuration panel's autoplay buttons and the Spindrel+ menu.

#include "app/tmain.h"
#include "autoplay/autoplay_registration.h"
#include "autoplay/autoplay_texts.h"
#include "base/text.h"

namespace spindrel {

namespace {

// What was done for the current user stands; a warning, not an error, says what was not.
void registerDiscDetectorFor(Tmain& m, const char* option) {
    try {
        registerDiscDetector(m.sharedRegistry(), m.ports().system.programPath(), option);
    } catch (const DefaultProfileRefused& refused) {
        std::string text = refused.what();
        if (!refused.accessDenied() && refused.systemCode() != 0) {
            text += "\r\r" + m.ports().system.errorText(refused.systemCode());
        }
        m.ports().messages.show(text, m.model.applicationTitle, MsgButtons::ok, MsgIcon::warning);
    }
}

}  // namespace

void Tmain::optionabtnClick() { registerDiscDetectorFor(*this, autoplay_texts::kOptionA); }

void Tmain::optionbbtnClick() { registerDiscDetectorFor(*this, autoplay_texts::kOptionB); }

void Tmain::setup_spindrel(int tag) {
    const char* option = tag == 1 ? autoplay_texts::kOptionA : autoplay_texts::kOptionB;
    registerSpindrelPlus(sharedRegistry(), ports_.system.programPath(), option);
    ports_.messages.show(autoplay_texts::kInstalled, model.applicationTitle, MsgButtons::ok,
                         MsgIcon::none);
    model.autoexecCaretHome = true;
}

void Tmain::autoplaybtnClick() {
    const MsgAnswer answer = ports_.messages.show(autoplay_texts::kWindowsQuestion,
                                                  model.applicationTitle, MsgButtons::yesNoCancel,
                                                  MsgIcon::question);
    if (answer != MsgAnswer::yes && answer != MsgAnswer::no) return;
    const bool quit = answer == MsgAnswer::yes;
    registerWindowsAutoPlay(sharedRegistry(), ports_.system.programPath(),
                            quit ? autoplay_texts::kOptionA : autoplay_texts::kOptionB);
    ports_.messages.show(strFormat(autoplay_texts::kWindowsInstalledFormat, quit ? "/A" : "/B"),
                         model.applicationTitle, MsgButtons::ok, MsgIcon::information);
}

}  // namespace spindrel
