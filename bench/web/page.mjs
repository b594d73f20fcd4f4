// The web page's benchmark, each figure against a floor measured in the same run: a page that
// only echoes the time box into one element.
//   node bench/web/page.mjs      (after scripts/web and npm ci in web/)
// Prints tab-separated rows: measurement, figure, ratio.
import {readFileSync} from 'node:fs';
import {join} from 'node:path';
import {gzipSync} from 'node:zlib';
import {launchBrowser, startSite, siteDir, repoRoot} from '../../web/tests/support.mjs';

const loads = Number(process.env.BENCH_WEB_LOADS || 15);
const keys = Number(process.env.BENCH_WEB_KEYS || 1000);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const row = (...cells) => console.log(cells.join('\t'));

// Everything the calculator page needs, as a static host sends it: the service worker fetches each
// file once (the entries page's files only once that page is opened).
const swList = readFileSync(join(siteDir, 'sw.js'), 'utf8').match(/const FILES = \[(.*)\];/)[1];
const files = [...swList.matchAll(/'([^']+)'/g)].map((m) => m[1]).filter((f) => f !== './').concat('sw.js');
let total = 0;
let raw = 0;
for (const file of files) {
  const bytes = readFileSync(join(siteDir, file));
  raw += bytes.length;
  total += file.endsWith('.png') ? bytes.length : gzipSync(bytes, {level: 9}).length;
}
row(`transfer size, every file of the calculator page (${files.length}), gzip -9`,
    `${(total / 1024).toFixed(1)} KiB (${(raw / 1024).toFixed(1)} KiB raw)`, 'goal < 150 KiB');

const site = await startSite();
const echo = await startSite(join(repoRoot, 'bench', 'web', 'echo'));
// No service worker: every load goes to the (loopback) network, like a first visit.
const browser = await launchBrowser({serviceWorkers: 'block'});
try {
  const page = await browser.context.newPage();
  await page.setViewportSize({width: 1024, height: 768});

  // What one visit transfers over the wire, as the browser counts it.
  let wire = 0;
  const counted = (response) => response.request().sizes().then((s) => { wire += s.responseBodySize; });
  const pending = [];
  page.on('response', (response) => pending.push(counted(response)));
  await page.goto(site.url);
  await page.waitForSelector('html[data-interactive]');
  await Promise.all(pending);
  page.removeAllListeners('response');
  row('transfer size, one visit without the service worker (bodies as sent)', `${(wire / 1024).toFixed(1)} KiB`, '');

  const firstFrame = async (url) => {
    await page.goto(url);
    await page.waitForSelector('html[data-interactive]');
    return page.evaluate(() => performance.getEntriesByName('equivtimes-interactive')[0].startTime);
  };
  const pageTimes = [];
  const echoTimes = [];
  for (let i = 0; i < loads; ++i) {
    pageTimes.push(await firstFrame(site.url));
    echoTimes.push(await firstFrame(echo.url));
  }
  const [p, e] = [median(pageTimes), median(echoTimes)];
  row(`navigation to first interactive frame, median of ${loads} (page / echo page)`,
      `${p.toFixed(1)} ms / ${e.toFixed(1)} ms`, `${(p / e).toFixed(2)}x`);

  // A swim typed and deleted key by key, each text handed to the time box's input handler, the
  // layout brought up to date after each key. The two pages take turns, so that both see the
  // same load of the machine; the ratio is the median of the rounds' ratios.
  const keyPage = await browser.context.newPage();
  const keyEcho = await browser.context.newPage();
  for (const [tab, url] of [[keyPage, site.url], [keyEcho, echo.url]]) {
    await tab.setViewportSize({width: 1024, height: 768});
    await tab.goto(url);
    await tab.waitForSelector('html[data-interactive]');
  }
  const typeSwim = (tab) => tab.evaluate((count) => {
    const typed = '1:02.37';
    const texts = [];
    for (let i = 1; i <= typed.length; ++i) texts.push(typed.slice(0, i));
    for (let i = typed.length - 1; i >= 0; --i) texts.push(typed.slice(0, i));
    const input = document.getElementById('txtATime');
    const start = performance.now();
    for (let i = 0; i < count; ++i) {
      input.value = texts[i % texts.length];
      input.dispatchEvent(new Event('input', {bubbles: true}));
      void document.body.offsetHeight;
    }
    return (performance.now() - start) / count;
  }, keys);
  const rounds = 9;
  const pageKeys = [];
  const echoKeys = [];
  const ratios = [];
  for (let round = 0; round < rounds; ++round) {
    pageKeys.push(await typeSwim(keyPage));
    echoKeys.push(await typeSwim(keyEcho));
    ratios.push(pageKeys.at(-1) / echoKeys.at(-1));
  }
  row(`keystroke, input event to every box written and laid out, ${rounds} rounds of ${keys} keys (page / echo page)`,
      `${(median(pageKeys) * 1000).toFixed(1)} µs / ${(median(echoKeys) * 1000).toFixed(1)} µs`,
      `${median(ratios).toFixed(2)}x (goal ≤ 3x)`);
} finally {
  await browser.close();
  await site.close();
  await echo.close();
}
