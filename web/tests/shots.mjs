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
