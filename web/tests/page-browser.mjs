// The page in headless Chromium: it fills its fields for a search of every mode, runs it
// on 1 and 4 workers, and the downloaded result file equals hanabira-cli's bytes on the
// settings the page exports; an abort leaves an exact prefix; the English page; the page
// offline after its first load.
//   scripts/test-web-page   (builds the site and hanabira-cli where they are missing)
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';
import { serveFolder } from './static-server.mjs';

const root = join(dirname(fileURLToPath(import.meta.url)), '../..');
const site = process.env.HANABIRA_WEB ?? join(root, 'build/web');
const cli = process.env.HANABIRA_CLI ?? join(root, 'build/release/cli/hanabira-cli');
const scratch = mkdtempSync(join(tmpdir(), 'hanabira-page-'));

// The worked example's console on one minute of 2011-09-27 with key input: 32,400 boot moments.
const minute = {
  game: 'Black', macAddress: '00-11-22-33-44-55', vcount: '60', timer0: 'C79', gxStat: '6000000', frame: 8,
  startYear: 11, startMonth: 9, startDay: 27, endYear: 11, endMonth: 9, endDay: 27,
  startHour: 13, endHour: 13, startMinute: 47, endMinute: 47, keyInputEnabled: true,
};
const modes = {
  iv: { ivMin: [20, 20, 20, 20, 20, 20] },
  shiny: { shinyPidSearch: true, trainerId: 12345, secretId: 54321, shinyEncounterKind: 3, idCorrection: true },
  egg: { inheritanceSearch: true, eggNature: -1, ivMin: [31, 31, 31, 31, 31, 31] },
  deliveryman: { deliverymanSearch: true, ivMin: [31, 0, 0, 0, 0, 0], deliveryNature: 4, pidConsumptionMax: 60 },
  cometShard: { cometShardSearch: true, resultLanguage: 'en', resultFormat: 'csv' },
  dome: { domeSearch: true, domeTrainers: [1, 2, 3, 4, 0, 0], resultFormat: 'jsonl', initialAdvances: true },
};

let browser;
let server;

before(async () => {
  assert.ok(existsSync(join(site, 'index.html')), `${site} has no site: run scripts/build-web`);
  assert.ok(existsSync(cli), `${cli} is missing: build the release preset`);
  server = await serveFolder(site);
  browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-dev-shm-usage'],
  });
});

after(async () => {
  await browser?.close();
  await server?.close();
  rmSync(scratch, { recursive: true, force: true });
});

// A fresh profile (no storage, no service worker) whose downloads land in a folder of its own.
async function openPage({ languages = ['ja-JP'], url = server.url } = {}) {
  const context = await browser.createBrowserContext();
  const downloads = mkdtempSync(join(scratch, 'downloads-'));
  const cdp = await browser.target().createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads, browserContextId: context.id });
  const page = await context.newPage();
  await page.evaluateOnNewDocument((list) => Object.defineProperty(navigator, 'languages', { get: () => list }), languages);
  await page.goto(url);
  await page.waitForSelector('body[data-ready]');
  return { page, context, downloads };
}

// Types settings into the page's fields, as a player would set them.
async function fillFields(page, settings) {
  await page.evaluate((s) => {
    const set = (control, value) => {
      if (control.type === 'checkbox') control.checked = value;
      else if (control.type === 'radio') control.checked = String(value) === control.value;
      else control.value = String(value);
      control.dispatchEvent(new Event('change', { bubbles: true }));
    };
    const selects = { game: '#game', language: '#gameLanguage', console: '#consoleKind' };
    for (const [key, value] of Object.entries(s)) {
      if (selects[key]) set(document.querySelector(selects[key]), value);
      else if (Array.isArray(value)) value.forEach((v, i) => set(document.querySelector(`[data-key="${key}"][data-index="${i}"]`), v));
      else for (const control of document.querySelectorAll(`[data-key="${key}"]:not([data-index])`)) set(control, value);
    }
  }, settings);
}

