// What the browser tests share: their arguments, a static server for the site, Chromium driven
// by puppeteer-core, the page opened at a 1024 x 768 desktop, and a player who clicks the
// game's controls with the mouse and types with the keyboard, checking what the page shows as
// a script's `expect` lines check it.
//
// A test file is run as
//   node FILE.test.mjs SITE_FOLDER GAME SCREENSHOT_TOOL SOURCE_FOLDER NODE_MODULES
// and ends with status 77 (skipped) when SITE_FOLDER holds no browser build.
import { spawnSync } from 'node:child_process';
import { existsSync } from 'node:fs';
import { readFile, stat } from 'node:fs/promises';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import path from 'node:path';
import { test } from 'node:test';
import { setTimeout as sleep } from 'node:timers/promises';

import { decodePng } from './png.mjs';

export { sleep };

// --- Arguments --------------------------------------------------------------------------------

export function readArguments() {
  const [site, game, screenshotTool, source, nodeModules] = process.argv.slice(2);
  if (!nodeModules) {
    console.error('usage: node FILE.test.mjs SITE_FOLDER GAME SCREENSHOT_TOOL SOURCE_FOLDER NODE_MODULES');
    process.exit(2);
  }
  for (const file of ['index.html', 'page.js', 'quillon.js', 'quillon.wasm']) {
    if (!existsSync(path.join(site, file))) {
      console.log(`no browser build at ${site} (${file} is missing; make web builds it)`);
      process.exit(77);
    }
  }
  return {
    site: path.resolve(site),
    game: path.resolve(game),
    screenshotTool: path.resolve(screenshotTool),
    source: path.resolve(source),
    nodeModules: path.resolve(nodeModules),
    chromium: process.env.QUILLON_CHROMIUM || '/usr/bin/chromium',
  };
}

// The longest a whole test file may take: past it the browser is closed and the file fails,
// whatever hangs.
export function watchdog(seconds, cleanUp) {
  const timer = setTimeout(async () => {
    console.error(`the browser tests took more than ${seconds} s: stopped`);
    await Promise.race([Promise.resolve().then(cleanUp).catch(() => {}), sleep(5_000)]);
    process.exit(1);
  }, seconds * 1000);
  timer.unref();
}

// --- The site, served --------------------------------------------------------------------------

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.woff2': 'font/woff2',
  '.dat': 'application/octet-stream',
  '.qs': 'text/plain; charset=utf-8',
};

// Serves `root` on 127.0.0.1 at a free port, with the site's MIME types; `extra` maps further
// paths ("/tests/a.qs") to texts served as well. Every request is bounded in time. The paths
// that were asked for and not found are kept in `missing`.
export async function serveSite(root, extra = new Map()) {
  const missing = [];
  const server = createServer(async (request, response) => {
    response.setTimeout(10_000, () => response.destroy());
    const fail = (status) => {
      response.writeHead(status, { 'Content-Type': 'text/plain' });
      response.end(`${status}\n`);
    };
    if (request.method !== 'GET' && request.method !== 'HEAD') return fail(405);
    let name;
    try {
      name = decodeURIComponent(new URL(request.url, 'http://site').pathname);
    } catch {
      return fail(400);
    }
    let body = extra.get(name);
    let type = TYPES[path.extname(name)] ?? 'application/octet-stream';
    if (body === undefined) {
      const file = path.join(root, path.normalize(name.endsWith('/') ? `${name}index.html` : name));
      if (file !== root && !file.startsWith(root + path.sep)) return fail(403);
      try {
        if (!(await stat(file)).isFile()) throw new Error('not a file');
        body = await readFile(file);
        type = TYPES[path.extname(file)] ?? 'application/octet-stream';
      } catch {
        missing.push(name);
        return fail(404);
      }
    }
    response.writeHead(200, {
      'Content-Type': type,
      'Content-Length': Buffer.byteLength(body),
      'Cache-Control': 'no-store',
    });
    response.end(request.method === 'HEAD' ? undefined : body);
    return undefined;
  });
  server.requestTimeout = 10_000;
  server.headersTimeout = 5_000;
  server.keepAliveTimeout = 1_000;
  await new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(0, '127.0.0.1', resolve);
  });
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    missing,
    close: () =>
      new Promise((resolve) => {
        server.closeAllConnections?.();
        server.close(() => resolve());
      }),
  };
}

// --- The browser -----------------------------------------------------------------------------

