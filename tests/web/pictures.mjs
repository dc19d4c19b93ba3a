// The window's pictures of a state of the game, taken by the screenshot tool from a script of
// docs/screenshots/, to hold the page's pictures against.
import { spawnSync } from 'node:child_process';
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import os from 'node:os';
import path from 'node:path';

import { comparePictures, decodePng, encodePng } from './png.mjs';

// Where the pictures go: $QUILLON_WEB_PICTURES (CTest names a folder of the build), else
// quillon-web-pictures in the system's temporary folder.
export function picturesFolder() {
  const folder = process.env.QUILLON_WEB_PICTURES || path.join(os.tmpdir(), 'quillon-web-pictures');
  mkdirSync(folder, { recursive: true });
  return folder;
}

// The script up to its first `shot` line, which takes the picture into `file` instead.
function upToFirstShot(script, file) {
  const lines = script.split('\n');
  const shot = lines.findIndex((line) => line.startsWith('shot '));
  if (shot < 0) throw new Error('the script takes no picture');
  return [...lines.slice(0, shot), `shot ${file}`, ''].join('\n');
}

// The window's picture at the first `shot` of `scriptFile`, and what `items` print there.
export function windowPicture({ screenshotTool, game }, scriptFile, name, items = []) {
  const folder = picturesFolder();
  const picture = path.join(folder, `${name}-window.png`);
  const script = upToFirstShot(readFileSync(scriptFile, 'utf8'), picture);
  const scriptPath = path.join(folder, `${name}.qs`);
  writeFileSync(scriptPath, script);
  const run = spawnSync(screenshotTool, [scriptPath], {
    encoding: 'utf8',
    timeout: 60_000,
    env: { ...process.env, LC_ALL: 'C' },
  });
  if (run.error || run.status !== 0) {
    throw new Error(`${screenshotTool} ${scriptPath} failed (${run.error ?? `status ${run.status}`}): ${run.stderr}`);
  }
  // The same state in script mode tells what the window shows there.
  const printed = {};
  if (items.length > 0) {
    const printing = path.join(folder, `${name}-print.qs`);
    writeFileSync(printing, script.replace(/^shot .*$/m, items.map((item) => `print ${item}`).join('\n')));
    const state = spawnSync(game, ['--script', printing], {
      encoding: 'utf8',
      timeout: 60_000,
      env: { ...process.env, LC_ALL: 'C' },
    });
    for (const line of (state.stdout ?? '').split('\n')) {
      const at = line.indexOf('=');
      if (items.includes(line.slice(0, at))) printed[line.slice(0, at)] = line.slice(at + 1);
    }
    const unknown = items.filter((item) => !(item in printed));
    if (state.status !== 0 || unknown.length > 0) {
      throw new Error(`${game} --script ${printing} did not print ${unknown.join(', ')} ` +
        `(${state.error ?? `status ${state.status}`}): ${state.stderr}`);
    }
  }
  return { picture: decodePng(readFileSync(picture)), printed };
}

// Compares the page's picture with the window's, saves the page's and the difference beside it,
// and returns the figures.
export function comparedWithWindow(name, pagePicture, windowPicture) {
  const folder = picturesFolder();
  writeFileSync(path.join(folder, `${name}-page.png`), encodePng(pagePicture));
  const figures = comparePictures(pagePicture, windowPicture);
  writeFileSync(path.join(folder, `${name}-difference.png`), encodePng(figures.diff));
  return figures;
}

export function percent(share) {
  return `${(share * 100).toFixed(2)} %`;
}
