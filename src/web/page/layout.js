// Where things lie on the desktop, as the window lays them out: the units, the font and its
// measures, the rectangle each control covers, and what a click at a point lands on. All in
// pixels of the 1024 x 768 desktop.

export const DESKTOP_WIDTH = 1024;
export const DESKTOP_HEIGHT = 768;
const TWIPS_PER_PIXEL = 15;

// The face is Liberation Sans, set at 88 % width: the look's own face is narrower, and the
// texts were laid out for it. The glyphs are squeezed sideways when drawn and measured.
export const STRETCH = 0.88;
const FACE = '"Quillon Sans", "Liberation Sans", sans-serif';
// The face's ascent, descent and gap between lines, in its own units (2048 to the em).
const ASCENT_PER_EM = 1854 / 2048;
const DESCENT_PER_EM = 434 / 2048;
const LEADING_PER_EM = 67 / 2048;
// The window's font engine keeps its measures in 64ths of a pixel, and squeezes the glyphs by
// 0.88 in 16.16 fixed point.
const sixtyFourths = (pixels) => Math.round(pixels * 64) / 64;
const downToSixtyFourths = (pixels) => Math.floor(pixels * 64) / 64;
const FIXED_STRETCH = Math.floor(STRETCH * 65536) / 65536;

// Twips to desktop pixels, rounded to whole pixels as the display does.
export function px(twips) {
  return Math.round(twips / TWIPS_PER_PIXEL);
}

export function rgb([r, g, b]) {
  return `rgb(${r},${g},${b})`;
}

// --- The font ------------------------------------------------------------------------------

const fonts = new Map();

// A control's font: its size in points at 96 dpi (8.25 pt = 11 px), bold where designed. Its
// height is that of one line (11 px: 12.28 px); lines of a text stand `leading` apart and on
// whole pixels (11 px: 13 px a line).
export function fontOf(design) {
  const size = Math.max(1, Math.round((design.fontPoints * 96) / 72));
  const key = `${design.bold ? 'bold ' : ''}${size}px`;
  let font = fonts.get(key);
  if (!font) {
    const ascent = sixtyFourths(size * ASCENT_PER_EM);
    const descent = sixtyFourths(size * DESCENT_PER_EM);
    const leading = sixtyFourths(size * LEADING_PER_EM);
    // A line edit measures in whole pixels.
    const wholeHeight = Math.round(ascent) + Math.round(descent);
    font = {
      css: `${key} ${FACE}`,
      ascent,
      height: ascent + descent,
      wholeHeight,
      leading,
      advances: new Map(),
      kerning: new Map(),
      placed: new Map(),
      laidOut: new Map(),
    };
    fonts.set(key, font);
  }
  return font;
}

const measurer = document.createElement('canvas').getContext('2d');
// A letter and the marks on it stand together. In a text of the font's own characters (Czech
// letters come precomposed) each character stands alone, and the text needs no segmenting.
const graphemes = Intl.Segmenter ? new Intl.Segmenter('cs', { granularity: 'grapheme' }) : null;
const kSingleCharacters = /^[\x20-\x7e\u00a0-\u017f\u2010-\u2027\u20ac]*$/;
const charactersOf = (text) =>
  graphemes && !kSingleCharacters.test(text) ? Array.from(graphemes.segment(text), (piece) => piece.segment) : Array.from(text);
const MAX_PLACED = 2000;

function naturalWidth(font, text, kerning) {
  measurer.font = font.css;
  measurer.fontKerning = kerning;
  return measurer.measureText(text).width;
}

// One character's advance, squeezed, in 64ths of a pixel as the window's font engine has it.
function advance(font, character) {
  let width = font.advances.get(character);
  if (width === undefined) {
    width = downToSixtyFourths(downToSixtyFourths(naturalWidth(font, character, 'none')) * FIXED_STRETCH);
    font.advances.set(character, width);
  }
  return width;
}