// Debian's Chromium, headless; downloads go to `downloadPath` when given.
export async function launchBrowser({ nodeModules, chromium }, { downloadPath } = {}) {
  if (!existsSync(chromium)) throw new Error(`no Chromium at ${chromium} (make deps installs it)`);
  const require = createRequire(path.join(nodeModules, 'quillon-tests.cjs'));
  const puppeteer = require('puppeteer-core');
  return puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ['--no-sandbox', '--disable-dev-shm-usage', '--mute-audio', '--hide-scrollbars',
      '--no-first-run', '--no-default-browser-check'],
    defaultViewport: null,
    timeout: 30_000,
    protocolTimeout: 30_000,
    ...(downloadPath ? { downloadBehavior: { policy: 'allow', downloadPath } } : {}),
  });
}

export const DESKTOP = { width: 1024, height: 768 };

async function gameBox(page) {
  return page.$eval('#game', (game) => {
    const { x, y, width, height } = game.getBoundingClientRect();
    return { x, y, width, height };
  });
}

// Lets the page draw what it has queued: two animation frames.
export async function settle(page) {
  await page.evaluate(
    () => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))),
  );
}

// Opens the page (with `query`, such as "?replay=...") in a new tab whose #game box is the
// desktop at its own size, 1024 x 768 CSS pixels at one device pixel each, and waits until the
// page has left "loading" and drawn. Errors of the page are gathered in `page.problems`.
export async function openPage(browser, siteUrl, query = '') {
  const page = await browser.newPage();
  page.setDefaultTimeout(10_000);
  page.problems = [];
  page.on('pageerror', (error) => page.problems.push(`page error: ${error.message}`));
  page.on('console', (message) => {
    if (message.type() === 'error') page.problems.push(`console error: ${message.text()}`);
  });
  // The page's own bar above the desktop takes some height: the viewport grows by it.
  await page.setViewport({ ...DESKTOP, deviceScaleFactor: 1 });
  await page.goto(new URL(query, siteUrl).href, { waitUntil: 'load', timeout: 20_000 });
  await page.waitForFunction(
    () => window.quillonPage && document.body.dataset.state !== 'loading' && window.quillonPage.frames > 0,
    { timeout: 20_000 },
  );
  const box = await gameBox(page);
  if (box.width !== DESKTOP.width || box.height !== DESKTOP.height) {
    await page.setViewport({
      width: DESKTOP.width + Math.max(0, Math.round(DESKTOP.width - box.width)),
      height: DESKTOP.height + Math.max(0, Math.round(DESKTOP.height - box.height)),
      deviceScaleFactor: 1,
    });
    await page.waitForFunction(
      ({ width, height }) => {
        const rect = document.getElementById('game').getBoundingClientRect();
        return rect.width === width && rect.height === height;
      },
      { timeout: 5_000 },
      DESKTOP,
    );
  }
  await settle(page);
  return page;
}

// Every screen's design, as the page read it from the game's module: the scene lists controls
// in design order without their names.
export async function loadDesigns(page) {
  return page.evaluate(() => window.quillonPage.designs().screens);
}

// A picture of #game as the player sees it: RGBA, 1024 x 768.
export async function shootDesktop(page) {
  await settle(page);
  const box = await gameBox(page);
  const bytes = await page.screenshot({ type: 'png', clip: box });
  return decodePng(Buffer.from(bytes));
}

// The server, the browser and one page of the game with a player on it; `close` ends them all.
// `served` and `downloadPath` as for serveSite and launchBrowser.
export async function openSession(settings, { served, downloadPath } = {}) {
  const session = {};
  session.close = async () => {
    await session.browser?.close();
    await session.server?.close();
  };
  try {
    session.server = await serveSite(settings.site, served);
    session.browser = await launchBrowser(settings, { downloadPath });
    session.page = await openPage(session.browser, session.server.url);
    session.designs = await loadDesigns(session.page);
    session.player = new Player(session.page, session.designs);
  } catch (error) {
    await session.close();
    throw error;
  }
  return session;
}

// Tests of which each needs the one before, as the moves of one game: once one fails, the rest
// are skipped. Returns the function that declares one.
export function stepsOfOneGame(defaultTimeout = 15_000) {
  let broken = false;
  return (name, body, timeout = defaultTimeout) =>
    test(name, { timeout }, async (t) => {
      if (broken) {
        t.skip('an earlier step failed');
        return;
      }
      try {
        await body();
      } catch (error) {
        broken = true;
        throw error;
      }
    });
}

// --- The player --------------------------------------------------------------------------------

const KEY_NAMES = { 8: 'Backspace', 13: 'Enter', 27: 'Escape' };

// Plays the page with the mouse and the keyboard, and reads what it shows through the scene.
export class Player {
  constructor(page, designs) {
    this.page = page;
    this.designs = designs;
  }

  scene() {
    return this.page.evaluate(() => window.quillonPage.scene());
  }

