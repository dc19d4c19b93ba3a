// Paints the game's screens on the canvas as the window paints them: screens front to back as
// the game lists them, each a rectangle in its back colour that clips its controls; within a
// screen, earlier controls lie on top of later ones.
import {
  DESKTOP_HEIGHT,
  DESKTOP_WIDTH,
  STRETCH,
  controlRect,
  fontOf,
  labelRect,
  labelWraps,
  lineTops,
  placeText,
  px,
  rgb,
  screenRect,
  textLines,
  textWidth,
} from './layout.js';

const TEXT = 'rgb(17,116,225)';  // ordinary texts, frames and bars
const BUTTON_TEXT = 'rgb(169,213,245)';
const BUTTON_FACE = 'rgb(26,34,46)';
const BUTTON_LIGHT = 'rgb(72,88,110)';
const BUTTON_SHADOW = 'rgb(8,10,14)';
const BUTTON_ICON = 16;
const HIGHLIGHT_LINE = 'rgb(255,214,64)';
const HIGHLIGHT_FILL = 'rgba(255,214,64,0.35)';
const SUBPIXELS = 4;  // the places a glyph may stand on within a pixel

// The game's pictures, assets/<name>.svg. A picture's file is fetched when it is first wanted,
// and the picture is made from it (the browser parses the SVG, which takes a while, on the
// page's own thread) one at a time: first those that are to be drawn, the others in idle
// moments. Each is drawn as soon as it has been made (`onArrival` says when).
//
// Drawing an SVG image rasterises it anew every time: each picture is rasterised once for each
// size and place within a device pixel it is drawn at, and that copy is drawn.
const MAX_RASTERS = 500;

export class Artwork {
  constructor() {
    this.pictures = new Map();  // by name: { file, image, state, urgent, done, made }
    this.queue = [];            // the names to make: the urgent ones first
    this.making = false;
    this.rasters = new Map();
    this.generation = 0;        // grows with every picture made
    this.onArrival = () => {};
  }

  entry(name) {
    let picture = this.pictures.get(name);
    if (!picture) {
      const file = fetch(`assets/${encodeURIComponent(name)}.svg`)
        .then((response) => (response.ok ? response.blob() : Promise.reject(new Error(`HTTP ${response.status}`))))
        .catch((error) => {
          console.warn(`Quillon: the picture ${name} did not load: ${error.message}`);
          return null;
        });
      let made;
      const done = new Promise((resolve) => {
        made = resolve;
      });
      picture = { file, image: null, state: 'waiting', urgent: false, done, made };
      this.pictures.set(name, picture);
    }
    return picture;
  }

  // Makes the pictures, their files fetched at once: `urgent` ones before any other, the rest
  // when the page is idle.
  want(names, urgent = true) {
    for (const name of names) {
      const picture = this.entry(name);
      if (picture.state === 'made' || picture.state === 'failed') continue;
      if (picture.state === 'queued') {
        if (!urgent || picture.urgent) continue;
        this.queue.splice(this.queue.indexOf(name), 1);
      }
      picture.state = 'queued';
      picture.urgent = urgent;
      const firstCalm = this.queue.findIndex((each) => !this.pictures.get(each).urgent);
      if (urgent && firstCalm >= 0) this.queue.splice(firstCalm, 0, name);
      else this.queue.push(name);
    }
    this.makeQueued();
  }

  // Resolves once each of the pictures has been made or has failed.
  async settled(names) {
    await Promise.all([...names].map((name) => this.entry(name).done));
  }

  // Makes the pictures at once; resolves once each has been made or has failed.
  whenMade(names) {
    this.want(names);
    return this.settled(names);
  }

  async makeQueued() {
    if (this.making) return;
    this.making = true;
    while (this.queue.length > 0) {
      if (!this.pictures.get(this.queue[0]).urgent) await idle();
      const name = this.queue.shift();
      if (name !== undefined) await this.make(name, this.pictures.get(name));
    }
    this.making = false;
  }

