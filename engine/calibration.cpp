#include "engine/calibration.h"

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>

#include "core/kernels.h"
#include "engine/calibration_rules.h"
#include "engine/search_engine.h"
#include "engine/settings_validation.h"
#include "engine/thread_team.h"
#include "evaluate/iv_draws.h"
#include "evaluate/iv_search.h"
#include "evaluate/prefilter_stage.h"

namespace hanabira {
namespace {

// One thread's share: the blocks (date, VCount, Timer0) of its VCounts, each prepared
// once and its boots (seconds times keys) computed as a batch; the seeds gathered until
// a batch of them is full, then compared with the seed or scanned for the values.
class CalibrationWorker {
 public:
  CalibrationWorker(const CalibrationRequest& request, const SearchSettings& ivSettings, const KernelSet& kernels,
                    const std::vector<BootAround>& boots, const std::vector<std::uint16_t>& masks)
      : request_(request), kernels_(kernels), boots_(boots), masks_(masks) {
    if (!request.seed) {
      ivSettings_ = ivSettings;
      stage_ = std::make_unique<PrefilterStage>(*ivSearchPrefilter(ivSettings), kernels);
    }
  }

  void run(const SearchSettings& frameSettings, std::uint32_t firstVcount, std::uint32_t lastVcount,
           const std::atomic<bool>* cancel, std::vector<CalibrationMatch>& out) {
    frame_ = frameSettings.frame;
    const BootMessage constant = constantMessageWords(frameSettings);
    for (std::uint64_t vcount = firstVcount; vcount <= lastVcount; ++vcount) {
      for (std::uint64_t timer0 = request_.timer0s.min; timer0 <= request_.timer0s.max; ++timer0) {
        // Checked block by block: a wide window makes a VCount's Timer0s seconds of work.
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
          flush(out);
          return;
        }
        runBlocks(constant, frameSettings.is3ds, static_cast<std::uint32_t>(vcount), static_cast<std::uint32_t>(timer0),
                  out);
      }
    }
    flush(out);
  }

 private:
  struct Boot {
    std::uint32_t vcount, timer0;
    std::uint16_t bootIndex, maskIndex;
  };

  void runBlocks(const BootMessage& constant, bool is3ds, std::uint32_t vcount, std::uint32_t timer0,
                 std::vector<CalibrationMatch>& out) {
    std::size_t b = 0;
    while (b < boots_.size()) {
      // The boots of one date share the prepared rounds.
      const Date date = boots_[b].date;
      BootMessage words = constant;
      words[5] = parameterWord(vcount, timer0);
      words[8] = dateWord(date.year, date.month, date.day, weekday(date));
      const SeedDay block = prepareSeedDay(words);
      for (; b < boots_.size() && boots_[b].date == date; ++b) {
        const BootAround& boot = boots_[b];
        const std::uint32_t time = timeWord(boot.hour, boot.minute, boot.second, is3ds);
        for (std::size_t m = 0; m < masks_.size(); ++m) {
          if (count_ == batch) {
            computeGathered(block);
            flush(out);
          }
          timeWords_[count_] = time;
          keyWords_[count_] = keyWord(masks_[m]);
          pending_[count_] = {vcount, timer0, static_cast<std::uint16_t>(b), static_cast<std::uint16_t>(m)};
          ++count_;
        }
        computeGathered(block);
      }
    }
  }

  // Seeds of the boots gathered since the last computation, all of `block`.
  void computeGathered(const SeedDay& block) {
    if (count_ == computed_) return;
    kernels_.computeSeeds(block, timeWords_.data() + computed_, keyWords_.data() + computed_, count_ - computed_,
                          seeds_.data() + computed_);
    computed_ = count_;
  }

  void flush(std::vector<CalibrationMatch>& out) {
    const std::span<const InitialSeed> seeds(seeds_.data(), computed_);
    if (request_.seed) {
      for (std::size_t i = 0; i < seeds.size(); ++i) {
        if (seeds[i] == *request_.seed) out.push_back(matchOf(i, -1));
      }
    } else if (!seeds.empty()) {
      stage_->run(seeds, [&](std::size_t i, std::span<const int> positions) {
        for (const int hit : positions) {
          const std::int64_t j = stage_->rows().first() + hit;
          if (passesIvBounds(ivSettings_, drawnIvs(stage_->rows(), i, j, ivSettings_.roaming))) {
            out.push_back(matchOf(i, static_cast<int>(j)));
          }
        }
      });
    }
    count_ = computed_ = 0;
  }

