// A search worker: its own instance of the engine searches one contiguous run of pieces
// of a search and posts each piece's bytes as it ends. Between pieces it looks at its
// messages, so that a stop takes effect at the next piece.
//
// In:  {type: 'start', request: {settingsJson, settingsName, encoding, isa, language},
//       pieces: [{index, first, end, withHeader}, ...]}  and  {type: 'stop'}
// Out: {type: 'ready'} once it listens; {type: 'piece', index, bytes, candidates,
//      momentsDone, plan} for each piece, then {type: 'done'};
//      or {type: 'refused', exitCode, message, errorLine} as the CLI refuses the search,
//      or {type: 'failed', message} where the worker itself failed.
// A calibration, in one call that only ending the worker stops:
// In:  {type: 'calibrate', request: {settingsJson, settingsName, secondsAround, seed, language}}
// Out: {type: 'calibrated', ok, matches, warnings} or {type: 'calibrated', ok: false,
//      exitCode, message, errorLine}.
import { loadEngine, underNode } from './load-engine.mjs';

// The worker's side of its channel, in a browser and under Node (worker_threads).
async function openPort() {
  if (!underNode) {
    return {
      post: (message, transfer) => self.postMessage(message, transfer),
      listen: (on) => (self.onmessage = (event) => on(event.data)),
    };
  }
  const { parentPort } = await import('node:worker_threads');
  return {
    post: (message, transfer) => parentPort.postMessage(message, transfer),
    listen: (on) => parentPort.on('message', on),
  };
}

const port = await openPort();
const engine = loadEngine();
let stopped = false;

// Lets the messages that came in meanwhile (a stop) be handled.
const betweenPieces = () => new Promise((resolve) => setTimeout(resolve, 0));

async function search({ request, pieces }) {
  const module = await engine;
  if (request.language) module.setMessageLanguage(request.language);
  const opened = module.openSearch(request);
  if (!opened.ok) return port.post({ type: 'refused', ...opened });
  for (const piece of pieces) {
    await betweenPieces();
    if (stopped) return;
    const found = module.searchPiece(piece.first, piece.end, piece.withHeader);
    if (!found.ok) return port.post({ type: 'refused', ...found });
    const { bytes, candidates, momentsDone, plan } = found;
    port.post({ type: 'piece', index: piece.index, bytes, candidates, momentsDone, plan }, [bytes.buffer]);
  }
  port.post({ type: 'done' });
}

async function calibrate({ request }) {
  const module = await engine;
  if (request.language) module.setMessageLanguage(request.language);
  port.post({ type: 'calibrated', ...module.calibrateConsole(request) });
}

port.listen((message) => {
  if (message.type === 'stop') stopped = true;
  if (message.type === 'calibrate') {
    calibrate(message).catch((error) => port.post({ type: 'failed', message: String(error?.stack ?? error) }));
  }
  if (message.type !== 'start') return;
  search(message).catch((error) => port.post({ type: 'failed', message: String(error?.stack ?? error) }));
});
port.post({ type: 'ready' });
