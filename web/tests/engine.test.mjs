// The WebAssembly engine against hanabira-cli: random settings of every mode through
// hanabira-node.mjs give the CLI's bytes at every kernel level of the module, on 1 and 4
// workers, in txt and csv; an abort leaves an exact prefix; refusals end alike.
//
//   node --test web/tests/   (after scripts/build-web and the release build)
import assert from 'node:assert/strict';
import { execFileSync, spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { describe, test } from 'node:test';
import { fileURLToPath, pathToFileURL } from 'node:url';

const root = fileURLToPath(new URL('../..', import.meta.url));
const site = process.env.HANABIRA_SITE ?? path.join(root, 'build/web');
const release = process.env.HANABIRA_RELEASE ?? path.join(root, 'build/release');
const cli = path.join(release, 'cli/hanabira-cli');
const nodeCli = path.join(site, 'hanabira-node.mjs');
const driver = await import(pathToFileURL(path.join(site, 'engine/search-driver.mjs')));
const { levels } = await driver.describeEngine();
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'hanabira-web-'));
// Both programs speak English, so that their messages compare.
const env = { ...process.env, LANG: 'C', LANGUAGE: '', LC_ALL: '', LC_MESSAGES: '' };

function settingsFile(name, settings) {
  const file = path.join(work, name);
  fs.writeFileSync(file, typeof settings === 'string' ? settings : JSON.stringify(settings));
  return file;
}

function randomSettings(mode, seed) {
  const text = execFileSync(path.join(release, 'tests/print_random_settings'), [String(mode), String(seed)]);
  return JSON.parse(text);
}

// A program's outcome in `cwd`: exit status, standard output and error.
function run(command, args, cwd = work) {
  const result = spawnSync(command, args, { cwd, env, maxBuffer: 1 << 28 });
  return { status: result.status, stdout: result.stdout, stderr: result.stderr.toString() };
}
const runCli = (args, cwd) => run(cli, args, cwd);
const runNode = (args, cwd) => run(process.execPath, [nodeCli, ...args], cwd);

const modes = ['iv', 'shiny', 'inheritance', 'deliveryman', 'comet shard', 'dome'];
// For each mode, a seed of print_random_settings whose search spans thousands of boot
// moments and finds lines (most find none, or search a handful of moments).
const richSeeds = [20, 22, 20, 51, 22, 20];

describe('hanabira-node.mjs writes the CLI bytes', () => {
  modes.forEach((name, mode) => {
    test(`${name} search, random settings`, () => {
      const settings = settingsFile(`mode-${mode}.json`, randomSettings(mode, richSeeds[mode]));
      const expected = runCli(['-q', '-s', settings, '-o', '-']);
      assert.equal(expected.status, 0, expected.stderr);
      assert.ok(expected.stdout.toString().split('\r\n').length > 3, 'a search that finds lines');
      for (const isa of levels) {
        for (const workers of ['1', '4']) {
          const got = runNode(['-q', '-s', settings, '-o', '-', '--isa', isa, '--threads', workers]);
          assert.equal(got.status, 0, got.stderr);
          assert.ok(got.stdout.equals(expected.stdout), `${isa} on ${workers} workers`);
        }
      }
    });
  });

  test('csv into result.csv, as the settings file asks', () => {
    for (const mode of [0, 2]) {
      const folders = ['cli', 'node'].map((side) => fs.mkdtempSync(path.join(work, side)));
      const csv = { ...randomSettings(mode, richSeeds[mode]), resultFormat: 'csv' };
      const settings = settingsFile(`csv-${mode}.json`, csv);
      assert.equal(runCli(['-q', '-s', settings], folders[0]).status, 0);
      assert.equal(runNode(['-q', '-s', settings, '-j', '4'], folders[1]).status, 0);
      const [expected, got] = folders.map((folder) => fs.readFileSync(path.join(folder, 'result.csv')));
      assert.ok(got.equals(expected), `mode ${mode}`);
    }
  });

  test('utf-8 and cp932 as --encoding asks', () => {
    const settings = settingsFile('encoding.json', randomSettings(2, richSeeds[2]));
    for (const encoding of ['utf-8', 'cp932']) {
      const expected = runCli(['-q', '-s', settings, '-o', '-', '--encoding', encoding]);
      const got = runNode(['-q', '-s', settings, '-o', '-', '--encoding', encoding, '-j', '4']);
      assert.ok(got.stdout.equals(expected.stdout), encoding);
    }
  });
});

