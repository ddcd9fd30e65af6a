// The result file as a table whose columns sort on a click, in each of its formats.
import { t } from './texts.mjs';

// A browser draws a table of a few thousand rows at once; the file holds every line.
const shownRows = 5000;

// Header and rows of a result file's text. The program's own fields never need CSV
// quoting, so a line splits at every separator.
export function parseResult(text, format) {
  const lines = text.replace(/^\uFEFF/, '').split(/\r?\n/).filter((line) => line !== '');
  if (format === 'jsonl') {
    const objects = lines.map((line) => JSON.parse(line));
    const header = [...new Set(objects.flatMap((o) => Object.keys(o)))];
    const cell = (v) => (Array.isArray(v) ? v.join(' ') : v === undefined ? '' : String(v));
    return { header, rows: objects.map((o) => header.map((key) => cell(o[key]))) };
  }
  const separator = format === 'tsv' ? '\t' : ',';
  const [header = [], ...rows] = lines.map((line) => line.split(separator));
  return { header, rows };
}

const number = /^-?\d+(\.\d+)?$/;

function chooseOn(tr, choose) {
  tr.tabIndex = 0;
  tr.addEventListener('click', choose);
  tr.addEventListener('keydown', (event) => event.key === 'Enter' && choose());
}

// Numbers by value, everything else as text; equal cells keep the file's order.
export function sortRows(rows, column, descending) {
  const direction = descending ? -1 : 1;
  return rows
    .map((row, index) => ({ row, index }))
    .sort((a, b) => {
      const [x, y] = [a.row[column] ?? '', b.row[column] ?? ''];
      const order = number.test(x) && number.test(y) ? Number(x) - Number(y) : x.localeCompare(y);
      return order * direction || a.index - b.index;
    })
    .map(({ row }) => row);
}

// onChoose(row): a click or Enter on a line, with its cells.
export function renderTable(container, { header, rows }, { onChoose } = {}) {
  let sorted = { column: -1, descending: false };
  const table = document.createElement('table');
  const head = table.createTHead().insertRow();
  const body = table.createTBody();
  const fill = (list) => {
    body.replaceChildren(...list.slice(0, shownRows).map((row) => {
      const tr = document.createElement('tr');
      for (const value of row) tr.insertCell().textContent = value;
      if (onChoose) chooseOn(tr, () => onChoose(row));
      return tr;
    }));
  };
  header.forEach((name, column) => {
    const th = document.createElement('th');
    th.textContent = name;
    th.tabIndex = 0;
    const sort = () => {
      sorted = { column, descending: sorted.column === column && !sorted.descending };
      for (const cell of head.cells) cell.removeAttribute('aria-sort');
      th.setAttribute('aria-sort', sorted.descending ? 'descending' : 'ascending');
      fill(sortRows(rows, column, sorted.descending));
    };
    th.addEventListener('click', sort);
    th.addEventListener('keydown', (event) => event.key === 'Enter' && sort());
    head.appendChild(th);
  });
  fill(rows);
  container.replaceChildren(table);
  if (rows.length > shownRows) {
    table.createCaption().textContent = t('The first {} of {} lines; the file holds them all.', shownRows, rows.length);
  }
}
