#include "web/wasm/web_summary.h"

#include "engine/rate_text.h"
#include "i18n/translate.h"

namespace hanabira {

std::string summaryLine(const WebSummary& summary) {
  const std::string output = summary.output == "-" ? std::string(tr("standard output")) : summary.output;
  const std::string matches = trnf("{} match", "{} matches", summary.candidates, summary.candidates);
  if (summary.aborted) {
    return trf("aborted: {} of {} searched; {} holds the first {}", summary.momentsDone,
               trnf("{} boot moment", "{} boot moments", summary.momentsTotal, summary.momentsTotal), output, matches);
  }
  const double rate = summary.seconds > 0 ? static_cast<double>(summary.momentsDone) / summary.seconds : 0;
  return trf("{} in {}, {:.2f} s, {} on {} ({}, {}){}; written to {}", matches,
             trnf("{} boot moment", "{} boot moments", summary.momentsDone, summary.momentsDone), summary.seconds,
             formatRate(rate, tr("seeds")), trnf("{} thread", "{} threads", summary.workers, summary.workers),
             summary.isa, summary.plan, "", output);
}

}  // namespace hanabira
