// The page: loads the game's module, the artwork, the font and the sounds, then plays. It moves
// game time on to the real clock before every event of the player and whenever a timer falls
// due, as the window does, and draws what the game shows. No rule of the game lives here.
import { Painter, loadArtwork } from './draw.js';
import { controlOnDesktop, focusedTextBox, hitAt, tooltipAt } from './layout.js';
import { listen } from './input.js';
import { ReplayPacer, fetchScript, readScriptFile } from './replay.js';
import { Sounds, fetchSounds } from './sound.js';
import { View } from './view.js';

const SOUND_FILES = ['data/ip.dat', 'data/about.dat'];
const FONT_FACES = ['11px "Quillon Sans"', 'bold 11px "Quillon Sans"'];

const element = (id) => document.getElementById(id);
const status = element('status');
const newGameButton = element('new-game');

function setState(state) {
  document.body.dataset.state = state;
}

function say(text) {
  status.textContent = text;
}

// The module's C functions, with their types.
function bind(module) {
  const c = (name, returns, args = []) => module.cwrap(name, returns, args);
  return {
    newGame: c('quillon_new_game', null, ['number']),
    advanceTo: c('quillon_advance_to', null, ['number']),
    nextTimerDue: c('quillon_next_timer_due', 'number'),
    click: c('quillon_click', 'number', ['string', 'string']),
    key: c('quillon_key', 'number', ['number']),
    edit: c('quillon_edit', 'number', ['string', 'string', 'string']),
    moveFocus: c('quillon_move_focus', 'number', ['number']),
    leave: c('quillon_leave', null),
    designs: c('quillon_designs', 'string'),
    revision: c('quillon_revision', 'number'),
    scene: c('quillon_scene', 'string'),
    recording: c('quillon_recording', 'string'),
    replayCheck: c('quillon_replay_check', 'string', ['string']),
    replayStart: c('quillon_replay_start', null, ['string', 'number']),
    replayStep: c('quillon_replay_step', 'number', ['number']),
    replayStop: c('quillon_replay_stop', null),
    replayOutput: c('quillon_replay_output', 'string'),
  };
}

// The game being played or watched, and the page's part in it.
class Game {
  constructor(api, designs, view) {
    this.api = api;
    this.designs = designs;
    this.view = view;
    this.mode = 'idle';  // 'playing', 'watching' a replay, or 'over'
    this.startedAt = 0;
    this.timer = null;
    this.shownRevision = -1;
    this.scene = {};
    this.replay = null;
  }

  // --- Game time ---------------------------------------------------------------------------

  gameNow() {
    return performance.now() - this.startedAt;
  }

  // Moves game time on to the real clock: the timers due by then fire.
  catchUp() {
    if (this.mode === 'playing') this.api.advanceTo(this.gameNow());
  }

  // Brings the picture up to date with the game, then arms the one timer for the game's next
  // tick. Runs after everything that reaches the game.
  refresh() {
    const revision = this.api.revision();
    if (revision !== this.shownRevision) {
      this.shownRevision = revision;
      this.scene = JSON.parse(this.api.scene());
      this.view.show(this.scene);
      if (this.scene.ended && this.mode === 'playing') this.ended();
    }
    this.armTimer();
  }

  armTimer() {
    clearTimeout(this.timer);
    this.timer = null;
    if (this.mode !== 'playing') return;
    const due = this.api.nextTimerDue();
    if (due < 0) return;
    this.timer = setTimeout(() => {
      this.catchUp();
      this.refresh();
    }, Math.max(0, due - this.gameNow()));
  }

  // A tab that comes back from the background, its timers held back, just catches up.
  wakeUp() {
    if (this.mode === 'playing') {
      this.catchUp();
      this.refresh();
    } else if (this.mode === 'watching') {
      this.replay.step();
    }
  }

  // --- Starting and ending -----------------------------------------------------------------

  newGame() {
    this.leave();
    this.replay?.cancel();
    this.api.newGame(1);  // every game is recorded
    this.startedAt = performance.now();
    this.mode = 'playing';
    this.shownRevision = -1;
    newGameButton.hidden = true;
    say('');
    setState('playing');
    this.refresh();
  }

  // The player leaves the game (the page closes, or another game starts): the recording
  // hears the end.
  leave() {
    if (this.mode !== 'playing') return;
    this.catchUp();
    this.api.leave();
  }