  // A script's item (SCREEN.Visible, SCREEN.CONTROL.Visible|Caption|Text|Value) as script mode
  // prints it, read from the scene. A control of a screen that does not show reads
  // "<not shown>": the scene holds the visible screens only.
  static inspect(designs, scene, item) {
    const [screen, control, property] = item.split('.');
    const shown = scene.screens?.find((each) => each.name === screen);
    if (property === undefined) {
      if (control !== 'Visible') throw new Error(`the page cannot tell ${item}`);
      return shown ? 'True' : 'False';
    }
    const design = designs[screen];
    const index = design?.controls.findIndex((each) => each.name === control) ?? -1;
    if (index < 0) throw new Error(`no control ${screen}.${control}`);
    if (!shown) return '<not shown>';
    const state = shown.controls[index];
    switch (property) {
      case 'Visible':
        return state.visible ? 'True' : 'False';
      case 'Caption':
      case 'Text':
        return state.text;
      case 'Value':
        return String(state.value);
      default:
        throw new Error(`the page cannot tell ${item}`);
    }
  }

  async value(item) {
    return Player.inspect(this.designs, await this.scene(), item);
  }

  // Waits until `test(scene)` holds; fails with `what` and the last scene's `describe(scene)`.
  async until(what, test, { timeout = 5_000, describe = () => '' } = {}) {
    const deadline = Date.now() + timeout;
    for (;;) {
      const scene = await this.scene();
      if (test(scene)) return scene;
      if (Date.now() > deadline) {
        throw new Error(`after ${timeout} ms the page still does not show ${what}${describe(scene)}`);
      }
      await sleep(25);
    }
  }

  // What a script's `expect ITEM VALUE` checks, waited for: the page plays in real time.
  async expect(item, value, options = {}) {
    await this.until(`${item} = ${value}`, (scene) => Player.inspect(this.designs, scene, item) === value, {
      ...options,
      describe: (scene) => ` (it shows ${item} = ${JSON.stringify(Player.inspect(this.designs, scene, item))})`,
    });
  }

  // The control's rectangle in the viewport, once it shows.
  async rectOf(screen, control, timeout = 5_000) {
    const handle = await this.page.waitForFunction(
      (s, c) => {
        const rect = window.quillonPage.controlRect(s, c);
        return rect && rect.width > 0 && rect.height > 0 ? rect : null;
      },
      { timeout, polling: 25 },
      screen,
      control,
    );
    const rect = await handle.jsonValue();
    await handle.dispose();
    return rect;
  }

  // A real click of the left button at the middle of the control.
  async click(screen, control) {
    const rect = await this.rectOf(screen, control);
    await this.page.mouse.click(rect.x + rect.width / 2, rect.y + rect.height / 2);
  }

  async type(text) {
    await this.page.keyboard.type(text);
  }

  async key(code) {
    if (KEY_NAMES[code]) await this.page.keyboard.press(KEY_NAMES[code]);
    else await this.page.keyboard.type(String.fromCodePoint(code));
  }

  // Plays lines of a script: click, type, key and expect as above; `wait MS` waits as long in
  // real time, so only short waits belong here (wait for a state with expect instead).
  async play(script, options = {}) {
    for (const raw of script.split('\n')) {
      const line = raw.trim();
      if (line === '' || line.startsWith('#')) continue;
      const [command, ...words] = line.split(' ');
      const rest = line.slice(command.length + 1);
      switch (command) {
        case 'click':
          await this.click(words[0], words[1]);
          break;
        case 'type':
          await this.type(rest);
          break;
        case 'key':
          await this.key(Number(rest));
          break;
        case 'wait':
          await sleep(Number(rest));
          break;
        case 'expect':
          await this.expect(words[0], rest.slice(words[0].length + 1), options);
          break;
        default:
          throw new Error(`the test's script has a line it cannot play: ${line}`);
      }
    }
  }
}

// The page's body state (data-state), waited for.
export async function waitForState(page, state, timeout = 10_000) {
  try {
    await page.waitForFunction((s) => document.body.dataset.state === s, { timeout }, state);
  } catch (error) {
    const now = await page
      .evaluate(() => `${document.body.dataset.state}, #status saying "${document.getElementById('status')?.textContent}"`)
      .catch(() => 'unknown');
    throw new Error(`after ${timeout} ms the page is not "${state}" but ${now} (${error.message})`);
  }
}

// --- The native game -------------------------------------------------------------------------

// Runs `GAME --script FILE`: its status, standard output and standard error.
export function runScript(game, file) {
  const run = spawnSync(game, ['--script', file], {
    encoding: 'utf8',
    timeout: 60_000,
    env: { ...process.env, LC_ALL: 'C' },
  });
  if (run.error) throw run.error;
  return { status: run.status, out: run.stdout, err: run.stderr };
}
