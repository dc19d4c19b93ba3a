// The keyboard in the page: the address entry's boxes drawn with a blinking caret where the
// focus is, typed characters (Czech ones too) shown, Tab and Shift+Tab moving the focus as the
// game moves it, and Escape in an address box ending the game, after which a new one starts.
import assert from 'node:assert/strict';
import { after, before, describe } from 'node:test';

import { openSession, readArguments, sleep, stepsOfOneGame, waitForState, watchdog } from './harness.mjs';
import { decodePng } from './png.mjs';

const settings = readArguments();

let session;
let page;
let player;
const step = stepsOfOneGame(20_000);

watchdog(90, () => session?.close());
before(async () => {
  session = await openSession(settings);
  ({ page, player } = session);
});
after(() => session?.close());

async function focus() {
  return (await player.scene()).focus;
}

async function expectFocus(control) {
  await player.until(`the focus in ${control}`, (scene) => scene.active === 'ip' && scene.focus === control, {
    describe: (scene) => ` (the focus is in ${scene.active}.${scene.focus})`,
  });
}

// --- The caret, seen in the pixels of a box ---------------------------------------------------

const BRIGHT = 100;  // a channel above this is ink on the box's black

// Pictures of a text box (a pixel round it too) taken one after another for `ms`: the caret
// blinks every half second, so they catch it shown and hidden. With `untilBlink` they stop
// once two of them differ (or after `ms`).
async function shotsOfBox(control, { ms = 1_200, untilBlink = false } = {}) {
  const rect = await player.rectOf('ip', control);
  const clip = { x: Math.floor(rect.x) - 1, y: Math.floor(rect.y) - 1,
    width: Math.ceil(rect.width) + 2, height: Math.ceil(rect.height) + 2 };
  const shots = [];
  const end = Date.now() + ms;
  while (Date.now() < end) {
    shots.push(decodePng(Buffer.from(await page.screenshot({ type: 'png', clip }))));
    if (untilBlink && new Set(shots.map(inkCount)).size > 1) break;
    await sleep(60);
  }
  return shots;
}

// Pictures of the focused box until its caret has blinked.
function blinkingBox(control) {
  return shotsOfBox(control, { ms: 3_000, untilBlink: true });
}

function inkAt(picture, x, y) {
  const i = (y * picture.width + x) * 4;
  return Math.max(picture.rgba[i], picture.rgba[i + 1], picture.rgba[i + 2]) > BRIGHT;
}

// The pixels inked in one picture and not in the other.
function inkedOnlyIn(a, b) {
  const pixels = [];
  for (let y = 0; y < a.height; ++y) {
    for (let x = 0; x < a.width; ++x) if (inkAt(a, x, y) && !inkAt(b, x, y)) pixels.push({ x, y });
  }
  return pixels;
}

function inkCount(picture) {
  let count = 0;
  for (let y = 0; y < picture.height; ++y) for (let x = 0; x < picture.width; ++x) count += inkAt(picture, x, y);
  return count;
}

// The blink: among the pictures, one with the caret and one without, which differ by a thin
// upright bar only. Returns the bar and the picture without it.
function caretOf(shots) {
  const counts = shots.map(inkCount);
  const shown = shots[counts.indexOf(Math.max(...counts))];
  const hidden = shots[counts.indexOf(Math.min(...counts))];
  const bar = inkedOnlyIn(shown, hidden);
  assert.ok(bar.length > 0, `the caret does not blink: all ${shots.length} pictures of the box show the same ink`);
  assert.deepEqual(inkedOnlyIn(hidden, shown), [], 'the blink changes more than the caret');
  const columns = new Set(bar.map((p) => p.x));
  const ys = bar.map((p) => p.y);
  const height = Math.max(...ys) - Math.min(...ys) + 1;
  assert.ok(columns.size <= 2, `the caret is ${columns.size} pixels wide`);
  assert.ok(height >= 8, `the caret is ${height} pixels high`);
  return { x: Math.min(...columns), height, hidden };
}

