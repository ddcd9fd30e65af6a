// Writes what the page builds into the static site that scripts/build-web has filled:
// texts.json (the texts the page uses, from i18n/ja.po and i18n/en.po, and the game's
// names from vocab/), and the service worker with the list of every file of the site.
//   node web/tools/build-page.mjs build/web
import { createHash } from 'node:crypto';
import { existsSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, join, relative } from 'node:path';
import { fileURLToPath } from 'node:url';
import { pageTextKeys } from './page-texts.mjs';
import { gameNames } from './game-names.mjs';
import { parsePo } from './po.mjs';

const root = join(dirname(fileURLToPath(import.meta.url)), '../..');
const pageDir = join(root, 'web/page');
const site = process.argv[2] ?? join(root, 'build/web');
// Kept out of the offline cache: the shell's runner and the worker itself.
const uncached = new Set(['sw.js', 'hanabira-node.mjs']);

// Leaves a file with the same text untouched, so that an unchanged site keeps its dates.
function writeChanged(path, text) {
  if (!existsSync(path) || readFileSync(path, 'utf8') !== text) writeFileSync(path, text);
}

function catalogTexts(keys, language) {
  const catalog = parsePo(readFileSync(join(root, `i18n/${language}.po`), 'utf8'));
  const missing = keys.filter((key) => catalog[key] === undefined);
  if (missing.length) {
    throw new Error(`i18n/${language}.po lacks ${missing.map((k) => JSON.stringify(k)).join(', ')}: ` +
      'scripts/check-catalogs --update, then translate them');
  }
  return Object.fromEntries(keys.map((key) => [key, catalog[key]]));
}

function siteFiles(dir) {
  return readdirSync(dir, { withFileTypes: true }).flatMap((entry) => {
    const path = join(dir, entry.name);
    return entry.isDirectory() ? siteFiles(path) : [relative(site, path).split('\\').join('/')];
  });
}

function writeServiceWorker() {
  const files = siteFiles(site).filter((file) => !uncached.has(file)).sort();
  const hash = createHash('sha256');
  for (const file of files) hash.update(file).update(readFileSync(join(site, file)));
  const template = readFileSync(join(pageDir, 'sw.js'), 'utf8');
  const worker = template
    .replace('@VERSION@', `hanabira-${hash.digest('hex').slice(0, 16)}`)
    .replace('@FILES@', JSON.stringify(['./', ...files]));
  writeChanged(join(site, 'sw.js'), worker);
}

const keys = pageTextKeys(pageDir);
const names = gameNames(root);
const texts = { ja: catalogTexts(keys, 'ja'), en: catalogTexts(keys, 'en'), names };
writeChanged(join(site, 'texts.json'), JSON.stringify(texts));
writeServiceWorker();
console.log(`page: ${keys.length} texts, ${siteFiles(site).length} files in ${relative(process.cwd(), site) || '.'}`);