  ended() {
    this.mode = 'over';
    clearTimeout(this.timer);
    say('Hra skončila.');
    this.offerNewGame('ended');
  }

  offerNewGame(state) {
    newGameButton.hidden = false;
    setState(state);
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
  }

  refuse(reason) {
    say(`Tento záznam nelze přehrát: ${reason}`);
    // A game or replay going on goes on; with none, a new game is on offer.
    if (this.mode === 'idle' || this.mode === 'over') newGameButton.hidden = false;
    setState('refused');
  }

  // --- Replays -----------------------------------------------------------------------------

  async replayFrom(load) {
    const { text, refusal } = await load;
    if (refusal) return this.refuse(refusal);
    const check = this.api.replayCheck(text);
    if (check) return this.refuse(check);
    this.leave();
    this.replay?.cancel();
    clearTimeout(this.timer);
    this.api.replayStart(text, 1);
    this.mode = 'watching';
    this.shownRevision = -1;
    newGameButton.hidden = true;
    say('Přehrávám záznam… (Esc zastaví)');
    setState('replaying');
    this.replay = new ReplayPacer({
      step: (now) => this.api.replayStep(now),
      after: () => this.refresh(),
      over: (stopped) => this.replayOver(stopped),
    });
    this.replay.start();
    return undefined;
  }

  stopReplay() {
    if (this.mode !== 'watching') return;
    this.api.replayStop();
    this.replay.finish(true);
    this.refresh();
  }

  replayOver(stopped) {
    this.mode = 'over';
    const output = this.api.replayOutput();
    if (output) console.info(`Quillon: the replay printed:\n${output}`);
    say(stopped ? 'Přehrávání zastaveno.' : 'Záznam přehrán.');
    this.offerNewGame('ended');
  }

  watching() {
    return this.mode === 'watching';
  }

  // Where a replay clicks: the control is marked as it stands before the click.
  highlight(screen, control) {
    const rect = controlOnDesktop(this.designs, JSON.parse(this.api.scene()), screen, control);
    if (rect && rect.width > 0 && rect.height > 0) this.view.highlight(rect);
  }

  // --- The player's events -----------------------------------------------------------------

  // A press of the left button at a point of the desktop; `second` for the second press of a
  // double click, which is a click again only on a command button.
  press(x, y, second) {
    if (this.mode !== 'playing') return;
    if (second && hitAt(this.designs, this.scene, x, y)?.kind !== 'CommandButton') return;
    // The click lands on what the game shows at its moment, once the timers due have fired.
    this.catchUp();
    this.refresh();
    const hit = hitAt(this.designs, this.scene, x, y);
    if (hit) this.api.click(hit.screen, hit.control);
    this.refresh();
  }

  // The box that takes typed keys now, if any.
  typingBox() {
    return this.mode === 'playing' ? focusedTextBox(this.designs, this.scene) : null;
  }

  key(code) {
    if (!this.typingBox()) return;
    this.catchUp();
    this.api.key(code);
    this.view.restartBlink();
    this.refresh();
  }

  // Text put at the end of the focused box by an edit that is no key press (a paste).
  append(text) {
    const box = this.typingBox();
    if (!box || text === '') return;
    this.catchUp();
    this.api.edit(box.screen, box.control, box.text + text);
    this.view.restartBlink();
    this.refresh();
  }

  moveFocus(forward) {
    if (this.mode !== 'playing') return;
    this.catchUp();
    this.api.moveFocus(forward ? 1 : 0);
    this.refresh();
  }

  // What the mouse is over: the tooltip to show, and whether it is a text box.
  pointAt(x, y) {
    const hit = hitAt(this.designs, this.scene, x, y);
    return { tooltip: tooltipAt(this.designs, this.scene, x, y), textBox: hit?.kind === 'TextBox' };
  }

  recording() {
    return this.api.recording();
  }
}

// --- The page's buttons ----------------------------------------------------------------------

function stamp(date) {
  const two = (n) => String(n).padStart(2, '0');
  return (
    `${date.getFullYear()}${two(date.getMonth() + 1)}${two(date.getDate())}-` +
    `${two(date.getHours())}${two(date.getMinutes())}${two(date.getSeconds())}`
  );
}

