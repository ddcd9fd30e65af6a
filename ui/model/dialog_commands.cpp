#include "ui/model/dialog_commands.h"

#include <utility>

#include "i18n/translate.h"

namespace hanabira {

DialogCommands::DialogCommands(const OptionDialogDesign& design, Post post, Finished finished)
    : design_(design), post_(std::move(post)), finished_(std::move(finished)) {}

DialogCommands::~DialogCommands() {
  cancel_.store(true);
  if (thread_.joinable()) thread_.join();
}

std::string DialogCommands::press(int id, DialogState& state, const SearchSettings& windowSettings) {
  if (isRunning()) {
    cancel_.store(true);
    return {};
  }
  if (design_.run == nullptr) return {};
  DialogCommand command = design_.run(id, state, windowSettings);
  if (command.work) {
    running_ = id;
    cancel_.store(false);
    thread_ = std::thread(&DialogCommands::work, this, std::move(command.work));
  }
  return std::move(command.message);
}

std::string_view DialogCommands::label(int id) const {
  if (isRunning() && id == running_) return tr(stopCommandLabel);
  for (const DialogControl& control : design_.controls) {
    if (control.id == id) return tr(control.label);
  }
  return {};
}

void DialogCommands::work(DialogWork task) {
  update_ = task(cancel_);
  post_([this] { complete(); });
}

void DialogCommands::complete() {
  if (!thread_.joinable()) return;
  thread_.join();
  const DialogUpdate update = std::exchange(update_, nullptr);
  finished_(update);
}

}  // namespace hanabira
