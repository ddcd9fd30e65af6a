#!/usr/bin/env node
// The search of hanabira-cli on the WebAssembly engine, from a shell: the same settings
// file, result bytes, messages and exit codes, on worker threads in place of native ones.
//
//   node build/web/hanabira-node.mjs -s settings.json -o result.txt --threads 4
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {
  checkSettings, describeEngine, startSearch, summaryLine, translate, useCommandLineLanguage,
} from './engine/search-driver.mjs';

const exitIoFailure = 1;
const exitInvalidInput = 2;
// 128 + the signal, as a shell reports a process it ended.
const signalExitCodes = { SIGHUP: 129, SIGINT: 130, SIGTERM: 143 };
// A settings file is a page of JSON; the CLI refuses anything longer.
const maxSettingsBytes = 1 << 20;

class Refusal extends Error {
  constructor(exitCode, message, usage = false) {
    super(message);
    this.exitCode = exitCode;
    this.usage = usage;  // a mistake of the command line: the CLI adds where to read more
  }
}
const usageError = (message) => new Refusal(exitInvalidInput, message, true);

// The options, as hanabira-cli's parser reads them (in its words where it refuses them).
const optionTable = {
  '-s': 'settings', '--settings': 'settings', '-o': 'output', '--output': 'output',
  '--encoding': 'encoding', '-j': 'threads', '--threads': 'threads', '--isa': 'isa',
};
const flagTable = { '-q': 'quiet', '--quiet': 'quiet', '-h': 'help', '--help': 'help' };

function parseArguments(argv, levels) {
  // As many workers as the CLI's threads: one for each of the machine's.
  const options = { output: 'result.txt', threads: os.availableParallelism?.() ?? os.cpus().length, isa: 'auto' };
  for (let index = 0; index < argv.length; ++index) {
    const [name, attached] = argv[index].startsWith('--') ? argv[index].split(/=(.*)/s) : [argv[index]];
    if (flagTable[name]) options[flagTable[name]] = true;
    else if (optionTable[name]) {
      const key = optionTable[name];
      const value = attached ?? argv[++index];
      if (value === undefined) throw usageError(`${longName(key)}: 1 required TEXT missing`);
      if (options[`${key}Given`]) throw usageError(`${longName(key)}: At Most 1 required but received 2`);
      options[key] = value;
      options[`${key}Given`] = true;
    } else throw usageError(`The following argument was not expected: ${argv[index]}`);
  }
  checkChoices(options, levels);
  return options;
}

// --settings for the option that -s and --settings give.
const longName = (key) =>
  Object.keys(optionTable).find((name) => name.startsWith('--') && optionTable[name] === key);

function checkChoices(options, levels) {
  const checkMember = (name, value, choices) => {
    if (!choices.includes(value)) throw usageError(`${name}: ${value} not in {${choices.join(',')}}`);
  };
  if (options.encodingGiven) checkMember('--encoding', options.encoding, ['cp932', 'utf-8']);
  checkMember('--isa', options.isa, ['auto', ...[...levels].reverse()]);  // narrowest first, as the CLI
  if (options.threadsGiven) {
    const threads = Number(options.threads);
    if (!/^\d+$/.test(options.threads)) throw usageError(`--threads: Value ${options.threads} could not be converted`);
    if (threads < 1 || threads > 4096) throw usageError(`--threads: Value ${options.threads} not in range 1 to 4096`);
    options.threads = threads;
  }
  if (!options.help && options.settings === undefined) throw usageError('--settings or --example is required');
}

// The C library's words for the errors a file meets most.
const systemErrors = {
  ENOENT: 'No such file or directory', EACCES: 'Permission denied', EISDIR: 'Is a directory',
  ENOTDIR: 'Not a directory', ENOSPC: 'No space left on device', EROFS: 'Read-only file system',
};
const systemError = (error) => systemErrors[error.code] ?? error.message;

async function readSettings(file) {
  let text;
  try {
    text = fs.readFileSync(file);
  } catch (error) {
    const what = await translate('settings file');
    throw new Refusal(exitIoFailure, await translate("cannot read {} '{}': {}", what, file, systemError(error)));
  }
  if (text.length > maxSettingsBytes) {
    const what = await translate('settings file');
    const limit = "cannot read {} '{}': longer than {} bytes, the limit for a {}";
    throw new Refusal(exitIoFailure, await translate(limit, what, file, maxSettingsBytes, what));
  }
  return text.toString('utf8');
}

