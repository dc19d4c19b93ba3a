// docs/web.png: the game in Chromium, the page's bar and all, played with the mouse and the
// keyboard up to the `shot` line of a screenshot script (docs/screenshots/*.qs).
//   node tools/web/screenshot.mjs SCRIPT OUTPUT.png  (after make web)
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { launchBrowser, loadDesigns, openPage, Player, serveSite, settle } from '../../tests/web/harness.mjs';

const source = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const [script, output] = process.argv.slice(2);
if (!output) {
  console.error('usage: node tools/web/screenshot.mjs SCRIPT OUTPUT.png');
  process.exit(2);
}
const lines = readFileSync(script, 'utf8').split('\n');
const shot = lines.findIndex((line) => line.startsWith('shot '));
const moves = (shot < 0 ? lines : lines.slice(0, shot)).join('\n');

const server = await serveSite(path.join(source, 'build-web/site'));
const browser = await launchBrowser({ nodeModules: path.join(source, 'node_modules'), chromium: '/usr/bin/chromium' });
try {
  const page = await openPage(browser, server.url);
  await new Player(page, await loadDesigns(page)).play(moves);
  await settle(page);
  await page.screenshot({ path: output, type: 'png' });
  console.log(output);
} finally {
  await browser.close();
  await server.close();
}
