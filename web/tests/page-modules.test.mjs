// The page's modules that need no browser: the catalog reader, the result table's parsing
// and sorting, profiles in and out of the form's settings, the progress figures.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { durationText, progressFigures } from '../page/progress-text.mjs';
import { profileFromSettings, settingsFromProfile, storeCalibration } from '../page/profiles.mjs';
import { parseResult, sortRows } from '../page/results-table.mjs';
import { parsePo } from '../tools/po.mjs';
import { markupKeys, scriptKeys } from '../tools/page-texts.mjs';

test('catalog entries: contexts, plurals and continued lines; fuzzy and obsolete ones left out', () => {
  const texts = parsePo([
    'msgid ""', 'msgstr ""', '"Language: ja\\n"', '',
    '#: a.cpp', 'msgctxt "egg nature"', 'msgid "Everstone"', 'msgstr "変わらず"', '',
    'msgid "{} match found."', 'msgid_plural "{} matches found."', 'msgstr[0] "{}件見つかりました。"', '',
    'msgid ""', '"Calculation "', '"stopped."', 'msgstr ""', '"計算を"', '"中止しました。"', '',
    'msgid "a \\"quoted\\" word"', 'msgstr "「引用」"', '',
    '#, fuzzy', 'msgid "Stop"', 'msgstr "中止"', '',
    'msgid "Untranslated"', 'msgstr ""', '',
    '#~ msgid "Old"', '#~ msgstr "古い"', '',
  ].join('\n'));
  assert.deepEqual(texts, {
    'egg nature\u0004Everstone': '変わらず',
    '{} match found.': ['{}件見つかりました。'],
    'Calculation stopped.': '計算を中止しました。',
    'a "quoted" word': '「引用」',
  });
});

test('the page\'s texts are found in its markup and scripts', () => {
  assert.deepEqual(markupKeys('<b data-t="& up">x</b><i data-tc="egg ability|Hidden"></i>'),
    ['& up', 'egg ability\u0004Hidden']);
  assert.deepEqual(scriptKeys("t('{}  {} left', a); tn('{} match found.', '{} matches found.', n); tc('egg nature', 'Everstone'); at('no')"),
    ['{}  {} left', '{} match found.', 'egg nature\u0004Everstone']);
});

test('result files of every format become the same table', () => {
  const lines = ['年,月,H', '11,9,31', '11,10,4'];
  const expected = { header: ['年', '月', 'H'], rows: [['11', '9', '31'], ['11', '10', '4']] };
  assert.deepEqual(parseResult(lines.join('\r\n') + '\r\n', 'txt'), expected);
  assert.deepEqual(parseResult('\uFEFF' + lines.join('\r\n') + '\r\n', 'csv'), expected);
  assert.deepEqual(parseResult(lines.map((l) => l.replaceAll(',', '\t')).join('\r\n'), 'tsv'), expected);
  assert.deepEqual(parseResult('{"year":11,"keys":["A","St"]}\n{"year":12,"keys":[]}\n', 'jsonl'),
    { header: ['year', 'keys'], rows: [['11', 'A St'], ['12', '']] });
  assert.deepEqual(parseResult('', 'txt'), { header: [], rows: [] });
});

test('columns sort numbers by value, text by text, ties in file order, either way', () => {
  const rows = [['10', 'b', '1'], ['9', 'a', '2'], ['10', 'a', '3']];
  assert.deepEqual(sortRows(rows, 0, false).map((r) => r[2]), ['2', '1', '3']);
  assert.deepEqual(sortRows(rows, 0, true).map((r) => r[2]), ['1', '3', '2']);
  assert.deepEqual(sortRows(rows, 1, false).map((r) => r[2]), ['2', '3', '1']);
});

