#include "app/main_model.h"

#include "ui/panel_texts.h"
#include "ui/placement.h"

namespace spindrel {

MainModel::MainModel() {
    namespace m = skin::main_form;
    place(CoolForm1, m::client);
    place(closebtn, m::closebtn);
    place(minimizebtn, m::minimizebtn);
    place(refreshbtn, m::refreshbtn);
    place(disc.DVD_Title, m::DVD_Title);
    place(disc.DVD_Serial, m::DVD_Serial);
    place(disc.Shape3, m::Shape3);
    const skin::Rect leds[] = {m::Region1LED, m::Region2LED, m::Region3LED,
                               m::Region4LED, m::Region5LED, m::Region6LED};
    for (std::size_t i = 0; i < disc.RegionLED.size(); ++i)
        place(disc.RegionLED[i], leds[i]);
    place(dsm.ModLabel, m::ModLabel);
    place(dsm.NoClicks, skin::dsm_panel::NoClicks);
    place(dsm.runtime, skin::dsm_panel::runtime);
    place(logo_pic, skin::dead_panel1::logo_pic);
    place(inactive_panel, skin::dead_panel1::inactive_panel);
    place(active_panel, skin::dead_panel1::active_panel);
    place(inactive_pic, {0, 0, active_panel.width, active_panel.height});
    place(Image4, {0, 0, active_panel.width, active_panel.height});
    place(dvdbtn, skin::inactive_panel::dvdbtn);
    place(RecBtn, skin::active_panel::RecBtn);
    place(stopbtn, skin::active_panel::stopbtn);
    place(resetbtn, skin::active_panel::resetbtn);
    place(testbtn, skin::active_panel::testbtn);

    namespace b = skin::base_panel;
    place(dsm_panel, b::dsm_panel);
    place(button_panel, b::button_panel);
    place(file_panel, b::file_panel);
    place(config_panel, b::config_panel);
    place(remote_panel, b::remote_panel);
    place(about_panel, b::about_panel);
    for (Image* picture : {&Image1, &Image2, &Image3, &Image5, &Image6, &Image8}) {
        place(*picture, {0, 0, dsm_panel.width, dsm_panel.height});
    }

    place(dsmbtn, skin::dsm_panel::dsmbtn);
    place(buttonbtn, skin::button_panel::buttonbtn);
    place(editwait, skin::button_panel::editwait);
    place(buttonlabel, skin::button_panel::buttonlabel);
    place(next_button, skin::button_panel::next_button);
    place(timeindex, skin::remote_panel::timeindex);
    place(buttonhint, skin::remote_panel::buttonhint);
    place(filesysbtn, skin::file_panel::filesysbtn);
    place(newbtn, skin::file_panel::newbtn);
    place(openbtn, skin::file_panel::openbtn);
    place(savebtn, skin::file_panel::savebtn);
    place(makenamebtn, skin::file_panel::makenamebtn);
    place(clearnamebtn, skin::file_panel::clearnamebtn);
    place(dsm.dsm_name, skin::file_panel::dsm_name);
    place(configbtn, skin::config_panel::configbtn);
    place(optionabtn, skin::config_panel::optionabtn);
    place(optionbbtn, skin::config_panel::optionbbtn);
    place(spindrelbtn, skin::config_panel::spindrelbtn);
    optionabtn.hint = autoplay_texts::kOptionaHint;
    optionbbtn.hint = autoplay_texts::kOptionbHint;
    spindrelbtn.hint = autoplay_texts::kSpindrelHint;
    place(autoplaybtn, skin::config_panel::autoplaybtn);
    autoplaybtn.hint = autoplay_texts::kWindowsHint;
    place(cbox_1, skin::config_panel::cbox_1);
    place(cbox_2, skin::config_panel::cbox_2);
    place(cbox_3, skin::config_panel::cbox_3);
    cbox_1.hint = panel_texts::kResetBeforeTestHint;
    cbox_2.hint = panel_texts::kAnimateSlidersHint;
    cbox_3.hint = panel_texts::kLaunchOtherProgramHint;
    closebtn.hint = panel_texts::kCloseHint;
    minimizebtn.hint = panel_texts::kMinimiseHint;
    for (CoolButton* select : {&dsmbtn, &buttonbtn, &filesysbtn, &configbtn, &aboutbtn})
        select->hint = panel_texts::kSelectPanelHint;
    for (Control* box : {&cbox_1, &cbox_2, &cbox_3})
        box->captionStyle = CaptionStyle::shadow;
    place(autoexec, skin::config_panel::autoexec);
    place(playerlabel, skin::config_panel::playerlabel);
    playerlabel.hint = panel_texts::kPlayerLabelHint;
    place(aboutbtn, skin::about_panel::aboutbtn);
    place(myversion, skin::about_panel::myversion);
}

}  // namespace spindrel
