#pragma once
// The save dialog and the library dialog, answering from what the test set up.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/library_dialog_port.h"
#include "platform/save_dialog_port.h"

namespace spindrel::testing {

class FakeSaveDialog : public SaveDialogPort {
  public:
    std::optional<std::string> saveFile(const SaveDialogOptions& options) override {
        runs.push_back(options);
        return answer;
    }
    std::optional<std::string> answer;  // nothing: the user cancels
    std::vector<SaveDialogOptions> runs;
};

class FakeLibraryDialogs : public LibraryDialogPort {
  public:
    struct Outcome {
        std::string setupError;
        std::optional<std::string> choice;  // nothing: Cancel
    };

    // A dialog fails its set-up when the next scripted outcome says so (and uses it up).
    std::unique_ptr<LibraryDialog> create() override {
        ++created;
        std::string error;
        if (!script.empty() && !script.front().setupError.empty()) {
            error = script.front().setupError;
            script.pop_front();
        }
        return std::make_unique<Dialog>(*this, error);
    }

    // What the next runs answer, one at a time; every dialog made draws from it.
    std::deque<Outcome> script;
    int created = 0;
    int destroyed = 0;
    int shown = 0;

  private:
    class Dialog : public LibraryDialog {
      public:
        Dialog(FakeLibraryDialogs& owner, std::string setupError)
            : owner_(owner), setupError_(std::move(setupError)) {}
        ~Dialog() override { ++owner_.destroyed; }
        std::string setupError() override { return setupError_; }
        std::optional<std::string> showModal() override {
            ++owner_.shown;
            if (owner_.script.empty())
                return std::nullopt;
            Outcome next = owner_.script.front();
            owner_.script.pop_front();
            return next.choice;
        }

      private:
        FakeLibraryDialogs& owner_;
        std::string setupError_;
    };
};

}  // namespace spindrel::testing
