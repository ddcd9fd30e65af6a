// Console profiles as profiles.json holds them (the window's and the CLI's format), kept
// in the browser's storage: choosing one fills the console's fields.

const storageKey = 'hanabira.profiles';
const hexFields = ['vcount', 'timer0', 'gxStat'];

export function storedProfiles(storage = localStorage) {
  try {
    return readProfiles(storage.getItem(storageKey) ?? '{"profiles":[]}');
  } catch {
    return [];
  }
}

export function storeProfiles(profiles, storage = localStorage) {
  storage.setItem(storageKey, profilesText(profiles));
}

// The profiles of a profiles.json text; throws on a file that is no list of named profiles.
export function readProfiles(text) {
  const document = JSON.parse(text);
  if (!Array.isArray(document?.profiles)) throw new Error('expected an object with a list "profiles"');
  for (const profile of document.profiles) {
    if (typeof profile?.name !== 'string' || profile.name === '') throw new Error('a profile needs a name');
  }
  return document.profiles;
}

export function profilesText(profiles) {
  return JSON.stringify({ profiles }, null, 2) + '\n';
}

// Adds or replaces by name, keeping the list's order.
export function mergeProfiles(profiles, added) {
  const merged = [...profiles];
  for (const profile of added) {
    const at = merged.findIndex((p) => p.name === profile.name);
    if (at >= 0) merged[at] = profile;
    else merged.push(profile);
  }
  return merged;
}

const hex = (text) => '0x' + String(text).replace(/^0x/i, '').toUpperCase();
// A word of profiles.json is hexadecimal text or a JSON number; the form shows hexadecimal.
const hexText = (word) => (typeof word === 'number' ? word.toString(16) : String(word));

// The console part of settings (as readForm gives them) as a profile of that name.
export function profileFromSettings(name, s) {
  const profile = { name };
  if (s.game && s.language && s.console) profile.edition = `${s.game},${s.language},${s.console}`;
  else profile.versionWord = hex(s.versionWord ?? '02215F10');
  profile.macAddress = s.macAddress ?? '00-00-00-00-00-00';
  for (const field of hexFields) profile[field] = hex(s[field] ?? 0);
  profile.frame = s.frame ?? 0;
  if (s.vcountMin !== undefined) profile.vcountRange = [hex(s.vcountMin), hex(s.vcountMax ?? s.vcountMin)];
  if (s.timer0Min !== undefined) profile.timer0Range = [hex(s.timer0Min), hex(s.timer0Max ?? s.timer0Min)];
  return profile;
}

// The settings keys a profile gives, replacing the console's keys of the form.
export function settingsFromProfile(profile) {
  const s = {};
  if (profile.edition) [s.game, s.language, s.console] = profile.edition.split(',');
  else s.versionWord = hexText(profile.versionWord);
  s.macAddress = profile.macAddress;
  for (const field of hexFields) s[field] = hexText(profile[field]);
  s.frame = profile.frame;
  if (profile.vcountRange) [s.vcountMin, s.vcountMax] = profile.vcountRange.map(hexText);
  if (profile.timer0Range) [s.timer0Min, s.timer0Max] = profile.timer0Range.map(hexText);
  return s;
}

export const consoleKeys = ['game', 'language', 'console', 'versionWord', 'macAddress', ...hexFields, 'frame',
  'vcountMin', 'vcountMax', 'timer0Min', 'timer0Max'];

// What a calibration found, stored into the profile `name` as calibrate --save-profile
// stores it: the chosen set becomes its console's values without ranges, and every set
// found, each once, its calibration list. A new profile takes the rest of the console
// from the settings the calibration ran with.
export function storeCalibration(profiles, name, matches, chosen, settings) {
  const profile = { ...(profiles.find((p) => p.name === name) ?? profileFromSettings(name, settings)) };
  profile.vcount = hex(chosen.vcount.toString(16));
  profile.timer0 = hex(chosen.timer0.toString(16));
  profile.frame = chosen.frame;
  delete profile.vcountRange;
  delete profile.timer0Range;
  const sets = matches.map(({ vcount, timer0, frame }) => ({
    vcount: hex(vcount.toString(16)), timer0: hex(timer0.toString(16)), frame,
  }));
  profile.calibration = sets.filter((set, at) =>
    sets.findIndex((s) => s.vcount === set.vcount && s.timer0 === set.timer0 && s.frame === set.frame) === at);
  return mergeProfiles(profiles, [profile]);
}
