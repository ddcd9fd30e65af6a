#include "vocab/names.h"

#include "vocab/table_lookup.h"

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

}  // namespace

std::optional<std::string_view> natureName(int id) { return lookupName(natureNames, id); }
std::optional<std::string_view> hiddenPowerTypeName(int id) { return lookupName(hiddenPowerTypeNames, id); }
std::optional<std::string_view> domeTrainerName(int id) { return lookupName(domeTrainerNames, id); }

}  // namespace hanabira
