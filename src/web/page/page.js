// The page: loads the game's module, the font, the sounds and the pictures the game shows first,
// then plays. It moves game time on to the real clock before every event of the player and
// whenever a timer falls due, as the window does, and draws what the game shows. No rule of the
// game lives here.
import { Artwork, Painter, picturesOf } from './draw.js';
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
  // `soundsIn` resolves once the sounds lie in the module's files.
  constructor(api, designs, view, soundsIn) {
    this.api = api;
    this.designs = designs;
    this.view = view;
    this.mode = 'idle';  // 'playing', 'watching' a replay, or 'over'
    this.startedAt = 0;
    this.timer = null;
    this.scene = {};
    this.sceneRevision = -1;  // the revision `scene` was read at
    this.shownRevision = -1;  // the revision the view shows
    this.replay = null;
    this.waiting = soundsIn;  // what the player's events wait for; null once nothing
    soundsIn.then(() => this.doneWaiting(soundsIn));
  }

  // --- The sounds first ----------------------------------------------------------------------

  // The game checks a sound's file as it plays it: the player's events and replays reach it only
  // once the sounds lie in its files. Those that come before wait, in their order, and are drawn
  // when they have reached it; after that every event reaches the game at once.
  afterSounds(act) {
    if (!this.waiting) {
      act();
      return;
    }
    const next = this.waiting
      .then(() => {
        act();
        this.view.drawPending();
      })
      .catch((error) => console.error(error));
    this.waiting = next;
    next.then(() => this.doneWaiting(next));
  }

  doneWaiting(last) {
    if (this.waiting === last) this.waiting = null;
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
    const scene = this.sceneNow();
    if (this.sceneRevision !== this.shownRevision) {
      this.shownRevision = this.sceneRevision;
      this.view.show(scene);
      if (scene.ended && this.mode === 'playing') this.ended();
    }
    this.armTimer();
  }

  // A new game or replay counts its revisions from the start again.
  forgetScene() {
    this.sceneRevision = -1;
    this.shownRevision = -1;
  }

  // What the game shows now, read from the module once for each revision.
  sceneNow() {
    const revision = this.api.revision();
    if (revision !== this.sceneRevision) {
      this.scene = JSON.parse(this.api.scene());
      this.sceneRevision = revision;
    }
    return this.scene;
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
      this.view.drawPending();
    }, Math.max(0, due - this.gameNow()));
  }

  // A tab that comes back from the background, its timers held back, just catches up.
  wakeUp() {
    if (this.mode === 'playing') {
      this.catchUp();
      this.refresh();
      this.view.drawPending();
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
    this.forgetScene();
    newGameButton.hidden = true;
    say('');
    setState('playing');
    this.refresh();
    this.view.drawPending();
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
    this.afterSounds(() => this.replayText(text, refusal));
  }

  replayText(text, refusal) {
    if (refusal) return this.refuse(refusal);
    const check = this.api.replayCheck(text);
    if (check) return this.refuse(check);
    this.leave();
    this.replay?.cancel();
    clearTimeout(this.timer);
    this.api.replayStart(text, 1);
    this.mode = 'watching';
    this.forgetScene();
    newGameButton.hidden = true;
    say('Přehrávám záznam… (Esc zastaví)');
    setState('replaying');
    this.replay = new ReplayPacer({
      step: (now) => this.api.replayStep(now),
      after: () => {
        this.refresh();
        this.view.drawPending();
      },
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
    const rect = controlOnDesktop(this.designs, this.sceneNow(), screen, control);
    if (rect && rect.width > 0 && rect.height > 0) this.view.highlight(rect);
  }

  // --- The player's events -----------------------------------------------------------------

  // A press of the left button at a point of the desktop; `second` for the second press of a
  // double click, which is a click again only on a command button.
  press(x, y, second) {
    this.afterSounds(() => {
      if (this.mode !== 'playing') return;
      if (second && hitAt(this.designs, this.scene, x, y)?.kind !== 'CommandButton') return;
      // The click lands on what the game shows at its moment, once the timers due have fired.
      this.catchUp();
      this.refresh();
      const hit = hitAt(this.designs, this.scene, x, y);
      if (hit) this.api.click(hit.screen, hit.control);
      this.refresh();
    });
  }

  // The box that takes typed keys now, if any.
  typingBox() {
    return this.mode === 'playing' ? focusedTextBox(this.designs, this.scene) : null;
  }

  key(code) {
    this.afterSounds(() => {
      if (!this.typingBox()) return;
      this.catchUp();
      this.api.key(code);
      this.view.restartBlink();
      this.refresh();
    });
  }

  // Text put at the end of the focused box by an edit that is no key press (a paste).
  append(text) {
    this.afterSounds(() => {
      const box = this.typingBox();
      if (!box || text === '') return;
      this.catchUp();
      this.api.edit(box.screen, box.control, box.text + text);
      this.view.restartBlink();
      this.refresh();
    });
  }

  moveFocus(forward) {
    this.afterSounds(() => {
      if (this.mode !== 'playing') return;
      this.catchUp();
      this.api.moveFocus(forward ? 1 : 0);
      this.refresh();
    });
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

// The game's code, quillon.wasm (fetched since the page began), compiled as it comes while its
// loader is still being read: the loader then only instantiates it. A file served with another
// type than application/wasm is compiled from its bytes.
function compileGame() {
  const fetchCode = () => fetch(new URL('quillon.wasm', import.meta.url), { credentials: 'same-origin' });
  return WebAssembly.compileStreaming(fetchCode()).catch(async () => {
    const response = await fetchCode();
    if (!response.ok) throw new Error(`quillon.wasm: HTTP ${response.status}`);
    return WebAssembly.compile(await response.arrayBuffer());
  });
}

async function loadModule(hooks) {
  const code = compileGame();
  const { default: createQuillon } = await import('./quillon.js');
  return createQuillon({
    ...hooks,
    instantiateWasm: (imports, receiveInstance) => {
      code
        .then((compiled) => WebAssembly.instantiate(compiled, imports).then((instance) => receiveInstance(instance, compiled)))
        .catch((error) => failed(error));
      return {};  // the exports come through receiveInstance
    },
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    onAbort: (reason) => failed(reason, 'Hra se zastavila chybou'),
  });
}

// The module, the sounds and the fonts are asked for at once (index.html has the browser fetch
// them before the page's script runs); the first frame waits only for the module, the font and
// the pictures it shows, which are fetched as soon as the game has started.
async function start() {
  setState('loading');
  const gameElement = element('game');
  const canvas = element('screen');
  const keys = element('keys');
  let game = null;

  const artwork = new Artwork();
  const soundFiles = fetchSounds(SOUND_FILES);
  const fonts = Promise.all(FONT_FACES.map((face) => document.fonts.load(face))).catch(() => {});
  const sounds = new Sounds();
  const module = await loadModule({
    quillonPlaySound: (name) => sounds.play(name),
    quillonOpenDocument: (target) => {
      if (/^(https?|mailto):/i.test(target)) window.open(target, '_blank', 'noopener');
    },
    quillonHighlight: (screen, control) => game?.highlight(screen, control),
  });

  const api = bind(module);
  const designsJson = JSON.parse(api.designs());
  const designs = designsJson.screens;

  // The sounds lie in the module's own files, where the game checks them before playing.
  const soundsIn = soundFiles.then((files) => {
    try {
      module.FS.mkdir('/data');
      for (const [name, bytes] of files) module.FS.writeFile(`/${name}`, new Uint8Array(bytes));
    } catch (error) {
      console.error(error);
    }
    sounds.take(files);
  });

  const painter = new Painter(canvas, designs, artwork);
  const view = new View({ game: gameElement, canvas, keys, painter, designs });
  artwork.onArrival = () => view.invalidate();
  game = new Game(api, designs, view, soundsIn);
  listen({ stage: element('stage'), canvas, keys, view, game, sounds });
  wireButtons(game, gameElement);

  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'visible') game.wakeUp();
  });
  window.addEventListener('pagehide', () => game.leave());

  window.quillonPage = Object.freeze({
    scene: () => structuredClone(game.scene),
    designs: () => structuredClone(designsJson),
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
    get lastDrawStart() {
      return view.lastDrawStart;
    },
    get lastDrawEnd() {
      return view.lastDrawEnd;
    },
  });

  keys.focus({ preventScroll: true });
  const replay = new URLSearchParams(location.search).get('replay');
  if (replay) game.replayFrom(fetchScript(replay));
  else game.newGame();

  // The first frame, once the font and the pictures of what shows first are in; the other
  // pictures are drawn as they come.
  await Promise.all([fonts, artwork.whenMade(picturesOf(designs, game.scene))]);
  view.release();
  // Then, out of the first frame's way: the audio, the copy of the site for playing offline, the
  // other pictures, and every screen painted once out of sight, so that the first time a screen
  // shows costs no more than the next.
  setTimeout(async () => {
    sounds.prepare();
    registerServiceWorker();
    const pictures = picturesOf(designs);
    artwork.want(pictures, false);
    await artwork.settled(pictures);
    await painter.prepare();
  }, 0);
}

start().catch(failed);