  async make(name, picture) {
    const file = await picture.file;
    const image = new Image();
    const url = file && URL.createObjectURL(file);
    try {
      if (!url) throw new Error('no file');
      image.src = url;
      await image.decode();
      picture.image = image;
      picture.state = 'made';
      this.generation += 1;
      this.onArrival(name);
    } catch {
      picture.state = 'failed';
      console.warn(`Quillon: the picture ${name} cannot be drawn`);
    } finally {
      if (url) URL.revokeObjectURL(url);
      picture.made();
    }
  }

  // Whether the picture can be drawn; one not made yet is made at once.
  ready(name) {
    const picture = this.entry(name);
    if (picture.state === 'made') return true;
    this.want([name]);
    return false;
  }

  // The picture drawn at `rect` under the transform `a`, `d` (the scale) and `e`, `f` (the
  // translation, less the whole device pixels up to where the copy is to be laid), on a
  // transparent canvas.
  raster(name, { a, d, e, f }, { x, y, width, height }) {
    const key = [name, a, d, e, f, x, y, width, height].join(' ');
    let canvas = this.rasters.get(key);
    if (!canvas) {
      if (this.rasters.size >= MAX_RASTERS) this.rasters.clear();
      canvas = document.createElement('canvas');
      // A pixel to spare on the far sides: where the rectangle's edges are drawn is the browser's.
      canvas.width = Math.ceil(a * (x + width) + e) + 1;
      canvas.height = Math.ceil(d * (y + height) + f) + 1;
      const ctx = canvas.getContext('2d');
      ctx.setTransform(a, 0, 0, d, e, f);
      ctx.drawImage(this.pictures.get(name).image, x, y, width, height);
      this.rasters.set(key, canvas);
    }
    return canvas;
  }
}

// A moment when the page has nothing else to do (or soon, where the browser cannot tell).
function idle() {
  return new Promise((resolve) => {
    if (window.requestIdleCallback) requestIdleCallback(() => resolve(), { timeout: 1000 });
    else setTimeout(resolve, 0);
  });
}

// The pictures the designs name; of the showing controls of `scene` only, when it is given.
export function picturesOf(designs, scene = null) {
  const names = new Set();
  const add = (control, shown) => {
    if (control.picture && shown && ['PictureBox', 'Image', 'CommandButton'].includes(control.kind)) names.add(control.picture);
  };
  if (scene) {
    for (const state of scene.screens ?? []) {
      designs[state.name]?.controls.forEach((control, i) => add(control, state.controls[i]?.visible));
    }
  } else {
    for (const screen of Object.values(designs)) for (const control of screen.controls) add(control, true);
  }
  return names;
}

// A one-pixel line along the inside of a rectangle.
function strokeInside(ctx, { x, y, width, height }, colour) {
  if (width < 1 || height < 1) return;
  ctx.fillStyle = colour;
  ctx.fillRect(x, y, width, 1);
  ctx.fillRect(x, y + height - 1, width, 1);
  ctx.fillRect(x, y + 1, 1, height - 2);
  ctx.fillRect(x + width - 1, y + 1, 1, height - 2);
}

function clipTo(ctx, { x, y, width, height }) {
  ctx.beginPath();
  ctx.rect(x, y, width, height);
  ctx.clip();
}

// One line of text with its baseline at `baseline`, squeezed to the font's width. Each
// character stands where the window's layout puts it, moved left onto a quarter of a device
// pixel as the window's rasteriser places glyphs; the baseline on a whole pixel.
function fillLine(ctx, font, text, x, baseline) {
  if (text === '') return;
  const device = ctx.getTransform();
  const y = Math.round(device.d * baseline + device.f);
  const { characters, positions } = placeText(font, text);
  ctx.save();
  characters.forEach((character, i) => {
    const left = Math.floor((device.a * (x + positions[i]) + device.e) * SUBPIXELS) / SUBPIXELS;
    ctx.setTransform(device.a * STRETCH, 0, 0, device.d, left, y);
    ctx.fillText(character, 0, 0);
  });
  ctx.restore();
}