test('a profile holds the console of the settings and gives it back', () => {
  const settings = { game: 'White2', language: 'ENG', console: 'DSLite', macAddress: '00-09-BF-12-34-56',
    vcount: '82', timer0: '10f3', gxStat: '6000000', frame: 6, timer0Min: '10F0', timer0Max: '10F5', ivMin: [31] };
  const profile = profileFromSettings('DS Lite', settings);
  assert.deepEqual(profile, { name: 'DS Lite', edition: 'White2,ENG,DSLite', macAddress: '00-09-BF-12-34-56',
    vcount: '0x82', timer0: '0x10F3', gxStat: '0x6000000', frame: 6, timer0Range: ['0x10F0', '0x10F5'] });
  assert.deepEqual(settingsFromProfile(profile), { game: 'White2', language: 'ENG', console: 'DSLite',
    macAddress: '00-09-BF-12-34-56', vcount: '0x82', timer0: '0x10F3', gxStat: '0x6000000', frame: 6,
    timer0Min: '0x10F0', timer0Max: '0x10F5' });
  // profiles.json may hold the words as JSON numbers, and a version word instead of an edition.
  const numbers = settingsFromProfile({ name: 'B', versionWord: 0x02215f30, macAddress: 'x', vcount: 0x60,
    timer0: 0xc79, gxStat: 0x6000000, frame: 8, vcountRange: [0x5f, 0x61] });
  assert.deepEqual([numbers.versionWord, numbers.vcount, numbers.timer0, numbers.vcountMin, numbers.vcountMax],
    ['2215f30', '60', 'c79', '5f', '61']);
});

test('a calibration is stored as calibrate --save-profile stores it', () => {
  const sets = [{ vcount: 0x82, timer0: 0x10f3, frame: 6 }, { vcount: 0x81, timer0: 0x10e5, frame: 6 },
    { vcount: 0x82, timer0: 0x10f3, frame: 6 }];  // one set at two seconds
  const ranWith = { game: 'White2', language: 'ENG', console: 'DSLite', macAddress: '00-09-BF-12-34-56',
    vcount: '0', timer0: '0', gxStat: '6000000', frame: 6, vcountMin: '70', vcountMax: '90' };
  const stored = { name: 'Lite', versionWord: '0x2215F30', macAddress: '00-00-00-00-00-01', vcount: '0x60',
    timer0: '0xC79', gxStat: '0x6000000', frame: 8, timer0Range: ['0xC70', '0xC80'], calibration: [] };
  const other = { name: 'Other', versionWord: '0x2215F10' };
  const [kept, replaced, added] = storeCalibration(
    storeCalibration([other, stored], 'Lite', sets, sets[1], ranWith), 'New', sets, sets[0], ranWith);
  assert.equal(kept, other);
  // The chosen set replaces the console's values and ranges; the rest of the profile stays.
  const { timer0Range, ...rest } = stored;
  assert.deepEqual(replaced, { ...rest, vcount: '0x81', timer0: '0x10E5', frame: 6,
    calibration: [{ vcount: '0x82', timer0: '0x10F3', frame: 6 }, { vcount: '0x81', timer0: '0x10E5', frame: 6 }] });
  // A new profile takes the console the calibration ran with, without its ranges.
  assert.deepEqual(added, { name: 'New', edition: 'White2,ENG,DSLite', macAddress: '00-09-BF-12-34-56',
    vcount: '0x82', timer0: '0x10F3', gxStat: '0x6000000', frame: 6, calibration: added.calibration });
});

test('progress: share, seeds a second, time left; durations as the window writes them', () => {
  assert.deepEqual(progressFigures({ momentsDone: 250, momentsTotal: 1000 }, 2), { share: 0.25, rate: 125, left: 6 });
  assert.equal(progressFigures({ momentsDone: 0, momentsTotal: 0 }, 0).left, undefined);
  assert.deepEqual([durationText(59.6), durationText(3599), durationText(3600), durationText(-1)],
    ['1:00', '59:59', '1:00:00', '0:00']);
});
