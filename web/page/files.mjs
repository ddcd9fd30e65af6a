// Files in and out of the page: a download of bytes as they are, and a chosen file's text.

export function downloadBytes(bytes, name, type = 'application/octet-stream') {
  const url = URL.createObjectURL(new Blob([bytes], { type }));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(url), 60_000);
}

// Calls onText with the text of each file chosen in the input, or report with the problem.
export function readChosenFile(input, onText, report) {
  input.addEventListener('change', async () => {
    const [file] = input.files;
    input.value = '';
    if (!file) return;
    try {
      onText(await file.text());
    } catch (error) {
      report(`${file.name}: ${error.message}`);
    }
  });
}
