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

// Every picture the designs name, from assets/<name>.svg; resolves once all are loaded (a
// picture that fails to load is left out and not drawn).
export async function loadArtwork(designs) {
  const names = new Set();
  for (const screen of Object.values(designs)) {
    for (const control of screen.controls) if (control.picture) names.add(control.picture);
  }
  const artwork = new Map();
  await Promise.all(
    [...names].map(async (name) => {
      const image = new Image();
      image.src = `assets/${encodeURIComponent(name)}.svg`;
      try {
        await image.decode();
        artwork.set(name, image);
      } catch {
        console.warn(`Quillon: the picture ${name} did not load`);
      }
    }),
  );
  return artwork;
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

export class Painter {
  constructor(canvas, designs, artwork) {
    this.canvas = canvas;
    this.ctx = canvas.getContext('2d', { alpha: false });
    this.designs = designs;
    this.artwork = artwork;
  }

  // The whole picture: the black desktop, the screens, and the marks of a replay's clicks.
  // `caret` names the text box whose caret shows now, if any.
  paint(scene, { caret = null, highlights = [] } = {}) {
    const { ctx, canvas } = this;
    ctx.setTransform(canvas.width / DESKTOP_WIDTH, 0, 0, canvas.height / DESKTOP_HEIGHT, 0, 0);
    ctx.fontKerning = 'none';  // as the texts are measured
    ctx.fillStyle = 'black';
    ctx.fillRect(0, 0, DESKTOP_WIDTH, DESKTOP_HEIGHT);
    const screens = scene.screens ?? [];
    for (let i = screens.length - 1; i >= 0; --i) {
      const design = this.designs[screens[i].name];
      if (design) this.paintScreen(design, screens[i], caret?.screen === screens[i].name ? caret.control : null);
    }
    for (const rect of highlights) {
      ctx.fillStyle = HIGHLIGHT_FILL;
      ctx.fillRect(rect.x - 2, rect.y - 2, rect.width + 4, rect.height + 4);
      ctx.strokeStyle = HIGHLIGHT_LINE;
      ctx.lineWidth = 2;
      ctx.strokeRect(rect.x - 2, rect.y - 2, rect.width + 4, rect.height + 4);
    }
  }

  paintScreen(design, state, caretIn) {
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

  drawArtwork(name, { x, y, width, height }) {
    const image = this.artwork.get(name);
    if (image && width > 0 && height > 0) this.ctx.drawImage(image, x, y, width, height);
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
