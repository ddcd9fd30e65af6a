// Put at the top of hanabira.mjs: under Node, the loader emscripten writes reaches for
// require and __dirname, which an ES module does not have; a browser needs neither.
const hanabiraUnderNode = typeof process == 'object' && typeof process.versions?.node == 'string';
var require = hanabiraUnderNode ? (await import('node:module')).createRequire(import.meta.url) : undefined;
var __dirname = hanabiraUnderNode ? (await import('node:path')).dirname(new URL(import.meta.url).pathname) : '';