// Lines of text in a rectangle, clipped to it: aligned left, centred or right, from the top
// or centred on the rectangle's middle.
function drawText(ctx, font, lines, rect, colour, { align = 'left', middle = false } = {}) {
  ctx.save();
  clipTo(ctx, rect);
  ctx.font = font.css;
  ctx.fillStyle = colour;
  const { tops, height } = lineTops(font, lines.length);
  const top = middle ? rect.y + (rect.height - height) / 2 : rect.y;
  lines.forEach((line, i) => {
    let x = rect.x;
    if (align === 'centre') x += (rect.width - line.width) / 2;
    else if (align === 'right') x += rect.width - line.width;
    // Glyphs stand on a whole pixel's baseline, as the window's rasteriser puts them.
    fillLine(ctx, font, line.text, x, Math.round(top + tops[i] + font.ascent));
  });
  ctx.restore();
}

// How long the player leaves the page alone before the screens painted straight on the canvas
// get layers of their own (see Painter).
const SETTLED_MS = 500;
// Desktop pixels around a control that its painting may touch (the smoothing of its edges).
const BLEED = 2;

// Paints the desktop. Each screen is kept painted in a picture of its own (a layer) that is laid
// on the canvas; when a screen changes, only the controls that changed are painted again on its
// layer, with whatever lies under and over them there, as the window repaints the items that
// changed. A screen that shows for the first time is painted straight on the canvas, and its
// layer is made when the player has left the page alone for a moment.
export class Painter {
  constructor(canvas, designs, artwork) {
    this.canvas = canvas;
    this.ctx = canvas.getContext('2d', { alpha: false });
    this.designs = designs;
    this.artwork = artwork;
    this.layers = new Map();    // by screen: { basis, state, caretIn, canvas, ctx, left, top, opaque }
    this.unlayered = new Map(); // by screen, painted straight: { basis, design, state, caretIn }
    this.layering = null;       // the timer that makes the layers
    this.playedAt = 0;          // when the player's last event was drawn
  }

  // The scale from desktop pixels to the canvas's device pixels.
  scale() {
    return { x: this.canvas.width / DESKTOP_WIDTH, y: this.canvas.height / DESKTOP_HEIGHT };
  }

  // The whole picture: the black desktop, the screens, and the marks of a replay's clicks.
  // `caret` names the text box whose caret shows now, if any; `byPlayer` when the player's
  // event is being drawn.
  paint(scene, { caret = null, highlights = [], byPlayer = false } = {}) {
    const { ctx } = this;
    const scale = this.scale();
    if (byPlayer) this.playedAt = performance.now();
    ctx.setTransform(scale.x, 0, 0, scale.y, 0, 0);
    ctx.fontKerning = 'none';  // as the texts are measured
    ctx.fillStyle = 'black';
    ctx.fillRect(0, 0, DESKTOP_WIDTH, DESKTOP_HEIGHT);
    // What a layer was painted for: the canvas's size and the pictures there were.
    const basis = `${this.canvas.width} ${this.canvas.height} ${this.artwork.generation}`;
    const unlayered = new Map();
    const screens = scene.screens ?? [];
    for (let i = screens.length - 1; i >= 0; --i) {
      const state = screens[i];
      const design = this.designs[state.name];
      if (!design) continue;
      const caretIn = caret?.screen === state.name ? caret.control : null;
      const layer = this.layers.get(state.name);
      if (layer?.basis === basis) {
        this.updateLayer(layer, design, state, caretIn);
        ctx.save();
        ctx.setTransform(1, 0, 0, 1, 0, 0);
        ctx.drawImage(layer.canvas, layer.left, layer.top);
        ctx.restore();
      } else {
        new ScreenPainter(ctx, this.artwork).paintScreen(design, state, caretIn);
        if (worthALayer(design, state)) unlayered.set(state.name, { basis, design, state, caretIn });
      }
    }
    this.unlayered = unlayered;
    if (unlayered.size > 0) this.layerLater();
    for (const rect of highlights) {
      ctx.fillStyle = HIGHLIGHT_FILL;
      ctx.fillRect(rect.x - 2, rect.y - 2, rect.width + 4, rect.height + 4);
      ctx.strokeStyle = HIGHLIGHT_LINE;
      ctx.lineWidth = 2;
      ctx.strokeRect(rect.x - 2, rect.y - 2, rect.width + 4, rect.height + 4);
    }
  }

