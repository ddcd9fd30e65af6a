// The game's names the page lists (natures, hidden-power types, dome trainers, gender
// ratios), read from the tables of vocab/ so that the page and the programs share one list.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';

// The string literals of `name = { ... };` in a C++ source, comments dropped.
export function tableStrings(source, name) {
  const start = source.indexOf(`${name} = {`);
  if (start < 0) throw new Error(`no table ${name}`);
  const body = source.slice(start, source.indexOf('};', start)).replace(/\/\/.*$/gm, '');
  return [...body.matchAll(/"((?:[^"\\]|\\.)*)"/g)].map((m) => m[1]);
}

// The Japanese file fills natures to five characters with ideographic spaces; lists don't.
const trimmed = (list) => list.map((name) => name.replace(/\u3000+$/, ''));

export function gameNames(root) {
  const read = (file) => readFileSync(join(root, file), 'utf8');
  // The English tables are named as the Japanese ones with 'english' before them.
  const tables = (source, english = false) => {
    const named = (name) => (english ? `english${name[0].toUpperCase()}${name.slice(1)}` : name);
    return {
      natures: trimmed(tableStrings(source, named('natureNames'))),
      types: tableStrings(source, named('hiddenPowerTypeNames')),
      trainers: tableStrings(source, named('domeTrainerNames')),
    };
  };
  const genderRatios = tableStrings(read('vocab/names.h'), 'eggGenderRatioLabels');
  return {
    ja: { ...tables(read('vocab/names.cpp')), genderRatios },
    en: { ...tables(read('vocab/english_names.cpp'), true), genderRatios },
  };
}
