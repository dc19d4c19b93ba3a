// Replays: a recorded game (a .qs script) chosen by the player or named by ?replay=URL, played
// in the page as the window plays it. The module paces the script on the page's real clock;
// the page only calls it again when it says, and redraws after each step.

// A script is handed to the module in one piece on its stack: a longer file is refused here.
const MAX_SCRIPT_BYTES = 512 * 1024;

// The text of a chosen file, or the reason it cannot be replayed.
export async function readScriptFile(file) {
  if (file.size > MAX_SCRIPT_BYTES) return { refusal: `soubor je příliš velký (nejvýše ${MAX_SCRIPT_BYTES / 1024} KiB)` };
  try {
    return { text: await file.text() };
  } catch (error) {
    return { refusal: `soubor nelze přečíst (${error.message})` };
  }
}

// The text of a script on this site, or the reason it cannot be replayed.
export async function fetchScript(address) {
  let url;
  try {
    url = new URL(address, location.href);
  } catch {
    return { refusal: `neplatná adresa ${address}` };
  }
  if (url.origin !== location.origin) return { refusal: 'záznam musí být z tohoto webu' };
  try {
    const response = await fetch(url);
    if (!response.ok) return { refusal: `záznam se nepodařilo stáhnout (HTTP ${response.status})` };
    const blob = await response.blob();
    return readScriptFile(blob);
  } catch (error) {
    return { refusal: `záznam se nepodařilo stáhnout (${error.message})` };
  }
}

// One replay being played: `step` is the module's step, called at the moments it names;
// `after` runs after every step, `over` once the replay is over.
export class ReplayPacer {
  constructor({ step, after, over }) {
    this.stepModule = step;
    this.after = after;
    this.over = over;
    this.timer = null;
    this.running = false;
  }

  start() {
    this.running = true;
    this.step();
  }

  // Plays on as far as the real clock has come (also when a tab comes back to the front and
  // its timers were held back).
  step() {
    if (!this.running) return;
    clearTimeout(this.timer);
    const next = this.stepModule(performance.now());
    this.after();
    if (next < 0) {
      this.finish(false);
      return;
    }
    this.timer = setTimeout(() => this.step(), Math.max(0, next - performance.now()));
  }

  // Drops it without a word: another game or replay takes its place.
  cancel() {
    this.running = false;
    clearTimeout(this.timer);
  }

  // Ends it from outside: `stopped` when the player stopped it.
  finish(stopped) {
    if (!this.running) return;
    this.running = false;
    clearTimeout(this.timer);
    this.over(stopped);
  }
}