// The result file: written beside its place and renamed over it at the end, so that a
// failed run leaves an old file as it was; standard output and devices are written in place.
class ResultFile {
  constructor(target) {
    this.target = target;
    const replaceable = target !== '-' && (!fs.existsSync(target) || fs.statSync(target).isFile());
    const beside = path.join(path.dirname(target), `.${path.basename(target)}.hanabira-${process.pid}.tmp`);
    this.written = replaceable ? beside : target;
    this.fd = target === '-' ? undefined : fs.openSync(this.written, 'w');
  }

  // Standard output may be a pipe that takes bytes at its own pace: Node holds them.
  write(bytes) {
    if (this.fd === undefined) process.stdout.write(bytes);
    else for (let offset = 0; offset < bytes.length;) offset += fs.writeSync(this.fd, bytes, offset);
  }

  async commit() {
    if (this.fd === undefined) return new Promise((resolve) => process.stdout.write('', resolve));
    fs.closeSync(this.fd);
    if (this.written !== this.target) fs.renameSync(this.written, this.target);
  }

  discard() {
    if (this.fd === undefined) return;
    fs.closeSync(this.fd);
    if (this.written !== this.target) fs.rmSync(this.written, { force: true });
  }
}

async function openResultFile(target) {
  try {
    return new ResultFile(target);
  } catch (error) {
    throw new Refusal(exitIoFailure, await translate("cannot create result file '{}': {}", target, systemError(error)));
  }
}

// Runs the search; stops it on the signals that stop hanabira-cli, keeping the lines so far.
async function search(options, settingsJson, file) {
  const running = startSearch({
    settingsJson, settingsName: options.settings, workers: options.threads, isa: options.isa,
    encoding: options.encoding, onBytes: (bytes) => file.write(bytes),
  });
  let stopExitCode;
  const stop = (signal) => { stopExitCode ??= signalExitCodes[signal]; running.abort(); };
  for (const signal of Object.keys(signalExitCodes)) process.on(signal, stop);
  const outcome = await running.finished;
  for (const signal of Object.keys(signalExitCodes)) process.off(signal, stop);
  if (outcome.status === 'aborted') outcome.exitCode = stopExitCode ?? outcome.exitCode;
  return outcome;
}

async function run(argv) {
  const { levels } = await describeEngine();
  const options = parseArguments(argv, levels);
  if (options.help) {
    process.stdout.write(
      'usage: node hanabira-node.mjs -s SETTINGS [-o RESULT|-] [--encoding cp932|utf-8] [-j WORKERS]' +
        ' [--isa LEVEL] [-q]\n',
    );
    return 0;
  }
  const settingsJson = await readSettings(options.settings);
  // Everything that can refuse the search is decided before a file is touched.
  const { encoding, isa, settings: settingsName } = options;
  const checked = await checkSettings(settingsJson, { encoding, isa, settingsName });
  if (!checked.ok) throw new Refusal(checked.exitCode, checked.message);
  if (!options.quiet) {
    for (const warning of checked.warnings) process.stderr.write(`${await translate('warning: {}', warning)}\n`);
  }
  const output = options.outputGiven ? options.output : `result.${checked.format}`;
  const file = await openResultFile(output);
  const started = performance.now();
  const outcome = await search(options, settingsJson, file);
  if (outcome.status === 'refused' || outcome.status === 'failed') {
    file.discard();
    throw new Refusal(outcome.exitCode, outcome.message);
  }
  await file.commit();
  if (!options.quiet) {
    const seconds = (performance.now() - started) / 1000;
    const summary = { ...outcome, seconds, workers: options.threads, output, aborted: outcome.status === 'aborted' };
    process.stderr.write(`${await summaryLine(summary)}\n`);
  }
  return outcome.exitCode;
}

async function main() {
  await useCommandLineLanguage(process.env);
  try {
    process.exitCode = await run(process.argv.slice(2));
  } catch (error) {
    if (!(error instanceof Refusal)) throw error;
    process.stderr.write(`${await translate('error: {}', error.message)}\n`);
    if (error.usage) process.stderr.write(`${await translate('Run with --help for the options.')}\n`);
    process.exitCode = error.exitCode;
  }
}

await main();
