// The console's calibration, as the window's console dialog offers it: the player enters
// what they observed at a boot they know to a few seconds, a worker finds the VCount,
// Timer0 and Frame that explain it (in the ranges of the console fields, or the wide
// ones), and the set picked fills the console fields or is stored into a profile.
import { setMessageLanguage, startCalibration } from './engine/search-driver.mjs';
import { storedProfiles, storeCalibration, storeProfiles } from './profiles.mjs';
import { pageLanguage, t, tc, tn } from './texts.mjs';

const $ = (selector) => document.querySelector(selector);
const bootFields = ['Year', 'Month', 'Day', 'Hour', 'Minute', 'Second'];
const ivFields = (kind) => [0, 1, 2, 3, 4, 5].map((k) => `#calibration${kind}${k}`);
const hex = (value) => value.toString(16).toUpperCase();

// A field's number, or its text where it is none, for the engine to name the field.
function fieldValue(selector) {
  const text = $(selector).value.trim();
  return /^-?\d+$/.test(text) ? Number(text) : text;
}

// The settings of the search with the boot and the outcome observed put in: the boot as
// the start date and time, the values at one position.
export function calibrationSettings(settings, { boot, position, ivMin, ivMax }) {
  const s = { ...settings };
  [s.startYear, s.startMonth, s.startDay, s.startHour, s.startMinute, s.startSecond] = boot;
  [s.endYear, s.endMonth, s.endDay] = boot;
  s.ivConsumptionMin = s.ivConsumptionMax = position;
  return { ...s, ivMin, ivMax };
}

// A set found as the table shows it: the window's columns.
export function matchCells(m, noKeys = 'none') {
  const two = (n) => String(n).padStart(2, '0');
  return [hex(m.vcount), hex(m.timer0), String(m.frame), `${m.hour}:${two(m.minute)}:${two(m.second)}`,
    (m.secondsOff < 0 ? '' : '+') + m.secondsOff, m.keys === 'none' ? noKeys : m.keys,
    m.position >= 0 ? String(m.position) : '-'];
}

// The fields as the window's dialog fills them when it opens: from the search settings.
function showObserved(s) {
  const boot = [s.startYear, s.startMonth, s.startDay, s.startHour, s.startMinute, s.startSecond];
  bootFields.forEach((name, k) => ($(`#calibration${name}`).value = boot[k] ?? ''));
  $('#calibrationSeconds').value = 5;
  $('#calibrationPosition').value = s.ivConsumptionMin ?? '';
  ivFields('Min').forEach((field, k) => ($(field).value = s.ivMin?.[k] ?? 0));
  ivFields('Max').forEach((field, k) => ($(field).value = s.ivMax?.[k] ?? 31));
}

function readObserved() {
  return {
    boot: bootFields.map((name) => fieldValue(`#calibration${name}`)),
    position: fieldValue('#calibrationPosition'),
    ivMin: ivFields('Min').map(fieldValue),
    ivMax: ivFields('Max').map(fieldValue),
  };
}

// The sets found as a table whose rows are picked by a click; the first is picked.
function showMatches(matches, onPick) {
  const columns = t('VCount,Timer0,Frame,Time,Off (s),Keys,Advance').split(',');
  const table = document.createElement('table');
  table.createTHead().insertRow().append(...columns.map((text) => Object.assign(document.createElement('th'), {
    textContent: text })));
  const body = table.createTBody();
  const rows = matches.map((match, index) => {
    const row = body.insertRow();
    row.append(...matchCells(match, tc('keys', 'none')).map((text) => Object.assign(document.createElement('td'), {
      textContent: text })));
    row.addEventListener('click', () => pick(index));
    return row;
  });
  const pick = (index) => {
    rows.forEach((row, k) => row.setAttribute('aria-selected', String(k === index)));
    onPick(index);
  };
  $('#calibrationResults').replaceChildren(...(matches.length ? [table] : []));
  if (matches.length) pick(0);
}

function endText(outcome) {
  switch (outcome.status) {
    case 'completed': {
      const found = outcome.matches.length;
      return found === 0 ? t('Nothing found.') : tn('{} match found.', '{} matches found.', found, found);
    }
    case 'aborted':
      return t('Calculation stopped.');
    case 'refused':
      return outcome.message;
    default:
      return t('Calculation stopped by an error. ({})', outcome.message);
  }
}

// current(): the search settings; apply({vcount, timer0, frame}): the console fields take
// a set; profiles: {chosen(), refresh(name)} of the profile row.
export function wireCalibration({ current, apply, profiles }) {
  let found = { matches: [], settings: undefined, picked: -1 };
  const setButtons = (running) => {
    $('#calibrate').disabled = running;
    $('#calibrationStop').disabled = !running;
    $('#calibrationApply').disabled = $('#calibrationStore').disabled = running || found.picked < 0;
  };
  $('#calibration details').addEventListener('toggle', (event) => {
    if (event.target.open) showObserved(current());
  });
  $('#calibrate').addEventListener('click', async () => {
    delete document.body.dataset.calibrationEnd;
    found = { matches: [], settings: calibrationSettings(current(), readObserved()), picked: -1 };
    showMatches([]);
    setButtons(true);
    $('#calibrationWarnings').textContent = '';
    $('#calibrationStatus').textContent = t('Calculating…');
    await setMessageLanguage(pageLanguage());  // the engine's refusals in the page's language
    const calibration = startCalibration({
      settingsJson: JSON.stringify(found.settings),
      secondsAround: Number.parseInt($('#calibrationSeconds').value, 10) || 0,  // as the window reads it
      seed: $('#calibrationSeed').value.trim(),
    });
    $('#calibrationStop').onclick = () => calibration.abort();
    const outcome = await calibration.finished;
    // What a stopped calibration found is only part of it: nothing is shown.
    found.matches = outcome.status === 'completed' ? outcome.matches : [];
    $('#calibrationWarnings').textContent = (outcome.warnings ?? []).join('\n');
    $('#calibrationStatus').textContent = endText(outcome);
    showMatches(found.matches, (index) => (found.picked = index));
    setButtons(false);
    document.body.dataset.calibrationEnd = outcome.status;
  });
  $('#calibrationApply').addEventListener('click', () => apply(found.matches[found.picked]));
  $('#calibrationStore').addEventListener('click', () => {
    const name = profiles.chosen() || prompt(t('Profile name'))?.trim();
    if (!name) return;
    const chosen = found.matches[found.picked];
    storeProfiles(storeCalibration(storedProfiles(), name, found.matches, chosen, found.settings));
    profiles.refresh(name);
    apply(chosen);
    $('#calibrationStatus').textContent = t('stored line {} in profile \'{}\'', found.picked + 1, name);
  });
}