// How much closer (or further) the face sets a pair of characters than their advances say.
function kerning(font, pair) {
  let kern = font.kerning.get(pair);
  if (kern === undefined) {
    kern = sixtyFourths((naturalWidth(font, pair, 'normal') - naturalWidth(font, pair, 'none')) * FIXED_STRETCH);
    font.kerning.set(pair, kern);
  }
  return kern;
}

// Where each character of a line of text stands from the line's start, and the line's width.
export function placeText(font, text) {
  let placed = font.placed.get(text);
  if (!placed) {
    // Texts such as a countdown come and go: the font remembers only so many.
    if (font.placed.size >= MAX_PLACED) font.placed.clear();
    placed = placeCharacters(font, text);
    font.placed.set(text, placed);
  }
  return placed;
}

function placeCharacters(font, text) {
  const characters = charactersOf(text);
  const positions = [];
  let at = 0;
  characters.forEach((character, i) => {
    positions.push(at);
    at += advance(font, character);
    if (i + 1 < characters.length) at += kerning(font, character + characters[i + 1]);
  });
  return { characters, positions, width: at };
}

// The width of one line of text in the font, squeezed as it is drawn.
export function textWidth(font, text) {
  return placeText(font, text).width;
}

// Where lines of text stand from the top of their box: the first at 0, each next one a line
// and the gap further, on a whole pixel. Also the height they take together.
export function lineTops(font, count) {
  const tops = [];
  let height = -font.leading;
  for (let i = 0; i < count; ++i) {
    height = Math.ceil(height + font.leading);
    tops.push(height);
    height += font.height;
  }
  return { tops, height: Math.max(height, 0) };
}

// Where a line may break: after spaces, and after a hyphen that a word (not a number) follows.
const kBreaks = /(?<= )(?=[^ ])|(?<=[^\s]-)(?=[^\d\s-])/;

// A paragraph broken into lines no wider than `width`, at word boundaries: a word longer than
// the line stands out past it. Trailing spaces take no room.
function wrapParagraph(font, paragraph, width) {
  const lines = [];
  let line = '';
  for (const piece of paragraph.split(kBreaks)) {
    const longer = line + piece;
    if (line !== '' && textWidth(font, longer.trimEnd()) > width) {
      lines.push(line);
      line = piece;
    } else {
      line = longer;
    }
  }
  lines.push(line);
  return lines;
}

// The lines a text shows as: its own line breaks, and wrapped in `wrapWidth` when given.
// Each line carries the width it takes. A text is laid out once for each width: a label is
// measured for every click and drawn again and again as it is. The lines are shared: read only.
export function textLines(font, text, wrapWidth = null) {
  const key = `${wrapWidth ?? ''}\n${text}`;
  let lines = font.laidOut.get(key);
  if (!lines) {
    if (font.laidOut.size >= MAX_PLACED) font.laidOut.clear();
    lines = layOut(font, text, wrapWidth);
    font.laidOut.set(key, lines);
  }
  return lines;
}

function layOut(font, text, wrapWidth) {
  const lines = [];
  for (const paragraph of text.split(/\r\n|\n|\r/)) {
    const pieces = wrapWidth === null ? [paragraph] : wrapParagraph(font, paragraph, wrapWidth);
    for (const piece of pieces) {
      const shown = piece.trimEnd();
      lines.push({ text: shown, width: textWidth(font, shown) });
    }
  }
  return lines;
}

// --- Controls ------------------------------------------------------------------------------

// Lines, shapes, frames and timers only decorate: a click passes through them.
const kDecorations = new Set(['Line', 'Shape', 'Frame', 'Timer']);

export function takesClicks(kind) {
  return !kDecorations.has(kind);
}

// Whether a label's text wraps in its width.
export function labelWraps(design) {
  return design.width > 0 && design.wordWrap;
}

