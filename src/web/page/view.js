// The canvas that shows the desktop: fitted at 4:3 into its box on whole device pixels, and drawn
// again only when something that shows has changed. What an event of the player changes is drawn
// before the event's handler returns, as the window paints right after an event; what changes
// by itself (the caret's blink, a new size, a picture that has come, a replay's mark) is drawn in
// the next animation frame.
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
    this.dirty = false;         // something that shows has changed since the last draw
    this.frameAsked = false;
    this.held = true;           // nothing is drawn before the first frame is let go
    this.box = null;            // where #game and the canvas lie in the viewport
    this.keysAt = '';
    this.frames = 0;
    this.firstFrameAt = null;
    this.lastFrameAt = null;
    this.lastDrawStart = null;
    this.lastDrawEnd = null;

    new ResizeObserver(() => this.fit()).observe(game);
    // The box can move without changing its size.
    window.addEventListener('resize', () => this.fit());
    window.addEventListener('scroll', () => this.fit(), { capture: true, passive: true });
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
    // Kept, so that an event needs no layout of the page to find its point on the desktop.
    this.box = {
      game: { left: box.left, top: box.top },
      canvas: { left: box.left + left, top: box.top + top, width: width / ratio, height: height / ratio },
    };
    this.invalidate();
  }

  // Shows the game's scene as it is now (drawn by drawPending or in the next frame).
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

  // Something that shows has changed: it is drawn by the next drawPending, at the latest in the
  // next animation frame. An event's handler draws before it returns: the frame is asked for only
  // when something is still to draw once the code running now is done.
  invalidate() {
    this.dirty = true;
    if (this.frameAsked) return;
    this.frameAsked = true;
    queueMicrotask(() => {
      if (!this.dirty) {
        this.frameAsked = false;
        return;
      }
      requestAnimationFrame(() => {
        this.frameAsked = false;
        this.drawPending();
      });
    });
  }

  // Draws now what has changed, if anything has; `byPlayer` when it is the player's event.
  drawPending(byPlayer = false) {
    if (this.dirty && !this.held) this.draw(byPlayer);
  }

  // The first frame is drawn once what it shows is there (the font, its pictures).
  release() {
    this.held = false;
    this.dirty = true;
    this.drawPending();
  }

  draw(byPlayer = false) {
    this.dirty = false;
    this.lastDrawStart = performance.now();
    const box = this.caretOn && this.hasKeyboard() ? focusedTextBox(this.designs, this.scene) : null;
    this.painter.paint(this.scene, { caret: box, highlights: this.highlights, byPlayer });
    this.placeKeys(box);
    this.frames += 1;
    this.lastDrawEnd = performance.now();
    this.lastFrameAt = this.lastDrawEnd;
    this.firstFrameAt ??= this.lastFrameAt;
  }

  // The hidden input that takes the keyboard lies over the focused text box, so that an input
  // method shows its window there.
  placeKeys(box) {
    const onDesktop = box && controlOnDesktop(this.designs, this.scene, box.screen, box.control);
    if (!onDesktop || !this.box) return;
    const rect = this.rectToViewport(onDesktop);
    const { game } = this.box;
    const at = `${rect.x - game.left}px ${rect.y - game.top}px ${rect.height}px`;
    if (at === this.keysAt) return;  // a style left as it is keeps the page's layout as it is
    this.keysAt = at;
    this.keys.style.left = `${rect.x - game.left}px`;
    this.keys.style.top = `${rect.y - game.top}px`;
    this.keys.style.height = `${rect.height}px`;
  }

  // Where the canvas lies in the viewport (CSS pixels).
  canvasBox() {
    if (!this.box) this.fit();
    return this.box?.canvas ?? this.canvas.getBoundingClientRect();
  }

  // A point of the viewport (CSS pixels) on the desktop.
  toDesktop(clientX, clientY) {
    const rect = this.canvasBox();
    return {
      x: ((clientX - rect.left) * DESKTOP_WIDTH) / rect.width,
      y: ((clientY - rect.top) * DESKTOP_HEIGHT) / rect.height,
    };
  }

  // A rectangle of the desktop in CSS pixels of the viewport.
  rectToViewport({ x, y, width, height }) {
    const rect = this.canvasBox();
    const sx = rect.width / DESKTOP_WIDTH;
    const sy = rect.height / DESKTOP_HEIGHT;
    return { x: rect.left + x * sx, y: rect.top + y * sy, width: width * sx, height: height * sy };
  }
}