  CalibrationMatch matchOf(std::size_t i, int position) const {
    const Boot& boot = pending_[i];
    const BootAround& at = boots_[boot.bootIndex];
    const BootMoment moment{at.date.year,     at.date.month,          at.date.day, at.hour,    at.minute, at.second,
                            weekday(at.date), masks_[boot.maskIndex], boot.vcount, boot.timer0};
    return {boot.vcount, boot.timer0, frame_, moment, at.secondsOff, seeds_[i], position};
  }

  static constexpr std::size_t batch = maxEvaluationBatch;

  const CalibrationRequest& request_;
  const KernelSet& kernels_;
  const std::vector<BootAround>& boots_;
  const std::vector<std::uint16_t>& masks_;
  SearchSettings ivSettings_;
  std::unique_ptr<PrefilterStage> stage_;
  int frame_ = 0;
  std::size_t count_ = 0;     // boots gathered
  std::size_t computed_ = 0;  // of them, with their seeds
  std::array<std::uint32_t, batch> timeWords_;
  std::array<std::uint32_t, batch> keyWords_;
  std::array<InitialSeed, batch> seeds_;
  std::array<Boot, batch> pending_;
};

}  // namespace

CalibrationRequest calibrationRequest(const SearchSettings& settings, int secondsAround,
                                      std::optional<InitialSeed> seed) {
  CalibrationRequest request;
  request.settings = settings;
  request.secondsAround = secondsAround;
  request.vcounts = settings.vcountRange.value_or(calibrationVcounts);
  request.timer0s = settings.timer0Range.value_or(calibrationTimer0s);
  if (settings.edition) {
    request.frames = {editionFacts(*settings.edition).frame};
  } else {
    request.frames = {8, 6, 9};  // the DS, the DS Lite, the DSi and 3DS with Black and White
  }
  request.seed = seed;
  return request;
}

std::optional<SettingsProblem> findCalibrationProblem(const CalibrationRequest& request) {
  if (auto problem = findSettingsProblem(observedValueSettings(request))) return problem;
  SettingsCheck check;
  check.range("secondsAround", request.secondsAround, 0, maxCalibrationSeconds);
  return check.result();
}

std::vector<CalibrationMatch> calibrate(const CalibrationRequest& request, const CalibrationOptions& options) {
  if (auto problem = findCalibrationProblem(request)) throw InvalidSettingsError(*problem);
  const KernelSet& kernels = options.isa ? kernelsFor(*options.isa) : bestKernels();
  const SearchSettings ivSettings = observedValueSettings(request);
  const std::vector<BootAround> boots = bootsAround(request);
  const std::vector<std::uint16_t> masks = triedKeyMasks(request);

  // Each thread takes a share of the VCounts; the ranking orders what they found.
  const auto vcounts = static_cast<unsigned>(request.vcounts.count());
  const unsigned threads = std::min(resolveThreadCount(options.threads), std::max(1u, vcounts));
  std::vector<std::vector<CalibrationMatch>> found(threads);
  const auto work = [&](unsigned t) {
    CalibrationWorker worker(request, ivSettings, kernels, boots, masks);
    const std::uint32_t first = request.vcounts.min + vcounts * t / threads;
    const std::uint32_t end = request.vcounts.min + vcounts * (t + 1) / threads;
    if (first == end) return;
    for (const int frame : request.frames) {
      worker.run(withFrame(request.settings, frame), first, end - 1, options.cancel, found[t]);
    }
  };
  // The shares are short: a thread that fails lets the others finish theirs.
  runThreadTeam(threads, work, [] {});
  std::vector<CalibrationMatch> matches;
  for (const auto& part : found) matches.insert(matches.end(), part.begin(), part.end());
  rankMatches(request, matches);
  return matches;
}

}  // namespace hanabira