  // Paints again on a screen's layer what has changed since it was painted: the places of the
  // controls that changed, as they were and as they are, are painted anew (the screen's colour,
  // then every control that reaches there, in their order), on whole device pixels.
  updateLayer(layer, design, state, caretIn) {
    const changed = [];
    design.controls.forEach((control, i) => {
      const before = layer.state.controls[i];
      const now = state.controls[i];
      const caretMoved = (layer.caretIn === control.name) !== (caretIn === control.name);
      if (!caretMoved && sameLook(before, now)) return;
      if (before?.visible) changed.push(paintedArea(control, before.text));
      if (now?.visible) changed.push(paintedArea(control, now.text));
    });
    layer.state = state;
    layer.caretIn = caretIn;
    if (changed.length === 0) return;
    const { ctx } = layer;
    const scale = this.scale();
    const screen = screenRect(design);
    ctx.save();
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.beginPath();
    for (const area of changed) {
      const left = Math.floor((screen.x + area.x) * scale.x) - layer.left;
      const top = Math.floor((screen.y + area.y) * scale.y) - layer.top;
      const right = Math.ceil((screen.x + area.x + area.width) * scale.x) - layer.left;
      const bottom = Math.ceil((screen.y + area.y + area.height) * scale.y) - layer.top;
      ctx.rect(left, top, right - left, bottom - top);
      ctx.clearRect(left, top, right - left, bottom - top);
    }
    ctx.clip();
    ctx.setTransform(scale.x, 0, 0, scale.y, -layer.left, -layer.top);
    const reaches = (control, i) => {
      const area = paintedArea(control, state.controls[i].text);
      return changed.some((each) => overlap(each, area));
    };
    new ScreenPainter(ctx, this.artwork).paintScreen(design, state, caretIn, reaches);
    ctx.restore();
  }

  // Once the player has left the page alone for a moment, the screens painted straight get
  // their layers, in idle moments, one at a time.
  layerLater() {
    if (this.layering) return;
    this.layering = setTimeout(async () => {
      while (this.unlayered.size > 0 && performance.now() - this.playedAt >= SETTLED_MS) {
        await idle();
        const [name, screen] = this.unlayered.entries().next().value ?? [];
        if (!screen || performance.now() - this.playedAt < SETTLED_MS) break;
        this.unlayered.delete(name);
        this.makeLayer(name, screen);
      }
      this.layering = null;
      if (this.unlayered.size > 0) this.layerLater();
    }, SETTLED_MS);
  }

  // Paints a screen into its layer. The layer covers the screen's device pixels, from a whole
  // pixel, so that everything on it stands on the same places within a pixel as on the canvas.
  // A screen on whole pixels is opaque; one whose edges fall within pixels has them partly
  // transparent.
  makeLayer(name, { basis, design, state, caretIn }) {
    const scale = this.scale();
    const rect = screenRect(design);
    const [x0, y0] = [rect.x * scale.x, rect.y * scale.y];
    const [x1, y1] = [(rect.x + rect.width) * scale.x, (rect.y + rect.height) * scale.y];
    const left = Math.floor(x0);
    const top = Math.floor(y0);
    const width = Math.max(1, Math.ceil(x1) - left);
    const height = Math.max(1, Math.ceil(y1) - top);
    const opaque = x0 === left && y0 === top && x1 === left + width && y1 === top + height;
    let layer = this.layers.get(name);
    if (!layer || layer.opaque !== opaque) {
      const canvas = document.createElement('canvas');
      layer = { canvas, ctx: canvas.getContext('2d', { alpha: !opaque, willReadFrequently: true }), opaque };
      this.layers.set(name, layer);
    }
    const { ctx } = layer;
    if (layer.canvas.width !== width || layer.canvas.height !== height) {
      layer.canvas.width = width;
      layer.canvas.height = height;
    } else {
      ctx.setTransform(1, 0, 0, 1, 0, 0);
      ctx.clearRect(0, 0, width, height);
    }
    ctx.setTransform(scale.x, 0, 0, scale.y, -left, -top);
    ctx.fontKerning = 'none';
    new ScreenPainter(ctx, this.artwork).paintScreen(design, state, caretIn);
    ctx.getImageData(0, 0, 1, 1);  // rasterised now, in the idle moment, not at its first use
    Object.assign(layer, { basis, state, caretIn, left, top });
  }

