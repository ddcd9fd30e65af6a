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
const maxPieceMoments = 1 << 22;
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
  messageLanguage = (await engine()).chooseCommandLineLanguage(variable('LANGUAGE'), variable('LC_ALL'), variable('LC_MESSAGES'), variable('LANG'));
  return messageLanguage;
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
function cutPieces(module, total, workers) {
  const wanted = Math.max(workers * minPiecesPerWorker, Math.ceil(total / maxPieceMoments));
  const count = Math.max(1, Math.min(total, wanted));
  const pieces = [];
  for (let index = 0; index < count; ++index) {
    const [first, end] = module.pieceRange(total, index + 1, count);
    pieces.push({ index, first, end, withHeader: index === 0 });
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
// language's, as the CLI without --encoding.
export function startSearch({
  settingsJson,
  workers = 1,
  isa = 'auto',
  encoding,
  createWorker,
  onBytes = () => {},
  onProgress = () => {},
  settingsName = 'settings.json',
}) {
  let abortRequested = false;
  let stopWorkers = () => {};
  const finished = (async () => {
    const module = await engine();
    const searchRequest = request(settingsJson, encoding, isa, settingsName);
    const opened = module.openSearch(searchRequest);
    const total = opened.ok ? opened.momentsTotal : 0;
    const outcome = { candidates: 0, momentsDone: 0, momentsTotal: total };
    if (!opened.ok) return { status: 'refused', message: opened.message, errorLine: opened.errorLine, exitCode: opened.exitCode, ...outcome };
    const runs = cutPieces(module, total, Math.max(1, Math.floor(workers)));
    const factory = createWorker ?? (await defaultWorkerFactory());
    return new Promise((resolve) => {
      const committer = new PieceCommitter(runs.flat().length, onBytes);
      let searched = 0;
      let workersDone = 0;
      const started = [];
      const end = (result) => {
        for (const worker of started) worker.terminate();
        stopWorkers = () => {};
        resolve({ ...result, candidates: committer.candidates, momentsDone: committer.momentsDone, momentsTotal: total });
      };
      stopWorkers = () => {
        for (const worker of started) worker.postMessage({ type: 'stop' });
        end({ status: 'aborted', exitCode: exitAborted });
      };
      if (abortRequested) return stopWorkers();
      for (const run of runs) {
        const worker = factory();
        started.push(worker);
        listen(worker, (message) => {
          if (message.type === 'ready') worker.postMessage({ type: 'start', request: searchRequest, pieces: run });
          if (message.type === 'piece') {
            searched += message.momentsDone;
            committer.add(message);
            onProgress({ momentsDone: searched, momentsTotal: total, candidates: committer.candidates });
          }
          if (message.type === 'refused') end({ status: 'refused', message: message.message, errorLine: message.errorLine, exitCode: message.exitCode });
          if (message.type === 'failed') end({ status: 'failed', message: message.message, exitCode: exitIoFailure });
          if (message.type === 'done' && ++workersDone === runs.length) end({ status: 'completed', exitCode: exitDone });
        }, (message) => end({ status: 'failed', message, exitCode: exitIoFailure }));
      }
    });
  })();
  return {
    finished,
    abort() {
      abortRequested = true;
      stopWorkers();
    },
  };
}

// Pieces as they come, handed on in order of their index.
class PieceCommitter {
  constructor(count, onBytes) {
    this.count = count;
    this.onBytes = onBytes;
    this.waiting = new Map();
    this.next = 0;
    this.candidates = 0;
    this.momentsDone = 0;
  }

  add(piece) {
    this.waiting.set(piece.index, piece);
    for (let ready; (ready = this.waiting.get(this.next)); ++this.next) {
      this.waiting.delete(this.next);
      this.candidates += ready.candidates;
      this.momentsDone += ready.momentsDone;
      if (ready.bytes.length > 0) this.onBytes(ready.bytes);
    }
  }
}

