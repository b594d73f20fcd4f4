// Shared by the page's tests, benchmark and screenshots: Debian's Chromium under Playwright, with
// a profile of its own, and the built site served on the loopback address.
import {mkdtempSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join, dirname} from 'node:path';
import {fileURLToPath} from 'node:url';
import {chromium} from 'playwright-core';
import {serve} from '../serve.mjs';

export const repoRoot = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
export const siteDir = process.env.EQUIVTIMES_WEB_DIR || join(repoRoot, 'build', 'web');

// A fresh browser that fetches nothing on its own. close() also removes its profile.
export async function launchBrowser(options = {}) {
  const profile = mkdtempSync(join(tmpdir(), 'equivtimes-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    ...options,
  });
  return {
    context,
    async close() {
      await context.close();
      rmSync(profile, {recursive: true, force: true});
    },
  };
}

// Serves `dir` on 127.0.0.1; resolves to {url, close}.
export async function startSite(dir = siteDir) {
  const server = await serve(dir, 0);
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => new Promise((done) => server.close(done)),
  };
}

// A page of the context at the given viewport, opened at `url` and ready for input.
export async function openCalculator(context, url, viewport = {width: 1024, height: 768}) {
  const page = await context.newPage();
  await page.setViewportSize(viewport);
  await page.goto(url);
  await page.waitForSelector('html[data-interactive]');
  return page;
}
