#pragma once
// Finds the first CD-ROM drive holding a UDF DVD-Video disc, shows its label, identity and
// playable regions, and remembers its drive letter.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/drives_port.h"
#include "platform/message_pump_port.h"
#include "ui/control.h"

namespace spindrel {

struct DiscModel {
    DiscModel();

    Control DVD_Title;
    Control DVD_Serial;                // the disc identity; empty: no disc found
    char dvdDrive = 0;                 // 'C' to 'Z', or 0
    std::array<Control, 6> RegionLED;  // Region1LED .. Region6LED
    Control Shape3;
    Control refreshbtn;
};

class DiscScanner {
  public:
    DiscScanner(DiscModel& model, DrivesPort& drives, MessagePump& pump);

    DiscModel& model() { return model_; }
    const std::string& identity() const { return model_.DVD_Serial.caption; }

    void scan();
    // Lights the region LEDs from the IFO file's region byte, or as "no disc" without a path.
    void showRegions(const std::optional<std::string>& ifoPath);
    // The refresh button.
    void refreshbtnClick();

  private:
    DiscModel& model_;
    DrivesPort& drives_;
    MessagePump& pump_;
};

}  // namespace spindrel
