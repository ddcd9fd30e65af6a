// Reads the translated entries of a GNU gettext PO file: msgid (keyed with its msgctxt as
// gettext keys it, context + U+0004 + msgid) to msgstr, or to the list of msgstr[n] of a
// plural text. Entries are blocks between blank lines; fuzzy, obsolete (#~) and
// untranslated ones are left out, as the programs leave them out.

const contextSeparator = '\u0004';

export function entryKey(msgid, msgctxt) {
  return msgctxt === undefined ? msgid : msgctxt + contextSeparator + msgid;
}

function unquote(line) {
  const text = line.slice(line.indexOf('"') + 1, line.lastIndexOf('"'));
  return text.replace(/\\(["\\nt])/g, (_, c) => ({ n: '\n', t: '\t' })[c] ?? c);
}

function parseBlock(lines) {
  const fields = {};
  let field = null;
  for (const line of lines) {
    if (line.startsWith('#')) {
      if (/^#,.*\bfuzzy\b/.test(line)) return null;
    } else if (line.startsWith('"')) {
      fields[field] += unquote(line);
    } else {
      field = line.slice(0, line.indexOf(' '));
      fields[field] = unquote(line);
    }
  }
  return fields;
}

export function parsePo(source) {
  const texts = {};
  for (const block of source.split(/\r?\n\s*\r?\n/)) {
    const fields = parseBlock(block.split(/\r?\n/).filter((l) => l.trim() && !l.startsWith('#~')));
    if (!fields || !fields.msgid) continue;
    const plural = Object.keys(fields).filter((k) => k.startsWith('msgstr[')).sort();
    const translation = plural.length ? plural.map((k) => fields[k]) : fields.msgstr;
    if (plural.length ? translation.every(Boolean) : translation) {
      texts[entryKey(fields.msgid, fields.msgctxt)] = translation;
    }
  }
  return texts;
}