async function download(page, downloads, button, name) {
  rmSync(join(downloads, name), { force: true });
  await page.click(button);
  for (let waited = 0; waited < 10_000; waited += 50) {
    const files = readdirSync(downloads);
    if (files.includes(name) && !files.some((f) => f.endsWith('.crdownload'))) return readFileSync(join(downloads, name));
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  throw new Error(`no ${name} downloaded`);
}

async function search(page, workers) {
  await page.evaluate((n) => {
    document.querySelector('#workers').value = n;
    delete document.body.dataset.searchEnd;
  }, workers);
  await page.click('#start');
  await page.waitForSelector('body[data-search-end]', { timeout: 60_000 });
  return page.$eval('body', (body) => body.dataset.searchEnd);
}

// hanabira-cli's result file for the settings the page exported.
function cliResult(settingsBytes, format = 'txt') {
  const settings = join(scratch, 'settings.json');
  const out = join(scratch, `expected.${format}`);
  writeFileSync(settings, settingsBytes);
  execFileSync(cli, ['-s', settings, '-o', out, '-q']);
  return readFileSync(out);
}

test('every mode on 1 and 4 workers writes the CLI\'s file', async () => {
  const { page, context, downloads } = await openPage();
  for (const [mode, options] of Object.entries(modes)) {
    await page.evaluate(() => localStorage.clear());  // a fresh form, not the last mode's
    await page.reload();
    await page.waitForSelector('body[data-ready]');
    await fillFields(page, { ...minute, ...options });
    const exported = await download(page, downloads, '#settingsExport', 'settings.json');
    const format = options.resultFormat ?? 'txt';
    const expected = cliResult(exported, format);
    for (const workers of [1, 4]) {
      assert.equal(await search(page, workers), 'completed', `${mode} on ${workers}`);
      const got = await download(page, downloads, '#download', `result.${format}`);
      assert.ok(got.equals(expected), `${mode} on ${workers} workers: ${got.length} bytes, the CLI ${expected.length}`);
    }
    const shownRows = await page.$$eval('#results tbody tr', (rows) => rows.length);
    assert.ok(shownRows > 0, `${mode}: the table shows its lines`);
  }
  await context.close();
});

test('an aborted search leaves an exact prefix of the whole file', async () => {
  const { page, context, downloads } = await openPage();
  await fillFields(page, { ...minute, startHour: 0, endHour: 5, startMinute: 0, endMinute: 59, ivMin: [25, 25, 25, 25, 25, 25] });
  const expected = cliResult(await download(page, downloads, '#settingsExport', 'settings.json'));
  await page.evaluate(() => (document.querySelector('#workers').value = 4));
  await page.click('#start');
  // Each worker searches its own run of pieces and the first worker's are committed
  // first: a quarter done overall is some pieces of it, well before the end.
  await page.waitForFunction(() => document.querySelector('#progress').value > 0.25, { polling: 20 });
  await page.click('#abort');
  await page.waitForSelector('body[data-search-end]');
  assert.equal(await page.$eval('body', (b) => b.dataset.searchEnd), 'aborted');
  const got = await download(page, downloads, '#download', 'result.txt');
  assert.ok(got.length > 0 && got.length < expected.length, `${got.length} of ${expected.length} bytes`);
  assert.ok(got.equals(expected.subarray(0, got.length)), 'the lines are the first of the whole file');
  assert.equal(got.subarray(-2).toString(), '\r\n', 'the prefix ends with a whole line');
  await context.close();
});

test('a settings file passes through the page: the CLI reads the exported file as the imported one', async () => {
  const { page, context, downloads } = await openPage();
  const imported = join(scratch, 'imported.json');
  writeFileSync(imported, `{
    "versionWord": "02215F30", // White; the page keeps what it does not show (is3ds)
    "vcount": "0x60", "timer0": 3193, "gxStat": "6000000", "frame": 8, "macAddress": "00:11:22:33:44:55", "is3ds": true,
    "vcountMin": "5F", "vcountMax": "61",
    "startYear": 12, "startMonth": 2, "startDay": 29, "endYear": 12, "endMonth": 3, "endDay": 1, "startHour": 10, "endHour": 11,
    "keyInputEnabled": true, "keyAllowed": [true, true, false, false, true, true, true, true, true, true], "keyCountMax": 2,
    "keyXYEnabled": true, "keyAllowedY": false,
    "ivMin": [31, 0, 31, 31, 31, 31], "hiddenPowerType": 3, "shinyPidSearch": true, "trainerId": 1, "secretId": 65535,
    "shinyEncounterKind": 2, "eggNature": 25, "withoutDitto": true, "eggAbility": 3, "eggGenderRatio": 8,
    "domeTrainers": [52, 0, 1, 0, 0, 0], "resultLanguage": "en", "ivNumbering": "players", "memoryLink": true
  }`);
  const input = await page.$('#settingsImport');
  await input.uploadFile(imported);
  await page.waitForFunction(() => document.querySelector('[data-key="trainerId"]').value === '1');
  const exported = join(scratch, 'exported.json');
  writeFileSync(exported, await download(page, downloads, '#settingsExport', 'settings.json'));
  const printed = (file) => execFileSync(cli, ['-s', file, '--print-settings']).toString();
  assert.equal(printed(exported), printed(imported));
  await context.close();
});

test('profiles: an imported file fills the console when one is chosen and exports unchanged', async () => {
  const { page, context, downloads } = await openPage();
  const profiles = {
    profiles: [
      { name: 'DS Lite', edition: 'White2,ENG,DSLite', macAddress: '00-09-BF-12-34-56', vcount: '0x82',
        timer0: '0x10F3', gxStat: '0x6000000', frame: 6, calibration: [{ vcount: '0x82', timer0: '0x10F3', frame: 6 }] },
      { name: '3DS', versionWord: '0x2215F10', macAddress: '00-09-BF-AB-CD-EF', vcount: 130, timer0: 4341,
        gxStat: 100663296, frame: 9, timer0Range: ['0x10F0', '0x10F8'] },
    ],
  };
  const file = join(scratch, 'profiles.json');
  writeFileSync(file, JSON.stringify(profiles));
  await (await page.$('#profileImport')).uploadFile(file);
  await page.waitForSelector('#profileChoice option[value="3DS"]');
  const consoleFields = () => page.evaluate(() => ['#game', '#gameLanguage', '#consoleKind', '[data-key="vcount"]',
    '[data-key="timer0"]', '[data-key="frame"]', '[data-key="timer0Min"]', '[data-key="timer0Max"]']
    .map((s) => document.querySelector(s).value));
  await page.select('#profileChoice', '3DS');
  assert.deepEqual(await consoleFields(), ['Black', '', '', '82', '10F5', '9', '10F0', '10F8']);
  await page.select('#profileChoice', 'DS Lite');
  assert.deepEqual(await consoleFields(), ['White2', 'ENG', 'DSLite', '82', '10F3', '6', '', '']);
  const exported = await download(page, downloads, '#profileExport', 'profiles.json');
  assert.deepEqual(JSON.parse(exported), profiles);
  await context.close();
});

test('settings the CLI refuses are refused with its message', async () => {
  const { page, context, downloads } = await openPage({ languages: ['en-US'] });
  await fillFields(page, { ...minute, startMonth: 13 });
  const settings = join(scratch, 'settings.json');
  writeFileSync(settings, await download(page, downloads, '#settingsExport', 'settings.json'));
  let message = '';
  try {
    execFileSync(cli, ['-s', 'settings.json', '-q'], { cwd: scratch, stdio: 'pipe', env: { ...process.env, LANG: 'C', LC_ALL: 'C' } });
  } catch (error) {
    message = error.stderr.toString().trim().replace(/^error: /, '');  // the page shows no prefix
  }
  assert.notEqual(message, '');
  assert.equal(await search(page, 1), 'refused');
  assert.equal(await page.$eval('#status', (p) => p.textContent), message);
  await context.close();
});

test('the page speaks English where the browser asks for it, and searches in English; Japanese on a click', async () => {
  const english = await openPage({ languages: ['en-GB', 'ja'] });
  assert.equal(await english.page.$eval('#start', (b) => b.textContent), 'Start search');
  assert.equal(await english.page.$eval('[data-key="shinyNature"] option:nth-child(2)', (o) => o.textContent), 'Hardy');
  assert.equal(await english.page.evaluate(() => document.documentElement.lang), 'en');
  await fillFields(english.page, { ...minute, ...modes.iv, resultLanguage: 'en' });
  const expected = cliResult(await download(english.page, english.downloads, '#settingsExport', 'settings.json'));
  assert.equal(await search(english.page, 4), 'completed');
  assert.match(await english.page.$eval('#status', (p) => p.textContent), /^\d+ matches found\.$/);
  assert.equal(await english.page.$eval('#results th', (th) => th.textContent), 'Year');
  assert.ok((await download(english.page, english.downloads, '#download', 'result.txt')).equals(expected));
  await english.page.select('#pageLanguage', 'ja');
  assert.equal(await english.page.$eval('#start', (b) => b.textContent), '検索開始');
  await english.context.close();
});

test('the page loads and searches offline after its first load', async () => {
  const own = await serveFolder(site);
  const { page, context, downloads } = await openPage({ url: own.url });
  await page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    if (!navigator.serviceWorker.controller) {
      await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve));
    }
  });
  await own.close();
  await page.reload();
  await page.waitForSelector('body[data-ready]');
  await fillFields(page, { ...minute, ...modes.iv });
  const expected = cliResult(await download(page, downloads, '#settingsExport', 'settings.json'));
  assert.equal(await search(page, 2), 'completed');
  assert.ok((await download(page, downloads, '#download', 'result.txt')).equals(expected));
  await context.close();
});

