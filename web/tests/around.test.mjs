// The moments around a hit and the search over every profile through the driver, against
// hanabira-cli adjacent and --all-profiles for the same files: the same bytes, and the
// same refusals.
//
//   node --test web/tests/   (after scripts/build-web and the release build)
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { describe, test } from 'node:test';
import { fileURLToPath, pathToFileURL } from 'node:url';

const root = fileURLToPath(new URL('../..', import.meta.url));
const site = process.env.HANABIRA_SITE ?? path.join(root, 'build/web');
const release = process.env.HANABIRA_RELEASE ?? path.join(root, 'build/release');
const cli = path.join(release, 'cli/hanabira-cli');
const driver = await import(pathToFileURL(path.join(site, 'engine/search-driver.mjs')));
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'hanabira-around-'));
const env = { ...process.env, LANG: 'C', LANGUAGE: '', LC_ALL: '', LC_MESSAGES: '' };

// Written in the CLI's working folder; its name, as messages name it.
function file(name, content) {
  fs.writeFileSync(path.join(work, name), typeof content === 'string' ? content : JSON.stringify(content));
  return name;
}

function runCli(args) {
  const result = spawnSync(cli, args, { cwd: work, env, maxBuffer: 1 << 26 });
  return { status: result.status, stdout: result.stdout, stderr: result.stderr.toString() };
}

async function searched(search) {
  const chunks = [];
  const outcome = await search({ onBytes: (bytes) => chunks.push(Buffer.from(bytes)) });
  return { outcome, bytes: Buffer.concat(chunks) };
}

// An IV search of one minute, keys held, with and without ranges of VCount and Timer0.
const ivSettings = {
  game: 'Black', language: 'JPN', console: 'DS', macAddress: '00-11-22-33-44-55',
  vcount: '60', timer0: 'C79', gxStat: '6000000', frame: 8,
  startYear: 11, endYear: 11, startMonth: 9, endMonth: 9, startDay: 27, endDay: 27,
  startHour: 13, endHour: 13, startMinute: 47, endMinute: 47, keyInputEnabled: true,
};
const profiles = {
  profiles: [
    { name: 'DS Lite', edition: 'Black,JPN,DSLite', macAddress: '00-09-BF-12-34-56', vcount: '0x60',
      timer0: '0xC79', gxStat: '0x6000000', frame: 8, timer0Range: ['0xC78', '0xC79'] },
    { name: '白いDS', edition: 'Black,JPN,DS', macAddress: '00-11-22-33-44-55', vcount: '0x60', timer0: '0xC7A',
      gxStat: '0x6000000', frame: 8, timer0Range: ['0xC79', '0xC7A'] },
  ],
};
const consoleFree = Object.fromEntries(Object.entries(ivSettings).filter(([key]) =>
  !['game', 'language', 'console', 'macAddress', 'vcount', 'timer0', 'gxStat', 'frame'].includes(key)));

describe('a search over every profile writes the bytes of hanabira-cli --all-profiles', () => {
  const profilesJson = JSON.stringify(profiles);
  const profilesPath = file('profiles.json', profilesJson);
  const cases = [
    ['txt, CP932, profiles of one value and of a range', { ...consoleFree }, 1],
    ['csv on 4 workers', { ...consoleFree, resultFormat: 'csv' }, 4],
    ['jsonl, English', { ...consoleFree, resultFormat: 'jsonl', resultLanguage: 'en' }, 2],
    ['the settings file overrides the profiles', { ...ivSettings }, 3],
  ];
  for (const [name, settings, workers] of cases) {
    test(name, async () => {
      const settingsJson = JSON.stringify(settings);
      const expected = runCli(['-q', '-s', file('s.json', settingsJson), '--profiles', profilesPath, '--all-profiles',
        '-o', '-']);
      assert.equal(expected.status, 0, expected.stderr);
      const got = await searched((callbacks) =>
        driver.startProfileSearch({ settingsJson, profilesJson, workers, ...callbacks }).finished);
      assert.equal(got.outcome.status, 'completed', got.outcome.message);
      assert.ok(got.bytes.equals(expected.stdout), `${got.bytes.length} bytes, the CLI's ${expected.stdout.length}`);
    });
  }

  test('refusals: a name CP932 cannot hold, no profile', async () => {
    const settingsJson = JSON.stringify(consoleFree);
    for (const list of [{ profiles: [{ ...profiles.profiles[0], name: 'DS 🌸' }] }, { profiles: [] }]) {
      const profilesJson = JSON.stringify(list);
      const expected = runCli(['-s', file('s.json', settingsJson), '--profiles', file('refused.json', profilesJson),
        '--all-profiles', '-o', '-']);
      const got = await driver.startProfileSearch({ settingsJson, profilesJson, profilesName: 'refused.json' }).finished;
      assert.equal(got.status, 'refused');
      assert.equal(got.exitCode, expected.status);
      assert.equal(`${got.errorLine}\n`, expected.stderr);
    }
  });

  test('an abort leaves an exact prefix', async () => {
    const settingsJson = JSON.stringify(consoleFree);
    const expected = runCli(['-q', '-s', file('s.json', settingsJson), '--profiles', profilesPath, '--all-profiles',
      '-o', '-']);
    assert.equal(expected.status, 0, expected.stderr);
    let search;
    const got = await searched((callbacks) => {
      search = driver.startProfileSearch({ settingsJson, profilesJson, workers: 2, ...callbacks,
        onProgress: ({ momentsDone, momentsTotal }) => momentsDone > momentsTotal / 3 && search.abort() });
      return search.finished;
    });
    assert.equal(got.outcome.status, 'aborted');
    assert.equal(got.outcome.exitCode, 130);
    assert.ok(got.bytes.length < expected.stdout.length);
    assert.ok(got.bytes.equals(expected.stdout.subarray(0, got.bytes.length)));
  });
});

