// The profile row: choose a stored profile, save the console as one, remove, import, export.
// Returns the profile chosen and a refresh of the list, for the calibration to store into.
import { downloadBytes, readChosenFile } from './files.mjs';
import {
  consoleKeys, mergeProfiles, profileFromSettings, profilesText, readProfiles, settingsFromProfile,
  storedProfiles, storeProfiles,
} from './profiles.mjs';
import { t } from './texts.mjs';

export function wireProfiles(form, { current, show, report }) {
  const choice = form.querySelector('#profileChoice');
  const list = () => storedProfiles();
  const refresh = (selected = choice.value) => {
    choice.replaceChildren(new Option('', ''), ...list().map((p) => new Option(p.name, p.name)));
    choice.value = list().some((p) => p.name === selected) ? selected : '';
  };
  choice.addEventListener('change', () => {
    const profile = list().find((p) => p.name === choice.value);
    if (!profile) return;
    const settings = current();
    for (const key of consoleKeys) delete settings[key];
    show({ ...settings, ...settingsFromProfile(profile) });
    form.dispatchEvent(new Event('change'));
  });
  form.querySelector('#profileSave').addEventListener('click', () => {
    const name = prompt(t('Profile name'), choice.value)?.trim();
    if (!name) return;
    storeProfiles(mergeProfiles(list(), [profileFromSettings(name, current())]));
    refresh(name);
  });
  form.querySelector('#profileRemove').addEventListener('click', () => {
    storeProfiles(list().filter((p) => p.name !== choice.value));
    refresh('');
  });
  readChosenFile(form.querySelector('#profileImport'), (text) => {
    storeProfiles(mergeProfiles(list(), readProfiles(text)));
    refresh();
  }, report);
  form.querySelector('#profileExport').addEventListener('click', () => {
    downloadBytes(new TextEncoder().encode(profilesText(list())), 'profiles.json', 'application/json');
  });
  refresh();
  return { chosen: () => choice.value, refresh };
}