function rightmostInk(picture) {
  let right = -1;
  for (let y = 0; y < picture.height; ++y) for (let x = 0; x < picture.width; ++x) if (inkAt(picture, x, y)) right = Math.max(right, x);
  return right;
}

describe('the address entry from the keyboard', () => {
  step('the connect button opens the address entry with the focus in its first box', async () => {
    await player.play(`
      expect start.Visible False
      click connect Picture1
      expect ip.Visible True
    `);
    await expectFocus('Text1');
  });

  step('the focused empty box blinks its caret; a box without the focus shows none', async () => {
    caretOf(await blinkingBox('Text1'));
    const shots = await shotsOfBox('Text2');
    assert.ok(shots.every((shot) => inkCount(shot) === 0), 'Text2 shows ink though it is empty and has no focus');
  });

  step('typed digits show in the box, the caret after them', async () => {
    await player.type('15');
    await player.expect('ip.Text1.Text', '15');
    const { x, hidden } = caretOf(await blinkingBox('Text1'));
    const textEnd = rightmostInk(hidden);
    assert.ok(textEnd >= 0, 'the typed digits are not drawn');
    assert.ok(x > textEnd, `the caret (column ${x}) stands inside the text, which ends at column ${textEnd}`);
  });

  step('Enter moves the focus on, and the caret with it', async () => {
    await player.key(13);
    await expectFocus('Text2');
    const left = await shotsOfBox('Text1');
    assert.ok(left.every((shot) => inkCount(shot) === inkCount(left[0]) && inkCount(shot) > 0),
      'the box left behind still blinks, or its digits are gone');
    caretOf(await blinkingBox('Text2'));
  });

  step('Czech letters are typed as they are, and count as one character each', async () => {
    await player.type('č');
    await player.expect('ip.Text2.Text', 'č');
    // The third character moves the focus on by itself.
    await player.type('šř');
    await player.expect('ip.Text2.Text', 'čšř');
    await expectFocus('Text3');
    await player.type('ž');
    await player.expect('ip.Text3.Text', 'ž');
    await player.key(8);
    await player.expect('ip.Text3.Text', '');
    await expectFocus('Text3');
  });

  step('Tab and Shift+Tab move the focus round the four boxes', async () => {
    await page.keyboard.press('Tab');
    await expectFocus('Text4');
    // Round the end: from the last box to the first.
    await page.keyboard.press('Tab');
    await expectFocus('Text1');
    await page.keyboard.down('Shift');
    await page.keyboard.press('Tab');
    await page.keyboard.up('Shift');
    await expectFocus('Text4');
    // The keyboard stays the game's: the next key goes into the box Tab moved to.
    await player.type('9');
    await player.expect('ip.Text4.Text', '9');
    await player.expect('ip.Text1.Text', '15');
    assert.equal(await focus(), 'Text4');
  });

  step('Escape in an address box ends the game; a new game starts from the button', async () => {
    await player.key(27);
    await waitForState(page, 'ended');
    await player.until('the game ended', (scene) => scene.ended === true);
    assert.equal(await page.$eval('#new-game', (button) => button.hidden), false, '#new-game is hidden');
    assert.notEqual((await page.$eval('#status', (status) => status.textContent)).trim(), '', '#status says nothing');

    await page.click('#new-game');
    await waitForState(page, 'playing');
    await player.until('a new game', (scene) => scene.ended === false);
    await player.play(`
      expect start.Visible True
      expect ip.Visible False
      expect start.Visible False
      expect Statistika.Label3.Caption 0
      click connect Picture1
      expect ip.Visible True
      expect ip.Text1.Text 
    `);
    assert.equal(await page.$eval('#new-game', (button) => button.hidden), true, '#new-game still shows');
    assert.deepEqual(page.problems, [], 'the page reported errors');
  });
});
