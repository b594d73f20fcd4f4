// The web page in headless Chromium against the window's form logic run natively (form_replay):
// a long random session of clicks, keys, pastes, menus and boxes must show, after every action,
// exactly what the form logic shows for the same actions; the help texts must arrive whole; the
// accessible names must be the desktop window's; the page must work with the network cut.
//
//   EQUIVTIMES_MONKEY_SEED=N      replay the session of that seed (a fresh one otherwise)
//   EQUIVTIMES_MONKEY_ACTIONS=N   length of the session (1200 unless set)
//   EQUIVTIMES_FORM_REPLAY=PATH   the native replay program (build/dev/tests/web/form_replay)
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {join} from 'node:path';
import {launchBrowser, startSite, openCalculator, repoRoot, axeViolations} from './support.mjs';

const replayProgram = process.env.EQUIVTIMES_FORM_REPLAY ||
    join(repoRoot, 'build', 'dev', 'tests', 'web', 'form_replay');
const seed = Number(process.env.EQUIVTIMES_MONKEY_SEED || Math.floor(Math.random() * 2 ** 31));
const actionCount = Number(process.env.EQUIVTIMES_MONKEY_ACTIONS || 1200);

let site;
let browser;
before(async () => {
  site = await startSite();
  browser = await launchBrowser();
});
after(async () => {
  await browser?.close();
  await site?.close();
});

// Runs actions through the native form logic; one display line per action, parsed.
function replay(actions) {
  const out = execFileSync(replayProgram, {input: actions.map((a) => `${a}\n`).join(''),
                                           maxBuffer: 256 * 1024 * 1024});
  return out.toString().trimEnd().split('\n').map((line) => JSON.parse(line));
}

// What the page shows, in form_replay's order. Message boxes are read, then closed with OK, Enter
// or Esc as `closeWith` says, one after another.
async function display(page, closeWith = 'click') {
  const messages = [];
  for (;;) {
    const shown = await page.evaluate(async () => {
      // Input still queued in the browser is handled before the next frame.
      await new Promise((done) => requestAnimationFrame(() => done()));
      const box = document.getElementById('msgbox');
      if (box.open) {
        return {message: [document.getElementById('msgbox-title').textContent,
                          document.getElementById('msgbox-text').textContent.replaceAll('\n', '\r\n')]};
      }
      // By option index, not screen order.
      const group = (name) => [...document.getElementsByName(name)]
        .sort((a, b) => Number(a.id.split('_')[1]) - Number(b.id.split('_')[1]));
      const selected = (name) => group(name).findIndex((input) => input.checked);
      const visible = (name) => group(name).map((input) => (input.checkVisibility() ? '1' : '0')).join('');
      const text = (id) => document.getElementById(id).textContent;
      const textwin = document.getElementById('Textwin');
      return {shown: [selected('optPoolLen'), visible('optPoolLen'), selected('optEvent'), visible('optEvent'),
                      text('lblTime'), text('lblMetric'), text('lblIntC'), text('lblImp'),
                      document.getElementById('txtATime').value,
                      ...[...Array(9).keys()].map((i) => text(`txtETime_${i}`)),
                      text('txtGBPnt_0'), text('txtGBPnt_1'), !textwin.hidden,
                      textwin.hidden ? '' : document.getElementById('ScrText').value.replaceAll('\n', '\r\n')]};
    });
    if (shown.shown) {
      shown.shown.splice(20, 0, messages);
      return shown.shown;
    }
    messages.push(shown.message);
    if (closeWith === 'click') {
      await page.locator('#msgbox button').click();
    } else {
      await page.keyboard.press(closeWith);
    }
  }
}

