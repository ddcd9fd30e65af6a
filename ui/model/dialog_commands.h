// The command buttons of a dialog, whatever draws it. A press runs the design's command,
// whose work goes to a thread of its own so that the window stays responsive (the
// console dialog's calibration takes seconds); a press while the work runs stops it.
// One command runs at a time. The front end shows the states and messages it is handed
// and each command button with the label asked for.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

#include "core/search_settings.h"
#include "ui/model/option_dialog_designs.h"

namespace hanabira {

class DialogCommands {
 public:
  // Runs a task later on the window's thread (SearchRunner::Post). Called from the
  // working thread; tasks still waiting when this is destroyed must be dropped (Qt: the
  // dialog as the queued call's context, this being part of the dialog).
  using Post = std::function<void(std::function<void()> task)>;
  // The work is done, on the window's thread: the front end applies `update` (unless it
  // is empty) to what its controls hold now and shows the result and the labels.
  using Finished = std::function<void(const DialogUpdate& update)>;

  DialogCommands(const OptionDialogDesign& design, Post post, Finished finished);
  // Stops running work and waits for it; its update is dropped.
  ~DialogCommands();
  DialogCommands(const DialogCommands&) = delete;
  DialogCommands& operator=(const DialogCommands&) = delete;

  // Command button `id` pressed with the controls as `state`. While work runs, asks it
  // to stop and returns at once (its update still comes). Otherwise runs the command on
  // `state` and starts its work, if any. Returns the command's message, or empty.
  std::string press(int id, DialogState& state, const SearchSettings& windowSettings);

  // The button's label now: the design's, or stopCommandLabel while its work runs.
  std::string_view label(int id) const;
  bool isRunning() const { return thread_.joinable(); }

 private:
  void work(DialogWork task);
  // Joins the thread and hands the update on, once per run.
  void complete();

  const OptionDialogDesign& design_;
  Post post_;
  Finished finished_;

  std::thread thread_;
  int running_ = 0;  // the command whose work runs
  std::atomic<bool> cancel_{false};
  DialogUpdate update_;  // the work's; read once the thread is joined
};

}  // namespace hanabira