describe('refusals end as the CLI ends them', () => {
  const plain = () => settingsFile('plain.json', randomSettings(0, 1));
  const csv = () => settingsFile('csv.json', { ...randomSettings(0, 1), resultFormat: 'csv' });
  const cases = {
    'a settings file that is not JSON': ['-s', settingsFile('broken.json', '{"ivMin": ')],
    'a field of the wrong type': ['-s', settingsFile('wrong.json', { ...randomSettings(0, 1), ivMin: 'low' })],
    'settings a search refuses': ['-s', settingsFile('refused.json', { ...randomSettings(0, 1), startMonth: 13 })],
    'a missing settings file': ['-s', path.join(work, 'missing.json')],
    'csv with --encoding cp932': ['-s', csv(), '--encoding', 'cp932'],
    'no settings': [],
    'an unknown argument': ['-s', plain(), 'extra'],
    'an option given twice': ['-s', plain(), '-o', '-', '--output', 'x.txt'],
    'an unknown level': ['-s', plain(), '--isa', 'mmx'],
    'no workers': ['-s', plain(), '--threads', '0'],
    'a result file in no folder': ['-s', plain(), '-o', path.join(work, 'no/folder/result.txt')],
  };
  // The CLI names the levels it has, the module its own.
  const ownLevels = (text) => text.replace(/\{auto,[^}]*\}/, `{auto,${[...levels].reverse().join(',')}}`);
  for (const [name, args] of Object.entries(cases)) {
    test(name, () => {
      const output = args.includes('-o') ? [] : ['-o', '-'];
      const expected = runCli([...output, ...args]);
      const got = runNode([...output, ...args]);
      assert.notEqual(expected.status, 0);
      assert.deepEqual([got.status, got.stderr], [expected.status, ownLevels(expected.stderr)]);
    });
  }
});

// A search of a few seconds with a match every few thousand moments: every second of
// two months, strict IVs at a few positions, no keys.
const longSearch = {
  ...randomSettings(0, 1), keyInputEnabled: false, startYear: 11, startMonth: 1, startDay: 1,
  endYear: 11, endMonth: 2, endDay: 28, startHour: 0, endHour: 23, startMinute: 0, endMinute: 59,
  startSecond: 0, endSecond: 59, ivMin: [30, 0, 30, 0, 30, 30], ivMax: [31, 31, 31, 31, 31, 31],
  ivConsumptionMin: 20, ivConsumptionMax: 25,
};

// Whole lines at the start of the CLI's file, and some of them.
function assertExactPrefix(got, whole) {
  assert.ok(got.length > 0 && got.length < whole.length, `${got.length} of ${whole.length} bytes`);
  assert.ok(got.equals(whole.subarray(0, got.length)));
  assert.equal(got.subarray(-2).toString(), '\r\n');
}

describe('an abort keeps an exact prefix', () => {
  const settings = settingsFile('long.json', longSearch);
  const whole = runCli(['-q', '-s', settings, '-o', '-']).stdout;

  test('startSearch().abort() after the first bytes', async () => {
    const pieces = [];
    const search = driver.startSearch({
      settingsJson: fs.readFileSync(settings, 'utf8'), workers: 4,
      onBytes: (bytes) => { pieces.push(bytes); search.abort(); },
    });
    const outcome = await search.finished;
    assert.deepEqual([outcome.status, outcome.exitCode], ['aborted', 130]);
    assert.ok(outcome.momentsDone < outcome.momentsTotal);
    assertExactPrefix(Buffer.concat(pieces), whole);
  });

  test('hanabira-node.mjs stopped by SIGINT', async () => {
    const child = spawn(process.execPath, [nodeCli, '-q', '-s', settings, '-o', '-', '-j', '2'], { env });
    const exited = new Promise((resolve) => child.on('exit', resolve));
    const pieces = [];
    child.stdout.on('data', (bytes) => {
      // The header comes with the first piece: stop once lines follow it.
      pieces.push(bytes);
      if (Buffer.concat(pieces).toString().split('\r\n').length > 2) child.kill('SIGINT');
    });
    assert.equal(await exited, 130);
    assertExactPrefix(Buffer.concat(pieces), whole);
  });
});
