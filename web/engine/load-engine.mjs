// Loads one instance of the engine's module (hanabira.mjs and hanabira.wasm beside this
// file). A browser fetches the WebAssembly itself; under Node it is read from the file.
import createHanabira from './hanabira.mjs';

export const underNode = typeof process == 'object' && typeof process.versions?.node == 'string';

export async function loadEngine() {
  if (!underNode) return createHanabira();
  const { readFile } = await import('node:fs/promises');
  return createHanabira({ wasmBinary: await readFile(new URL('./hanabira.wasm', import.meta.url)) });
}
