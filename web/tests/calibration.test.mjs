// The calibration of the WebAssembly engine, run in a worker by the driver, against
// `hanabira-cli calibrate` of the release build: the same sets in the same order, from
// values and from a seed; the same refusals; a stop ends it at once.
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
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'hanabira-calibration-'));
const env = { ...process.env, LANG: 'C', LANGUAGE: '', LC_ALL: '', LC_MESSAGES: '' };

// The worked example's White 2, its VCount and Timer0 unknown within narrowed ranges, two
// keys allowed and loose bounds on the values: hundreds of sets, seconds and keys apart.
const observed = {
  game: 'White2', language: 'ENG', console: 'DSLite', gxStat: '6000000', macAddress: '00-09-BF-12-34-56',
  startYear: 12, startMonth: 10, startDay: 7, endYear: 12, endMonth: 10, endDay: 7,
  startHour: 12, startMinute: 34, startSecond: 56,
  keyInputEnabled: true, keyAllowed: [true, false, false, true, false, false, false, false, false, false],
  vcountMin: '70', vcountMax: '90', timer0Min: '1000', timer0Max: '1180',
  ivMin: [10, 25, 5, 5, 5, 25], ivMax: [20, 31, 15, 15, 15, 31], ivConsumptionMin: 2, ivConsumptionMax: 2,
};

// `hanabira-cli calibrate -s` on the settings: exit status, its lines, its error stream.
function cliCalibrate(settings, options = []) {
  const file = path.join(work, 'settings.json');
  fs.writeFileSync(file, JSON.stringify(settings));
  const result = spawnSync(cli, ['calibrate', '-s', file, ...options], { env, encoding: 'utf8' });
  return { status: result.status, lines: result.stdout.split('\n').filter(Boolean), stderr: result.stderr };
}

// A set as the CLI prints it.
function cliLine(m) {
  const two = (n) => String(n).padStart(2, '0');
  const hex = (n) => n.toString(16).toUpperCase();
  const off = `${m.secondsOff < 0 ? '' : '+'}${m.secondsOff}`;
  return `VCount=${hex(m.vcount)} Timer0=${hex(m.timer0)} Frame=${m.frame} ${m.year}-${two(m.month)}-${two(m.day)} ` +
    `${two(m.hour)}:${two(m.minute)}:${two(m.second)} (${off} s) keys=${m.keys} seed=${m.seed}` +
    (m.position >= 0 ? ` position=${m.position}` : '');
}

function webCalibrate(settings, { seconds = 5, seed = '' } = {}) {
  return driver.startCalibration({ settingsJson: JSON.stringify(settings), secondsAround: seconds, seed }).finished;
}

describe('the driver calibrates as hanabira-cli calibrate', () => {
  test('the same sets in the same order, from values and from a seed', async () => {
    const fromValues = cliCalibrate(observed, ['--seconds', '3']);
    assert.equal(fromValues.status, 0, fromValues.stderr);
    assert.ok(fromValues.lines.length > 100, 'sets at several seconds and keys');
    const found = await webCalibrate(observed, { seconds: 3 });
    assert.equal(found.status, 'completed', found.message);
    assert.deepEqual(found.matches.map(cliLine), fromValues.lines);

    const fromSeed = cliCalibrate(observed, ['--seed', 'EEC69215F3BA6BF9']);
    assert.equal(fromSeed.lines.length, 1);
    const bySeed = await webCalibrate(observed, { seed: 'EEC69215F3BA6BF9' });
    assert.deepEqual(bySeed.matches.map(cliLine), fromSeed.lines);
  });

  test('refusals: the CLI message and exit code', async () => {
    const { macAddress, ...withoutAddress } = observed;
    const cases = [
      [withoutAddress, {}, []],
      [observed, { seed: '0x12' }, ['--seed', '0x12']],
      [observed, { seconds: 900 }, ['--seconds', '900']],
      [{ ...observed, startMonth: 13 }, {}, []],
    ];
    for (const [settings, web, options] of cases) {
      const expected = cliCalibrate(settings, options);
      const refused = await webCalibrate(settings, web);
      assert.equal(refused.status, 'refused', JSON.stringify(web));
      assert.equal(refused.exitCode, expected.status);
      assert.equal(`${refused.errorLine}\n`, expected.stderr);
    }
  });

  test('a stop ends the calibration at once, its worker with it', async () => {
    const { timer0Min, timer0Max, vcountMin, vcountMax, ...wide } = observed;
    const calibration = driver.startCalibration({ settingsJson: JSON.stringify(wide), secondsAround: 600 });
    setTimeout(() => calibration.abort(), 200);
    const started = Date.now();
    const outcome = await calibration.finished;
    assert.equal(outcome.status, 'aborted');
    assert.equal(outcome.exitCode, 130);
    assert.ok(Date.now() - started < 5000);
  });
});
