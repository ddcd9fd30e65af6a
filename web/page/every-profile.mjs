// What a search runs over: the settings as they stand, or with "Every profile" each stored
// profile in turn, as hanabira-cli --all-profiles with the exported settings and profiles
// files. The profiles give the console; the form's console fields stay out of the settings.
import {
  checkProfileSearch, checkSettings, startProfileSearch, startSearch,
} from './engine/search-driver.mjs';
import { consoleKeys, profilesText, storedProfiles } from './profiles.mjs';

export function searchScope(settings, everyProfile, profiles = storedProfiles()) {
  if (!everyProfile) {
    const settingsJson = JSON.stringify(settings);
    return {
      settingsJson,
      check: () => checkSettings(settingsJson),
      start: (options) => startSearch({ ...options, settingsJson }),
    };
  }
  const withoutConsole = { ...settings };
  for (const key of consoleKeys) delete withoutConsole[key];
  const settingsJson = JSON.stringify(withoutConsole);
  const profilesJson = profilesText(profiles);
  return {
    settingsJson,
    profilesJson,
    check: () => checkProfileSearch(settingsJson, profilesJson),
    start: (options) => startProfileSearch({ ...options, settingsJson, profilesJson }),
  };
}
