// Runs a search on workers and puts their pieces together in order.
//
// The boot moments of a search are cut into pieces of contiguous moments; each worker
// searches one contiguous run of pieces with its own instance of the engine. Pieces are
// committed strictly in order, the header with the first, so that onBytes receives the
// bytes of hanabira-cli's result file, and an abort leaves an exact prefix of them. No
// SharedArrayBuffer: the page runs on any static host.
import { loadEngine, underNode } from './load-engine.mjs';

// hanabira-cli's exit codes.
const exitDone = 0;
const exitIoFailure = 1;
const exitAborted = 130;

// Pieces of at most this many moments (about a second of one worker), and at least this
// many per worker, so that progress moves and an abort comes soon.
const maxPieceMoments = 1 << 21;
const minPiecesPerWorker = 8;

let mainEngine;
// One instance on the calling thread, for the checks before a search.
const engine = () => (mainEngine ??= loadEngine());
// The language of messages, the workers' too; none: English.
let messageLanguage = '';

function request(settingsJson, encoding, isa, settingsName) {
  return { settingsJson, settingsName, encoding: encoding ?? '', isa: isa ?? 'auto', language: messageLanguage };
}

// Messages in `language` ('ja', 'en'); false where no catalog has it.
export async function setMessageLanguage(language) {
  const known = (await engine()).setMessageLanguage(language);
  if (known) messageLanguage = language;
  return known;
}

// The language hanabira-cli speaks under the locale variables of `env` (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG), made the language of messages.
export async function useCommandLineLanguage(env) {
  const variable = (name) => env[name] ?? '';
  const module = await engine();
  messageLanguage = module.chooseCommandLineLanguage(
    variable('LANGUAGE'), variable('LC_ALL'), variable('LC_MESSAGES'), variable('LANG'));
  return messageLanguage;
}

// The CLI's last line for a search: summary {candidates, momentsDone, momentsTotal,
// seconds, workers, isa, plan, output ('-' for standard output), aborted}.
export async function summaryLine(summary) {
  return (await engine()).summaryLine(summary);
}

// A text of the program's catalogs in the language of messages, its {} filled in order.
export async function translate(original, ...values) {
  return (await engine()).translate(original, values.map(String));
}

// The CLI's verdict on a settings text without searching: ok, or the CLI's refusal message.
export async function checkSettings(settingsJson, { encoding, isa, settingsName = 'settings.json' } = {}) {
  const opened = (await engine()).openSearch(request(settingsJson, encoding, isa, settingsName));
  return opened.ok
    ? { ok: true, warnings: opened.warnings, momentsTotal: opened.momentsTotal, format: opened.format }
    : { ok: false, message: opened.message, errorLine: opened.errorLine, exitCode: opened.exitCode };
}

// The CLI's verdict on a search over every profile of a profiles.json text (as
// --all-profiles): {ok, profiles (names), partMoments, warnings, format}, or its refusal.
export async function checkProfileSearch(settingsJson, profilesJson,
  { encoding, isa, settingsName = 'settings.json', profilesName = 'profiles.json' } = {}) {
  const checked = (await engine()).checkProfileSearch(
    { ...request(settingsJson, encoding, isa, settingsName), profilesJson, profilesName });
  return checked.ok ? checked : { ...checked, status: 'refused' };
}

// The settings of the search a result line came from: a settings text, and for a line
// of a search over every profile the profiles.json text and the line's profile.
function lineRequest({ settingsJson, encoding, isa, settingsName = 'settings.json', profilesJson, profileName,
  profilesName = 'profiles.json' }) {
  const line = request(settingsJson, encoding, isa, settingsName);
  return profilesJson === undefined ? line : { ...line, profilesJson, profilesName, profileName };
}

// The hit a result line names, as adjacent's options take it: {ok, moment, keys,
// hitVcount?, hitTimer0?}. cells: the line's cells after the profile column.
export async function hitOfRow({ cells, ...line }) {
  return (await engine()).hitOfRow({ ...lineRequest(line), cells });
}

// The boot moments around a hit as hanabira-cli adjacent prints them: {ok, bytes (the
// table in the result's encoding), summary, encoding}, or its refusal. hitVcount and
// hitTimer0 are hexadecimal text, left out where the settings have one value.
export async function neighbours({
  moment, keys = 'none', hitVcount, hitTimer0, seconds = 2, timer0s = 1, vcounts = 1, positions = 2,
  keysOneAway = false, ...line
}) {
  return (await engine()).neighbours({
    ...lineRequest(line), moment, keys, hitVcount, hitTimer0, seconds, timer0s, vcounts, positions, keysOneAway,
  });
}

// What the module can do: its kernel levels (best first), version text.
export async function describeEngine() {
  return (await engine()).describeEngine();
}

