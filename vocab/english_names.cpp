// Where the English names come from:
// - Natures: the English games' names, paired with the Japanese ones in
//   https://pastebin.com/pDGcgHAK and https://pastebin.com/NjAdfLnx (Japanese, English)
//   and in the games' order in https://pastebin.com/izExf1Gn (Hardy first, Quirky last).
// - Hidden-power types: the English games' type names, in the order of the Japanese
//   table (Fighting first, Dark last).
// - Dome trainers: the trainers who appear in Nimbasa City's Big Stadium and Small Court
//   after the Hall of Fame in Black and White, "Big Stadium and Small Court",
//   http://206.189.44.186/host-http-bulbapedia.bulbagarden.net/wiki/Big_Stadium_and_Small_Court
//   (a copy of Bulbapedia's article). It names fifteen of them: Artist Pierre, Clerk
//   Nelson, Clerk Fredric, Clerk Wren, Dancer Davey, Depot Agent Josh, Harlequin Charley,
//   Maid Alica, Musician Boris, Parasol Lady Gwyneth, Policeman Jeff, Psychic Gerard,
//   Psychic Madhu, School Kid Alan and School Kid Sally. A class with one trainer pairs
//   by its class; a class of two by gender (Gerard and Alan are men's names, ヤヨイ and
//   コズエ women's); Wren is the clerk who is neither of the two men, so the Japanese OL.
//   The trainer classes of the others are the English games' classes of the Japanese
//   ones (Bulbapedia's articles "Roughneck (Trainer class)" and "Pokéfan (Trainer
//   class)" give スキンヘッズ and だいすきクラブ). Where no source gave the English
//   personal name, the entry keeps the Japanese one, romanized, and says "unconfirmed".
#include "vocab/english_names.h"

#include "vocab/names.h"
#include "vocab/table_lookup.h"

namespace hanabira {
namespace {

constexpr std::array<std::string_view, natureCount> englishNatureNames = {
    "Hardy",   "Lonely", "Brave", "Adamant", "Naughty", "Bold",    "Docile", "Relaxed", "Impish",
    "Lax",     "Timid",  "Hasty", "Serious", "Jolly",   "Naive",   "Modest", "Mild",    "Quiet",
    "Bashful", "Rash",   "Calm",  "Gentle",  "Sassy",   "Careful", "Quirky",
};

constexpr std::array<std::string_view, hiddenPowerTypeCount> englishHiddenPowerTypeNames = {
    "Fighting", "Flying", "Poison", "Ground",   "Rock",    "Bug", "Ghost",  "Steel",
    "Fire",     "Water",  "Grass",  "Electric", "Psychic", "Ice", "Dragon", "Dark",
};

constexpr std::array<std::string_view, domeTrainerCount> englishDomeTrainerNames = {
    "Clerk Wren",                // OLのアツコ
    "Waiter Hisashi",            // ウエーターのヒサシ: name unconfirmed
    "Waitress Nana",             // ウエートレスのナナ: name unconfirmed
    "Ace Trainer Tatsuya",       // エリートトレーナーのタツヤ: name unconfirmed
    "Ace Trainer Lucy",          // エリートトレーナーのルーシー: name unconfirmed
    "Lady Sophie",               // おじょうさまのソフィー: name unconfirmed
    "Rich Boy Anthony",          // おぼっちゃまのアンソニー: name unconfirmed
    "Policeman Jeff",            // おまわりさんのジェフ
    "Black Belt Fumihito",       // カラテおうのフミヒト: name unconfirmed
    "Harlequin Charley",         // クラウンのチャーリー
    "Artist Pierre",             // げいじゅつかのピエール
    "Scientist Yoshinori",       // けんきゅういんのヨシノリ: name unconfirmed
    "Scientist Ikumi",           // けんきゅういんのイクミ: name unconfirmed
    "Psychic Gerard",            // サイキッカーのツカサ
    "Psychic Madhu",             // サイキッカーのヤヨイ
    "Worker Matthew",            // さぎょういんのマシュー: name unconfirmed
    "Worker Koji",               // さぎょういんのコウジ: name unconfirmed
    "Gentleman Masaomi",         // ジェントルマンのマサオミ: name unconfirmed
    "School Kid Alan",           // じゅくがえりのマナブ
    "School Kid Sally",          // じゅくがえりのコズエ
    "Roughneck Tetsuya",         // スキンヘッズのテツヤ: name unconfirmed
    "Janitor Nobushige",         // せいそういんのノブシゲ: class and name unconfirmed
    "Pokéfan Hiroshi",           // だいすきクラブのヒロシ: name unconfirmed
    "Pokéfan Kesako",            // だいすきクラブのケサコ: name unconfirmed
    "Dancer Davey",              // ダンサーのデヴィット
    "Youngster Kazuki",          // たんぱんこぞうのカズキ: name unconfirmed
    "Fisherman Kazutomo",        // つりびとのカズトモ: name unconfirmed
    "Depot Agent Josh",          // てつどういんのカズマサ
    "Doctor Ryoichi",            // ドクターのリョウイチ: name unconfirmed
    "Nurse Yukie",               // ナースのユキエ: name unconfirmed
    "Pilot Masafumi",            // パイロットのマサフミ: name unconfirmed
    "Backpacker Hiromu",         // バックパッカーのヒロム: name unconfirmed
    "Backpacker Patty",          // バックパッカーのパティ: name unconfirmed
    "Battle Girl Yuki",          // バトルガールのユウキ: name unconfirmed
    "Parasol Lady Gwyneth",      // パラソルおねえさんのヒヅキ
    "Clerk Toshio",              // ビジネスマンのトシオ: Nelson or Fredric, which one unconfirmed
    "Clerk Atsuya",              // ビジネスマンのアツヤ: Nelson or Fredric, which one unconfirmed
    "Baker Yurie",               // ベーカリーのユリエ: name unconfirmed
    "Veteran Allen",             // ベテラントレーナーのアレン: name unconfirmed
    "Veteran Sayuri",            // ベテラントレーナーのサユリ: name unconfirmed
    "Nursery Aide Nanako",       // ほいくしのナナコ: name unconfirmed
    "Pokémon Breeder Hiroyuki",  // ポケモンブリーダーのヒロユキ: name unconfirmed
    "Pokémon Breeder Yukie",     // ポケモンブリーダーのユキエ: name unconfirmed
    "Pokémon Ranger Alan",       // ポケモンレンジャーのアラン: name unconfirmed
    "Pokémon Ranger Makiko",     // ポケモンレンジャーのマキコ: name unconfirmed
    "Socialite Emilia",          // マダムのエミリア: name unconfirmed
    "Lass Rika",                 // ミニスカートのリカ: name unconfirmed
    "Musician Boris",            // ミュージシャンのショウイチ
    "Maid Alica",                // メイドのアリカ
    "Hiker Daisaku",             // やまおとこのダイサク: name unconfirmed
    "Preschooler Motoyasu",      // えんじのモトヤス: name unconfirmed
    "Preschooler Mayuko",        // えんじのマユコ: name unconfirmed
};

}  // namespace

std::optional<std::string_view> englishNatureName(int id) { return lookupName(englishNatureNames, id); }
std::optional<std::string_view> englishHiddenPowerTypeName(int id) {
  return lookupName(englishHiddenPowerTypeNames, id);
}
std::optional<std::string_view> englishDomeTrainerName(int id) { return lookupName(englishDomeTrainerNames, id); }

}  // namespace hanabira