test('calibration: the sets of hanabira-cli calibrate, the one picked into the console fields and a profile', async () => {
  const { page, context, downloads } = await openPage({ languages: ['en-US'] });
  page.on('dialog', (dialog) => dialog.accept('Lite'));  // the new profile's name
  // The worked example's White 2 with VCount and Timer0 unknown in narrowed ranges, two
  // keys allowed and loose bounds on the values at position 2: hundreds of sets.
  await fillFields(page, {
    game: 'White2', language: 'ENG', console: 'DSLite', gxStat: '6000000', macAddress: '00-09-BF-12-34-56',
    startYear: 12, startMonth: 10, startDay: 7, endYear: 12, endMonth: 10, endDay: 7,
    startHour: 12, startMinute: 34, startSecond: 56, keyInputEnabled: true,
    keyAllowed: [true, false, false, true, false, false, false, false, false, false],
    vcountMin: '70', vcountMax: '90', timer0Min: '1000', timer0Max: '1180',
    ivMin: [10, 25, 5, 5, 5, 25], ivMax: [20, 31, 15, 15, 15, 31], ivConsumptionMin: 2, ivConsumptionMax: 2,
  });
  const settings = join(scratch, 'calibrate.json');
  writeFileSync(settings, await download(page, downloads, '#settingsExport', 'settings.json'));
  const profilesFile = join(scratch, 'cli-profiles.json');
  rmSync(profilesFile, { force: true });
  const lines = execFileSync(cli, ['calibrate', '-s', settings, '--save-profile', 'Lite', '--choose', '2',
    '--profiles', profilesFile], { stdio: ['ignore', 'pipe', 'ignore'] }).toString().trim().split('\n');

  await page.click('#calibration summary');  // opening takes the boot and values of the search fields
  await page.click('#calibrate');
  await page.waitForSelector('body[data-calibration-end]', { timeout: 60_000 });
  const rows = await page.$$eval('#calibrationResults tbody tr',
    (trs) => trs.map((tr) => [...tr.cells].map((td) => td.textContent)));
  // VCount=81 Timer0=10E5 Frame=6 2012-10-07 12:34:56 (+0 s) keys=A seed=… position=2
  const cells = (line) => {
    const [, vcount, timer0, frame, time, off, keys, position] =
      line.match(/^VCount=(\w+) Timer0=(\w+) Frame=(\d+) \S+ 0?(\S+) \((\S+) s\) keys=(\S+) seed=\w+ position=(\d+)$/);
    return [vcount, timer0, frame, time, off, keys, position];
  };
  assert.ok(lines.length > 100);
  assert.deepEqual(rows, lines.map(cells));
  assert.equal(await page.$eval('#calibrationStatus', (p) => p.textContent), `${lines.length} matches found.`);

  await page.click('#calibrationResults tbody tr:nth-child(2)');
  await page.click('#calibrationApply');
  const consoleFields = await page.evaluate(() => ['vcount', 'timer0', 'frame', 'vcountMin', 'timer0Max']
    .map((key) => document.querySelector(`[data-key="${key}"]`).value));
  assert.deepEqual(consoleFields, [...cells(lines[1]).slice(0, 3), '', '']);
  // Stored as calibrate --save-profile stores it; the CLI names the edition's version word too.
  await page.click('#calibrationStore');
  await page.waitForSelector('#profileChoice option[value="Lite"]');
  const stored = JSON.parse(await download(page, downloads, '#profileExport', 'profiles.json'));
  const expected = JSON.parse(readFileSync(profilesFile));
  delete expected.profiles[0].versionWord;
  assert.deepEqual(stored, expected);
  await context.close();
});

