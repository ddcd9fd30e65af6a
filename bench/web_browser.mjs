// Seeds per second of the WebAssembly engine in headless Chromium: the page's own search
// driver on 1, 2 ... workers at each of the module's levels, ROUNDS times (default 2).
//   node bench/web_browser.mjs bench/settings/iv_strict_day.json [WORKERS...]
// Needs build/web (scripts/build-web) and web/node_modules (npm ci in web/).
// CHROMIUM and CHROMIUM_ARGS as in web_chromium.mjs, e.g. CHROMIUM_ARGS=--js-flags=--no-liftoff.
// SITE serves another build of the site than build/web.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';

import { root, withSitePage } from './web_chromium.mjs';

const [settingsPath, ...workerArgs] = process.argv.slice(2);
if (!settingsPath) {
  console.error('usage: node bench/web_browser.mjs SETTINGS.json [WORKERS...]');
  process.exit(2);
}
const settingsJson = readFileSync(settingsPath, 'utf8');
const workerCounts = workerArgs.length > 0 ? workerArgs.map(Number) : [1, 2];
const rounds = Number(process.env.ROUNDS ?? 2);

await withSitePage(process.env.SITE ?? join(root, 'build/web'), async (page) => {
  // One search in the page, timed there; the bytes are counted, not kept.
  const search = (workers, isa) =>
    page.evaluate(
      async (settings, workers, isa) => {
        const { startSearch } = await import('/engine/search-driver.mjs');
        let bytes = 0;
        const started = performance.now();
        const end = await startSearch({ settingsJson: settings, workers, isa, onBytes: (b) => (bytes += b.length) })
          .finished;
        return { seconds: (performance.now() - started) / 1000, moments: end.momentsTotal, bytes, status: end.status };
      },
      settingsJson,
      workers,
      isa,
    );
  for (let round = 1; round <= rounds; ++round) {
    for (const isa of ['wasm-simd128', 'scalar']) {
      for (const workers of workerCounts) {
        const run = await search(workers, isa);
        const rate = run.moments / run.seconds / 1e6;
        console.log(
          `round ${round}  ${isa.padEnd(12)}  ${workers} worker(s)  ${rate.toFixed(2)} M seeds/s  ` +
            `(${run.moments} moments, ${run.seconds.toFixed(2)} s, ${run.bytes} bytes, ${run.status})`,
        );
      }
    }
  }
});