function download(text, name) {
  const url = URL.createObjectURL(new Blob([text], { type: 'text/plain;charset=utf-8' }));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60_000);
}

function wireButtons(game, gameElement) {
  // A click on the page's buttons leaves the keyboard with the game.
  element('bar').addEventListener('mousedown', (event) => {
    if (event.target.closest('button, label')) event.preventDefault();
  });
  element('fullscreen').addEventListener('click', () => {
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    else gameElement.requestFullscreen?.().catch((error) => say(`Celá obrazovka není k dispozici: ${error.message}`));
  });
  element('save-recording').addEventListener('click', () => {
    const text = game.recording();
    if (!text) {
      say('Zatím není co uložit.');
      return;
    }
    download(text, `quillon-${stamp(new Date())}.qs`);
  });
  const picker = element('replay-file');
  picker.addEventListener('change', () => {
    const [file] = picker.files;
    picker.value = '';  // the same file can be chosen again
    if (file) game.replayFrom(readScriptFile(file));
  });
  newGameButton.addEventListener('click', () => {
    game.newGame();
    element('keys').focus({ preventScroll: true });
  });
}

// --- Offline play --------------------------------------------------------------------------

// The service worker keeps the site for playing offline. It is registered under the site's
// version, so that a new version installs itself.
async function registerServiceWorker() {
  if (!('serviceWorker' in navigator) || location.protocol === 'file:') return;
  try {
    const response = await fetch('files.json', { cache: 'no-cache' });
    if (!response.ok) return;
    const { version } = await response.json();
    await navigator.serviceWorker.register(`sw.js?version=${encodeURIComponent(version)}`);
  } catch (error) {
    console.warn(`Quillon: no offline play: ${error.message}`);
  }
}

// --- Start ---------------------------------------------------------------------------------

function failed(error, what = 'Hru se nepodařilo spustit') {
  console.error(error);
  say(`${what}: ${error?.message ?? error}`);
  setState('failed');
}

async function loadModule(hooks) {
  const { default: createQuillon } = await import('./quillon.js');
  return createQuillon({
    ...hooks,
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    onAbort: (reason) => failed(reason, 'Hra se zastavila chybou'),
  });
}

async function start() {
  setState('loading');
  const gameElement = element('game');
  const canvas = element('screen');
  const keys = element('keys');
  let game = null;
  let sounds = null;

  const soundFiles = fetchSounds(SOUND_FILES);
  const fonts = Promise.all(FONT_FACES.map((face) => document.fonts.load(face))).catch(() => {});
  const module = await loadModule({
    quillonPlaySound: (name) => sounds?.play(name),
    quillonOpenDocument: (target) => {
      if (/^(https?|mailto):/i.test(target)) window.open(target, '_blank', 'noopener');
    },
    quillonHighlight: (screen, control) => game?.highlight(screen, control),
  });

  // The sounds lie in the module's own files, where the game checks them before playing.
  const files = await soundFiles;
  module.FS.mkdir('/data');
  for (const [name, bytes] of files) module.FS.writeFile(`/${name}`, new Uint8Array(bytes));
  sounds = new Sounds(files);

  const api = bind(module);
  const designs = JSON.parse(api.designs()).screens;
  const [artwork] = await Promise.all([loadArtwork(designs), fonts]);

  const view = new View({ game: gameElement, canvas, keys, painter: new Painter(canvas, designs, artwork), designs });
  game = new Game(api, designs, view);
  listen({ stage: element('stage'), canvas, keys, view, game, sounds });
  wireButtons(game, gameElement);

  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'visible') game.wakeUp();
  });
  window.addEventListener('pagehide', () => game.leave());

  window.quillonPage = Object.freeze({
    scene: () => structuredClone(game.scene),
    controlRect: (screen, control) => {
      const rect = controlOnDesktop(designs, game.scene, screen, control);
      return rect && view.rectToViewport(rect);
    },
    get frames() {
      return view.frames;
    },
    get firstFrameAt() {
      return view.firstFrameAt;
    },
    get lastFrameAt() {
      return view.lastFrameAt;
    },
  });

  keys.focus({ preventScroll: true });
  const replay = new URLSearchParams(location.search).get('replay');
  if (replay) game.replayFrom(fetchScript(replay));
  else game.newGame();
}

start().catch(failed);
registerServiceWorker();
