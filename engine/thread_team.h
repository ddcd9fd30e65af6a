// A few threads that share one piece of work, the calling thread among them.
#pragma once

#include <functional>

namespace hanabira {

// Runs work(0) on the calling thread and work(1) to work(threads - 1) on threads of their
// own, and returns when every one has ended. The first exception of any of them is
// rethrown then; so is a failure to start a thread (out of threads or memory), after
// stop() has asked the threads already running to end early and they have. stop() is
// also called when a worker throws, so that the others need not finish their share.
void runThreadTeam(unsigned threads, const std::function<void(unsigned)>& work, const std::function<void()>& stop);

}  // namespace hanabira
