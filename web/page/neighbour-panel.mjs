// The moments around a hit: a line chosen in the results table, its neighbours as
// hanabira-cli adjacent prints them for the same settings and moment, as a table.
import { hitOfRow, neighbours } from './engine/search-driver.mjs';
import { parseResult, renderTable } from './results-table.mjs';
import { t } from './texts.mjs';

const $ = (selector) => document.querySelector(selector);

let chosen;  // {scope, cells, profileName}: the line and the search it came from

// The widths as the window reads them: whole numbers up to the largest a neighbourhood takes.
const widthFields = [
  ['seconds', '#aroundSeconds', '± seconds', 60], ['timer0s', '#aroundTimer0s', '± Timer0', 16],
  ['vcounts', '#aroundVcounts', '± VCount', 16], ['positions', '#aroundPositions', '± positions', 100],
];

// {widths} or {problem}: the window's message for a field out of its range.
function readWidths() {
  const widths = { keysOneAway: $('#aroundKeys').checked };
  for (const [key, selector, label, max] of widthFields) {
    const text = $(selector).value.trim();
    if (!/^\d+$/.test(text) || Number(text) > max) {
      return { problem: t('{}: expected a whole number from 0 to {}', t(label), max) };
    }
    widths[key] = Number(text);
  }
  return { widths };
}

async function recompute() {
  if (!chosen) return;
  const { scope, cells, profileName } = chosen;
  const { widths, problem } = readWidths();
  if (problem) {
    $('#aroundSummary').textContent = problem;
    return;
  }
  const line = { settingsJson: scope.settingsJson, profilesJson: scope.profilesJson, profileName };
  const hit = await hitOfRow({ ...line, cells });
  if (!hit.ok) {
    $('#aroundSummary').textContent = hit.message ?? '';
    return;
  }
  $('#aroundTitle').textContent = t('Neighbours of {}', `${hit.moment.replace('T', ' ')} ${hit.keys}`);
  const table = await neighbours({ ...line, ...hit, ...widths });
  if (!table.ok) {
    $('#aroundSummary').textContent = table.message;
    return;
  }
  const text = new TextDecoder(table.encoding === 'cp932' ? 'shift_jis' : 'utf-8').decode(table.bytes);
  renderTable($('#aroundTable'), parseResult(text, 'txt'));
  $('#aroundSummary').textContent = table.summary;
}

// Shows the neighbours of a line of the results (its cells) of the search `scope`.
export function showNeighbours(scope, cells) {
  const profileName = scope.profilesJson ? cells[0] : undefined;
  chosen = { scope, cells: scope.profilesJson ? cells.slice(1) : cells, profileName };
  $('#around').hidden = false;
  delete document.body.dataset.aroundShown;
  return recompute().finally(() => (document.body.dataset.aroundShown = 'true'));
}

export function hideNeighbours() {
  chosen = undefined;
  $('#around').hidden = true;
}

export function wireNeighbours() {
  $('#aroundRecompute').addEventListener('click', () => {
    delete document.body.dataset.aroundShown;
    recompute().finally(() => (document.body.dataset.aroundShown = 'true'));
  });
}