// The cells of a table the page shows, its header first.
const shownCells = (page, selector) => page.$$eval(`${selector} tr`, (rows) =>
  rows.map((row) => [...row.cells].map((cell) => cell.textContent)));

test('a line of the results opens the moments around it, as hanabira-cli adjacent prints them', async () => {
  const { page, context, downloads } = await openPage({ languages: ['en-US'] });
  await fillFields(page, { ...minute, ...modes.iv, vcountMin: '5F', vcountMax: '61', resultLanguage: 'en' });
  const settings = join(scratch, 'settings.json');
  writeFileSync(settings, await download(page, downloads, '#settingsExport', 'settings.json'));
  assert.equal(await search(page, 2), 'completed');
  const [line] = await shownCells(page, '#results tbody');
  await page.click('#results tbody tr');
  await page.waitForSelector('body[data-around-shown]');
  const [year, month, day, hour, minute_, second, vcount, timer0] = line;
  const moment = `20${year}-${month.padStart(2, '0')}-${day.padStart(2, '0')}T${[hour, minute_, second]
    .map((v) => v.padStart(2, '0')).join(':')}`;
  // The key cell's names joined by +, as --keys takes them.
  const keys = line.at(-1).match(/Se|St|Right|Left|Up|Down|[ABRLXY]/g)?.join('+') ?? 'none';
  const adjacent = execFileSync(cli, ['adjacent', '-s', settings, '--moment', moment, '--hit-vcount', vcount,
    '--hit-timer0', timer0, '--keys', keys, '--encoding', 'utf-8'], { stdio: 'pipe' });
  const expected = adjacent.toString().split('\r\n').filter((l) => l !== '').map((l) => l.split(','));
  assert.deepEqual(await shownCells(page, '#aroundTable'), expected);
  await context.close();
});

