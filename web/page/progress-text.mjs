// The progress line: share done, seeds a second and the time left, as the programs write them.

export function durationText(seconds) {
  const total = Math.max(0, Math.round(seconds));
  const minutesAndSeconds = `${Math.floor(total / 60) % 60}:${String(total % 60).padStart(2, '0')}`;
  return total < 3600 ? minutesAndSeconds : `${Math.floor(total / 3600)}:${minutesAndSeconds.padStart(5, '0')}`;
}

export function rateText(perSecond) {
  if (perSecond >= 1e9) return `${(perSecond / 1e9).toFixed(2)} G`;
  if (perSecond >= 1e6) return `${(perSecond / 1e6).toFixed(2)} M`;
  if (perSecond >= 1e3) return `${(perSecond / 1e3).toFixed(0)} k`;
  return perSecond.toFixed(0) + ' ';
}

export function shareText(share) {
  return `${Math.floor(share * 100)}%`;
}

// Each boot moment is one initial seed; the time left assumes the rate so far.
export function progressFigures({ momentsDone, momentsTotal }, elapsedSeconds) {
  const share = momentsTotal > 0 ? momentsDone / momentsTotal : 0;
  const rate = elapsedSeconds > 0 ? momentsDone / elapsedSeconds : 0;
  const left = share > 0 && share < 1 ? (elapsedSeconds / share) * (1 - share) : undefined;
  return { share, rate, left };
}
