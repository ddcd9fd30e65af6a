// The record kept beside the lines of a shard: which search and which part of it they
// are, and whether they are all there. A shard's search writes it once its lines are in
// place, with their size and SHA-1, as incomplete when the search was stopped, so that a
// shard whose search was stopped, or whose file was cut short or changed since, is told
// from a good one.
//
//   result-2-of-3.txt             the lines, as a search of the shard's range writes them
//   result-2-of-3.txt.shard.json  {"format":"hanabira-shard 1","search":"<SHA-1>","shard":2,"shards":3,
//                                  "moments":5400,"firstMoment":1800,"endMoment":3600,"complete":true,
//                                  "lines":7,"bytes":812,"sha1":"<SHA-1 of the lines>"}
//
// A shard in another format than txt names it: "resultFormat":"csv" after "sha1".
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/search_settings.h"
#include "engine/moment_range.h"
#include "evaluate/result_formats.h"
#include "evaluate/result_text.h"

namespace hanabira {

// Shard `index` of `count`, 1 <= index <= count.
struct ShardSpec {
  std::uint32_t index = 1;
  std::uint32_t count = 1;
};

// "K/N" with 1 <= K <= N; nothing else.
std::optional<ShardSpec> parseShardSpec(std::string_view text);

struct ShardRecord {
  std::string search;  // searchDigest() of the search the shard is part of
  ShardSpec shard;
  std::uint64_t moments = 0;  // of the whole search
  MomentRange range;          // the shard's moments: shardRange(moments, shard)
  bool complete = false;
  std::uint64_t lines = 0;  // matches, not counting the header
  std::uint64_t bytes = 0;  // of the data file
  std::string sha1;         // of the data file
  ResultFormat format = ResultFormat::Txt;
};

// What tells one search from another: the complete settings, the encoding of the lines,
// their format (unless txt) and the program's version, as a SHA-1 in hexadecimal.
std::string searchDigest(const SearchSettings& settings, TextEncoding encoding,
                         ResultFormat format = ResultFormat::Txt);

// Where the record of a shard's data file lies: beside it, named after it.
std::filesystem::path shardRecordPath(const std::filesystem::path& data);
inline constexpr std::string_view shardRecordSuffix = ".shard.json";

std::string shardRecordText(const ShardRecord& record);

class ShardRecordError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws ShardRecordError for text that is not a record, or whose shard and range
// contradict each other.
ShardRecord parseShardRecord(std::string_view text);

// Replaces the record of `data` as a whole, as an OutputFile replaces a file, so that a
// reader finds the old record or the new one. Throws ResultWriteError.
void writeShardRecord(const std::filesystem::path& data, const ShardRecord& record);

}  // namespace hanabira
