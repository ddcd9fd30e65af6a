// The page's texts in Japanese and English, from the programs' message catalogs
// (texts.json, built from i18n/*.po with the game's names): English is the original,
// Japanese its translation, as the window shows them.

let catalog = { ja: {}, en: {}, names: { ja: {}, en: {} } };
let language = 'ja';

export async function loadTexts(url = 'texts.json') {
  catalog = await (await fetch(url)).json();
}

export function pageLanguage() {
  return language;
}

export function setPageLanguage(code) {
  language = code === 'en' ? 'en' : 'ja';
  document.documentElement.lang = language;
}

// Japanese where the browser asks for it first, English otherwise.
export function preferredLanguage(languages = navigator.languages ?? [navigator.language]) {
  return String(languages[0] ?? '').toLowerCase().startsWith('ja') ? 'ja' : 'en';
}

function lookup(key) {
  return catalog[language]?.[key];
}

// Fills fields written {} in turn, or {0}, {1} by number, as the catalogs write them.
export function format(text, ...values) {
  let next = 0;
  return text.replace(/\{(\d*)\}/g, (_, n) => String(values[n === '' ? next++ : Number(n)]));
}

export function t(msgid, ...values) {
  return format(lookup(msgid) ?? msgid, ...values);
}

export function tc(context, msgid) {
  return lookup(`${context}\u0004${msgid}`) ?? msgid;
}

export function tn(one, many, count, ...values) {
  const forms = lookup(one);
  const text = forms ? forms[language === 'ja' ? 0 : Number(count !== 1)] : count === 1 ? one : many;
  return format(text, ...values);
}

// The game's names (natures, hidden-power types, dome trainers) in the page's language.
export function names(list) {
  return catalog.names[language][list];
}

// Texts of the markup: data-t names the original, data-tc "context|original".
export function translateMarkup(root) {
  for (const element of root.querySelectorAll('[data-t]')) element.textContent = t(element.dataset.t);
  for (const element of root.querySelectorAll('[data-tc]')) {
    const [context, msgid] = element.dataset.tc.split('|');
    element.textContent = tc(context, msgid);
  }
}
