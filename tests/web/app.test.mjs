// The page as a web app: nothing it loads comes from another site, its policy allows no inline
// script and no eval, its manifest makes it installable, and once visited it plays with the
// server gone, from what its service worker kept.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';

import { launchBrowser, openPage, readArguments, serveSite, sleep, watchdog } from './harness.mjs';

const settings = readArguments();

let server;
let browser;
let page;
const requested = [];

watchdog(90, async () => {
  await browser?.close();
  await server?.close();
});
before(async () => {
  server = await serveSite(settings.site);
  browser = await launchBrowser(settings);
});
after(async () => {
  await browser?.close();
  await server?.close();
});

describe('the page as a web app', () => {
  test('loads nothing from elsewhere, under a policy without inline script or eval', { timeout: 30_000 }, async () => {
    page = await openPage(browser, server.url);
    page.on('request', (request) => requested.push(request.url()));
    await page.reload({ waitUntil: 'load' });
    await page.waitForFunction(() => document.body.dataset.state === 'playing' && window.quillonPage.frames > 0);
    const origin = new URL(server.url).origin;
    const elsewhere = requested.filter((url) => !/^(data|blob):/.test(url) && new URL(url).origin !== origin);
    assert.deepEqual(elsewhere, []);
    assert.deepEqual(server.missing, [], 'the page asked for files the site does not have');

    const policy = await page.$eval('meta[http-equiv="Content-Security-Policy"]', (meta) => meta.content);
    assert.match(policy, /default-src 'self'/);
    assert.match(policy, /script-src 'self' 'wasm-unsafe-eval'/);
    assert.doesNotMatch(policy, /unsafe-inline|'unsafe-eval'/);
    // The page as served: no inline script, style or event handler that the policy would block.
    const html = await page.evaluate(async () => (await fetch(location.href)).text());
    assert.doesNotMatch(html, /<script(?![^>]*\bsrc=)[^>]*>/);
    assert.doesNotMatch(html, /<style\b|\sstyle=|\son[a-z]+=/i);
    assert.deepEqual(page.problems, [], 'the page reported errors (a blocked script or style among them)');
  });

  test('has a manifest that installs it', async () => {
    const manifest = await page.evaluate(async () => {
      const link = document.querySelector('link[rel="manifest"]');
      return (await fetch(link.href)).json();
    });
    assert.equal(manifest.name, 'Quillon');
    assert.ok(manifest.start_url, 'no start_url');
    assert.ok(['fullscreen', 'standalone'].includes(manifest.display), `display ${manifest.display}`);
    assert.ok(manifest.icons?.length > 0, 'no icon');
    for (const icon of manifest.icons) {
      const status = await page.evaluate(async (src) => (await fetch(src)).status, icon.src);
      assert.equal(status, 200, `the icon ${icon.src}`);
    }
  });

  test('plays offline once visited: the server gone, the page comes back and plays', { timeout: 40_000 }, async () => {
    await page.waitForFunction(
      async () => (await navigator.serviceWorker.ready).active?.state === 'activated',
      { timeout: 20_000 },
    );
    await server.close();
    server = null;
    await page.reload({ waitUntil: 'load', timeout: 20_000 });
    await page.waitForFunction(
      () => document.body.dataset.state === 'playing' && window.quillonPage.frames > 0,
      { timeout: 20_000 },
    );
    // The desktop took its first screens from the game: the game itself runs.
    const scene = await page.evaluate(() => window.quillonPage.scene());
    assert.ok(scene.screens.some((screen) => screen.name === 'board'), 'the message board is not shown');
    await sleep(100);
    assert.deepEqual(page.problems.filter((problem) => !/Failed to load resource/.test(problem)), []);
  });
});
