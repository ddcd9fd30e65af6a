// The form and the settings JSON that hanabira-cli reads with -s: every control with a
// data-key holds one settings key (or one item of a list with data-index). Keys of an
// imported file that the form does not show are kept aside and written back on export,
// so that a file passes through the page unchanged.

const versionWords = { Black: '02215F10', White: '02215F30' };

// A fresh program start's settings, dated today.
export function defaultSettings(today = new Date()) {
  const [y, m, d] = [today.getFullYear() % 100, today.getMonth() + 1, today.getDate()];
  return {
    versionWord: versionWords.Black, vcount: '0', timer0: '0', gxStat: '0', frame: 0,
    startYear: y, startMonth: m, startDay: d, endYear: y, endMonth: m, endDay: d,
    startHour: 0, endHour: 23, startMinute: 0, endMinute: 59, startSecond: 0, endSecond: 59,
    keyInputEnabled: false, keyAllowed: Array(10).fill(true), excludeOppositeAndReset: true,
    keyXYEnabled: false, keyAllowedX: true, keyAllowedY: true,
    shinyPidSearch: false, inheritanceSearch: false, deliverymanSearch: false,
    cometShardSearch: false, domeSearch: false, roaming: false,
    ivMax: Array(6).fill(31), ivMin: Array(6).fill(0), hiddenPowerType: -1, hiddenPowerMinPower: 30,
    ivConsumptionMin: 7, ivConsumptionMax: 7, pidConsumptionMin: 50, pidConsumptionMax: 150,
    trainerId: 0, secretId: 0, shinyNature: 0, shinyEncounterKind: 1, idCorrection: false,
    firstParentIvs: Array(6).fill(31), secondParentIvs: Array(6).fill(31), withoutDitto: false,
    eggNature: 0, eggAbility: 0, eggGenderRatio: 0, compoundEyes: true,
    domeTrainers: Array(6).fill(0), domeConsumptionSlack: 0,
    deliveryNaturePosition: 10, deliveryNature: 0, deliveryShiny: false, deliveryTrainerId: 3012,
    deliverySecretId: 0, resultLanguage: 'ja', resultFormat: 'txt', ivNumbering: 'positions',
    initialAdvances: false, memoryLink: false,
  };
}

// What a control holds, as the settings file writes it; undefined leaves the key out.
function controlValue(control) {
  const text = control.value.trim();
  if (control.dataset.optional !== undefined && text === '') return undefined;
  switch (control.dataset.type) {
    case 'bool': return control.checked;
    case 'hex': return text.replace(/^0x/i, '').toUpperCase();
    // Text that is no whole number goes to the engine as it stands, which names the field.
    case 'int': return /^-?\d+$/.test(text) ? Number(text) : text;
    case 'radio': return control.value === 'true' || control.value === 'false' ? control.value === 'true' : Number(control.value);
    default: return text;
  }
}

function showValue(control, value) {
  if (control.dataset.type === 'bool') control.checked = value === true;
  else if (control.dataset.type === 'radio') control.checked = String(value) === control.value;
  else if (control.dataset.type === 'hex' && typeof value === 'number') control.value = value.toString(16).toUpperCase();
  else if (control.dataset.type === 'hex') control.value = String(value ?? '').replace(/^0x/i, '').toUpperCase();
  else control.value = value === undefined ? '' : String(value);
}

// The edition: all three of game, language and console, or the version word of Black or
// White alone. A half-chosen edition goes to the engine as it is, which refuses it.
function readEdition(form, settings) {
  const game = form.querySelector('#game').value;
  const language = form.querySelector('#gameLanguage').value;
  const console = form.querySelector('#consoleKind').value;
  if (!language && !console && versionWords[game]) {
    settings.versionWord = versionWords[game];
    return;
  }
  settings.game = game;
  if (language) settings.language = language;
  if (console) settings.console = console;
}

function showEdition(form, settings) {
  const { versionWord } = settings;
  const word = (typeof versionWord === 'number' ? versionWord.toString(16) : String(versionWord ?? ''))
    .replace(/^(0x)?0*/i, '').toUpperCase();
  const byWord = Object.keys(versionWords).find((g) => versionWords[g].replace(/^0/, '') === word);
  form.querySelector('#game').value = settings.game ?? byWord ?? 'Black';
  form.querySelector('#gameLanguage').value = settings.language ?? '';
  form.querySelector('#consoleKind').value = settings.console ?? '';
}

const editionKeys = ['game', 'language', 'console', 'versionWord'];

export function formKeys(form) {
  return new Set([...form.querySelectorAll('[data-key]')].map((c) => c.dataset.key).concat(editionKeys));
}

// The settings the form shows, with the kept keys of the last imported file.
export function readForm(form, kept = {}) {
  const settings = {};
  readEdition(form, settings);
  for (const control of form.querySelectorAll('[data-key]')) {
    const { key, index, type } = control.dataset;
    if (type === 'radio' && !control.checked) continue;
    const value = controlValue(control);
    if (value === undefined) continue;
    if (index === undefined) settings[key] = value;
    else (settings[key] ??= [])[Number(index)] = value;
  }
  return { ...kept, ...settings };
}

// Shows settings in the form (the defaults where a key is missing) and returns the keys
// the form has no control for.
export function fillForm(form, settings) {
  const shown = { ...defaultSettings(), ...settings };
  if (settings.versionWord === undefined && settings.game === undefined) shown.versionWord = versionWords.Black;
  showEdition(form, shown);
  for (const control of form.querySelectorAll('[data-key]')) {
    const { key, index } = control.dataset;
    const value = shown[key];
    showValue(control, index === undefined ? value : (Array.isArray(value) ? value[Number(index)] : undefined));
  }
  const known = formKeys(form);
  return Object.fromEntries(Object.entries(settings).filter(([key]) => !known.has(key)));
}

// Reads a settings file as the CLI does: JSON with // comments.
export function parseSettingsText(text) {
  return JSON.parse(stripLineComments(text));
}

function stripLineComments(text) {
  let out = '';
  let inString = false;
  for (let i = 0; i < text.length; i++) {
    const c = text[i];
    if (inString) {
      out += c;
      if (c === '\\') out += text[++i] ?? '';
      else if (c === '"') inString = false;
    } else if (c === '/' && text[i + 1] === '/') {
      while (i < text.length && text[i] !== '\n') i++;
      out += '\n';
    } else {
      inString = c === '"';
      out += c;
    }
  }
  return out;
}
