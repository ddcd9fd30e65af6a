// The page: the settings form, its texts, profiles, and a search on every core.
import { fillChoices } from './choices.mjs';
import { wireCalibration } from './calibration-panel.mjs';
import { wireNeighbours } from './neighbour-panel.mjs';
import { wireProfiles } from './profile-panel.mjs';
import { wireSearch } from './search-panel.mjs';
import { defaultSettings, fillForm, parseSettingsText, readForm } from './settings-form.mjs';
import { loadTexts, pageLanguage, preferredLanguage, setPageLanguage, translateMarkup } from './texts.mjs';
import { downloadBytes, readChosenFile } from './files.mjs';

const settingsKey = 'hanabira.settings';
const languageKey = 'hanabira.pageLanguage';
const form = document.querySelector('#settings');
let kept = {};  // keys of the last imported file that the form does not show

function showLanguage(code) {
  setPageLanguage(code);
  translateMarkup(document);
  fillChoices(document);
  document.querySelector('#pageLanguage').value = pageLanguage();
}

function showSettings(settings) {
  kept = fillForm(form, settings);
}

export function currentSettings() {
  return readForm(form, kept);
}

function remember() {
  localStorage.setItem(settingsKey, JSON.stringify({ settings: currentSettings() }));
}

function restoredSettings() {
  try {
    return JSON.parse(localStorage.getItem(settingsKey)).settings;
  } catch {
    return defaultSettings();
  }
}

// A set the calibration found becomes the console's: single values, no ranges.
function applyCalibrated({ vcount, timer0, frame }) {
  const settings = currentSettings();
  for (const key of ['vcountMin', 'vcountMax', 'timer0Min', 'timer0Max']) delete settings[key];
  showSettings({ ...settings, vcount: vcount.toString(16), timer0: timer0.toString(16), frame });
  remember();
}

function wireSettingsFiles(report) {
  readChosenFile(document.querySelector('#settingsImport'), (text) => {
    showSettings(parseSettingsText(text));
    remember();
  }, report);
  document.querySelector('#settingsExport').addEventListener('click', () => {
    downloadBytes(new TextEncoder().encode(JSON.stringify(currentSettings(), null, 2) + '\n'), 'settings.json');
  });
}

async function start() {
  await loadTexts();
  showLanguage(localStorage.getItem(languageKey) ?? preferredLanguage());
  showSettings(restoredSettings() ?? defaultSettings());
  form.addEventListener('change', remember);
  document.querySelector('#pageLanguage').addEventListener('change', (event) => {
    localStorage.setItem(languageKey, event.target.value);
    showLanguage(event.target.value);
  });
  const report = (message) => (document.querySelector('#status').textContent = message);
  wireSettingsFiles(report);
  const profiles = wireProfiles(form, { current: currentSettings, show: showSettings, report });
  wireCalibration({ current: currentSettings, apply: applyCalibrated, profiles });
  await wireSearch({ settings: currentSettings, report });
  wireNeighbours();
  if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
  document.body.dataset.ready = 'true';
}

start();
