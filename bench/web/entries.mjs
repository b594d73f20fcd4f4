// The entries page's benchmark, against the command line on the same files in the same run:
// a generated meet of 100,000 entries from the file handed to the page to its rows and counts on
// the screen, against `equivtimes-cli entries meet.lef --report report.csv` (the same rows and
// counts, as a file), the two taking turns; the WebAssembly memory's peak against the file; a
// meet of 5,000 entries; what the page and its module transfer; where the page's time on the
// large meet goes, step by step (the marks of its worker and of the page).
//   node bench/web/entries.mjs [CLI]    (after scripts/web and npm ci in web/; CLI defaults to
//                                        build/release/src/cli/equivtimes-cli)
// Prints tab-separated rows: measurement, figure, ratio.
import {execFileSync, spawnSync} from 'node:child_process';
import {mkdtempSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {gzipSync} from 'node:zlib';
import {launchBrowser, startSite, siteDir, repoRoot} from '../../web/tests/support.mjs';

const cli = process.argv[2] || join(repoRoot, 'build', 'release', 'src', 'cli', 'equivtimes-cli');
const runs = Number(process.env.BENCH_ENTRIES_RUNS || 7);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const row = (...cells) => console.log(cells.join('\t'));
const kib = (bytes) => `${(bytes / 1024).toFixed(1)} KiB`;

// The entries page's own files and the module, as a static host sends them (gzip -9).
const sw = readFileSync(join(siteDir, 'sw.js'), 'utf8');
const own = [...sw.match(/const ENTRIES = \[(.*)\];/)[1].matchAll(/'([^']+)'/g)].map((m) => m[1]);
const shared = ['manifest.webmanifest', 'sw.js', 'icons/equivtimes.svg'];
let packed = 0;
for (const file of [...own, ...shared]) {
  packed += gzipSync(readFileSync(join(siteDir, file)), {level: 9}).length;
}
row(`transfer size, the entries page with its module (${own.length + shared.length} files), gzip -9`,
    kib(packed), 'goal < 400 KiB');

const work = mkdtempSync(join(tmpdir(), 'equivtimes-bench-'));
const generate = (entries) => {
  const path = join(work, `meet-${entries}.lef`);
  writeFileSync(path, execFileSync(join(repoRoot, 'bench', 'meet', 'generate.sh'), [String(entries)],
                                   {maxBuffer: 256 << 20}));
  return path;
};
const site = await startSite();
const browser = await launchBrowser({serviceWorkers: 'block'});
try {
  const page = await browser.context.newPage();
  await page.setViewportSize({width: 1280, height: 800});
  let wire = 0;
  const pending = [];
  page.on('response', (response) => pending.push(
    response.request().sizes().then((s) => { wire += s.responseBodySize; })));
  await page.goto(`${site.url}entries.html`);
  await page.waitForSelector('html[data-ready]');
  // The module is fetched by the worker of the first meet.
  const small = generate(20);
  // The steps of the worker that checked the meet (it stays as the one of the meet shown), as
  // times since the file was chosen: [step, ms].
  const STEPS = ['module-ready', 'file-read', 'file-copied', 'meet-opened', 'entries-checked',
                 'checked-sent'];
  let steps = [];
  const pageTime = async (path) => {
    await page.getByLabel('Meet file').setInputFiles(path);
    await page.waitForFunction(() => performance.getEntriesByName('entries-ready').length > 0,
                               null, {timeout: 120000});
    const [chosen, ready] = await page.evaluate(() => ['entries-file', 'entries-ready'].map(
      (name) => performance.timeOrigin + performance.getEntriesByName(name)[0].startTime));
    steps = [];
    for (const worker of page.workers()) {
      const marks = await worker.evaluate((names) => names.map((name) => {
        const [mark] = performance.getEntriesByName(name);
        return mark ? performance.timeOrigin + mark.startTime : null;
      }), ['check', ...STEPS]);
      if (marks[0] !== null && marks[0] >= chosen) {
        // The library may have been ready before the file was chosen.
        steps = STEPS.map((name, i) => [name, Math.max(0, marks[i + 1] - chosen)]);
      }
    }
    steps.push(['entries-ready', ready - chosen]);
    return ready - chosen;
  };
  await pageTime(small);
  await Promise.all(pending);
  page.removeAllListeners('response');
  row('transfer size, the entries page and its module in one visit (bodies as sent)', kib(wire), '');

  for (const entries of [100000, 5000]) {
    const meet = generate(entries);
    const size = readFileSync(meet).length;
    const nativeTime = () => {
      const start = process.hrtime.bigint();
      const run = spawnSync(cli, ['entries', meet, '--report', join(work, 'report.csv')]);
      if (run.status !== 0) {
        throw new Error(`${cli}: ${run.stderr}`);
      }
      return Number(process.hrtime.bigint() - start) / 1e6;
    };
    const pageTimes = [];
    const nativeTimes = [];
    const stepTimes = [];
    // Each meet is a new file to the page; the two copies alternate.
    const copies = [meet, `${meet}.2.lef`];
    writeFileSync(copies[1], readFileSync(meet));
    await pageTime(copies[1]);
    nativeTime();
    for (let i = 0; i < runs; ++i) {
      pageTimes.push(await pageTime(copies[i % 2]));
      stepTimes.push(steps);
      nativeTimes.push(nativeTime());
    }
    const [p, n] = [median(pageTimes), median(nativeTimes)];
    const count = entries.toLocaleString('en');
    if (entries === 100000) {
      row(`entries page: ${count} entries (${(size / 1e6).toFixed(1)} MB), file to table and counts, median of ${runs} (page / equivtimes-cli entries --report)`,
          `${(p / 1000).toFixed(3)} s / ${(n / 1000).toFixed(3)} s`, `${(p / n).toFixed(2)}x (goal ≤ 3x)`);
      const heap = Number(await page.evaluate(() => document.documentElement.dataset.heap));
      row(`entries page: WebAssembly memory's peak, ${count} entries`,
          kib(heap), `${(heap / size).toFixed(2)}x the file (goal ≤ 4x)`);
      // Each step's median end, from the file chosen: the worker's library ready, the file read,
      // copied into the module, the meet read, its entries checked (their rows sent as they
      // come), the counts and fees sent; the table and counts on the screen.
      const ends = stepTimes[0].map(([name], s) => [name, median(stepTimes.map((t) => t[s][1]))]);
      row(`entries page: ${count} entries, median end of each step from the file chosen`,
          ends.map(([name, ms]) => `${name} ${ms.toFixed(0)} ms`).join(', '), '');
    } else {
      row(`entries page: ${count} entries (${(size / 1e6).toFixed(1)} MB), file to table and counts, median of ${runs} (page / equivtimes-cli entries --report)`,
          `${p.toFixed(0)} ms / ${n.toFixed(0)} ms`, 'goal well under 1 s');
    }
  }
} finally {
  await browser.close();
  await site.close();
  rmSync(work, {recursive: true, force: true});
}
