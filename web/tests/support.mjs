// Shared by the page's tests, benchmark and screenshots: Debian's Chromium under Playwright, with
// a profile of its own, and the built site served on the loopback address.
import {mkdtempSync, readFileSync, rmSync} from 'node:fs';
import {createRequire} from 'node:module';
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

// The accessibility rules axe-core finds broken on the page as it is now: one line per rule and
// element ("region: .privacy"), none when the page passes. axe runs inside the page, put there by
// the driver (the page's own policy lets no other script in).
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
export async function axeViolations(page) {
  if (!(await page.evaluate(() => 'axe' in window))) {
    await page.evaluate(axeSource);
  }
  const violations = await page.evaluate(async () => (await window.axe.run()).violations
    .map((v) => [v.id, v.impact, v.nodes.map((n) => n.target.join(' '))]));
  return violations.flatMap(([id, impact, nodes]) => nodes.map((node) => `${id} (${impact}): ${node}`));
}