// A worker's channel, for a browser's Worker and for Node's worker_threads alike.
function listen(worker, onMessage, onError) {
  if (typeof worker.addEventListener === 'function') {
    worker.addEventListener('message', (event) => onMessage(event.data));
    worker.addEventListener('error', (event) => onError(event.message ?? String(event)));
  } else {
    worker.on('message', onMessage);
    worker.on('error', (error) => onError(String(error?.stack ?? error)));
  }
}

async function defaultWorkerFactory() {
  const script = new URL('./search-worker.mjs', import.meta.url);
  if (!underNode) return () => new Worker(script, { type: 'module' });
  const { Worker: NodeWorker } = await import('node:worker_threads');
  return () => new NodeWorker(script);
}

// The pieces of a search of `total` moments for `workers` workers, each worker's a
// contiguous run: [[{index, first, end, withHeader}, ...], ...].
function cutPieces(module, total, workers, headerFirst) {
  const wanted = Math.max(workers * minPiecesPerWorker, Math.ceil(total / maxPieceMoments));
  const count = Math.max(1, Math.min(total, wanted));
  const pieces = [];
  for (let index = 0; index < count; ++index) {
    const [first, end] = module.pieceRange(total, index + 1, count);
    pieces.push({ index, first, end, withHeader: headerFirst && index === 0 });
  }
  const runs = [];
  for (let worker = 0; worker < workers; ++worker) {
    const [first, end] = module.pieceRange(count, worker + 1, workers);
    runs.push(pieces.slice(first, end));
  }
  return runs.filter((run) => run.length > 0);
}

// Starts a search of one settings snapshot (the CLI's settings JSON text) on `workers`
// workers. encoding: 'cp932' or 'utf-8' as the CLI's --encoding; left out, the result
// language's, as the CLI without --encoding. profilePart {profilesJson, profilesName,
// profileIndex}: that profile's part of a search over every profile, its header only
// where headerFirst.
export function startSearch({
  settingsJson,
  workers = 1,
  isa = 'auto',
  encoding,
  createWorker,
  onBytes = () => {},
  onProgress = () => {},
  settingsName = 'settings.json',
  profilePart,
  headerFirst = true,
}) {
  let search;
  let abortRequested = false;
  const finished = (async () => {
    const module = await engine();
    const searchRequest = { ...request(settingsJson, encoding, isa, settingsName), ...profilePart };
    const opened = module.openSearch(searchRequest);
    if (!opened.ok) {
      const { message, errorLine, exitCode } = opened;
      return { status: 'refused', message, errorLine, exitCode, candidates: 0, momentsDone: 0, momentsTotal: 0 };
    }
    const runs = cutPieces(module, opened.momentsTotal, Math.max(1, Math.floor(workers)), headerFirst);
    const factory = createWorker ?? (await defaultWorkerFactory());
    search = new WorkerSearch({ runs, request: searchRequest, opened, factory, onBytes, onProgress });
    if (abortRequested) search.abort();
    return search.finished;
  })();
  return {
    finished,
    abort() {
      abortRequested = true;
      search?.abort();
    },
  };
}

// The workers of one search, each given its run of pieces once it listens.
class WorkerSearch {
  constructor({ runs, request: searchRequest, opened, factory, onBytes, onProgress }) {
    this.committer = new PieceCommitter(onBytes);
    this.onProgress = onProgress;
    this.total = opened.momentsTotal;
    this.isa = opened.isa;
    this.searched = 0;  // moments of the pieces that came, committed or not
    this.running = runs.length;
    this.ended = false;  // nothing counts after the end: not a piece still on its way
    this.finished = new Promise((resolve) => (this.resolve = resolve));
    this.workers = runs.map((run) => {
      const worker = factory();
      const start = () => worker.postMessage({ type: 'start', request: searchRequest, pieces: run });
      listen(worker, (message) => this.receive(message, start), (message) => this.fail(message));
      return worker;
    });
  }

  receive(message, start) {
    if (this.ended) return;
    if (message.type === 'ready') start();
    if (message.type === 'piece') {
      this.searched += message.momentsDone;
      this.committer.add(message);
      this.onProgress({ momentsDone: this.searched, momentsTotal: this.total, candidates: this.committer.candidates });
    }
    if (message.type === 'refused') {
      const { message: text, errorLine, exitCode } = message;
      this.end({ status: 'refused', message: text, errorLine, exitCode });
    }
    if (message.type === 'failed') this.fail(message.message);
    if (message.type === 'done' && --this.running === 0) this.end({ status: 'completed', exitCode: exitDone });
  }

  fail(message) {
    this.end({ status: 'failed', message, exitCode: exitIoFailure });
  }

  abort() {
    for (const worker of this.workers) worker.postMessage({ type: 'stop' });
    this.end({ status: 'aborted', exitCode: exitAborted });
  }

