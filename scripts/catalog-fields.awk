# Reads a PO file and prints each translation whose replacement fields ("{}", "{0}",
# "{:.2f}") differ from its original's: fmt would fill it with other values than the code
# passes, or drop some. A form of a plural text may leave fields out ("one result").
function unquote(line) {
  sub(/^[^"]*"/, "", line)
  sub(/"$/, "", line)
  return line
}

# Fills `found` with the text's fields as "index:format", counting repeats; fields without
# an index take the next one, as fmt numbers them.
function fields(text, found,    i, c, field, depth, automatic, key) {
  split("", found)
  automatic = 0
  for (i = 1; i <= length(text); i++) {
    c = substr(text, i, 1)
    if ((c == "{" || c == "}") && substr(text, i + 1, 1) == c) { i++; continue }
    if (c != "{") continue
    field = ""
    for (depth = 1; depth > 0 && ++i <= length(text);) {
      c = substr(text, i, 1)
      if (c == "{") depth++
      if (c == "}") depth--
      if (depth > 0) field = field c
    }
    if (field ~ /^[0-9]+/) key = field
    else key = (automatic++) field
    if (key !~ /:/) key = key ":"
    found[key]++
  }
}

# Whether every field of `part` is in `whole`, as often.
function within(part, whole,    key) {
  for (key in part) if (part[key] > whole[key]) return 0
  return 1
}

function check(    i, wanted, got, original) {
  if (msgid == "") return
  original = (nforms > 0 && plural != "") ? plural : msgid
  fields(original, wanted)
  for (i = 0; i < nforms; i++) {
    if (forms[i] == "") continue
    fields(forms[i], got)
    if (!within(got, wanted) || (plural == "" && !within(wanted, got))) {
      printf "%s: the translation of \"%s\" has other fields than the original\n", FILENAME, msgid
      bad = 1
    }
  }
}

function start() {
  check()
  msgid = ""; plural = ""; nforms = 0
  split("", forms)
}

/^#/ { next }
/^msgctxt / { start(); part = "context"; next }
/^msgid / { if (part != "context") start(); part = "msgid"; msgid = unquote($0); next }
/^msgid_plural / { part = "plural"; plural = unquote($0); next }
/^msgstr/ { part = "form"; forms[nforms++] = unquote($0); next }
/^"/ {
  if (part == "msgid") msgid = msgid unquote($0)
  else if (part == "plural") plural = plural unquote($0)
  else if (part == "form") forms[nforms - 1] = forms[nforms - 1] unquote($0)
}
END { check(); exit bad }
