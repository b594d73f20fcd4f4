// The entries page in headless Chromium against the command line on the same files: the table,
// the status line and both downloads; a broken file, a cancelled load, a file that tries to be
// markup; no request off the site or with the file; offline after the first visit.
//
//   EQUIVTIMES_CLI=PATH   the command line (build/dev/src/cli/equivtimes-cli)
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {execFileSync, spawnSync} from 'node:child_process';
import {copyFileSync, mkdtempSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {launchBrowser, startSite, repoRoot, axeViolations} from './support.mjs';
import {timeKey} from '../entries-table.js';

const cli = process.env.EQUIVTIMES_CLI || join(repoRoot, 'build', 'dev', 'src', 'cli', 'equivtimes-cli');
const golden = join(repoRoot, 'tests', 'meet', 'golden');
const VERDICT_COLUMN = 8;

let site;
let browser;
let work;
const requests = [];
before(async () => {
  site = await startSite();
  browser = await launchBrowser({acceptDownloads: true});
  browser.context.on('request', (request) => requests.push(request));
  work = mkdtempSync(join(tmpdir(), 'equivtimes-entries-'));
  for (const name of ['county-scm.lxf', 'county-lists.xml', 'county.lef', 'masters-scm.lef',
                      'masters-times.csv', 'sdif-lakeside.sd3', 'sdif-lakeside-times.csv']) {
    copyFileSync(join(golden, name), join(work, name));
  }
});
after(async () => {
  await browser?.close();
  await site?.close();
  rmSync(work, {recursive: true, force: true});
});

async function openPage(url = `${site.url}entries.html`) {
  const page = await browser.context.newPage();
  await page.setViewportSize({width: 1280, height: 800});
  await page.goto(url);
  await page.waitForSelector('html[data-ready]');
  return page;
}

// Opens a meet and waits until the page is no longer working on it.
async function openMeet(page, path) {
  await page.getByLabel('Meet file').setInputFiles(path);
  await page.waitForSelector('html:not([data-busy])');
}

// The command line run in the work folder on the same names; {status, summary, files}.
function commandLine(args) {
  const run = spawnSync(cli, ['entries', ...args], {cwd: work, encoding: 'utf8'});
  const lines = run.stderr.trimEnd().split('\n');
  return {status: run.status, summary: lines.at(-1), stderr: run.stderr};
}

function parseCsv(text) {
  const rows = [];
  let row = [];
  let field = '';
  let quoted = false;
  for (let i = 0; i < text.length; ++i) {
    const c = text[i];
    if (quoted) {
      if (c === '"' && text[i + 1] === '"') {
        field += '"';
        ++i;
      } else if (c === '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c === '"') {
      quoted = true;
    } else if (c === ',') {
      row.push(field);
      field = '';
    } else if (c === '\r' && text[i + 1] === '\n') {
      row.push(field);
      rows.push(row);
      row = [];
      field = '';
      ++i;
    } else {
      field += c;
    }
  }
  return rows;
}

async function tableRows(page) {
  return page.getByRole('table', {name: 'Entries'}).locator('tbody tr:not(.spacer):not([hidden])')
    .evaluateAll((trs) => trs.map((tr) => [...tr.cells].map((td) => td.lastChild?.textContent ?? '')));
}

async function download(page, button) {
  const [file] = await Promise.all([page.waitForEvent('download'),
                                    page.getByRole('button', {name: button}).click()]);
  return {name: file.suggestedFilename(), bytes: readFileSync(await file.path())};
}

// Golden meets: the meet, its further qualifying times (a Lenex file, a CSV table), the course.
const GOLDEN = [
  {meet: 'county-scm.lxf', standards: ['county-lists.xml'], course: 'SCM', label: '25 metres (SCM)'},
  {meet: 'masters-scm.lef', standards: ['masters-times.csv'], course: '', label: ''},
  // An SDIF file: its copy in its own dialect, named as it was.
  {meet: 'sdif-lakeside.sd3', standards: ['sdif-lakeside-times.csv'], course: '', label: ''},
];

for (const golden of GOLDEN) {
  test(`golden ${golden.meet}: rows, status and both files as the command line makes them`, async () => {
    const page = await openPage();
    await page.getByLabel('Qualifying times').setInputFiles(golden.standards.map((f) => join(work, f)));
    if (golden.course) {
      await page.getByLabel('Course').selectOption({label: golden.label});
    }
    await openMeet(page, join(work, golden.meet));

    const base = golden.meet.replace(/\.[^.]*$/, '');
    const ending = golden.meet.slice(base.length);
    const args = [golden.meet, ...golden.standards.flatMap((f) => ['--standards', f]),
                  ...(golden.course ? ['--course', golden.course] : []),
                  '--report', `${base}-report.csv`, '-o', `${base}-converted${ending}`];
    const run = commandLine(args);
    assert.ok(run.status === 0 || run.status === 1, run.stderr);
    const csv = parseCsv(readFileSync(join(work, `${base}-report.csv`), 'utf8'));
    const header = csv.shift();
    const field = (line, name) => line[header.indexOf(name)];
    // Times compared by their value: the page shows them as swimmers write them.
    const norm = (text) => text.replace(/\d+(?:[:.]\d+)+/g, (time) => String(timeKey(time)));
    const withTime = (text, time) => (time ? `${text} (${time})` : text);
    const rows = await tableRows(page);
    assert.equal(rows.length, csv.length);
    rows.forEach((shown, i) => {
      const line = csv[i];
      assert.deepEqual(shown.map(norm), [
        field(line, 'club'), field(line, 'athlete'), field(line, 'event'), field(line, 'entry_time'),
        field(line, 'entry_course'), field(line, 'converted_time'),
        withTime(field(line, 'qualifying_time'), field(line, 'qualifying_course')).trim(),
        withTime(field(line, 'standard'), field(line, 'standard_time')), field(line, 'verdict'),
        field(line, 'reason'),
      ].map(norm), `row ${i + 1}`);
    });
    // The command line's summary, with the entries ineligible and withdrawn as the report has them.
    const count = (verdict) => csv.filter((line) => field(line, 'verdict') === verdict).length;
    const summary = run.summary.replace(/^entries: /, 'Entries: ')
      .replace(/(, \d+ (ineligible|withdrawn))+$/, '');
    assert.equal(await page.getByRole('status').textContent(),
                 `${summary}, ${count('ineligible')} ineligible, ${count('withdrawn')} withdrawn; ` +
                 `${csv.length} shown`);
    if (golden.course) {
      assert.match(await page.locator('#meet-place').textContent(), new RegExp(`checked in ${golden.label.replace(/[()]/g, '\\$&')}`));
    }

    const report = await download(page, 'Export report');
    assert.equal(report.name, `${base}-report.csv`);
    assert.ok(report.bytes.equals(readFileSync(join(work, `${base}-report.csv`))), 'report differs');
    const converted = await download(page, 'Save converted meet');
    assert.equal(converted.name, `${base}-converted${ending}`);
    assert.ok(converted.bytes.equals(readFileSync(join(work, `${base}-converted${ending}`))),
              'converted meet differs');
    await page.close();
  });
}

test('entries from results: the rows and the entries file as the command line makes them', async () => {
  const folder = join(repoRoot, 'tests', 'meet', 'results');
  const results = ['leeds.lef', 'york.lef', 'sheffield.lef'];
  for (const name of results) {
    copyFileSync(join(folder, name), join(work, name));
  }
  // The invitation with fees: 8.00 an entry of the 100 Free, 2.50 a swimmer.
  writeFileSync(join(work, 'invitation.lef'), readFileSync(join(folder, 'invitation.lef'), 'utf8')
    .replace('<SESSIONS>', '<FEES><FEE type="ATHLETE" currency="EUR" value="250"/></FEES><SESSIONS>')
    .replaceAll('stroke="FREE"/>\n', 'stroke="FREE"/><FEE currency="EUR" value="800"/>\n'));
  const page = await openPage();
  await page.getByRole('tab', {name: "Make a club's entries from results"}).click();
  await page.getByLabel('Results', {exact: true}).setInputFiles(results.map((name) => join(work, name)));
  await page.getByLabel('Club', {exact: true}).fill('lds');
  await page.getByLabel('Invitation', {exact: true}).setInputFiles(join(work, 'invitation.lef'));
  await page.waitForFunction(() => / swimmers(;|$)/.test(document.getElementById('club-status').textContent));

  // The page's rows are the command line's report for the same choices.
  const sameAsCommandLine = async (options) => {
    const run = spawnSync(cli, ['club-entries', 'invitation.lef', '--results', ...results,
                                '--club', 'lds', ...options, '--report', 'club-report.csv',
                                '-o', 'invitation-entries.lxf'], {cwd: work, encoding: 'utf8'});
    assert.equal(run.status, 1, run.stderr); // leeds.lef holds a swim time that cannot be read
    const csv = parseCsv(readFileSync(join(work, 'club-report.csv'), 'utf8'));
    const header = csv.shift();
    const field = (line, name) => line[header.indexOf(name)];
    const rows = await page.locator('#club-table tbody tr').evaluateAll(
      (trs) => trs.map((tr) => [...tr.cells].map((td) => td.lastChild?.textContent ?? '')));
    assert.deepEqual(rows.map((row) => [row[0], row[1], row[2], row[VERDICT_COLUMN]]),
                     csv.map((line) => [field(line, 'club'), field(line, 'athlete'),
                                        field(line, 'event'), field(line, 'verdict')]));
    return run;
  };
  const run = await sameAsCommandLine([]);
  assert.match(await page.locator('#club-message').textContent(), /leeds\.lef:24:17: swimtime '2:31\.5'/);
  // The fees the command line tells, club by club.
  const fees = [...run.stderr.matchAll(/^club-entries: fees of (.*): (.*) \(.*\)$/gm)]
    .map(([, club, amount]) => `; fees of ${club}: ${amount}`);
  assert.ok(fees.length > 0, run.stderr);
  assert.equal(await page.locator('#club-status').textContent(),
               `4 considered, 2 meeting, 1 missing, 0 ineligible: 2 entries for 2 swimmers${fees.join('')}`);

  // The page's entries file, read back by the command line: every entry meets, none converted.
  const saved = await download(page, 'Save club entries');
  assert.equal(saved.name, 'invitation-entries.lxf');
  writeFileSync(join(work, 'page-entries.lxf'), saved.bytes);
  const back = commandLine(['page-entries.lxf', '--standards', 'invitation.lef', '--report', 'back.csv']);
  assert.equal(back.status, 0, back.stderr);
  assert.match(back.summary, /^entries: 2 read, 0 converted, 2 meeting, 0 missing, 0 not converted, 0 errors(, 0 (ineligible|withdrawn))*$/);

  // Swims from March only: the Sheffield meet of February left out, as --from leaves it.
  const before = await page.locator('#club-status').textContent();
  await page.getByLabel('Swims from').fill('2026-03-01');
  await page.waitForFunction((shown) => {
    const status = document.getElementById('club-status').textContent;
    return status !== shown && / swimmers(;|$)/.test(status);
  }, before);
  await sameAsCommandLine(['--from', '2026-03-01']);
  await page.close();
});

test('the first screen offers both jobs; each shows its own part, by mouse or keyboard', async () => {
  for (const viewport of [{width: 1280, height: 800}, {width: 800, height: 600}]) {
    const page = await browser.context.newPage();
    await page.setViewportSize(viewport);
    await page.goto(`${site.url}entries.html`);
    await page.waitForSelector('html[data-ready]');
    const check = page.getByRole('tab', {name: "Check a meet's entries"});
    const club = page.getByRole('tab', {name: "Make a club's entries from results"});
    // Both in full on the first screen, without scrolling.
    for (const tab of [check, club]) {
      const box = await tab.boundingBox();
      assert.ok(box && box.y >= 0 && box.y + box.height <= viewport.height &&
                box.x + box.width <= viewport.width, `${await tab.textContent()} at ${JSON.stringify(box)}`);
    }
    assert.equal(await check.getAttribute('aria-selected'), 'true');
    assert.ok(await page.getByLabel('Meet file').isVisible());
    assert.equal(await page.getByLabel('Invitation', {exact: true}).isVisible(), false);
    await club.click();
    assert.equal(await club.getAttribute('aria-selected'), 'true');
    assert.ok(await page.getByLabel('Invitation', {exact: true}).isVisible());
    assert.equal(await page.getByLabel('Meet file').isVisible(), false);
    await page.keyboard.press('ArrowLeft');
    assert.equal(await check.getAttribute('aria-selected'), 'true');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'job-check');
    assert.ok(await page.getByLabel('Meet file').isVisible());
    await page.close();
  }
});

test('the club\'s contact is asked where its entries are made, kept for the next visit and written', async () => {
  const folder = join(repoRoot, 'tests', 'meet', 'results');
  const page = await openPage();
  const clubTab = page.getByRole('tab', {name: "Make a club's entries from results"});
  await clubTab.click();
  const made = async () => {
    await page.waitForFunction(() => / swimmers(;|$)|^No entries made$/.test(document.getElementById('club-status').textContent));
    return page.locator('#club-message').textContent();
  };
  await page.getByLabel('Results', {exact: true}).setInputFiles(join(folder, 'york.lef'));
  await page.getByLabel('Invitation', {exact: true}).setInputFiles(join(folder, 'invitation.lef'));
  assert.match(await made(), /no contact email given/);
  await page.getByLabel('Contact email').fill('entries@');
  await page.waitForFunction(() => document.getElementById('club-status').textContent === 'No entries made');
  assert.match(await page.locator('#club-message').textContent(), /Contact email entries@ is no email address/);
  await page.getByLabel('Contact name').fill('Ann Example');
  await page.getByLabel('Contact email').fill('entries@example.org');
  await page.waitForFunction(() => / swimmers(;|$)/.test(document.getElementById('club-status').textContent));
  assert.doesNotMatch(await made(), /no contact email given/);
  await page.reload();
  await page.waitForSelector('html[data-ready]');
  await clubTab.click();
  assert.equal(await page.getByLabel('Contact name').inputValue(), 'Ann Example');
  assert.equal(await page.getByLabel('Contact email').inputValue(), 'entries@example.org');
  await page.getByLabel('Contact name').fill('');
  await page.getByLabel('Contact email').fill('');
  await page.close();
});

test('the fees per club as the command line adds them up, and their CSV; Show picks the ineligible and the withdrawn', async () => {
  copyFileSync(join(repoRoot, 'tests', 'entries', 'data', 'fees.lef'), join(work, 'fees.lef'));
  const run = commandLine(['fees.lef', '--report', 'fees-report.csv', '--fees', 'fees-fees.csv']);
  assert.ok(run.status === 0 || run.status === 1, run.stderr);
  const fees = parseCsv(readFileSync(join(work, 'fees-fees.csv'), 'utf8'));
  const header = fees.shift();
  const page = await openPage();
  await openMeet(page, join(work, 'fees.lef'));
  await page.getByRole('tab', {name: 'Fees per club'}).click();
  const shown = await page.getByRole('table', {name: 'Fees per club'}).locator('tbody tr.club-fees')
    .evaluateAll((trs) => trs.map((tr) => [...tr.cells].map((td) => td.textContent)));
  assert.ok(fees.length >= 2);
  assert.deepEqual(shown.map((row) => [row[0], row[1], row[2], row[3], row[6], row[7]]),
                   fees.map((line) => ['club', 'entries', 'swimmers', 'relays', 'total', 'currency']
                     .map((name) => line[header.indexOf(name)])));
  assert.deepEqual(shown[0].slice(6), ['70.00', 'GBP']);
  const csv = await download(page, 'Export fees');
  assert.equal(csv.name, 'fees-fees.csv');
  assert.ok(csv.bytes.equals(readFileSync(join(work, 'fees-fees.csv'))), 'fees differ');

  await page.getByRole('tab', {name: 'Entries', exact: true}).click();
  const report = parseCsv(readFileSync(join(work, 'fees-report.csv'), 'utf8'));
  const columns = report.shift();
  for (const verdict of ['ineligible', 'withdrawn']) {
    await page.getByLabel('Show').selectOption({label: verdict[0].toUpperCase() + verdict.slice(1)});
    const rows = await tableRows(page);
    const expected = report.filter((line) => line[columns.indexOf('verdict')] === verdict)
      .map((line) => [line[columns.indexOf('athlete')], verdict]);
    assert.ok(expected.length > 0, verdict);
    assert.deepEqual(rows.map((row) => [row[1], row[VERDICT_COLUMN]]), expected, verdict);
  }
  // On paper, each club's page ends with its fees.
  await page.getByLabel('Show').selectOption({label: 'All entries'});
  await page.evaluate(() => dispatchEvent(new Event('beforeprint')));
  const invoices = await page.locator('#print-view section').evaluateAll((sections) => sections.map(
    (section) => section.querySelector('table.print-fees tr.print-total td:last-child')?.textContent));
  assert.deepEqual(invoices, fees.map((line) => `${line[header.indexOf('total')]} GBP`));
  await page.close();
});

test('axe-core finds no accessibility rule broken: empty, with a meet open, with club entries made', async () => {
  const page = await openPage();
  assert.deepEqual(await axeViolations(page), [], 'empty');
  await page.getByLabel('Course').selectOption({label: '25 metres (SCM)'});
  await openMeet(page, join(work, 'county-scm.lxf'));
  assert.deepEqual(await axeViolations(page), [], 'a meet open');
  await page.getByLabel('Show').selectOption({label: 'Errors'});
  assert.deepEqual(await axeViolations(page), [], 'the errors shown');
  await page.getByRole('tab', {name: 'Fees per club'}).click();
  assert.deepEqual(await axeViolations(page), [], 'the fees per club');
  const folder = join(repoRoot, 'tests', 'meet', 'results');
  await page.getByRole('tab', {name: "Make a club's entries from results"}).click();
  assert.deepEqual(await axeViolations(page), [], 'club entries, empty');
  await page.getByLabel('Results', {exact: true}).setInputFiles(join(folder, 'york.lef'));
  await page.getByLabel('Invitation', {exact: true}).setInputFiles(join(folder, 'invitation.lef'));
  await page.waitForFunction(() => / swimmers(;|$)/.test(document.getElementById('club-status').textContent));
  assert.deepEqual(await axeViolations(page), [], 'club entries made');
  await page.close();
});

test('the table is filtered by verdict, searched by swimmer or club and sorted by a column', async () => {
  const page = await openPage();
  await page.getByLabel('Course').selectOption({label: '25 metres (SCM)'});
  await openMeet(page, join(work, 'county-scm.lxf'));
  await page.getByLabel('Show').selectOption({label: 'Errors'});
  const errors = await tableRows(page);
  assert.ok(errors.length > 0);
  assert.deepEqual(errors.map((row) => row[VERDICT_COLUMN]), errors.map(() => 'error'));
  await page.getByLabel('Show').selectOption({label: 'All entries'});
  await page.getByLabel('Search').fill('cole');
  assert.deepEqual([...new Set((await tableRows(page)).map((row) => row[1]))], ['Cole, Cara']);
  assert.match(await page.getByRole('status').textContent(), /; 3 shown$/);
  await page.getByLabel('Search').fill('');
  await page.getByRole('button', {name: 'Converted', exact: true}).click();
  const converteds = (await tableRows(page)).map((row) => timeKey(row[5]));
  assert.deepEqual(converteds, [...converteds].sort((a, b) => a - b));
  await page.close();
});

test('a file that cannot be read is told with its place, and the meet open stays', async () => {
  const page = await openPage();
  await openMeet(page, join(work, 'county.lef'));
  const before = [await page.getByRole('status').textContent(), await tableRows(page)];
  const lef = readFileSync(join(work, 'county.lef'), 'utf8');
  writeFileSync(join(work, 'broken.lef'), lef.replace('</ATHLETE>', '</ATHLET>'));
  await openMeet(page, join(work, 'broken.lef'));
  const expected = commandLine(['broken.lef', '--report', '/dev/null']).summary.replace(/^equivtimes-cli: /, '');
  assert.match(expected, /^broken\.lef:\d+:\d+: /);
  assert.equal(await page.getByRole('alert').textContent(), expected);
  assert.deepEqual([await page.getByRole('status').textContent(), await tableRows(page)], before);
  assert.equal(await page.locator('#meet-name').textContent(), 'County Championships');
  await page.close();
});

test('a swimmer named as markup is shown as text, in the table and on paper', async () => {
  const page = await openPage();
  let dialogs = 0;
  page.on('dialog', (dialog) => {
    dialogs += 1;
    dialog.dismiss();
  });
  const name = '<img src=x onerror=alert(1)>';
  const lef = readFileSync(join(work, 'county.lef'), 'utf8')
    .replace('lastname="Brown"', 'lastname="&lt;img src=x onerror=alert(1)&gt;"');
  writeFileSync(join(work, 'markup.lef'), lef);
  await openMeet(page, join(work, 'markup.lef'));
  assert.equal((await tableRows(page))[0][1], `${name}, Amy`);
  await page.evaluate(() => dispatchEvent(new Event('beforeprint')));
  assert.match(await page.locator('#print-view').textContent(), /<img src=x onerror=alert\(1\)>, Amy/);
  assert.equal(await page.locator('img').count(), 0);
  assert.equal(dialogs, 0);
  await page.close();
});

test('a large meet can be stopped while it loads, and the meet open stays', async () => {
  const big = join(work, 'big.lef');
  writeFileSync(big, execFileSync(join(repoRoot, 'bench', 'meet', 'generate.sh'), ['100000'],
                                  {maxBuffer: 64 << 20}));
  const page = await openPage();
  await openMeet(page, join(work, 'county.lef'));
  const before = await page.getByRole('status').textContent();
  // The large meet's check is held back from its worker until Cancel has been clicked, so that
  // the click always comes while the meet loads, however fast the machine.
  await page.evaluate(() => {
    const post = Worker.prototype.postMessage;
    Worker.prototype.postMessage = function (message, ...rest) {
      if (message?.type === 'check' && document.documentElement.dataset.holdCheck) {
        return undefined;
      }
      return post.call(this, message, ...rest);
    };
    document.documentElement.dataset.holdCheck = 'yes';
  });
  await page.getByLabel('Meet file').setInputFiles(big);
  await page.waitForSelector('html[data-busy]');
  await page.getByRole('button', {name: 'Cancel'}).click();
  await page.waitForSelector('html:not([data-busy])');
  await page.evaluate(() => delete document.documentElement.dataset.holdCheck);
  assert.equal(await page.getByRole('progressbar', {name: 'Progress'}).isVisible(), false);
  assert.equal(await page.getByRole('status').textContent(), before);
  assert.equal((await tableRows(page)).length, 11);
  // The page answers at once while a large meet loads.
  copyFileSync(big, join(work, 'big2.lef'));
  await page.getByLabel('Meet file').setInputFiles(join(work, 'big2.lef'));
  const started = Date.now();
  await page.getByLabel('Search').fill('Brown');
  assert.ok(Date.now() - started < 1000, 'the page was frozen');
  // Closing the page ends its worker, whether the meet is still loading or has loaded.
  await page.close();
});

test('no request leaves the site or carries a file; the calculator does not load the meet module', async () => {
  const page = await browser.context.newPage();
  const calculatorFiles = [];
  page.on('request', (request) => calculatorFiles.push(request.url()));
  await page.goto(site.url);
  await page.waitForSelector('html[data-interactive]');
  page.removeAllListeners('request');
  assert.ok(calculatorFiles.some((url) => url.endsWith('equivtimes.wasm')), calculatorFiles.join(' '));
  assert.equal(calculatorFiles.some((url) => url.includes('equivmeet')), false, calculatorFiles.join(' '));
  await page.getByRole('link', {name: "Check a meet's entries"}).click();
  await page.waitForSelector('html[data-ready]');
  await openMeet(page, join(work, 'county.lef'));
  await page.getByRole('link', {name: 'Equivalent Times calculator'}).click();
  await page.waitForSelector('html[data-interactive]');
  await page.close();
  assert.ok(requests.length > 10);
  for (const request of requests) {
    assert.ok(request.url().startsWith(site.url), `${request.url()} is off the site`);
    assert.equal(request.method(), 'GET', request.url());
    assert.equal(request.postData(), null, request.url());
    assert.doesNotMatch(decodeURIComponent(request.url()), /Brown|County Championships|LENEX/);
  }
});

test('after the first visit the entries page works with the network cut', async () => {
  const page = await openPage();
  await page.waitForSelector('html[data-offline]');
  await browser.context.setOffline(true);
  try {
    await page.reload();
    await page.waitForSelector('html[data-ready]');
    await openMeet(page, join(work, 'county.lef'));
    assert.match(await page.getByRole('status').textContent(), /^Entries: 11 read, /);
  } finally {
    await browser.context.setOffline(false);
    await page.close();
  }
});
