// PNG pictures for the browser tests, read and written with node's own zlib: 8-bit greyscale,
// RGB and RGBA, without interlacing, which is what the window's screenshot tool and Chromium
// write. And the comparison of two pictures of the desktop.
import { deflateSync, inflateSync } from 'node:zlib';

const SIGNATURE = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);
const CHANNELS = { 0: 1, 2: 3, 4: 2, 6: 4 };  // by colour type

// A picture: width, height and RGBA bytes, row after row.
export function decodePng(bytes) {
  if (!bytes.subarray(0, 8).equals(SIGNATURE)) throw new Error('not a PNG picture');
  let header = null;
  const data = [];
  for (let at = 8; at + 8 <= bytes.length; ) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString('latin1', at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      header = {
        width: body.readUInt32BE(0),
        height: body.readUInt32BE(4),
        depth: body[8],
        colourType: body[9],
        interlace: body[12],
      };
    } else if (type === 'IDAT') {
      data.push(body);
    } else if (type === 'IEND') {
      break;
    }
    at += 12 + length;
  }
  if (!header) throw new Error('a PNG picture without its header');
  const channels = CHANNELS[header.colourType];
  if (header.depth !== 8 || !channels || header.interlace !== 0) {
    throw new Error(`a PNG picture of a kind not read here (depth ${header.depth}, ` +
      `colour type ${header.colourType}, interlace ${header.interlace})`);
  }
  const rows = unfilter(inflateSync(Buffer.concat(data)), header.width, header.height, channels);
  return { width: header.width, height: header.height, rgba: toRgba(rows, header, channels) };
}

function paeth(left, up, upLeft) {
  const p = left + up - upLeft;
  const pa = Math.abs(p - left);
  const pb = Math.abs(p - up);
  const pc = Math.abs(p - upLeft);
  if (pa <= pb && pa <= pc) return left;
  return pb <= pc ? up : upLeft;
}

// The rows' bytes with each row's filter undone.
function unfilter(raw, width, height, channels) {
  const stride = width * channels;
  const out = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const source = y * (stride + 1) + 1;
    const row = y * stride;
    for (let x = 0; x < stride; ++x) {
      const left = x >= channels ? out[row + x - channels] : 0;
      const up = y > 0 ? out[row - stride + x] : 0;
      const upLeft = y > 0 && x >= channels ? out[row - stride + x - channels] : 0;
      let predicted;
      switch (filter) {
        case 0: predicted = 0; break;
        case 1: predicted = left; break;
        case 2: predicted = up; break;
        case 3: predicted = (left + up) >> 1; break;
        case 4: predicted = paeth(left, up, upLeft); break;
        default: throw new Error(`PNG row ${y} has the unknown filter ${filter}`);
      }
      out[row + x] = (raw[source + x] + predicted) & 0xff;
    }
  }
  return out;
}

function toRgba(rows, { width, height }, channels) {
  const rgba = new Uint8Array(width * height * 4);
  for (let i = 0; i < width * height; ++i) {
    const s = i * channels;
    const grey = channels <= 2;
    rgba[i * 4] = rows[s];
    rgba[i * 4 + 1] = grey ? rows[s] : rows[s + 1];
    rgba[i * 4 + 2] = grey ? rows[s] : rows[s + 2];
    rgba[i * 4 + 3] = channels === 4 ? rows[s + 3] : channels === 2 ? rows[s + 1] : 255;
  }
  return rgba;
}

const CRC_TABLE = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});

function crc32(bytes) {
  let c = 0xffffffff;
  for (const byte of bytes) c = CRC_TABLE[(c ^ byte) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

function chunk(type, body) {
  const head = Buffer.alloc(8);
  head.writeUInt32BE(body.length, 0);
  head.write(type, 4, 'latin1');
  const crc = Buffer.alloc(4);
  crc.writeUInt32BE(crc32(Buffer.concat([head.subarray(4), body])), 0);
  return Buffer.concat([head, body, crc]);
}

// An RGB PNG of a picture (its alpha is dropped).
export function encodePng({ width, height, rgba }) {
  const raw = Buffer.alloc((width * 3 + 1) * height);
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; ++x) {
      const s = (y * width + x) * 4;
      const d = y * (width * 3 + 1) + 1 + x * 3;
      raw[d] = rgba[s];
      raw[d + 1] = rgba[s + 1];
      raw[d + 2] = rgba[s + 2];
    }
  }
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header[8] = 8;
  header[9] = 2;
  return Buffer.concat([
    SIGNATURE,
    chunk('IHDR', header),
    chunk('IDAT', deflateSync(raw)),
    chunk('IEND', Buffer.alloc(0)),
  ]);
}

// --- Comparing two pictures of the desktop ----------------------------------------------------