test('"Every profile" writes the file of hanabira-cli --all-profiles', async () => {
  const { page, context, downloads } = await openPage();
  const profiles = join(scratch, 'profiles.json');
  writeFileSync(profiles, JSON.stringify({ profiles: [
    { name: 'DS Lite', edition: 'Black,JPN,DSLite', macAddress: '00-09-BF-12-34-56', vcount: '0x60',
      timer0: '0xC79', gxStat: '0x6000000', frame: 8 },
    { name: 'あかいDS', versionWord: '0x2215F10', macAddress: '00-11-22-33-44-55', vcount: '0x60', timer0: '0xC7A',
      gxStat: '0x6000000', frame: 8 },
  ] }));
  await (await page.$('#profileImport')).uploadFile(profiles);
  await page.waitForSelector('#profileChoice option[value="DS Lite"]');
  await fillFields(page, { ...minute, ...modes.iv });
  await page.click('#everyProfile');
  // The profiles give the console: the settings file without the form's.
  const exported = JSON.parse(await download(page, downloads, '#settingsExport', 'settings.json'));
  for (const key of ['game', 'language', 'console', 'versionWord', 'macAddress', 'vcount', 'timer0', 'gxStat',
    'frame', 'vcountMin', 'vcountMax', 'timer0Min', 'timer0Max']) delete exported[key];
  const settings = join(scratch, 'settings.json');
  writeFileSync(settings, JSON.stringify(exported));
  const out = join(scratch, 'expected.txt');
  execFileSync(cli, ['-s', settings, '--profiles', profiles, '--all-profiles', '-o', out, '-q']);
  assert.equal(await search(page, 4), 'completed');
  const got = await download(page, downloads, '#download', 'result.txt');
  assert.ok(got.equals(readFileSync(out)), `${got.length} bytes, the CLI ${readFileSync(out).length}`);
  await context.close();
});
