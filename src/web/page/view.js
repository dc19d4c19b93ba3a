// The canvas that shows the desktop: fitted at 4:3 into its box on whole device pixels, redrawn
// on the next animation frame only when something that shows has changed (the game's picture,
// the size, the caret's blink, a replay's mark).
import { DESKTOP_HEIGHT, DESKTOP_WIDTH, controlOnDesktop, focusedTextBox } from './layout.js';

const CARET_BLINK_MS = 500;  // the caret shows half a second, hides half a second
const HIGHLIGHT_MS = 300;    // how long a replay's click stays marked

export class View {
  constructor({ game, canvas, keys, painter, designs }) {
    this.game = game;
    this.canvas = canvas;
    this.keys = keys;
    this.painter = painter;
    this.designs = designs;
    this.scene = {};
    this.caretBox = null;
    this.caretOn = true;
    this.blink = null;
    this.highlights = [];
    this.drawQueued = false;
    this.frames = 0;
    this.firstFrameAt = null;
    this.lastFrameAt = null;

    new ResizeObserver(() => this.fit()).observe(game);
    this.watchPixelRatio();
    keys.addEventListener('focus', () => this.restartBlink());
    keys.addEventListener('blur', () => this.restartBlink());
    this.fit();
  }

  // A change of the device pixel ratio (a zoom, another display) resizes the canvas too.
  watchPixelRatio() {
    const query = matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`);
    query.addEventListener(
      'change',
      () => {
        this.fit();
        this.watchPixelRatio();
      },
      { once: true },
    );
  }

  // The canvas takes the largest 4:3 rectangle of its box, centred, on whole device pixels, and
  // a backing store of exactly those pixels so that every line stays crisp.
  fit() {
    const box = this.game.getBoundingClientRect();
    const ratio = window.devicePixelRatio || 1;
    const scale = Math.min(box.width / DESKTOP_WIDTH, box.height / DESKTOP_HEIGHT);
    if (!(scale > 0)) return;
    const width = Math.max(1, Math.round(DESKTOP_WIDTH * scale * ratio));
    const height = Math.max(1, Math.round(DESKTOP_HEIGHT * scale * ratio));
    const left = Math.round((box.left + (box.width - width / ratio) / 2) * ratio) / ratio - box.left;
    const top = Math.round((box.top + (box.height - height / ratio) / 2) * ratio) / ratio - box.top;
    const { style } = this.canvas;
    style.left = `${left}px`;
    style.top = `${top}px`;
    style.width = `${width / ratio}px`;
    style.height = `${height / ratio}px`;
    if (this.canvas.width !== width || this.canvas.height !== height) {
      this.canvas.width = width;
      this.canvas.height = height;
    }
    this.invalidate();
  }

  // Shows the game's scene as it is now.
  show(scene) {
    this.scene = scene;
    const box = focusedTextBox(this.designs, scene);
    const caretBox = box ? `${box.screen}\n${box.control}` : null;
    if (caretBox !== this.caretBox) {
      this.caretBox = caretBox;
      this.restartBlink();
    }
    this.invalidate();
  }

  // The caret shows at once after a key, and while the keyboard is the game's it blinks.
  restartBlink() {
    this.caretOn = true;
    clearInterval(this.blink);
    this.blink = null;
    if (this.caretBox && this.hasKeyboard()) {
      this.blink = setInterval(() => {
        this.caretOn = !this.caretOn;
        this.invalidate();
      }, CARET_BLINK_MS);
    }
    this.invalidate();
  }

  hasKeyboard() {
    return document.activeElement === this.keys && document.hasFocus();
  }

  // Marks a control's rectangle (desktop pixels) for a moment.
  highlight(rect) {
    const mark = { ...rect };
    this.highlights.push(mark);
    setTimeout(() => {
      this.highlights = this.highlights.filter((each) => each !== mark);
      this.invalidate();
    }, HIGHLIGHT_MS);
    this.invalidate();
  }

  invalidate() {
    if (this.drawQueued) return;
    this.drawQueued = true;
    requestAnimationFrame(() => this.draw());
  }

  draw() {
    this.drawQueued = false;
    const box = this.caretOn && this.hasKeyboard() ? focusedTextBox(this.designs, this.scene) : null;
    this.painter.paint(this.scene, { caret: box, highlights: this.highlights });
    this.placeKeys(box);
    this.frames += 1;
    this.lastFrameAt = performance.now();
    this.firstFrameAt ??= this.lastFrameAt;
  }

  // The hidden input that takes the keyboard lies over the focused text box, so that an input
  // method shows its window there.
  placeKeys(box) {
    const onDesktop = box && controlOnDesktop(this.designs, this.scene, box.screen, box.control);
    if (!onDesktop) return;
    const rect = this.rectToViewport(onDesktop);
    const game = this.game.getBoundingClientRect();
    this.keys.style.left = `${rect.x - game.left}px`;
    this.keys.style.top = `${rect.y - game.top}px`;
    this.keys.style.height = `${rect.height}px`;
  }

  // A point of the viewport (CSS pixels) on the desktop.
  toDesktop(clientX, clientY) {
    const rect = this.canvas.getBoundingClientRect();
    return {
      x: ((clientX - rect.left) * DESKTOP_WIDTH) / rect.width,
      y: ((clientY - rect.top) * DESKTOP_HEIGHT) / rect.height,
    };
  }

  // A rectangle of the desktop in CSS pixels of the viewport.
  rectToViewport({ x, y, width, height }) {
    const rect = this.canvas.getBoundingClientRect();
    const sx = rect.width / DESKTOP_WIDTH;
    const sy = rect.height / DESKTOP_HEIGHT;
    return { x: rect.left + x * sx, y: rect.top + y * sy, width: width * sx, height: height * sy };
  }
}