// A pixel differs when one of its channels differs by more than this: anti-aliasing and the two
// font engines' rounding stay under it, a missing or misplaced line or picture does not.
export const PIXEL_TOLERANCE = 64;
// The blurred comparison: each pixel the mean of a 4 x 4 box, so that text drawn a little
// differently evens out while a screen, a picture or a text block in another place does not.
export const BLUR_BOX = 4;
export const BLUR_TOLERANCE = 48;
// Layout: the desktop cut into 16 x 16 blocks, the ink of each counted (its pixels brighter than
// INK_LEVEL: the desktop is black). A block strays when one picture has INK_DIFFERENCE more
// inked pixels in it than the other: a line of text or a frame moved, missing or added, where
// the same text drawn by two font engines inks nearly the same.
export const INK_BLOCK = 16;
const INK_LEVEL = 40;
const INK_DIFFERENCE = 16;

function channelsDiffer(a, b, i, tolerance) {
  return (
    Math.abs(a[i] - b[i]) > tolerance ||
    Math.abs(a[i + 1] - b[i + 1]) > tolerance ||
    Math.abs(a[i + 2] - b[i + 2]) > tolerance
  );
}

// The mean of every 4 x 4 box (its top left corner at each pixel), per channel.
function boxBlur({ width, height, rgba }) {
  const w = width - BLUR_BOX + 1;
  const h = height - BLUR_BOX + 1;
  const out = new Float32Array(w * h * 4);
  for (let y = 0; y < h; ++y) {
    for (let x = 0; x < w; ++x) {
      for (let c = 0; c < 3; ++c) {
        let sum = 0;
        for (let dy = 0; dy < BLUR_BOX; ++dy) {
          for (let dx = 0; dx < BLUR_BOX; ++dx) sum += rgba[((y + dy) * width + x + dx) * 4 + c];
        }
        out[(y * w + x) * 4 + c] = sum / (BLUR_BOX * BLUR_BOX);
      }
    }
  }
  return { width: w, height: h, rgba: out };
}

function inkPerBlock({ width, height, rgba }) {
  const columns = Math.ceil(width / INK_BLOCK);
  const rows = Math.ceil(height / INK_BLOCK);
  const ink = new Int32Array(columns * rows);
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; ++x) {
      const i = (y * width + x) * 4;
      if (Math.max(rgba[i], rgba[i + 1], rgba[i + 2]) > INK_LEVEL) {
        ink[Math.floor(y / INK_BLOCK) * columns + Math.floor(x / INK_BLOCK)] += 1;
      }
    }
  }
  return { columns, ink };
}

// How far `page` is from `reference`, both width x height: the share of differing pixels, of
// differing pixels once both are blurred, and of blocks that stray in their ink; and a
// picture of the differences (differing pixels red, the reference dimmed under them).
export function comparePictures(page, reference) {
  if (page.width !== reference.width || page.height !== reference.height) {
    throw new Error(`the pictures differ in size: ${page.width} x ${page.height} against ` +
      `${reference.width} x ${reference.height}`);
  }
  const { width, height } = page;
  const diff = { width, height, rgba: new Uint8Array(width * height * 4) };
  let differing = 0;
  for (let i = 0; i < width * height * 4; i += 4) {
    const differs = channelsDiffer(page.rgba, reference.rgba, i, PIXEL_TOLERANCE);
    if (differs) ++differing;
    diff.rgba[i] = differs ? 255 : reference.rgba[i] >> 2;
    diff.rgba[i + 1] = differs ? 0 : reference.rgba[i + 1] >> 2;
    diff.rgba[i + 2] = differs ? 0 : reference.rgba[i + 2] >> 2;
    diff.rgba[i + 3] = 255;
  }

  const blurredPage = boxBlur(page);
  const blurredReference = boxBlur(reference);
  let blurredDiffering = 0;
  for (let i = 0; i < blurredPage.rgba.length; i += 4) {
    if (channelsDiffer(blurredPage.rgba, blurredReference.rgba, i, BLUR_TOLERANCE)) ++blurredDiffering;
  }

  const inkPage = inkPerBlock(page);
  const inkReference = inkPerBlock(reference);
  const strayBlocks = [];
  for (let b = 0; b < inkPage.ink.length; ++b) {
    const more = inkPage.ink[b] - inkReference.ink[b];
    if (Math.abs(more) >= INK_DIFFERENCE) {
      strayBlocks.push({ x: (b % inkPage.columns) * INK_BLOCK, y: Math.floor(b / inkPage.columns) * INK_BLOCK, more });
    }
  }
  return {
    pixelShare: differing / (width * height),
    blurredShare: blurredDiffering / (blurredPage.width * blurredPage.height),
    blockShare: strayBlocks.length / inkPage.ink.length,
    strayBlocks,
    diff,
  };
}
