// Start and stop of a search on N workers, its progress, and its result as a table and a file.
import { describeEngine, setMessageLanguage } from './engine/search-driver.mjs';
import { searchScope } from './every-profile.mjs';
import { downloadBytes } from './files.mjs';
import { durationText, progressFigures, rateText, shareText } from './progress-text.mjs';
import { hideNeighbours, showNeighbours } from './neighbour-panel.mjs';
import { parseResult, renderTable } from './results-table.mjs';
import { pageLanguage, t, tn } from './texts.mjs';

const $ = (selector) => document.querySelector(selector);

// The file's encoding as hanabira-cli picks it without --encoding, which the search is
// given none of: CP932 for the Japanese txt file, UTF-8 for the rest.
export function resultEncoding(settings) {
  return (settings.resultFormat ?? 'txt') === 'txt' && settings.resultLanguage !== 'en' ? 'cp932' : 'utf-8';
}

function decodeResult(bytes, encoding) {
  return new TextDecoder(encoding === 'cp932' ? 'shift_jis' : 'utf-8').decode(bytes);
}

function joined(chunks) {
  const bytes = new Uint8Array(chunks.reduce((n, c) => n + c.length, 0));
  let at = 0;
  for (const chunk of chunks) {
    bytes.set(chunk, at);
    at += chunk.length;
  }
  return bytes;
}

function showProgress(progress, startedAt) {
  const { share, rate, left } = progressFigures(progress, (performance.now() - startedAt) / 1000);
  $('#progress').value = share;
  $('#status').textContent = left === undefined ? shareText(share) : t('{}  {} left', shareText(share), durationText(left));
  $('#rate').textContent = `${rateText(rate)}${t('seeds')}/s`;
}

function endText(outcome, matches) {
  const share = outcome.momentsTotal > 0 ? outcome.momentsDone / outcome.momentsTotal : 0;
  switch (outcome.status) {
    case 'completed':
      return matches === 0 ? t('Nothing found.') : tn('{} match found.', '{} matches found.', matches, matches);
    case 'aborted':
      return t('Aborted at {}', shareText(share));
    default:
      return outcome.message ?? t('Stopped at {}', shareText(share));
  }
}

// A line of the table opens the moments around it.
function showResult(bytes, settings, scope) {
  const format = settings.resultFormat ?? 'txt';
  const table = parseResult(decodeResult(bytes, resultEncoding(settings)), format);
  const onChoose = format === 'jsonl' ? undefined : (cells) => showNeighbours(scope, cells);
  renderTable($('#results'), table, { onChoose });
  const link = $('#download');
  link.hidden = false;
  link.onclick = (event) => {
    event.preventDefault();
    downloadBytes(bytes, `result.${format}`);
  };
  return table.rows.length;
}

// Searches one snapshot of the settings; body[data-search-end] tells how it ended.
async function runSearch(settings, report) {
  const scope = searchScope(settings, $('#everyProfile').checked);
  await setMessageLanguage(pageLanguage());  // the engine's refusals and warnings too
  const verdict = await scope.check();
  $('#warnings').textContent = (verdict.warnings ?? []).join('\n');
  if (!verdict.ok) {
    report(verdict.message);
    return 'refused';
  }
  const chunks = [];
  const startedAt = performance.now();
  const search = scope.start({
    workers: Math.max(1, Number($('#workers').value) || 1), isa: $('#isa').value,
    onBytes: (bytes) => chunks.push(bytes.slice()),
    onProgress: (progress) => showProgress(progress, startedAt),
  });
  $('#abort').onclick = () => search.abort();
  $('#abort').disabled = false;
  const outcome = await search.finished;
  const matches = showResult(joined(chunks), settings, scope);
  if (outcome.status === 'completed') $('#progress').value = 1;
  report(endText(outcome, matches));
  return outcome.status;
}

export async function wireSearch({ settings, report }) {
  $('#workers').value = navigator.hardwareConcurrency || 1;
  const { levels } = await describeEngine();
  $('#isa').replaceChildren(...['auto', ...levels].map((level) => new Option(level, level)));
  $('#start').addEventListener('click', async () => {
    delete document.body.dataset.searchEnd;
    $('#start').disabled = true;
    $('#download').hidden = true;
    $('#results').replaceChildren();
    hideNeighbours();
    let status = 'failed';
    try {
      status = await runSearch(settings(), report);
    } catch (error) {
      report(String(error?.message ?? error));
    } finally {
      $('#start').disabled = false;
      $('#abort').disabled = true;
      document.body.dataset.searchEnd = status;
    }
  });
}
