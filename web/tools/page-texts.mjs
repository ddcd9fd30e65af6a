// The catalog keys the page uses: data-t and data-tc attributes of its markup, and the
// t(), tc(), tn() calls of its scripts, whose texts are single-quoted literals.
import { readdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { entryKey } from './po.mjs';

const literal = String.raw`'((?:[^'\\]|\\.)*)'`;
const unescape = (text) => text.replace(/\\(.)/g, '$1');

export function markupKeys(html) {
  const plain = [...html.matchAll(/data-t="([^"]*)"/g)].map((m) => m[1]);
  const withContext = [...html.matchAll(/data-tc="([^"|]*)\|([^"]*)"/g)].map((m) => entryKey(m[2], m[1]));
  return [...plain, ...withContext];
}

export function scriptKeys(source) {
  const calls = [
    ...[...source.matchAll(new RegExp(String.raw`\bt\(${literal}`, 'g'))].map((m) => unescape(m[1])),
    ...[...source.matchAll(new RegExp(String.raw`\btn\(${literal}`, 'g'))].map((m) => unescape(m[1])),
    ...[...source.matchAll(new RegExp(String.raw`\btc\(${literal},\s*${literal}`, 'g'))]
      .map((m) => entryKey(unescape(m[2]), unescape(m[1]))),
  ];
  return calls;
}

export function pageTextKeys(pageDir) {
  const keys = new Set();
  for (const name of readdirSync(pageDir)) {
    const source = () => readFileSync(join(pageDir, name), 'utf8');
    if (name.endsWith('.html')) markupKeys(source()).forEach((k) => keys.add(k));
    if (name.endsWith('.mjs')) scriptKeys(source()).forEach((k) => keys.add(k));
  }
  return [...keys].sort();
}
