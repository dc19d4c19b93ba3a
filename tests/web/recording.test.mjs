// Recordings in the page: a game played with the mouse and the keyboard, saved with
// #save-recording, ends the same when the native game plays the file in script mode and when
// the page replays it; a recording with a bad line is refused with the line's number.
import assert from 'node:assert/strict';
import { existsSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import { openPage, openSession, readArguments, runScript, sleep, waitForState, watchdog } from './harness.mjs';

const settings = readArguments();
const work = mkdtempSync(path.join(os.tmpdir(), 'quillon-web-recording-'));
const downloads = path.join(work, 'downloads');

// Served beside the site, for ?replay=.
const served = new Map([['/tests/bad-third-line.qs', 'wait 10\nscreens\njump 3\n']]);

let session;
let page;
let designs;
let player;

async function close() {
  await session?.close();
  rmSync(work, { recursive: true, force: true });
}
watchdog(90, close);
before(async () => {
  session = await openSession(settings, { served, downloadPath: downloads });
  ({ page, designs, player } = session);
});
after(close);

// The calendar turns a day every three seconds of the game clock, which runs on after the
// recording's last line: it is left out where a game's end is compared.
const TURNS_WITH_THE_CLOCK = new Set(['dny.Label2']);

// What a script's lines would check of the scene: the screens front to back, the focus, and
// for every control of every showing screen whether it shows and its text and value (texts of
// one line; a line of a script holds no line break).
function checksOf(scene) {
  const lines = ['screens', 'focus'];
  const expected = [
    `screens:${scene.screens.map((screen) => ` ${screen.name}`).join('')}`,
    `focus=${scene.focus ? `${scene.active}.${scene.focus}` : ''}`,
  ];
  for (const screen of scene.screens) {
    lines.push(`expect ${screen.name}.Enabled ${screen.enabled ? 'True' : 'False'}`);
    designs[screen.name].controls.forEach((control, i) => {
      const state = screen.controls[i];
      const item = `${screen.name}.${control.name}`;
      if (TURNS_WITH_THE_CLOCK.has(item)) return;
      lines.push(`expect ${item}.Visible ${state.visible ? 'True' : 'False'}`);
      const property = control.kind === 'TextBox' ? 'Text'
        : ['Label', 'CommandButton', 'Frame', 'CheckBox'].includes(control.kind) ? 'Caption' : null;
      if (property && !/[\r\n]/.test(state.text)) lines.push(`expect ${item}.${property} ${state.text}`);
      if (['CheckBox', 'ProgressBar'].includes(control.kind)) lines.push(`expect ${item}.Value ${state.value}`);
    });
  }
  return { lines, expected };
}

// The scene without what turns with the clock, to compare two ends of one game.
function comparable(scene) {
  return {
    ended: scene.ended,
    active: scene.active,
    focus: scene.focus,
    screens: scene.screens.map((screen) => ({
      name: screen.name,
      enabled: screen.enabled,
      controls: screen.controls.filter((_, i) => !TURNS_WITH_THE_CLOCK.has(`${screen.name}.${designs[screen.name].controls[i].name}`)),
    })),
  };
}

async function savedFile(timeout = 10_000) {
  const deadline = Date.now() + timeout;
  for (;;) {
    // The browser makes the downloads folder with the first download: until then, nothing yet.
    const entries = existsSync(downloads) ? readdirSync(downloads, { withFileTypes: true }) : [];
    const files = entries.filter((entry) => entry.isFile() && !entry.name.endsWith('.crdownload'));
    if (files.length > 0) return files[0].name;
    if (Date.now() > deadline) throw new Error(`no recording was saved in ${timeout} ms`);
    await sleep(50);
  }
}

async function chooseReplayFile(name, text) {
  const file = path.join(work, name);
  writeFileSync(file, text);
  const picker = await page.$('#replay-file');
  await picker.uploadFile(file);
  await picker.dispose();
}

async function status() {
  return page.$eval('#status', (element) => element.textContent);
}

let recording = null;
let sceneWhenSaved = null;

describe('a recording saved from the page', () => {
  test('the game played is saved as a .qs file', { timeout: 30_000 }, async () => {
    await player.play(`
      expect start.Visible False
      click board Picture1
      click Message Picture2
      click Message Picture3
      click Message Command3
      click connect Picture1
      type 155
      type 8
      key 13
      type 13
      key 13
      type 7
      key 8
      type 76
      expect ip.Text4.Text 76
      click ip Command1
      expect map1.Visible True
      expect login.Visible True
      click login Text1
      type sysop
    `);
    await page.keyboard.press('Tab');
    await player.play(`
      type heslo čšř
      expect login.Text1.Text sysop
      expect login.Text2.Text heslo čšř
    `);
    sceneWhenSaved = await player.scene();
    await page.click('#save-recording');
    const name = await savedFile();
    assert.match(name, /^quillon-\d{8}-\d{6}\.qs$/);
    recording = readFileSync(path.join(downloads, name), 'utf8');
    assert.match(recording, /^click login Text1$/m, 'the click into the name box is not in the recording');
    assert.match(recording, /^# Quillon 1\.0\.0, a game recorded on \d{4}-\d{2}-\d{2} with the game's web page\.$/m);
  });

  test('played by the native game in script mode, it ends where the page was', { timeout: 60_000 }, (t) => {
    if (!recording) return t.skip('nothing was saved');
    const { lines, expected } = checksOf(sceneWhenSaved);
    const file = path.join(work, 'checked.qs');
    writeFileSync(file, `${recording}${recording.endsWith('\n') ? '' : '\n'}${lines.join('\n')}\n`);
    const run = runScript(settings.game, file);
    t.diagnostic(`${lines.length} checks of the page's last scene`);
    assert.equal(run.err, '', 'script mode complained');
    assert.doesNotMatch(run.out, /FAIL/, 'the native game ends elsewhere');
    assert.equal(run.status, 0);
    const printed = run.out.split('\n').filter((line) => line.startsWith('screens:') || line.startsWith('focus='));
    assert.deepEqual(printed, expected);
    return undefined;
  });

  test('replayed in the page, it ends where the game was', { timeout: 60_000 }, async (t) => {
    if (!recording) return t.skip('nothing was saved');
    await chooseReplayFile('saved.qs', recording);
    await waitForState(page, 'replaying');
    // A replay plays in real time: as long as the game took, some ten seconds.
    await waitForState(page, 'ended', 40_000);
    assert.deepEqual(comparable(await player.scene()), comparable(sceneWhenSaved));
    assert.equal(await page.$eval('#new-game', (button) => button.hidden), false, '#new-game is hidden after the replay');
    return undefined;
  });
});

describe('a recording with a bad line', () => {
  test('is refused with its line number and not replayed', { timeout: 20_000 }, async () => {
    await page.reload({ waitUntil: 'load', timeout: 20_000 });
    await waitForState(page, 'playing');
    await player.play(`
      expect start.Visible False
      click board Picture1
      expect Message.Visible True
    `);
    for (const [name, text, line] of [
      ['no-control.qs', 'click\n', 'line 1'],
      ['unknown-command.qs', 'wait 1000\nclick board Picture1\njump 3\n', 'line 3'],
    ]) {
      await chooseReplayFile(name, text);
      await page
        .waitForFunction((l) => document.body.dataset.state === 'refused' &&
          new RegExp(`${l}\\b`).test(document.getElementById('status').textContent), { timeout: 5_000 }, line)
        .catch(async () => {
          throw new Error(`${name} is not refused with "${line}": the page is ${await page.$eval('body', (body) => body.dataset.state)} ` +
            `and says "${await status()}"`);
        });
      // The game played goes on as it was.
      await player.expect('Message.Visible', 'True');
      await player.click('Message', 'Command3');
      await player.expect('Message.Visible', 'False');
      await player.click('board', 'Picture1');
      await player.expect('Message.Visible', 'True');
    }
  });

  test('named by ?replay= it is refused on loading', { timeout: 20_000 }, async () => {
    const other = await openPage(session.browser, session.server.url, '?replay=/tests/bad-third-line.qs');
    try {
      await waitForState(other, 'refused');
      const said = await other.$eval('#status', (element) => element.textContent);
      assert.match(said, /line 3\b/);
      assert.match(said, /jump/);
    } finally {
      await other.close();
    }
  });
});
