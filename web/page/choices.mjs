// The items of the form's lists, in the order and with the values the settings file uses.
import { names, t, tc } from './texts.mjs';

const numbered = (list, first) => names(list).map((name, i) => [first + i, name]);

const choiceLists = {
  games: () => [['Black', t('Black')], ['White', t('White')], ['Black2', t('Black 2')], ['White2', t('White 2')]],
  languages: () => [['', '—'], ['JPN', t('Japanese')], ['ENG', t('English')], ['GER', t('German')],
    ['FRA', t('French')], ['SPA', t('Spanish')], ['ITA', t('Italian')], ['KOR', t('Korean')]],
  consoles: () => [['', '—'], ['DS', 'DS'], ['DSLite', 'DS Lite'], ['DSi', 'DSi'], ['3DS', '3DS']],
  keyCounts: () => [['', t('Any')], ...Array.from({ length: 13 }, (_, n) => [n, String(n)])],
  types: () => [[-1, t('Any')], ...numbered('types', 0)],
  natures: () => [[0, t('Any')], ...numbered('natures', 1)],
  eggNatures: () => [[-1, t('Any')], [0, tc('egg nature', 'Everstone')], ...numbered('natures', 1)],
  eggAbilities: () => [[0, t('Any')], [1, '1'], [2, '2'], [3, tc('egg ability', 'Hidden')]],
  genderRatios: () => [[0, t('Any')], ...numbered('genderRatios', 1)],
  trainers: () => [[0, t('Any')], ...numbered('trainers', 1)],
  formats: () => ['txt', 'csv', 'tsv', 'jsonl'].map((f) => [f, f]),
  resultLanguages: () => [['ja', t('Japanese')], ['en', t('English')]],
  numberings: () => [['positions', t('From the first value of the sequence')], ['players', t('As players count')]],
};

// Fills every select with data-choices in the page's language, keeping its value.
export function fillChoices(root) {
  for (const select of root.querySelectorAll('select[data-choices]')) {
    const value = select.value;
    select.replaceChildren(...choiceLists[select.dataset.choices]().map(([key, label]) => new Option(label, key)));
    if (value !== '' || select.querySelector('option[value=""]')) select.value = value;
  }
}
