// The game in the browser, each figure beside a reference's from the same run
// (docs/performance.md, "In the browser"):
//   - sizes: the module, and everything the page loads on its first visit, gzipped (-9);
//   - load to first frame in headless Chromium, against a bare page (bench/web/bare/) that
//     loads the same font and draws one 1024 x 768 canvas, each load in a fresh browser;
//   - input to repaint: the game's clicks and keys as real input (the DevTools protocol's
//     Input.dispatch* through puppeteer), each timed in the page from the event's timeStamp to
//     the end of the draw that shows it; the bare page redraws on the same events;
//   - the whole game in script mode played again and again in one process, under node against
//     natively (bench/web/headless_games.cpp).
// bench_run calls it (`bench_run web`); by hand, from the repository:
//   node --no-experimental-fetch bench/web/bench_web.mjs [--parts sizes,load,input,games]
// Settings from the environment: BENCH_PAIRS (15) alternate pairs of loads and of processes,
// BENCH_GAMES (100) games in each process (their median is a game once node has compiled the
// module fully; the first game is given apart), BENCH_WEB_PASSES (1) whole games in the page,
// BENCH_QUICK=1 for tiny counts (the first events of mission 1 only). What is missing (the
// browser build, Chromium, puppeteer-core) is said and skipped; a run that goes wrong exits 1.
import { spawn } from 'node:child_process';
import { existsSync } from 'node:fs';
import { mkdtemp, readFile, rm } from 'node:fs/promises';
import { createServer } from 'node:http';
import { cpus, loadavg, tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { parseArgs } from 'node:util';
import { constants as zlibConstants, gzipSync } from 'node:zlib';

const HERE = path.dirname(fileURLToPath(import.meta.url));
const REPOSITORY = path.resolve(HERE, '../..');
const CHROMIUM = '/usr/bin/chromium';
const VIEWPORT = { width: 1024, height: 768 };
const KB = 1000;
const PARTS = ['sizes', 'load', 'input', 'games'];
const BARE_PATH = '/bench-bare/';       // where the server puts bench/web/bare/
const LOAD_TIMEOUT_MS = 60_000;          // a page that shows nothing by then has failed
const QUIET_MS = 1_000;                  // the first visit is over once no request came this long
const NOTHING_PAINTED_MS = 1_000;        // an event that shows nothing within this is counted apart
const WAIT_MARGIN_MS = 100;              // a script's wait, a little longer: the page's timers fire late
const QUICK_LONGEST_WAIT_MS = 5_000;     // the quick run stops at the first longer wait

// --- Settings and the table ---------------------------------------------------------------------

const quick = process.env.BENCH_QUICK === '1';

// A whole number from the environment, or `fallback` when it is unset or no positive number.
function setting(name, fallback) {
  const text = process.env[name];
  if (text === undefined || !/^\d+$/.test(text)) return fallback;
  const value = Number(text);
  return value > 0 && value < 1_000_000 ? value : fallback;
}

const pairs = quick ? 1 : setting('BENCH_PAIRS', 15);
const gamesPerProcess = quick ? 2 : setting('BENCH_GAMES', 100);
const passes = quick ? 1 : setting('BENCH_WEB_PASSES', 1);

function printTitle(title) {
  console.log(`\n== ${title} ==\n${''.padEnd(40)} ${'game'.padStart(12)} ${'reference'.padStart(12)} ${'ratio'.padStart(8)}`);
}

// A row of the table; no reference (null) prints a dash for it and for the ratio.
function printRow(what, game, reference = null, digits = 2) {
  const cell = (value) => (value === null ? '-' : value.toFixed(digits)).padStart(12);
  const ratio = reference > 0 ? (game / reference).toFixed(2) : '-';
  console.log(`${what.padEnd(40)} ${cell(game)} ${cell(reference)} ${ratio.padStart(8)}`);
}

function printNote(note) {
  console.log(`   ${note}`);
}

function median(values) {
  if (values.length === 0) return 0;
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

// The share-th value of the sorted values (nearest rank), as bench_util.h has it.
function percentile(values, share) {
  if (values.length === 0) return 0;
  const sorted = [...values].sort((a, b) => a - b);
  const rank = Math.ceil(share * sorted.length - 1e-6);
  return sorted[Math.min(Math.max(rank, 1), sorted.length) - 1];
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

class BenchError extends Error {}

// --- The static server --------------------------------------------------------------------------

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
  '.woff2': 'font/woff2',
  '.dat': 'audio/wav',
  '.qs': 'text/plain; charset=utf-8',
};

// Serves the site at / and the bare page at BARE_PATH from 127.0.0.1 on a port of its own
// choosing, as plain files (no compression); every request it answered is in `served`.
async function startServer(site) {
  const roots = [
    { prefix: BARE_PATH, folder: path.join(HERE, 'bare') },
    { prefix: '/', folder: site },
  ];
  const served = [];
  const server = createServer(async (request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    let pathname = decodeURIComponent(url.pathname);
    if (pathname.endsWith('/')) pathname += 'index.html';
    const root = roots.find(({ prefix }) => pathname.startsWith(prefix));
    const file = path.resolve(root.folder, `.${pathname.slice(root.prefix.length - 1)}`);
    const inside = file.startsWith(root.folder + path.sep);
    try {
      if (!inside) throw new Error('outside the site');
      const body = await readFile(file);
      served.push({ url: pathname, file, bytes: body.length, at: Date.now() });
      response.writeHead(200, {
        'Content-Type': TYPES[path.extname(file)] ?? 'application/octet-stream',
        'Content-Length': body.length,
      });
      response.end(request.method === 'HEAD' ? undefined : body);
    } catch {
      served.push({ url: pathname, file: null, bytes: 0, at: Date.now() });
      response.writeHead(404, { 'Content-Type': 'text/plain' });
      response.end('not found');
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const base = `http://127.0.0.1:${server.address().port}`;
  return {
    gameUrl: `${base}/`,
    bareUrl: `${base}${BARE_PATH}`,
    served,
    close: () => new Promise((resolve) => server.close(resolve)),
  };
}

// --- The browser --------------------------------------------------------------------------------

// A fresh headless Chromium with a profile (and so a cache) of its own, which closing removes.
async function launch(puppeteer) {
  const profile = await mkdtemp(path.join(tmpdir(), 'quillon-bench-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    userDataDir: profile,
    defaultViewport: VIEWPORT,
    args: ['--no-sandbox', '--mute-audio', `--window-size=${VIEWPORT.width},${VIEWPORT.height}`],
  });
  const [page] = await browser.pages();
  const problems = [];
  page.on('pageerror', (error) => problems.push(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(message.text());
  });
  return {
    browser,
    page,
    problems,
    close: async () => {
      await browser.close();
      await rm(profile, { recursive: true, force: true });
    },
  };
}

// Goes to `url` and waits for the page's first frame; its firstFrameAt (ms after navigation
// start).
async function loadToFirstFrame(session, url) {
  const { page, problems } = session;
  await page.goto(url, { waitUntil: 'domcontentloaded', timeout: LOAD_TIMEOUT_MS });
  const handle = await page
    .waitForFunction(
      () => {
        const hook = window.quillonPage ?? window.barePage;
        if (hook?.firstFrameAt != null) return { at: hook.firstFrameAt };
        const state = document.body?.dataset.state;
        if (state === 'failed') return { failed: document.getElementById('status')?.textContent ?? state };
        return null;
      },
      { timeout: LOAD_TIMEOUT_MS, polling: 50 },
    )
    .catch(() => null);
  const outcome = await handle?.jsonValue();
  if (!outcome || outcome.failed !== undefined) {
    const why = outcome?.failed ?? `no first frame within ${LOAD_TIMEOUT_MS / 1000} s`;
    throw new BenchError(`${url}: ${why}${problems.length ? `\n  ${problems.join('\n  ')}` : ''}`);
  }
  return outcome.at;
}

// --- Sizes --------------------------------------------------------------------------------------

function gzipped(bytes) {
  return gzipSync(bytes, { level: zlibConstants.Z_BEST_COMPRESSION }).length;
}

// What a first visit of `url` fetches from the server until no request has come for QUIET_MS:
// every file once, raw and gzipped; and which of them the page itself asked for (the rest the
// service worker fetched for playing offline).
async function firstVisit(puppeteer, server, url) {
  const session = await launch(puppeteer);
  const fromPage = new Set();
  session.page.on('request', (request) => fromPage.add(new URL(request.url()).pathname));
  const startedAt = Date.now();
  const before = server.served.length;
  try {
    await loadToFirstFrame(session, url);
    while (Date.now() - Math.max(startedAt, server.served.at(-1)?.at ?? 0) < QUIET_MS) {
      await sleep(100);
    }
  } finally {
    await session.close();
  }
  const files = new Map();
  const missing = new Set();
  for (const { url: name, file } of server.served.slice(before)) {
    if (!file) missing.add(name);
    if (!file || files.has(file)) continue;
    const bytes = await readFile(file);
    const byPage = fromPage.has(name) || (name.endsWith('/index.html') && fromPage.has(name.slice(0, -10)));
    files.set(file, { name, raw: bytes.length, gzip: gzipped(bytes), byPage });
  }
  return { files: [...files.values()], missing: [...missing] };
}

const sum = (files, key) => files.reduce((total, file) => total + file[key], 0);

function kindOf(name) {
  if (/\/quillon\.(js|wasm)$/.test(name)) return 'the module';
  if (name.startsWith('/assets/') || name.endsWith('.svg')) return 'artwork';
  if (name.endsWith('.woff2')) return 'fonts';
  if (name.endsWith('.dat')) return 'sounds';
  if (/\.(html|js|mjs|css)$/.test(name)) return 'the page';
  return 'the rest';
}

async function sizes(puppeteer, server, site) {
  const module = ['quillon.wasm', 'quillon.js'].map((name) => path.join(site, name));
  const [wasm, glue] = await Promise.all(module.map((file) => readFile(file)));
  const { files: game, missing } = await firstVisit(puppeteer, server, server.gameUrl);
  const { files: bare } = await firstVisit(puppeteer, server, server.bareUrl);

  printTitle('Sizes (KB of 1000 bytes; gzip -9; reference: the bare page)');
  printRow('quillon.wasm (KB)', wasm.length / KB);
  printRow('quillon.wasm, gzipped (KB)', gzipped(wasm) / KB);
  printRow('quillon.js (KB)', glue.length / KB);
  printRow('quillon.js, gzipped (KB)', gzipped(glue) / KB);
  printRow('the module, wasm + js (KB)', (wasm.length + glue.length) / KB);
  printRow('the module, gzipped (KB)', (gzipped(wasm) + gzipped(glue)) / KB);
  const byPage = game.filter((file) => file.byPage);
  printRow('first visit, the page\'s own requests (KB)', sum(byPage, 'gzip') / KB,
    sum(bare, 'gzip') / KB);
  printRow('first visit, everything, gzipped (KB)', sum(game, 'gzip') / KB, sum(bare, 'gzip') / KB);
  printRow('first visit, everything, raw (KB)', sum(game, 'raw') / KB, sum(bare, 'raw') / KB);
  printRow('first visit, files', game.length, bare.length, 0);
  const kinds = new Map();
  for (const file of game) {
    const kind = kindOf(file.name);
    const entry = kinds.get(kind) ?? { files: 0, raw: 0, gzip: 0 };
    kinds.set(kind, { files: entry.files + 1, raw: entry.raw + file.raw, gzip: entry.gzip + file.gzip });
  }
  for (const [kind, { files, raw, gzip }] of kinds) {
    printNote(`${kind}: ${files} file${files === 1 ? '' : 's'}, ${(raw / KB).toFixed(1)} KB, ` +
      `${(gzip / KB).toFixed(1)} KB gzipped`);
  }
  const notByPage = game.filter((file) => !file.byPage);
  if (notByPage.length > 0) {
    printNote(`asked for by the browser or the service worker, not by the page: ` +
      `${notByPage.map((file) => file.name).join(', ')} (${(sum(notByPage, 'gzip') / KB).toFixed(1)} KB gzipped)`);
  }
  if (missing.length > 0) printNote(`asked for but not in the site: ${missing.join(', ')}`);
  const moduleGzip = (gzipped(wasm) + gzipped(glue)) / KB;
  const everything = sum(game, 'gzip') / KB;
  printNote(`goals: the module at most 400 KB (${((wasm.length + glue.length) / KB).toFixed(0)} KB raw, ` +
    `${moduleGzip.toFixed(0)} KB gzipped), everything at most 800 KB gzipped (${everything.toFixed(0)} KB)`);
}

// --- Load to first frame ------------------------------------------------------------------------

async function oneLoad(puppeteer, url) {
  const session = await launch(puppeteer);
  try {
    return await loadToFirstFrame(session, url);
  } finally {
    await session.close();
  }
}

async function loads(puppeteer, server) {
  const game = [];
  const bare = [];
  for (let pair = 0; pair < pairs; ++pair) {
    game.push(await oneLoad(puppeteer, server.gameUrl));
    bare.push(await oneLoad(puppeteer, server.bareUrl));
  }
  printTitle(`Load to first frame, headless Chromium ${VIEWPORT.width} x ${VIEWPORT.height} (${pairs} pairs, alternately)`);
  printRow('navigation start to first frame (ms)', median(game), median(bare));
  printRow('  fastest (ms)', Math.min(...game), Math.min(...bare));
  printRow('  slowest (ms)', Math.max(...game), Math.max(...bare));
  printNote('each load in a fresh browser with a fresh profile and cache; goal: ratio at most 1.5');
}

// --- Input to repaint ---------------------------------------------------------------------------

// Installed in the page (page.evaluate): times each armed event from its timeStamp to the end of
// the draw it caused, with the page's hook (frames, lastDrawStart, lastDrawEnd): a draw within
// the event's handling, or else the first one after it (in an animation frame). Also the moment
// the next animation frame after that draw begins, when the browser can show it. Only listens:
// it changes nothing the page does.
function installProbe(nothingPaintedMs) {
  const hook = () => window.quillonPage ?? window.barePage;
  const BEGINNINGS = ['mousedown', 'keydown', 'beforeinput'];
  let current = null;  // the record of the event armed last

  const settle = (record, painted) => {
    record.done = true;
    record.painted = painted;
    if (!painted) {
      record.resolve(record);
      return;
    }
    // A page without the draw's own times: its last frame, from the frame's beginning.
    record.drawn = hook().lastDrawEnd ?? hook().lastFrameAt;
    record.drawStart = hook().lastDrawStart ?? record.frameBegin ?? record.drawn;
    requestAnimationFrame(() => {
      record.nextFrame = performance.now();
      record.resolve(record);
    });
  };
  const drawnSince = (record) => hook().frames > record.frames;
  // Once a frame, until the page has drawn after handling the event.
  const check = (record) => {
    if (record.done) return;
    if (drawnSince(record)) settle(record, true);
    else if (performance.now() - record.start > nothingPaintedMs) settle(record, false);
    else requestAnimationFrame(() => check(record));
  };
  for (const type of BEGINNINGS) {
    // Before the page hears the event: its beginning, and how many frames the page had drawn.
    window.addEventListener(type, (event) => {
      const record = current;
      if (!record || record.start !== null || !event.isTrusted) return;
      record.start = event.timeStamp;
      record.kind = type;
      record.frames = hook().frames;
      requestAnimationFrame(() => {
        record.frameBegin ??= performance.now();
      });
    }, { capture: true });
    // After the page has handled it (the page's listeners were added before this one): drawn
    // already, or to be drawn in a frame to come.
    window.addEventListener(type, () => {
      const record = current;
      if (!record || record.start === null || record.done) return;
      record.handled = performance.now();
      if (drawnSince(record)) {
        record.inHandler = true;
        settle(record, true);
      } else {
        requestAnimationFrame(() => check(record));
      }
    });
  }
  window.quillonBenchProbe = {
    arm() {
      let resolve;
      const settled = new Promise((done) => {
        resolve = done;
      });
      current = {
        start: null, handled: null, inHandler: false, frameBegin: null, drawStart: null, drawn: null, nextFrame: null,
        done: false, resolve, settled,
      };
    },
    async settled(timeoutMs) {
      const record = current;
      const timer = setTimeout(() => {
        if (record.start === null && !record.done) {
          record.done = true;
          record.resolve(record);
        }
      }, timeoutMs);
      await record.settled;
      clearTimeout(timer);
      const { resolve: _resolve, settled: _settled, ...plain } = record;
      return plain;
    },
  };
}

// A whole number of a script line, or a BenchError naming the line.
function wholeNumber(text, number, what) {
  if (!/^\d{1,9}$/.test(text)) throw new BenchError(`line ${number}: ${what} must be a whole number, not "${text}"`);
  return Number(text);
}

// The script's lines that the page plays: clicks, keys, waits and the expects it can check (the
// lines that only print change nothing in the game).
function readScript(text) {
  const steps = [];
  for (const [index, raw] of text.split(/\r?\n/).entries()) {
    const line = raw.trimEnd();
    if (line === '' || line.startsWith('#')) continue;
    const [command, ...rest] = line.split(' ');
    const argument = line.slice(command.length + 1);
    const number = index + 1;
    if (command === 'click') steps.push({ number, click: { screen: rest[0], control: rest[1] ?? '' } });
    else if (command === 'type') for (const character of argument) steps.push({ number, key: character.codePointAt(0) });
    else if (command === 'key') {
      const key = wholeNumber(argument, number, 'a key code');
      if (key > 0x10ffff) throw new BenchError(`line ${number}: ${key} is no character code`);
      steps.push({ number, key });
    } else if (command === 'wait') steps.push({ number, wait: wholeNumber(argument, number, 'a wait') });
    else if (command === 'expect') steps.push({ number, expect: { item: rest[0], value: rest.slice(1).join(' ') } });
  }
  if (!quick) return steps;
  const longWait = steps.findIndex((step) => step.wait > QUICK_LONGEST_WAIT_MS);
  return longWait < 0 ? steps : steps.slice(0, longWait);
}

const NAMED_KEYS = { 8: 'Backspace', 13: 'Enter', 27: 'Escape' };

// One key as a keyboard sends it: a named key, a key of the layout with its character, or,
// for a character no key of the layout types, the character alone.
async function pressKey(page, code) {
  const name = NAMED_KEYS[code] ?? String.fromCodePoint(code);
  if (NAMED_KEYS[code] || /^[\x20-\x7e]$/.test(name)) await page.keyboard.press(name);
  else await page.keyboard.sendCharacter(name);
}

// The visibility of screens is all the page's hook shows by name: an expect of a screen's
// Visible (or Loaded False) is checked; the rest of the script's expects are not.
async function checkExpect(page, { item, value }) {
  const [screen, property, extra] = item.split('.');
  if (extra !== undefined || !['Visible', 'Loaded'].includes(property)) return null;
  if (property === 'Loaded' && value !== 'False') return null;
  const shown = await page.evaluate((name) => window.quillonPage.scene().screens.some((each) => each.name === name), screen);
  return shown === (value === 'True');
}

// The same pauses before the events in every pass: 0 to 20 ms, so that the events land anywhere
// in the display's frame of 16.7 ms.
function pauses() {
  let state = 0x9e3779b9;  // xorshift32 from a fixed seed
  return () => {
    state ^= state << 13;
    state ^= state >>> 17;
    state ^= state << 5;
    return ((state >>> 0) / 2 ** 32) * 20;
  };
}

// Makes the canvas 1024 x 768 CSS pixels: the viewport grows by what the page puts around it.
async function fitCanvas(page) {
  for (let attempt = 0; attempt < 4; ++attempt) {
    const box = await page.evaluate(() => {
      const rect = document.querySelector('canvas').getBoundingClientRect();
      return { x: rect.left, y: rect.top, width: rect.width, height: rect.height, innerWidth, innerHeight };
    });
    if (Math.abs(box.width - VIEWPORT.width) < 0.5 && Math.abs(box.height - VIEWPORT.height) < 0.5) return box;
    await page.setViewport({
      width: Math.round(box.innerWidth + VIEWPORT.width - box.width),
      height: Math.round(box.innerHeight + VIEWPORT.height - box.height),
    });
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
  }
  throw new BenchError(`the page's canvas does not come to ${VIEWPORT.width} x ${VIEWPORT.height} CSS pixels`);
}

// One event, armed, sent after a pause and timed; `what` names it.
async function timed(page, pause, what, send) {
  await sleep(pause);
  await page.evaluate(() => window.quillonBenchProbe.arm());
  await send();
  const record = await page.evaluate((ms) => window.quillonBenchProbe.settled(ms), NOTHING_PAINTED_MS * 2);
  if (record.start === null) throw new BenchError(`${what}: the event did not reach the page`);
  return { ...record, what };
}

// Plays the steps in the game's page; the points it clicked (relative to the canvas) and the
// records of its events.
async function playGame(puppeteer, server, steps) {
  const session = await launch(puppeteer);
  const { page } = session;
  const records = [];
  const points = [];
  const pause = pauses();
  let checked = 0;
  try {
    await loadToFirstFrame(session, server.gameUrl);
    await page.waitForFunction(() => document.body.dataset.state === 'playing', { timeout: LOAD_TIMEOUT_MS });
    const canvas = await fitCanvas(page);
    await page.evaluate(installProbe, NOTHING_PAINTED_MS);
    for (const step of steps) {
      if (step.wait !== undefined) {
        await sleep(step.wait + WAIT_MARGIN_MS);
      } else if (step.expect) {
        const result = await checkExpect(page, step.expect);
        if (result === false) {
          throw new BenchError(`the game in the page went astray: line ${step.number}, expect ${step.expect.item} ${step.expect.value}`);
        }
        if (result) checked += 1;
      } else if (step.click) {
        const { screen, control } = step.click;
        const rect = await page.evaluate((s, c) => window.quillonPage.controlRect(s, c), screen, control);
        if (!rect) throw new BenchError(`line ${step.number}: the page shows no ${screen} ${control} to click`);
        const point = { x: rect.x + rect.width / 2, y: rect.y + rect.height / 2 };
        points.push({ x: point.x - canvas.x, y: point.y - canvas.y });
        const what = `line ${step.number}: click ${screen} ${control}`;
        records.push(await timed(page, pause(), what, () => page.mouse.click(point.x, point.y)));
      } else {
        points.push({ key: step.key });
        const what = `line ${step.number}: key ${step.key}`;
        records.push(await timed(page, pause(), what, () => pressKey(page, step.key)));
      }
    }
    const state = await page.evaluate(() => document.body.dataset.state);
    return { records, points, checked, state, canvas, problems: session.problems };
  } finally {
    await session.close();
  }
}

// The same events on the bare page, at the same points of its canvas, without the waits.
async function playBare(puppeteer, server, points) {
  const session = await launch(puppeteer);
  const { page } = session;
  const records = [];
  const pause = pauses();
  try {
    await loadToFirstFrame(session, server.bareUrl);
    const canvas = await fitCanvas(page);
    await page.evaluate(installProbe, NOTHING_PAINTED_MS);
    for (const point of points) {
      const send = point.key !== undefined
        ? () => pressKey(page, point.key)
        : () => page.mouse.click(canvas.x + point.x, canvas.y + point.y);
      records.push(await timed(page, pause(), 'the bare page', send));
    }
    return records;
  } finally {
    await session.close();
  }
}

// The figures of a list of records: the whole time, and its parts: until the draw begins (the
// page's handling, and for a draw in an animation frame the wait for it), the draw; and, apart,
// the time until the next animation frame after the draw.
function phases(records) {
  const painted = records.filter((record) => record.painted);
  const inFrame = (record) => !record.inHandler;
  return {
    total: painted.map((record) => record.drawn - record.start),
    handler: painted.map((record) => (inFrame(record) ? record.handled : record.drawStart) - record.start),
    frameWait: painted.map((record) => (inFrame(record) ? record.drawStart - record.handled : 0)),
    draw: painted.map((record) => record.drawn - record.drawStart),
    shown: painted.map((record) => record.nextFrame - record.start),
    inFrames: painted.filter(inFrame).length,
    nothing: records.length - painted.length,
  };
}

async function inputs(puppeteer, server, script) {
  const text = await readFile(script, 'utf8').catch((error) => {
    throw new BenchError(`cannot read the script: ${error.message}`);
  });
  const steps = readScript(text);
  const game = [];
  const bare = [];
  let last = null;
  for (let pass = 0; pass < passes; ++pass) {
    last = await playGame(puppeteer, server, steps);
    game.push(...last.records);
    bare.push(...(await playBare(puppeteer, server, last.points)));
  }
  const g = phases(game);
  const b = phases(bare);
  const what = quick ? 'the first events of mission 1' : `${path.basename(script)}, ${passes} pass${passes === 1 ? '' : 'es'}`;
  printTitle(`Input to repaint, headless Chromium, canvas ${VIEWPORT.width} x ${VIEWPORT.height} (${what})`);
  const rows = [
    ['input to end of its draw', g.total, b.total],
    ['  of it, handling before the draw', g.handler, b.handler],
    ['  of it, waiting for a frame', g.frameWait, b.frameWait],
    ['  of it, the draw', g.draw, b.draw],
    ['input to next frame after draw', g.shown, b.shown],
  ];
  for (const [name, ours, theirs] of rows) {
    for (const [label, share] of [['p50', 0.5], ['p99', 0.99], ['max', 1]]) {
      printRow(`${name}, ${label} (ms)`, percentile(ours, share), percentile(theirs, share));
    }
  }
  const clicks = game.filter((record) => record.kind === 'mousedown').length;
  printNote(`${game.length} events (${clicks} clicks, ${game.length - clicks} keys); ${g.nothing} showed nothing ` +
    `within ${NOTHING_PAINTED_MS} ms in the game, ${b.nothing} in the bare page`);
  printNote(`drawn within the event's handling: ${g.total.length - g.inFrames} of ${g.total.length} in the game, ` +
    `${b.total.length - b.inFrames} of ${b.total.length} in the bare page (the rest in an animation frame)`);
  const slowest = game.filter((record) => record.painted).sort((a, b) => (b.drawn - b.start) - (a.drawn - a.start));
  printNote(`the slowest in the game: ${slowest.slice(0, 3).map((record) =>
    `${record.what} ${(record.drawn - record.start).toFixed(1)} ms (draw ${(record.drawn - record.drawStart).toFixed(1)})`).join('; ')}`);
  const unpainted = game.filter((record) => !record.painted).map((record) => record.what);
  if (unpainted.length > 0) printNote(`showed nothing in the game: ${unpainted.slice(0, 5).join('; ')}${unpainted.length > 5 ? '; …' : ''}`);
  printNote(`${last.checked} expect lines of screens checked a pass; the page ended in state "${last.state}"`);
  printNote('the next frame after the draw (when the browser can show it) comes 0 to 16.7 ms later at 60 frames');
  printNote('a second, whoever draws; goal: p99 of input to the end of its draw at most 4 ms');
  if (last.problems.length > 0) printNote(`the page reported: ${last.problems.join(' | ')}`);
}

// --- The headless game in one process ------------------------------------------------------------

// Runs a program to its end; its standard output and wall time.
function run(command, args) {
  return new Promise((resolve, reject) => {
    const started = process.hrtime.bigint();
    const child = spawn(command, args, { stdio: ['ignore', 'pipe', 'inherit'] });
    let out = '';
    child.stdout.on('data', (chunk) => {
      out += chunk;
    });
    child.on('error', reject);
    child.on('close', (status) => {
      const ms = Number(process.hrtime.bigint() - started) / 1e6;
      if (status !== 0) reject(new BenchError(`${command} ${args.join(' ')} ended with status ${status}`));
      else resolve({ out, ms });
    });
  });
}

function readGames(out, command) {
  const match = /median ([\d.]+) ms per game, first ([\d.]+) ms/.exec(out);
  if (!match) throw new BenchError(`${command} printed no median: ${out}`);
  return { median: Number(match[1]), first: Number(match[2]) };
}

async function games(native, node, script, data) {
  const missing = [native, node].filter((file) => !existsSync(file));
  if (missing.length > 0) {
    console.log('\n== Headless game, in process, under node against natively ==');
    printNote(`skipped: ${missing.join(' and ')} not built`);
    return;
  }
  const args = [script, data, String(gamesPerProcess)];
  const nodeArgs = ['--no-experimental-fetch', node, ...args];
  const sides = { native: [], node: [] };
  for (let pair = 0; pair < pairs; ++pair) {
    for (const [side, command, list] of [['native', native, args], ['node', process.execPath, nodeArgs]]) {
      const { out, ms } = await run(command, list);
      sides[side].push({ ...readGames(out, command), ms });
    }
  }
  const of = (side, key) => median(sides[side].map((each) => each[key]));
  printTitle(`Headless game, ${gamesPerProcess} games in one process (${pairs} pairs, alternately; reference: native)`);
  printRow('time per game, median (ms)', of('node', 'median'), of('native', 'median'));
  printRow('first game of a process (ms)', of('node', 'first'), of('native', 'first'));
  printRow('whole process, wall time (ms)', of('node', 'ms'), of('native', 'ms'));
  printNote('goal: time per game under node at most 3 times the native');
}

// --- The run ------------------------------------------------------------------------------------

async function loadPuppeteer() {
  try {
    return (await import('puppeteer-core')).default;
  } catch {
    return null;
  }
}

// The command line; a wrong one is a BenchError that says why.
function parseOptions(config) {
  try {
    return parseArgs(config);
  } catch (error) {
    throw new BenchError(error.message);
  }
}

async function main() {
  const { values } = parseOptions({
    options: {
      'web-build': { type: 'string', default: path.join(REPOSITORY, 'build-web') },
      'native-games': { type: 'string', default: path.join(REPOSITORY, 'build/bench/bench_headless_games') },
      'node-games': { type: 'string' },
      script: { type: 'string', default: path.join(REPOSITORY, 'examples/full-game.qs') },
      data: { type: 'string', default: path.join(REPOSITORY, 'build/data') },
      parts: { type: 'string', default: PARTS.join(',') },
    },
  });
  const parts = values.parts.split(',');
  const unknown = parts.filter((part) => !PARTS.includes(part));
  if (unknown.length > 0) throw new BenchError(`unknown parts: ${unknown.join(', ')} (known: ${PARTS.join(', ')})`);
  const webBuild = path.resolve(values['web-build']);
  const site = path.join(webBuild, 'site');
  const nodeGames = path.resolve(values['node-games'] ?? path.join(webBuild, 'bench_headless_games.js'));
  const started = Date.now();
  console.log(`\nIn the browser: ${cpus()[0]?.model ?? 'unknown processor'}, load average ${loadavg()[0].toFixed(2)}` +
    `${quick ? ', quick' : ''}`);

  const browserParts = parts.filter((part) => part !== 'games');
  if (browserParts.length > 0) {
    const puppeteer = await loadPuppeteer();
    const why = !existsSync(path.join(site, 'index.html'))
      ? `no site in ${site} (make web)`
      : !existsSync(CHROMIUM)
        ? `${CHROMIUM} is not installed (apt install chromium)`
        : !puppeteer
          ? 'puppeteer-core is not installed (npm ci)'
          : null;
    if (why) {
      printNote(`the page's benchmarks (${browserParts.join(', ')}) skipped: ${why}`);
    } else {
      const server = await startServer(site);
      try {
        if (parts.includes('sizes')) await sizes(puppeteer, server, site);
        if (parts.includes('load')) await loads(puppeteer, server);
        if (parts.includes('input')) await inputs(puppeteer, server, path.resolve(values.script));
      } finally {
        await server.close();
      }
    }
  }
  if (parts.includes('games')) {
    await games(path.resolve(values['native-games']), nodeGames, path.resolve(values.script), path.resolve(values.data));
  }
  console.log(`\nthe browser benchmarks took ${((Date.now() - started) / 1000).toFixed(0)} s`);
}

main().catch((error) => {
  console.error(`bench_web: ${error instanceof BenchError ? error.message : error.stack ?? error}`);
  process.exit(1);
});
