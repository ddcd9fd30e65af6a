#include "vocab/names.h"

namespace hanabira {
namespace {

constexpr std::array<std::string_view, natureCount> natureNames = {
    "がんばりや", "さみしがり", "ゆうかん　", "いじっぱり", "やんちゃ　", "ずぶとい　", "すなお　　",
    "のんき　　", "わんぱく　", "のうてんき", "おくびょう", "せっかち　", "まじめ　　", "ようき　　",
    "むじゃき　", "ひかえめ　", "おっとり　", "れいせい　", "てれや　　", "うっかりや", "おだやか　",
    "おとなしい", "なまいき　", "しんちょう", "きまぐれ　",
};

constexpr std::array<std::string_view, hiddenPowerTypeCount> hiddenPowerTypeNames = {
    "かくとう", "ひこう", "どく", "じめん", "いわ",     "むし",   "ゴースト", "はがね",
    "ほのお",   "みず",   "くさ", "でんき", "エスパー", "こおり", "ドラゴン", "あく",
};

constexpr std::array<std::string_view, domeTrainerCount> domeTrainerNames = {
    "OLのアツコ",
    "ウエーターのヒサシ",
    "ウエートレスのナナ",
    "エリートトレーナーのタツヤ",
    "エリートトレーナーのルーシー",
    "おじょうさまのソフィー",
    "おぼっちゃまのアンソニー",
    "おまわりさんのジェフ",
    "カラテおうのフミヒト",
    "クラウンのチャーリー",
    "げいじゅつかのピエール",
    "けんきゅういんのヨシノリ",
    "けんきゅういんのイクミ",
    "サイキッカーのツカサ",
    "サイキッカーのヤヨイ",
    "さぎょういんのマシュー",
    "さぎょういんのコウジ",
    "ジェントルマンのマサオミ",
    "じゅくがえりのマナブ",
    "じゅくがえりのコズエ",
    "スキンヘッズのテツヤ",
    "せいそういんのノブシゲ",
    "だいすきクラブのヒロシ",
    "だいすきクラブのケサコ",
    "ダンサーのデヴィット",
    "たんぱんこぞうのカズキ",
    "つりびとのカズトモ",
    "てつどういんのカズマサ",
    "ドクターのリョウイチ",
    "ナースのユキエ",
    "パイロットのマサフミ",
    "バックパッカーのヒロム",
    "バックパッカーのパティ",
    "バトルガールのユウキ",
    "パラソルおねえさんのヒヅキ",
    "ビジネスマンのトシオ",
    "ビジネスマンのアツヤ",
    "ベーカリーのユリエ",
    "ベテラントレーナーのアレン",
    "ベテラントレーナーのサユリ",
    "ほいくしのナナコ",
    "ポケモンブリーダーのヒロユキ",
    "ポケモンブリーダーのユキエ",
    "ポケモンレンジャーのアラン",
    "ポケモンレンジャーのマキコ",
    "マダムのエミリア",
    "ミニスカートのリカ",
    "ミュージシャンのショウイチ",
    "メイドのアリカ",
    "やまおとこのダイサク",
    "えんじのモトヤス",
    "えんじのマユコ",
};

// Ids are compared as unsigned numbers, so a negative id is out of range as well.
template <std::size_t N>
std::optional<std::string_view> lookup(const std::array<std::string_view, N>& table, int id) {
  if (static_cast<unsigned>(id) >= N) return std::nullopt;
  return table[static_cast<std::size_t>(id)];
}

}  // namespace

std::optional<std::string_view> natureName(int id) { return lookup(natureNames, id); }
std::optional<std::string_view> hiddenPowerTypeName(int id) { return lookup(hiddenPowerTypeNames, id); }
std::optional<std::string_view> domeTrainerName(int id) { return lookup(domeTrainerNames, id); }

}  // namespace hanabira
