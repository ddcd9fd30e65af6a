#include "cli/shard_output.h"

#include <fmt/format.h>

#include <utility>

#include "engine/boot_moment_space.h"

namespace hanabira {

ShardOutput::ShardOutput(const SearchSettings& settings, TextEncoding encoding, ShardSpec shard,
                         std::filesystem::path data, ResultFormat format)
    : data_(std::move(data)) {
  record_.search = searchDigest(settings, encoding, format);
  record_.format = format;
  record_.shard = shard;
  record_.moments = BootMomentSpace(settings).size();
  record_.range = shardRange(record_.moments, shard.index, shard.count);
}

void ShardOutput::HashingSink::write(std::string_view text) {
  next->write(text);
  hasher.update(text);
  bytes += text.size();
}

ResultSink& ShardOutput::sink(ResultSink& file) {
  sink_.next = &file;
  return sink_;
}

void ShardOutput::finish(const SearchSummary& summary) {
  record_.complete = !summary.cancelled;
  record_.lines = summary.candidates;
  record_.bytes = sink_.bytes;
  record_.sha1 = sink_.hasher.hexDigest();
  writeShardRecord(data_, record_);
}

std::string defaultShardFileName(ShardSpec shard, ResultFormat format) {
  return fmt::format("result-{}-of-{}.{}", shard.index, shard.count, resultFormatName(format));
}

}  // namespace hanabira
