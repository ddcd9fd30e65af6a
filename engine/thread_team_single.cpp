// The team of a build without threads (the browser's module, whose threads are its
// workers, each with a module of its own): the calling thread works alone, and asking
// for more fails as starting a thread fails where the system has none to give.
#include <system_error>

#include "engine/thread_team.h"

namespace hanabira {

void runThreadTeam(unsigned threads, const std::function<void(unsigned)>& work, const std::function<void()>& stop) {
  if (threads > 1) {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again),
                            "this build searches on one thread");
  }
  try {
    work(0);
  } catch (...) {
    stop();
    throw;
  }
}

}  // namespace hanabira