// Where a label with this text lies on its screen: its design box, or measured from the text
// where it grows with it (a wrapped label grows downwards only).
export function labelRect(design, text) {
  const box = { x: px(design.left), y: px(design.top), width: px(design.width), height: px(design.height) };
  if (!design.autoSize && design.width > 0) return box;
  const font = fontOf(design);
  const lines = textLines(font, text, labelWraps(design) ? box.width : null);
  const height = Math.ceil(Math.max(lineTops(font, lines.length).height, font.height));
  if (labelWraps(design)) return { ...box, height };
  return { ...box, width: Math.ceil(Math.max(...lines.map((line) => line.width))), height };
}

// The rectangle a control covers on its screen.
export function controlRect(design, text) {
  switch (design.kind) {
    case 'Label':
      return labelRect(design, text);
    case 'Line': {
      const pen = Math.max(1, design.lineWidth);
      const [x1, y1, x2, y2] = [px(design.left), px(design.top), px(design.x2), px(design.y2)];
      const x = Math.min(x1, x2) - pen;
      const y = Math.min(y1, y2) - pen;
      return { x, y, width: Math.abs(x2 - x1) + 2 * pen, height: Math.abs(y2 - y1) + 2 * pen };
    }
    case 'Timer':
      return { x: 0, y: 0, width: 0, height: 0 };
    default:
      return { x: px(design.left), y: px(design.top), width: px(design.width), height: px(design.height) };
  }
}

// A point on a rectangle's edge is in it; an empty rectangle holds no point.
export function contains(rect, x, y) {
  if (rect.width <= 0 || rect.height <= 0) return false;
  return x >= rect.x && x <= rect.x + rect.width && y >= rect.y && y <= rect.y + rect.height;
}

// --- Screens -------------------------------------------------------------------------------

export function screenRect(design) {
  return { x: px(design.left), y: px(design.top), width: px(design.width), height: px(design.height) };
}

// The earliest visible control in design order that takes clicks and covers a point of the
// screen (in screen coordinates); -1 for none.
function clickableAt(design, state, x, y) {
  return design.controls.findIndex((control, i) => {
    const shown = state.controls[i];
    return shown?.visible && takesClicks(control.kind) && contains(controlRect(control, shown.text), x, y);
  });
}

// What a point of the desktop lands on: the front-most showing screen that covers it, and the
// control it reaches there ('' for the screen's empty area); null when no screen covers it.
export function hitAt(designs, scene, x, y) {
  for (const state of scene.screens ?? []) {
    const design = designs[state.name];
    if (!design) continue;
    const rect = screenRect(design);
    if (!contains(rect, x, y)) continue;
    const control = design.controls[clickableAt(design, state, x - rect.x, y - rect.y)];
    return {
      screen: state.name,
      enabled: state.enabled,
      control: control?.name ?? '',
      kind: control?.kind ?? '',
      tooltip: control?.tooltip ?? '',
    };
  }
  return null;
}

// The tooltip at a point: only an enabled screen shows the tooltip of its control there.
export function tooltipAt(designs, scene, x, y) {
  const hit = hitAt(designs, scene, x, y);
  return hit?.enabled ? hit.tooltip : '';
}

// Where a showing control lies on the desktop; null when it does not show.
export function controlOnDesktop(designs, scene, screen, control) {
  const state = scene.screens?.find((shown) => shown.name === screen);
  const design = designs[screen];
  if (!state || !design) return null;
  const index = design.controls.findIndex((each) => each.name === control);
  if (index < 0 || !state.controls[index]?.visible) return null;
  const rect = controlRect(design.controls[index], state.controls[index].text);
  return { ...rect, x: rect.x + px(design.left), y: rect.y + px(design.top) };
}

// The text box that takes the keyboard: the focused control of the active screen, when it is
// a showing text box of an enabled screen. Null when there is none.
export function focusedTextBox(designs, scene) {
  if (!scene.focus) return null;
  const state = scene.screens?.find((shown) => shown.name === scene.active);
  const design = designs[scene.active];
  if (!state || !design || !state.enabled) return null;
  const index = design.controls.findIndex((each) => each.name === scene.focus);
  if (index < 0 || design.controls[index].kind !== 'TextBox' || !state.controls[index]?.visible) return null;
  return { screen: scene.active, control: scene.focus, text: state.controls[index].text };
}