describe('the moments around a hit are those hanabira-cli adjacent prints', () => {
  const widths = { seconds: 1, timer0s: 1, vcounts: 1, positions: 2, keysOneAway: true };
  const args = (hit) => ['--moment', hit.moment, '--keys', hit.keys, '--seconds', '1', '--timer0', '1',
    '--vcount', '1', '--positions', '2', '--keys-one-away',
    ...(hit.hitVcount ? ['--hit-vcount', hit.hitVcount, '--hit-timer0', hit.hitTimer0] : [])];

  for (const [name, settings] of [
    ['a line of a search of one console, in Japanese', ivSettings],
    ['a line of a search over ranges, in English', { ...ivSettings, vcountMin: '5F', vcountMax: '61',
      timer0Min: 'C78', timer0Max: 'C7A', resultLanguage: 'en' }],
  ]) {
    test(name, async () => {
      const settingsJson = JSON.stringify(settings);
      const settingsPath = file('s.json', settingsJson);
      const result = runCli(['-q', '-s', settingsPath, '-o', '-', '--encoding', 'utf-8']);
      const line = result.stdout.toString().split('\r\n')[5];
      const hit = await driver.hitOfRow({ settingsJson, cells: line.split(',') });
      assert.ok(hit.ok, line);
      const expected = runCli(['adjacent', '-s', settingsPath, ...args(hit)]);
      assert.equal(expected.status, 0, expected.stderr);
      const got = await driver.neighbours({ settingsJson, ...hit, ...widths });
      assert.ok(got.ok, got.message);
      assert.ok(Buffer.from(got.bytes).equals(expected.stdout));
      assert.equal(`${got.summary}\n`, expected.stderr);
    });
  }

  test('a line of a search over every profile: that profile\'s console', async () => {
    const settingsJson = JSON.stringify(consoleFree);
    const profilesJson = JSON.stringify(profiles);
    const profilesPath = file('profiles.json', profilesJson);
    const whole = runCli(['-q', '-s', file('s.json', settingsJson), '--profiles', profilesPath, '--all-profiles',
      '-o', '-', '--encoding', 'utf-8']);
    const line = whole.stdout.toString().split('\r\n').find((l) => l.startsWith('白いDS,'));
    const [profileName, ...cells] = line.split(',');
    const hit = await driver.hitOfRow({ settingsJson, profilesJson, profileName, cells });
    assert.ok(hit.ok, line);
    const expected = runCli(['adjacent', '-s', file('s.json', settingsJson), '--profiles', profilesPath,
      '--profile', profileName, ...args(hit)]);
    assert.equal(expected.status, 0, expected.stderr);
    const got = await driver.neighbours({ settingsJson, profilesJson, profileName, ...hit, ...widths });
    assert.ok(Buffer.from(got.bytes).equals(expected.stdout));
  });

  test('refusals as adjacent\'s: a moment that is none, a range without the hit\'s VCount', async () => {
    const ranged = JSON.stringify({ ...ivSettings, vcountMin: '5F', vcountMax: '61' });
    const settingsPath = file('r.json', ranged);
    for (const [hit, cliArgs] of [
      [{ moment: '2011-02-30T00:00:00' }, ['--moment', '2011-02-30T00:00:00', '--hit-vcount', '60']],
      [{ moment: '2011-09-27T13:47:05' }, ['--moment', '2011-09-27T13:47:05']],
    ]) {
      const expected = runCli(['adjacent', '-s', settingsPath, ...cliArgs]);
      const got = await driver.neighbours({ settingsJson: ranged, hitVcount: cliArgs[3], ...hit });
      assert.equal(got.ok, false);
      assert.equal(got.exitCode, expected.status);
      assert.equal(`${got.errorLine}\n`, expected.stderr);
    }
  });
});
