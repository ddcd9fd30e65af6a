#include "engine/thread_team.h"

#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace hanabira {

void runThreadTeam(unsigned threads, const std::function<void(unsigned)>& work, const std::function<void()>& stop) {
  std::mutex mutex;
  std::exception_ptr failure;
  const auto guarded = [&](unsigned index) {
    try {
      work(index);
    } catch (...) {
      {
        std::lock_guard lock(mutex);
        if (!failure) failure = std::current_exception();
      }
      stop();
    }
  };
  {
    std::vector<std::jthread> helpers;
    try {
      helpers.reserve(threads > 0 ? threads - 1 : 0);
      for (unsigned index = 1; index < threads; ++index) helpers.emplace_back(guarded, index);
    } catch (...) {
      stop();
      throw;  // leaving the scope joins the threads that did start
    }
    guarded(0);
  }  // joins the helpers
  if (failure) std::rethrow_exception(failure);
}

}  // namespace hanabira
