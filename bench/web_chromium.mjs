// The benches' browser: a site folder served on localhost and opened in headless Chromium
// (CHROMIUM names another binary; CHROMIUM_ARGS adds switches, as V8's: --js-flags=...).
// Needs web/node_modules (npm ci in web/).
import { createRequire } from 'node:module';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

export const root = join(dirname(fileURLToPath(import.meta.url)), '..');
const { serveFolder } = await import(join(root, 'web/tests/static-server.mjs'));
const puppeteer = createRequire(join(root, 'web/package.json'))('puppeteer-core');

// Runs use(page) on the site's first page, then closes the browser and the server.
export async function withSitePage(site, use) {
  const server = await serveFolder(resolve(site));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-dev-shm-usage', ...(process.env.CHROMIUM_ARGS ?? '').split(' ').filter(Boolean)],
  });
  try {
    const page = await browser.newPage();
    await page.goto(server.url);
    return await use(page);
  } finally {
    await browser.close();
    await server.close();
  }
}
