// The writing side of a shard: a search of one shard's range whose lines go to the data
// file through a counting, hashing sink, and the record beside it. The data file is
// replaced whole (an OutputFile), then the record: a shard whose search failed or was
// killed stays as it was, one that was stopped is marked incomplete, and until its
// record follows, new lines beside an old record differ from its SHA-1. So a shard is
// never taken for a whole one unless it is.
//
//   ShardOutput shard(settings, encoding, {2, 8}, "result-2-of-8.txt");
//   OutputFile file("result-2-of-8.txt", OutputFile::AtOnce::Keep);
//   options.moments = shard.range();
//   const SearchSummary summary = runSearch(settings, shard.sink(file.sink()), options);
//   file.commit();
//   shard.finish(summary);
#pragma once

#include <filesystem>

#include "cli/shard_record.h"
#include "core/sha1_hasher.h"
#include "engine/result_sink.h"
#include "engine/search_engine.h"

namespace hanabira {

class ShardOutput {
 public:
  // The settings must have passed findSettingsProblem(), with the PID positions clamped.
  ShardOutput(const SearchSettings& settings, TextEncoding encoding, ShardSpec shard, std::filesystem::path data,
              ResultFormat format = ResultFormat::Txt);

  MomentRange range() const { return record_.range; }

  // A sink that hands everything on to `file` and keeps count and SHA-1 of the bytes.
  ResultSink& sink(ResultSink& file);

  // Records what reached the data file, complete unless the search was cancelled. Call it
  // once the file is in place. Throws ResultWriteError.
  void finish(const SearchSummary& summary);

 private:
  class HashingSink final : public ResultSink {
   public:
    void write(std::string_view bytes) override;
    ResultSink* next = nullptr;
    Sha1Hasher hasher;
    std::uint64_t bytes = 0;
  };

  std::filesystem::path data_;
  ShardRecord record_;
  HashingSink sink_;
};

// The data file a shard writes unless told otherwise: result-K-of-N.txt (.csv, ...).
std::string defaultShardFileName(ShardSpec shard, ResultFormat format = ResultFormat::Txt);

}  // namespace hanabira