  end(result) {
    if (this.ended) return;
    this.ended = true;
    for (const worker of this.workers) worker.terminate();
    this.resolve({ ...result, ...this.committer.outcome(), momentsTotal: this.total, isa: this.isa });
  }
}

// Pieces as they come, handed on in order of their index.
class PieceCommitter {
  constructor(onBytes) {
    this.onBytes = onBytes;
    this.waiting = new Map();
    this.next = 0;
    this.candidates = 0;
    this.momentsDone = 0;
    this.plan = undefined;  // the first piece's
  }

  outcome() {
    return { candidates: this.candidates, momentsDone: this.momentsDone, plan: this.plan ?? 'direct' };
  }

  add(piece) {
    this.waiting.set(piece.index, piece);
    for (let ready; (ready = this.waiting.get(this.next)); ++this.next) {
      this.waiting.delete(this.next);
      this.candidates += ready.candidates;
      this.momentsDone += ready.momentsDone;
      this.plan ??= ready.plan;
      if (ready.bytes.length > 0) this.onBytes(ready.bytes);
    }
  }
}

// Finds the console parameters that explain an outcome observed at a known boot, as
// `hanabira-cli calibrate -s` does for the settings text (--seconds secondsAround, --seed
// seed, '' to match the values), in a worker so that the page stays responsive; abort()
// ends the worker. finished: {status: 'completed', matches (most likely first: {vcount,
// timer0, frame, year, month, day, hour, minute, second, secondsOff, keyMask, keys, seed,
// position}), warnings, exitCode} or {status: 'refused'|'failed'|'aborted', message?, exitCode}.
export function startCalibration({
  settingsJson, secondsAround = 5, seed = '', createWorker, settingsName = 'settings.json',
}) {
  let worker;
  let settle;
  let ended = false;
  const finished = new Promise((resolve) => (settle = resolve));
  const end = (result) => {
    if (ended) return;
    ended = true;
    worker?.terminate();
    settle(result);
  };
  (async () => {
    const factory = createWorker ?? (await defaultWorkerFactory());
    if (ended) return;  // aborted before its worker came
    worker = factory();
    const request = { settingsJson, settingsName, secondsAround, seed, language: messageLanguage };
    listen(worker, (message) => {
      if (message.type === 'ready') worker.postMessage({ type: 'calibrate', request });
      if (message.type === 'failed') end({ status: 'failed', message: message.message, exitCode: exitIoFailure });
      if (message.type !== 'calibrated') return;
      const { ok, matches, warnings, message: text, errorLine, exitCode } = message;
      end(ok ? { status: 'completed', matches, warnings, exitCode: exitDone }
        : { status: 'refused', message: text, errorLine, exitCode });
    }, (text) => end({ status: 'failed', message: text, exitCode: exitIoFailure }));
  })().catch((error) => end({ status: 'failed', message: String(error?.message ?? error), exitCode: exitIoFailure }));
  return {
    finished,
    abort: () => end({ status: 'aborted', exitCode: exitAborted }),
  };
}

// A search over every profile of a profiles.json text, as hanabira-cli --all-profiles:
// profile by profile in the file's order, each on every worker, the header once. Takes
// startSearch's options and profilesJson, profilesName; onProgress is the whole's.
export function startProfileSearch({ profilesJson, profilesName = 'profiles.json', onProgress = () => {}, ...options }) {
  let current;
  let abortRequested = false;
  const finished = (async () => {
    const checked = await checkProfileSearch(options.settingsJson, profilesJson, { ...options, profilesName });
    if (!checked.ok) {
      const { message, errorLine, exitCode } = checked;
      return { status: 'refused', message, errorLine, exitCode, candidates: 0, momentsDone: 0, momentsTotal: 0 };
    }
    const momentsTotal = checked.partMoments.reduce((sum, moments) => sum + moments, 0);
    const whole = { candidates: 0, momentsDone: 0, momentsTotal };
    let part = {};
    for (const [profileIndex, moments] of checked.partMoments.entries()) {
      if (abortRequested) return { ...whole, status: 'aborted', exitCode: exitAborted };
      const before = { ...whole };
      current = startSearch({
        ...options,
        profilePart: { profilesJson, profilesName, profileIndex },
        headerFirst: profileIndex === 0,
        onProgress: (part) => onProgress({ momentsDone: before.momentsDone + part.momentsDone, momentsTotal,
          candidates: before.candidates + part.candidates }),
      });
      part = await current.finished;
      whole.candidates += part.candidates;
      whole.momentsDone += part.momentsDone;
      if (part.status !== 'completed' || part.momentsDone < moments) return { ...part, ...whole };
    }
    return { ...part, ...whole };
  })();
  return {
    finished,
    abort() {
      abortRequested = true;
      current?.abort();
    },
  };
}