  // Paints every screen once as designed, out of sight, when the page is idle: the pictures are
  // rasterised at the sizes and places they are drawn at, and the texts of the designs measured.
  async prepare() {
    const scratch = document.createElement('canvas');
    scratch.width = this.canvas.width;
    scratch.height = this.canvas.height;
    const ctx = scratch.getContext('2d', { alpha: false });
    for (const design of Object.values(this.designs)) {
      await idle();
      const scale = this.scale();
      ctx.setTransform(scale.x, 0, 0, scale.y, 0, 0);
      ctx.fontKerning = 'none';
      const state = { controls: design.controls.map((control) => ({ visible: true, text: control.caption ?? '', value: 0 })) };
      new ScreenPainter(ctx, this.artwork).paintScreen(design, state, null);
    }
  }
}

// A screen with nothing on it is only its rectangle: painting that costs less than laying a
// picture of it.
function worthALayer(design, state) {
  return design.controls.some((control, i) => control.kind !== 'Timer' && state.controls[i]?.visible);
}

// Whether a control shows the same as before.
function sameLook(before, now) {
  if (!before || !now) return before === now;
  return before.visible === now.visible && (!now.visible || (before.text === now.text && before.value === now.value));
}

// Where a control's painting may reach on its screen, with this text.
function paintedArea(control, text) {
  let rect = controlRect(control, text);
  if (control.kind === 'CheckBox') {
    // The box stands on the middle of the control, whatever its height.
    const top = Math.min(rect.y, Math.floor(rect.y + rect.height / 2 - 6.5));
    rect = { ...rect, y: top, height: Math.max(rect.y + rect.height, Math.ceil(rect.y + rect.height / 2 + 6.5)) - top };
  }
  return { x: rect.x - BLEED, y: rect.y - BLEED, width: rect.width + 2 * BLEED, height: rect.height + 2 * BLEED };
}

