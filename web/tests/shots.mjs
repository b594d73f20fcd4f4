// Pictures of the page for a person to look at, in build/web-shots/: a phone (360 x 740) and a
// desktop window (1024 x 768), each before and after a sample swim, with the help menu, a message
// box and the text window.   node web/tests/shots.mjs
import {mkdirSync} from 'node:fs';
import {join} from 'node:path';
import {launchBrowser, startSite, openCalculator, repoRoot} from './support.mjs';

const dir = join(repoRoot, 'build', 'web-shots');
mkdirSync(dir, {recursive: true});
const site = await startSite();
const browser = await launchBrowser();
try {
  for (const [name, viewport] of [['phone', {width: 360, height: 740}], ['desktop', {width: 1024, height: 768}]]) {
    const page = await openCalculator(browser.context, site.url, viewport);
    await page.screenshot({path: join(dir, `${name}-start.png`), fullPage: true});
    await page.getByRole('radio', {name: '33 1/3 yards'}).click();
    await page.getByRole('radio', {name: 'Fly 200'}).click();
    await page.locator('#txtATime').pressSequentially('2.05.37');
    await page.screenshot({path: join(dir, `${name}-swim.png`), fullPage: true});
    await page.locator('#cmdHelp').click();
    await page.screenshot({path: join(dir, `${name}-menu.png`)});
    await page.getByRole('menuitem', {name: 'About this program'}).click();
    await page.screenshot({path: join(dir, `${name}-about.png`)});
    await page.getByRole('button', {name: 'OK'}).click();
    await page.locator('#cmdHelp').click();
    await page.getByRole('menuitem', {name: 'GB Points'}).click();
    await page.screenshot({path: join(dir, `${name}-text.png`)});
    await page.close();
  }
} finally {
  await browser.close();
  await site.close();
}
console.log(`pictures in ${dir}`);

// The entries page at a desktop's size with the golden county meet checked in 25 metres against
// its qualifying times, and its printed report (Chromium's print to PDF) for a generated meet of
// five clubs: build/web-shots/entries-desktop.png and entries-print.pdf.
{
  const {execFileSync} = await import('node:child_process');
  const {writeFileSync, mkdtempSync} = await import('node:fs');
  const {tmpdir} = await import('node:os');
  const golden = join(repoRoot, 'tests', 'meet', 'golden');
  const site2 = await startSite();
  const browser2 = await launchBrowser();
  try {
    const page = await browser2.context.newPage();
    await page.setViewportSize({width: 1280, height: 720});
    await page.goto(`${site2.url}entries.html`);
    await page.waitForSelector('html[data-ready]');
    await page.getByLabel('Qualifying times').setInputFiles(join(golden, 'county-lists.xml'));
    await page.getByLabel('Course').selectOption('SCM');
    await page.getByLabel('Meet file').setInputFiles(join(golden, 'county-scm.lxf'));
    await page.waitForSelector('html[data-ready]:not([data-busy])');
    await page.getByRole('button', {name: 'Verdict'}).click();
    await page.screenshot({path: join(dir, 'entries-desktop.png')});

    const meet = join(mkdtempSync(join(tmpdir(), 'equivtimes-shots-')), 'generated.lef');
    writeFileSync(meet, execFileSync(join(repoRoot, 'bench', 'meet', 'generate.sh'), ['600']));
    await page.getByLabel('Meet file').setInputFiles(meet);
    await page.waitForSelector('html[data-ready]:not([data-busy])');
    await page.pdf({path: join(dir, 'entries-print.pdf'), preferCSSPageSize: true});
    await page.close();
  } finally {
    await browser2.close();
    await site2.close();
  }
}
