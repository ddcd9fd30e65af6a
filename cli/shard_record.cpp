#include "cli/shard_record.h"

#include <fmt/format.h>

#include <nlohmann/json.hpp>

#include <charconv>
#include <cstring>

#include "cli/output_file.h"
#include "core/sha1_hasher.h"
#include "core/utf8_path.h"
#include "core/version.h"
#include "engine/result_sink.h"
#include "engine/settings_json.h"
#include "i18n/translate.h"

namespace hanabira {
namespace {

constexpr std::string_view formatTag = "hanabira-shard 1";

std::optional<std::uint32_t> parseCount(std::string_view text) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<ShardSpec> parseShardSpec(std::string_view text) {
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const auto index = parseCount(text.substr(0, slash));
  const auto count = parseCount(text.substr(slash + 1));
  if (!index || !count || *index < 1 || *index > *count) return std::nullopt;
  return ShardSpec{*index, *count};
}

std::string searchDigest(const SearchSettings& settings, TextEncoding encoding, ResultFormat format) {
  nlohmann::ordered_json search = {
      {"program", programVersion},
      {"encoding", encoding == TextEncoding::Utf8 ? "utf-8" : "cp932"},
      {"settings", settingsToJson(settings)},
  };
  if (format != ResultFormat::Txt) search["format"] = resultFormatName(format);
  return sha1Hex(search.dump());
}

std::filesystem::path shardRecordPath(const std::filesystem::path& data) {
  return std::filesystem::path(data).concat(shardRecordSuffix);
}

std::string shardRecordText(const ShardRecord& record) {
  nlohmann::ordered_json object = {
      {"format", formatTag},           {"search", record.search},     {"shard", record.shard.index},
      {"shards", record.shard.count},  {"moments", record.moments},   {"firstMoment", record.range.first},
      {"endMoment", record.range.end}, {"complete", record.complete}, {"lines", record.lines},
      {"bytes", record.bytes},         {"sha1", record.sha1},
  };
  if (record.format != ResultFormat::Txt) object["resultFormat"] = resultFormatName(record.format);
  return object.dump(2) + '\n';
}

ShardRecord parseShardRecord(std::string_view text) {
  const nlohmann::json object = nlohmann::json::parse(text, nullptr, false);
  const auto format = object.is_object() ? object.find("format") : object.end();
  if (format == object.end() || *format != formatTag) {
    throw ShardRecordError(std::string(tr("not a shard record")));
  }
  ShardRecord record;
  try {
    object.at("search").get_to(record.search);
    object.at("shard").get_to(record.shard.index);
    object.at("shards").get_to(record.shard.count);
    object.at("moments").get_to(record.moments);
    object.at("firstMoment").get_to(record.range.first);
    object.at("endMoment").get_to(record.range.end);
    object.at("complete").get_to(record.complete);
    object.at("lines").get_to(record.lines);
    object.at("bytes").get_to(record.bytes);
    object.at("sha1").get_to(record.sha1);
    if (const auto resultFormat = object.find("resultFormat"); resultFormat != object.end()) {
      const auto known = resultFormatFromName(resultFormat->get<std::string>());
      if (!known) throw ShardRecordError(std::string(tr("a damaged shard record (an unknown result format)")));
      record.format = *known;
    }
  } catch (const nlohmann::json::exception& error) {
    throw ShardRecordError(trf("a damaged shard record ({})", error.what()));
  }
  const ShardSpec shard = record.shard;
  if (shard.index < 1 || shard.index > shard.count ||
      record.range != shardRange(record.moments, shard.index, shard.count)) {
    throw ShardRecordError(std::string(tr("a damaged shard record (its shard and moments disagree)")));
  }
  return record;
}

void writeShardRecord(const std::filesystem::path& data, const ShardRecord& record) {
  const std::filesystem::path path = shardRecordPath(data);
  try {
    writeWholeFile(path, shardRecordText(record));
  } catch (const ResultWriteError& error) {
    throw ResultWriteError(trf("cannot write shard record '{}': {}", utf8FromPath(path),
                               error.systemError() != 0 ? std::strerror(error.systemError()) : "failed"),
                           error.systemError());
  }
}

}  // namespace hanabira