function overlap(a, b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// Paints one screen with its controls.
class ScreenPainter {
  constructor(ctx, artwork) {
    this.ctx = ctx;
    this.artwork = artwork;
  }

  // The screen's rectangle in its colour, and its controls; of them, only those for which
  // `only(control, index)` holds, when it is given.
  paintScreen(design, state, caretIn, only = null) {
    const { ctx } = this;
    const rect = screenRect(design);
    ctx.save();
    ctx.fillStyle = rgb(design.backColor);
    ctx.fillRect(rect.x, rect.y, rect.width, rect.height);
    clipTo(ctx, rect);
    ctx.translate(rect.x, rect.y);
    for (let i = design.controls.length - 1; i >= 0; --i) {
      const shown = state.controls[i];
      if (!shown?.visible) continue;
      const control = design.controls[i];
      if (only && !only(control, i)) continue;
      ctx.save();
      this.paintControl(control, shown, design.backColor, caretIn === control.name);
      ctx.restore();
    }
    ctx.restore();
  }

  paintControl(design, shown, screenColour, withCaret) {
    switch (design.kind) {
      case 'Label':
        return this.paintLabel(design, shown.text);
      case 'PictureBox':
      case 'Image':
        return this.paintPicture(design);
      case 'CommandButton':
        return this.paintButton(design, shown.text);
      case 'TextBox':
        return this.paintTextBox(design, shown.text, withCaret);
      case 'CheckBox':
        return this.paintCheckBox(design, shown.text, shown.value);
      case 'Frame':
        return this.paintFrame(design, shown.text, screenColour);
      case 'Shape':
        return strokeInside(this.ctx, controlRect(design), rgb(design.foreColor));
      case 'Line':
        return this.paintLine(design);
      case 'ProgressBar':
        return this.paintProgressBar(design, shown.value);
      default:
        return undefined;  // timers are not drawn
    }
  }

  // A picture, drawn from its copy rasterised at the same places within device pixels: the
  // copy is drawn under the same transform less whole device pixels, and laid there. It starts
  // a pixel or more before the picture, on a multiple of 8 pixels, where the patterns that
  // smooth a gradient repeat: the copy's pixels are those the picture would have.
  drawArtwork(name, rect) {
    if (rect.width <= 0 || rect.height <= 0 || !this.artwork.ready(name)) return;
    const { ctx } = this;
    const { a, d, e, f } = ctx.getTransform();
    const left = Math.floor((a * rect.x + e - 1) / 8) * 8;
    const top = Math.floor((d * rect.y + f - 1) / 8) * 8;
    const raster = this.artwork.raster(name, { a, d, e: e - left, f: f - top }, rect);
    ctx.save();
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.drawImage(raster, left, top);
    ctx.restore();
  }

  paintLabel(design, text) {
    const rect = labelRect(design, text);
    const font = fontOf(design);
    const lines = textLines(font, text, labelWraps(design) ? rect.width : null);
    drawText(this.ctx, font, lines, rect, rgb(design.foreColor), { align: design.alignment });
  }

  paintPicture(design) {
    // An image without a picture is only a click area: nothing to draw.
    if (!design.picture) return;
    const rect = controlRect(design);
    // A picture box is opaque: it covers what lies under it, as a route stub on a map.
    if (design.kind === 'PictureBox') {
      this.ctx.fillStyle = 'black';
      this.ctx.fillRect(rect.x, rect.y, rect.width, rect.height);
    }
    this.drawArtwork(design.picture, rect);
  }

  paintButton(design, text) {
    const { ctx } = this;
    const { x, y, width, height } = controlRect(design);
    ctx.fillStyle = BUTTON_FACE;
    ctx.fillRect(x, y, width, height);
    ctx.fillStyle = BUTTON_LIGHT;
    ctx.fillRect(x, y, width, 1);
    ctx.fillRect(x, y, 1, height);
    ctx.fillStyle = BUTTON_SHADOW;
    ctx.fillRect(x, y + height - 1, width, 1);
    ctx.fillRect(x + width - 1, y, 1, height);

    let textLeft = x + 6;
    if (design.picture) {
      const icon = { x: x + 4, y: y + height / 2 - BUTTON_ICON / 2, width: BUTTON_ICON, height: BUTTON_ICON };
      this.drawArtwork(design.picture, icon);
      textLeft = icon.x + icon.width + 6;
    }
    const font = fontOf(design);
    const textRect = { x: textLeft, y, width: x + width - 3 - textLeft, height };
    drawText(ctx, font, textLines(font, text.replace(/[\r\n]+/g, ' ')), textRect, BUTTON_TEXT, { middle: true });
  }

  // Borderless and black, the text in the control's colour after a pixel of padding and the
  // line edit's own margin, scrolled so that its end shows. The caret stands at the end: it
  // inverts what lies under it, on whole pixels.
  paintTextBox(design, text, withCaret) {
    const { ctx } = this;
    const rect = controlRect(design);
    ctx.fillStyle = 'black';
    ctx.fillRect(rect.x, rect.y, rect.width, rect.height);
    const font = fontOf(design);
    const inner = { x: rect.x + 1, y: rect.y, width: rect.width - 2, height: rect.height };
    const line = { x: inner.x + 2, width: inner.width - 4 };
    const top = inner.y + Math.trunc((inner.height - font.wholeHeight + 1) / 2);
    const shown = text.replace(/[\r\n]/g, ' ');
    const end = textWidth(font, shown);
    const fits = Math.round(end) + 1 <= line.width;
    const scroll = fits ? 0 : Math.round(end) - line.width + 1;
    ctx.save();
    clipTo(ctx, inner);
    ctx.font = font.css;
    ctx.fillStyle = rgb(design.foreColor);
    fillLine(ctx, font, shown, line.x - scroll, Math.round(top + font.ascent));
    if (withCaret) {
      const caret = line.x + end - scroll;
      ctx.globalCompositeOperation = 'difference';
      ctx.fillStyle = 'white';
      ctx.fillRect(Math.floor(caret), top, Math.ceil(caret + 1) - Math.floor(caret), font.wholeHeight);
    }
    ctx.restore();
  }

  paintCheckBox(design, text, value) {
    const { ctx } = this;
    const rect = controlRect(design);
    const colour = rgb(design.foreColor);
    const box = { x: rect.x, y: rect.y + rect.height / 2 - 6.5, width: 13, height: 13 };
    strokeInside(ctx, box, colour);
    if (value !== 0) {
      ctx.strokeStyle = colour;
      ctx.lineWidth = 2;
      ctx.lineCap = 'round';
      ctx.lineJoin = 'round';
      ctx.beginPath();
      ctx.moveTo(box.x + 3, box.y + 6.5);
      ctx.lineTo(box.x + 5.5, box.y + 9.5);
      ctx.lineTo(box.x + 10, box.y + 3.5);
      ctx.stroke();
    }
    const font = fontOf(design);
    const textRect = { x: box.x + 13 + 4, y: rect.y, width: rect.width - 13 - 4, height: rect.height };
    drawText(ctx, font, textLines(font, text.replace(/[\r\n]+/g, ' ')), textRect, colour, { middle: true });
  }

  // A group box: the thin frame, its caption standing in the top line on the screen's colour.
  paintFrame(design, text, screenColour) {
    const { ctx } = this;
    const rect = controlRect(design);
    const font = fontOf(design);
    const lineY = Math.round(rect.y + font.height / 2);
    strokeInside(ctx, { x: rect.x, y: lineY, width: rect.width, height: rect.y + rect.height - lineY }, TEXT);
    if (text === '') return;
    const caption = textLines(font, text.replace(/[\r\n]+/g, ' '));
    const captionRect = { x: rect.x + 8, y: rect.y, width: Math.ceil(caption[0].width) + 4, height: font.height };
    ctx.fillStyle = rgb(screenColour);
    ctx.fillRect(captionRect.x, captionRect.y, captionRect.width, captionRect.height);
    drawText(ctx, font, caption, captionRect, rgb(design.foreColor), { align: 'centre', middle: true });
  }

  paintLine(design) {
    const { ctx } = this;
    let [x1, y1, x2, y2] = [px(design.left), px(design.top), px(design.x2), px(design.y2)];
    const width = Math.max(1, design.lineWidth);
    // An odd width along a pixel row or column is centred on the pixels, so it stays crisp.
    if (width % 2 === 1) {
      if (y1 === y2) {
        y1 += 0.5;
        y2 += 0.5;
      } else if (x1 === x2) {
        x1 += 0.5;
        x2 += 0.5;
      }
    }
    const colour = rgb(design.foreColor);
    if (x1 === x2 || y1 === y2) {
      // A square-capped straight line covers a rectangle.
      const half = width / 2;
      ctx.fillStyle = colour;
      ctx.fillRect(Math.min(x1, x2) - half, Math.min(y1, y2) - half, Math.abs(x2 - x1) + width, Math.abs(y2 - y1) + width);
      return;
    }
    ctx.strokeStyle = colour;
    ctx.lineWidth = width;
    ctx.lineCap = 'round';
    ctx.beginPath();
    ctx.moveTo(x1, y1);
    ctx.lineTo(x2, y2);
    ctx.stroke();
  }

  paintProgressBar(design, value) {
    const { ctx } = this;
    const rect = controlRect(design);
    ctx.fillStyle = 'black';
    ctx.fillRect(rect.x, rect.y, rect.width, rect.height);
    strokeInside(ctx, rect, TEXT);
    const span = design.max - design.min;
    const share = span > 0 ? Math.min(Math.max((value - design.min) / span, 0), 1) : 0;
    const inside = { x: rect.x + 2, y: rect.y + 2, width: rect.width - 4, height: rect.height - 4 };
    if (share > 0 && inside.width > 0) {
      ctx.fillStyle = TEXT;
      ctx.fillRect(inside.x, inside.y, inside.width * share, inside.height);
    }
  }
}