// A small seeded generator (mulberry32), so that a failing session can be run again.
function generator(start) {
  let state = start >>> 0;
  const next = () => {
    state = (state + 0x6d2b79f5) >>> 0;
    let t = state;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
  return {
    next,
    below: (n) => Math.floor(next() * n),
    pick: (items) => items[Math.floor(next() * items.length)],
  };
}

const KEYS = [...'0123456789', ...'0123456789', '.', '.', ':', ' ', 'x', ','];
const TIMES = ['60.00', '1:00.00', '59.99', '10.00', '10.01', '2700.00', '45:00.00', '45:00.01', '25.5',
               '1.05.37', '2.10.5', '15:59.99', '9.80', '', '  61.2  ', 'abc', '1..2', '3:', '100'];
const HELP_ITEMS = [['mnuHelpAbout', 'a'], ['mnuHelpGBPoints', 'g'], ['mnuHelpVersion', 'v'],
                    ['mnuHelpIPNotice', 'c']];

// The options of a group that a person can see and reach now: [index, id].
async function reachable(page, name) {
  return page.evaluate((group) => [...document.getElementsByName(group)]
    .filter((input) => input.checkVisibility())
    .map((input) => [Number(input.id.split('_')[1]), input.id]), name);
}

// One random action on the page; returns the action lines it made for the form logic.
async function monkey(page, random, textOpen) {
  const roll = random.next();
  const time = page.locator('#txtATime');
  const timeValue = async () => `time ${await time.inputValue()}`;

  if (roll < 0.36) {
    await time.press(random.pick(KEYS));
    return [await timeValue()];
  }
  if (roll < 0.44) {
    await time.press(random.next() < 0.8 ? 'Backspace' : 'Delete');
    return [await timeValue()];
  }
  if (roll < 0.50) {
    // A paste of a whole text, or the box emptied.
    await time.fill(random.pick(TIMES));
    return [await timeValue()];
  }
  if (roll < 0.80) {
    const name = random.next() < 0.4 ? 'optPoolLen' : 'optEvent';
    const verb = name === 'optPoolLen' ? 'pool' : 'event';
    const [index, id] = random.pick(await reachable(page, name));
    const how = random.next();
    if (how < 0.5 && !textOpen) {
      await page.locator(`#${id}`).click();
    } else if (how < 0.75) {
      await page.locator(`#${id}`).focus();
      await page.keyboard.press('Space');
    } else {
      // The arrow keys move the selection through the group's shown options.
      await page.locator(`#${id}`).focus();
      await page.keyboard.press(random.pick(['ArrowDown', 'ArrowUp', 'ArrowRight', 'ArrowLeft']));
      const moved = await page.evaluate(() => document.activeElement.id);
      if (!moved.startsWith(`${name}_`)) {
        // The focus went elsewhere: whatever the page did now shows in the comparison.
        console.log(`arrow key from ${id} left the focus on "${moved}"`);
        return ['none'];
      }
      return [`${verb} ${Number(moved.split('_')[1])}`];
    }
    return [`${verb} ${index}`];
  }
  if (roll < 0.88 && !textOpen) {
    // The help menu, by mouse or keyboard; an item chosen, or the menu dismissed.
    const [item, key] = random.pick(HELP_ITEMS);
    const byKeyboard = random.next() < 0.5;
    if (byKeyboard) {
      await page.locator('#cmdHelp').focus();
      await page.keyboard.press('Enter');
    } else {
      await page.locator('#cmdHelp').click();
    }
    const dismiss = random.next() < 0.15;
    if (dismiss) {
      await page.keyboard.press('Escape');
      return ['help'];
    }
    if (byKeyboard) {
      await page.keyboard.press(key);
    } else {
      await page.locator(`[data-name=${item}]`).click();
    }
    return ['help', `item ${item}`];
  }
  if (roll < 0.92 && !textOpen) {
    await page.locator('#lblVersion').click();
    return ['version'];
  }
  if (textOpen && roll < 0.96) {
    if (random.next() < 0.3) {
      await page.locator('#ScrText').press(random.pick(['x', 'Enter', 'Backspace']));
      const text = await page.locator('#ScrText').inputValue();
      return [`edit ${text.replaceAll('\n', '\\n')}`];
    }
    if (random.next() < 0.5) {
      await page.locator('#cmdClrText').click();
    } else {
      await page.locator('#ScrText').press('Escape');
    }
    return ['cancel'];
  }
  return ['none'];
}

test(`a random session of ${actionCount} actions shows what the form logic shows (seed ${seed})`, async (t) => {
  const page = await openCalculator(browser.context, site.url, {width: 1024, height: 768});
  const random = generator(seed);
  const actions = ['none'];
  const shown = [await display(page)];
  let pageActions = 0;
  while (pageActions < actionCount) {
    const made = await monkey(page, random, shown.at(-1)[21]);
    ++pageActions;
    // A menu opened and dismissed or chosen in one go: the page shows its state after the last.
    actions.push(...made);
    for (let i = 1; i < made.length; ++i) {
      shown.push(null);
    }
    shown.push(await display(page, random.pick(['click', 'Enter', 'Escape'])));
  }
  const expected = replay(actions);
  assert.equal(expected.length, actions.length);
  let compared = 0;
  for (let i = 0; i < actions.length; ++i) {
    if (shown[i] === null) {
      continue;
    }
    // A message raised by the step before (the menu's own line) belongs to this one.
    const want = structuredClone(expected[i]);
    if (i > 0 && shown[i - 1] === null) {
      want[20] = [...expected[i - 1][20], ...want[20]];
    }
    assert.deepEqual(shown[i], want, `seed ${seed}, after action ${i} (${actions[i]}); actions so far:\n` +
                     actions.slice(Math.max(0, i - 15), i + 1).join('\n'));
    ++compared;
  }
  assert.equal(compared, actionCount + 1);
  const kinds = {};
  for (const action of actions) {
    const kind = action.split(' ')[0];
    kinds[kind] = (kinds[kind] || 0) + 1;
  }
  const boxes = expected.reduce((n, line) => n + line[20].length, 0);
  t.diagnostic(`actions: ${JSON.stringify(kinds)}; message boxes: ${boxes}`);
  await page.close();
});

test('the help texts and their titles arrive whole, from the menu and from the version label', async () => {
  const page = await openCalculator(browser.context, site.url);
  const expected = replay(['help', 'item mnuHelpAbout', 'help', 'item mnuHelpVersion', 'version',
                           'help', 'item mnuHelpIPNotice', 'help', 'item mnuHelpGBPoints']);
  const boxes = [];
  for (const open of [
    () => page.getByRole('menuitem', {name: 'About this program'}).click(),
    () => page.getByRole('menuitem', {name: 'Version'}).click(),
    null,
    () => page.getByRole('menuitem', {name: 'Copyright'}).click(),
  ]) {
    if (open) {
      await page.getByRole('button', {name: 'Help'}).click();
      await open();
    } else {
      await page.getByRole('button', {name: '2004 Edition'}).click();
    }
    const dialog = page.getByRole('dialog');
    const title = await page.locator('#msgbox-title').textContent();
    const text = (await page.locator('#msgbox-text').textContent()).replaceAll('\n', '\r\n');
    assert.equal(await dialog.getByRole('button').count(), 1, 'one button only');
    boxes.push([title, text]);
    await dialog.getByRole('button', {name: 'OK'}).click();
  }
  assert.deepEqual(boxes, [expected[1][20][0], expected[3][20][0], expected[4][20][0], expected[6][20][0]]);
  assert.ok(boxes[0][1].endsWith('time converted to 25m if necessary.'));

  await page.getByRole('button', {name: 'Help'}).click();
  await page.getByRole('menuitem', {name: 'GB Points'}).click();
  const text = (await page.getByRole('textbox', {name: 'GB points explanation'}).inputValue())
    .replaceAll('\n', '\r\n');
  assert.equal(text, expected[8][22]);
  assert.ok(text.endsWith('FINA and LEN points.\r\n\r\n'));
  await page.close();
});

test('a screen reader finds the desktop window\'s names, radio groups and polite results', async () => {
  const page = await openCalculator(browser.context, site.url, {width: 360, height: 740});
  const names = [
    ['radiogroup', 'Pool Length'], ['radiogroup', 'Event'], ['radio', '25 metres'], ['radio', '33 1/3 yards'],
    ['radio', 'Free 100'], ['radio', 'I.M. 400'], ['textbox', 'Time in 25 metres pool'],
    ['status', 'Converted time in 50 metres'], ['status', 'Converted time in 20 yards'],
    ['status', 'Male points'], ['status', 'Female points'], ['button', 'Help'], ['button', '2004 Edition'],
  ];
  for (const [role, name] of names) {
    assert.equal(await page.getByRole(role, {name, exact: true}).count(), 1, `${role} "${name}"`);
  }
  // From the keyboard alone: the time box has the focus, Tab and the arrows reach the rest.
  assert.equal(await page.evaluate(() => document.activeElement.id), 'txtATime');
  await page.keyboard.type('1:00.00');
  assert.equal(await page.getByRole('status', {name: 'Converted time in 25 metres'}).textContent(), ' 1.00.0');
  await page.getByRole('radio', {name: '25 metres'}).focus();
  await page.keyboard.press('ArrowDown');
  assert.equal(await page.getByRole('textbox', {name: 'Time in 20 metres pool'}).count(), 1);
  await page.getByRole('button', {name: 'Help'}).focus();
  await page.keyboard.press('Enter');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('Enter');
  assert.equal(await page.getByRole('dialog', {name: 'About Equivalent Performances'}).count(), 1);
  await page.keyboard.press('Escape');
  assert.equal(await page.locator('#msgbox[open]').count(), 0);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'cmdHelp');
  // Nothing wider than a phone's screen.
  const width = await page.evaluate(() => document.documentElement.scrollWidth);
  assert.ok(width <= 360, `page is ${width} px wide on a 360 px phone`);
  await page.close();
});

