// A swimmer's season on the entries page in headless Chromium against the command line on the
// same results files: the chart's SVG byte for byte, its marks' titles within reach of a screen
// reader, the swimmer chosen by name among namesakes, at desktop and phone width.
//
//   EQUIVTIMES_CLI=PATH   the command line (build/dev/src/cli/equivtimes-cli)
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {spawnSync} from 'node:child_process';
import {readFileSync} from 'node:fs';
import {join} from 'node:path';
import {launchBrowser, startSite, repoRoot, axeViolations} from './support.mjs';

const cli = process.env.EQUIVTIMES_CLI || join(repoRoot, 'build', 'dev', 'src', 'cli', 'equivtimes-cli');
const data = join(repoRoot, 'tests', 'chart', 'data');
const RESULTS = ['autumn.lef', 'spring.lef', 'summer.lef'];

let site;
let browser;
before(async () => {
  site = await startSite();
  browser = await launchBrowser({acceptDownloads: true});
});
after(async () => {
  await browser?.close();
  await site?.close();
});

// The command line's chart of the swimmer in the course, from the same files.
function commandLine(swimmer, course) {
  const run = spawnSync(cli, ['progression', ...RESULTS, '--course', course, '--swimmer', swimmer],
                        {cwd: data});
  assert.equal(run.status, 0, run.stderr.toString());
  return run.stdout;
}

async function openSeason(viewport) {
  const page = await browser.context.newPage();
  await page.setViewportSize(viewport);
  await page.goto(`${site.url}entries.html`);
  await page.waitForSelector('html[data-ready]');
  await page.getByRole('tab', {name: "Make a club's entries from results"}).click();
  await page.getByLabel('Results', {exact: true}).setInputFiles(RESULTS.map((name) => join(data, name)));
  await page.waitForFunction(() => /swimmers: choose one/.test(document.getElementById('chart-status').textContent));
  return page;
}

// Chooses the swimmer and the pool, and waits for the chart drawn for them.
async function draw(page, swimmer, label) {
  await page.getByRole('combobox', {name: /^Pool/}).selectOption({label});
  await page.getByLabel('Swimmer', {exact: true}).fill(swimmer);
  await page.waitForFunction(([name, caption]) => document.querySelector('#chart svg > title')
    ?.textContent === `Season of ${name} in ${caption}`, [swimmer.replace(/ \(.*$/, ''), label.replace(/ \(.*$/, '')]);
}

test('the chart of a swimmer is the command line\'s, byte for byte, with its titles for a screen reader', async () => {
  const page = await openSeason({width: 1280, height: 800});
  // Two swimmers of one name are told apart by birth date and club.
  const pikes = await page.locator('#chart-swimmers option').evaluateAll(
    (options) => options.map((o) => o.value).filter((v) => /^pike, cara /i.test(v)));
  assert.deepEqual(pikes, ['Pike, Cara (2011-07-07, Lakeside)', 'PIKE, cara (2012-02-02, Hillside)']);

  await draw(page, 'Otter, Ada (2012-03-05, Riverside SC, license 123456)', '50 metres (LCM)');
  assert.equal(await page.locator('#chart-status').textContent(), '1 swim with no date is not drawn');
  const [file] = await Promise.all([page.waitForEvent('download'),
                                    page.getByRole('button', {name: 'Download chart (SVG)'}).click()]);
  assert.equal(file.suggestedFilename(), 'Otter-Ada-LCM.svg');
  const saved = readFileSync(await file.path());
  assert.ok(saved.equals(commandLine('Otter, Ada', 'LCM')), 'the page\'s SVG differs from the command line\'s');

  // Each swim drawn is an image named by its title: the date, the meet, both times.
  const marks = page.locator('#chart svg g[role="img"]');
  assert.equal(await marks.count(), 6);
  await page.getByRole('img', {name: /^2026-07-18, Holiday Gala: .* in 25 yards, .* the best in 50 metres$/}).waitFor();
  assert.deepEqual(await axeViolations(page), [], 'a chart shown');
  await page.close();
});

test('at phone width the chart fits the screen, and another pool redraws it', async () => {
  const page = await openSeason({width: 360, height: 740});
  await draw(page, 'Otter, Ada (2012-03-05, Riverside SC, license 123456)', '50 metres (LCM)');
  const box = await page.locator('#chart svg').boundingBox();
  assert.ok(box.x >= 0 && box.x + box.width <= 360, `the chart runs off the screen: ${JSON.stringify(box)}`);
  await page.getByRole('combobox', {name: /^Pool/}).selectOption({label: '25 yards (SCY)'});
  await page.waitForFunction(() => / in 25 yards$/.test(document.querySelector('#chart svg > title')?.textContent));
  const [file] = await Promise.all([page.waitForEvent('download'),
                                    page.getByRole('button', {name: 'Download chart (SVG)'}).click()]);
  assert.ok(readFileSync(await file.path()).equals(commandLine('otter, ada', 'SCY')));
  await page.close();
});
