// Where a search worker spends its time in headless Chromium: V8's sampling profiler on
// the worker of a one-worker search for SECONDS (default 15), self time per function,
// heaviest first.
//   node bench/web_profile.mjs SITE SETTINGS.json [ISA]
// SITE is a folder like build/web; a module linked with --profiling-funcs names its
// WebAssembly functions (otherwise they are wasm-function[N]). CHROMIUM and CHROMIUM_ARGS as in
// web_chromium.mjs. Beside it, `node --cpu-prof` profiles the same module under Node.
import { readFileSync } from 'node:fs';

import { withSitePage } from './web_chromium.mjs';

const [site, settingsPath, isa = 'wasm-simd128'] = process.argv.slice(2);
if (!site || !settingsPath) {
  console.error('usage: node bench/web_profile.mjs SITE SETTINGS.json [ISA]');
  process.exit(2);
}
const settingsJson = readFileSync(settingsPath, 'utf8');

await withSitePage(site, async (page) => {
  // The profiler starts as the worker appears; it misses the module's first moments only.
  const profiling = new Promise((started) =>
    page.on('workercreated', async (worker) => {
      await worker.client.send('Profiler.enable');
      await worker.client.send('Profiler.setSamplingInterval', { interval: 200 });
      await worker.client.send('Profiler.start');
      started(worker);
    }),
  );
  const searching = page.evaluate(
    async (settings, isa) => {
      const { startSearch } = await import('/engine/search-driver.mjs');
      const started = performance.now();
      const end = await startSearch({ settingsJson: settings, workers: 1, isa, onBytes: () => {} }).finished;
      return { seconds: (performance.now() - started) / 1000, moments: end.momentsTotal };
    },
    settingsJson,
    isa,
  );
  const worker = await profiling;
  // A search longer than the profile (a week of moments, say): the worker still runs at its end.
  await new Promise((r) => setTimeout(r, Number(process.env.SECONDS ?? 15) * 1000));
  const { profile } = await worker.client.send('Profiler.stop');
  const run = await searching;
  console.log(`${isa}: ${(run.moments / run.seconds / 1e6).toFixed(2)} M seeds/s over ${run.seconds.toFixed(1)} s`);

  const selfMicros = new Map();
  const byId = new Map(profile.nodes.map((node) => [node.id, node]));
  for (let i = 0; i < profile.samples.length; ++i) {
    const frame = byId.get(profile.samples[i]).callFrame;
    const name = frame.functionName || `(${frame.url.split('/').pop() || 'anonymous'})`;
    selfMicros.set(name, (selfMicros.get(name) ?? 0) + profile.timeDeltas[i]);
  }
  const total = [...selfMicros.values()].reduce((a, b) => a + b, 0);
  for (const [name, micros] of [...selfMicros].sort((a, b) => b[1] - a[1]).slice(0, 25)) {
    console.log(`${((100 * micros) / total).toFixed(1).padStart(5)} %  ${name.slice(0, 140)}`);
  }
});