test('axe-core finds no accessibility rule broken, before and after a swim, with the menu, a box or a help text open', async () => {
  for (const viewport of [{width: 1024, height: 768}, {width: 360, height: 740}]) {
    const page = await openCalculator(browser.context, site.url, viewport);
    assert.deepEqual(await axeViolations(page), [], `empty, ${viewport.width} px`);
    await page.getByRole('radio', {name: '33 1/3 yards'}).click();
    await page.locator('#txtATime').pressSequentially('2.05.37');
    assert.deepEqual(await axeViolations(page), [], `a swim, ${viewport.width} px`);
    await page.locator('#cmdHelp').click();
    assert.deepEqual(await axeViolations(page), [], `the help menu, ${viewport.width} px`);
    await page.getByRole('menuitem', {name: 'About this program'}).click();
    assert.deepEqual(await axeViolations(page), [], `a message box, ${viewport.width} px`);
    await page.getByRole('button', {name: 'OK'}).click();
    await page.locator('#cmdHelp').click();
    await page.getByRole('menuitem', {name: 'GB Points'}).click();
    assert.deepEqual(await axeViolations(page), [], `the text window, ${viewport.width} px`);
    await page.close();
  }
});

test('the page installs to a home screen and, after the first visit, works with the network cut', async () => {
  const page = await openCalculator(browser.context, site.url);
  await page.evaluate(() => navigator.serviceWorker.ready);
  const cdp = await browser.context.newCDPSession(page);
  assert.deepEqual(await cdp.send('Page.getInstallabilityErrors'), {installabilityErrors: []});
  assert.deepEqual((await cdp.send('Page.getAppManifest')).errors, []);
  await cdp.detach();
  await browser.context.setOffline(true);
  try {
    await page.reload();
    await page.waitForSelector('html[data-interactive]');
    await page.locator('#txtATime').fill('60.00');
    assert.equal(await page.locator('#txtGBPnt_0').textContent(), '528');
    assert.equal(await page.locator('#txtGBPnt_1').textContent(), '733');
  } finally {
    await browser.context.setOffline(false);
    await page.close();
  }
});
