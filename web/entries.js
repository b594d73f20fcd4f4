// The entries page: a meet's entries converted and checked by the meet library in WebAssembly,
// in a worker beside the page, and shown in a table. The page only shows; the library decides.
// Each part of the page is a section of its own (MeetCheck below) over the shared pieces here:
// a job in a worker, downloads, dropped and launched files.
import {VirtualTable} from './entries-table.js';

export const VERDICTS = ['meets', 'misses', 'no standard', 'no time', 'not converted', 'error',
  'ineligible', 'withdrawn'];
// Each verdict has a shape as well as its word, never a colour alone.
const ICONS = ['\u2714', '\u26A0', '?', '\u25A1', '\u2139', '\u2716', '\u2298', '\u21A9'];
const COURSES = {
  LCM: '50 metres', SCM33: '33 1/3 metres', SCM: '25 metres', SCM20: '20 metres',
  SCY36: '36 2/3 yards', SCY27: '27 1/2 yards', SCY33: '33 1/3 yards', SCY: '25 yards',
  SCY20: '20 yards',
};

export function courseCaption(code) {
  return COURSES[code] ? `${COURSES[code]} (${code})` : code;
}

const $ = (id) => document.getElementById(id);

// The fields of a row as the worker sends them, in the table's order of columns.
export const COLUMNS = [
  {title: 'Club', kind: 'text'},
  {title: 'Swimmer', kind: 'text'},
  {title: 'Event', kind: 'text'},
  {title: 'Entry time', kind: 'time'},
  {title: 'Entry course', kind: 'text'},
  {title: 'Converted', kind: 'time'},
  {title: 'Qualifying swim', kind: 'time'},
  {title: 'Standard', kind: 'text'},
  {title: 'Verdict', kind: 'number'},
  {title: 'Reason', kind: 'text'},
];
const CLUB = 0;
const SWIMMER = 1;
const VERDICT = 8;
const REASON = 9;

// The meet module, fetched and compiled once for the page: each worker makes its library from
// it without compiling it again, and runs the code the browser has already optimised. Null if it
// cannot be compiled here; each worker then fetches its own.
let meetModule = null;
function compiledMeetModule() {
  if (!meetModule) {
    const url = new URL('equivmeet.wasm', import.meta.url);
    // A host that sends the module under another type than application/wasm: compiled whole.
    meetModule = WebAssembly.compileStreaming(fetch(url))
      .catch(() => fetch(url).then((response) => response.arrayBuffer()).then(WebAssembly.compile))
      .catch(() => null);
  }
  return meetModule;
}

// Work in a worker of its own, ended to cancel it: nothing of it is left behind. The worker makes
// its library as soon as it starts, so that one made ahead waits ready for its work.
export class WorkerJob {
  constructor(onMessage) {
    this.worker = new Worker(new URL('entries-worker.js', import.meta.url), {type: 'module'});
    this.onMessage = onMessage;
    this.ready = compiledMeetModule().then((module) => {
      this.worker.postMessage({type: 'module', module});
    });
    this.reply = null;
    this.worker.onmessage = ({data}) => {
      if (this.reply && (data.type === 'file' || data.type === 'failed')) {
        const reply = this.reply;
        this.reply = null;
        reply(data);
      } else {
        this.onMessage(data);
      }
    };
    this.worker.onerror = (event) => {
      event.preventDefault();
      this.onMessage({type: 'failed', message: event.message || 'the meet module could not run'});
    };
  }

  post(message) {
    this.ready.then(() => this.worker.postMessage(message));
  }

  // One request answered with a file or a message.
  request(message) {
    return new Promise((done) => {
      this.reply = done;
      this.post(message);
    });
  }

  end() {
    this.worker.terminate();
  }
}

export function download(bytes, name, type) {
  const url = URL.createObjectURL(new Blob([bytes], {type}));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}

// "meet.lxf" -> ["meet", ".lxf"]; any other ending is read as a .lef.
function nameParts(name) {
  const dot = name.lastIndexOf('.');
  const base = dot > 0 ? name.slice(0, dot) : name;
  return [base, /\.lxf$/i.test(name) ? '.lxf' : '.lef'];
}

// The table's rows as the worker sends them: the text of each batch kept whole and only the
// places of its rows noted, a row split into its fields when it is drawn, printed, sorted or
// searched. A meet of 100,000 entries is then no million strings made while it loads.
export class Rows {
  constructor() {
    this.decoder = new TextDecoder();
    this.texts = [];
    this.textOf = [];
    this.starts = [];
    this.ends = [];
  }

  get length() {
    return this.starts.length;
  }

  add(bytes) {
    const text = this.decoder.decode(bytes);
    const index = this.texts.push(text) - 1;
    for (let start = 0, end; (end = text.indexOf('\x1e', start)) >= 0; start = end + 1) {
      this.textOf.push(index);
      this.starts.push(start);
      this.ends.push(end);
    }
  }

  // Row i's fields, the verdict as its number.
  at(i) {
    const row = this.texts[this.textOf[i]].slice(this.starts[i], this.ends[i]).split('\x1f');
    row[VERDICT] = Number(row[VERDICT]);
    return row;
  }
}

// Check a meet's entries: open a meet (with further qualifying times and a course), show its
// rows, save the converted meet, export the report, print.
class MeetCheck {
  constructor() {
    this.shownMeet = null; // {job, file, standards, course, rows, heading, counts}
    this.loading = null;   // {job, rows}
    this.spare = null;     // a worker made ahead for the next meet, its library ready
    this.standards = [];
    const cells = {
      [VERDICT]: verdictCell,
      // A long reason may be cut off by its column; the whole of it shows on hovering.
      [REASON]: (td, text) => {
        td.textContent = text;
        td.title = text;
      },
    };
    this.table = new VirtualTable($('scroller'), $('entries'),
                                  COLUMNS.map((column, c) => ({...column, cell: cells[c]})));
    $('meet-file').addEventListener('change', (event) => {
      const [file] = event.target.files;
      if (file) {
        this.open(file);
      }
    });
    $('standards-file').addEventListener('change', (event) => {
      const files = [...event.target.files];
      event.target.value = '';
      if (files.length > 0) {
        this.addStandards(files);
      }
    });
    $('course').addEventListener('change', () => {
      if (this.shownMeet) {
        this.check(this.shownMeet.file, this.standards, $('course').value);
      }
    });
    $('show').addEventListener('change', () => this.filter());
    $('search').addEventListener('input', () => this.filter());
    $('cancel').addEventListener('click', () => this.cancel());
    $('save').addEventListener('click', () => this.save());
    $('export').addEventListener('click', () => this.exportReport());
    $('export-fees').addEventListener('click', () => this.exportFees());
    $('print').addEventListener('click', () => window.print());
    addEventListener('beforeprint', () => this.preparePrint());
    addEventListener('afterprint', () => $('print-view').replaceChildren());
    addEventListener('keydown', (event) => {
      if (event.key === 'Escape' && this.loading) {
        this.cancel();
      }
    });
    this.prepare();
  }

  // A worker for the next meet, made once the page has nothing else to do.
  prepare() {
    (window.requestIdleCallback || setTimeout)(() => {
      if (!this.loading) {
        this.spare ??= new WorkerJob(() => {});
      }
    });
  }

  open(file) {
    this.check(file, this.standards, $('course').value);
  }

  addStandards(files) {
    const standards = [...this.standards, ...files];
    if (this.shownMeet) {
      this.check(this.shownMeet.file, standards, $('course').value);
    } else {
      this.standards = standards;
      this.showPlace();
    }
  }

  check(file, standards, course) {
    // The benchmark times a meet from here to its rows and counts on the screen.
    performance.clearMarks();
    performance.mark('entries-file');
    this.cancel();
    this.tell('');
    const rows = new Rows();
    let progress = null;
    const job = this.spare || new WorkerJob();
    this.spare = null;
    job.onMessage = (data) => {
      if (this.loading?.job !== job) {
        return;
      }
      if (data.type === 'progress') {
        // Drawn once a frame at most: the worker tells more often than the screen shows.
        if (!progress) {
          requestAnimationFrame(() => {
            if (this.loading?.job === job) {
              this.progress(file, progress.done, progress.total);
            }
            progress = null;
          });
        }
        progress = data;
      } else if (data.type === 'rows') {
        rows.add(data.rows);
      } else if (data.type === 'checked') {
        this.loading = null;
        this.working(false);
        this.shownMeet?.job.end();
        this.standards = standards;
        this.shownMeet = {job, file, standards, course, rows, heading: data.heading,
                          counts: data.counts, fees: data.fees, heap: data.heap};
        document.documentElement.dataset.heap = String(data.heap);
        const fileCourse = data.heading.fileCourse;
        $('course').options[0].textContent =
          fileCourse ? `As in the file: ${courseCaption(fileCourse)}` : 'As in the file';
        $('course').value = course;
        this.show();
      } else if (data.type === 'failed') {
        this.loading = null;
        this.working(false);
        job.end();
        this.tell(data.message);
        // A qualifying times file that cannot be read is not kept for the next meet.
        this.standards = this.standards.filter((f) => !data.message.startsWith(`${f.name}:`) &&
                                                      !data.message.startsWith(`${f.name}(`));
        this.showPlace();
        this.restoreChoices();
        this.prepare();
      }
    };
    this.loading = {job};
    this.progress(file, null, null);
    this.working(true);
    job.post({type: 'check', meet: file, standards, course});
  }

  cancel() {
    if (this.loading) {
      this.loading.job.end();
      this.loading = null;
      this.working(false);
      this.restoreChoices();
      this.prepare();
    }
  }

  // After a meet that could not be read or was stopped, the choices shown are the open meet's.
  restoreChoices() {
    $('course').value = this.shownMeet ? this.shownMeet.course : $('course').value;
  }

  working(busy) {
    $('working').hidden = !busy;
    document.documentElement.toggleAttribute('data-busy', busy);
    for (const id of ['save', 'export', 'export-fees', 'print']) {
      $(id).disabled = busy || !this.shownMeet;
    }
  }

  progress(file, done, total) {
    const bar = $('progress');
    if (done === null) {
      bar.removeAttribute('value');
      $('progress-text').textContent = `Reading ${file.name}\u2026`;
    } else {
      bar.max = Math.max(1, total);
      bar.value = done;
      $('progress-text').textContent =
        `Checking entries\u2026 ${done.toLocaleString('en')} of ${total.toLocaleString('en')}`;
    }
  }

  tell(message) {
    $('message').textContent = message;
    $('message').hidden = !message;
  }

  show() {
    this.showPlace();
    this.table.setRows(this.shownMeet.rows, this.filterFunction());
    this.showFees();
    this.showStatus();
    this.working(false);
    requestAnimationFrame(() => setTimeout(() => {
      performance.mark('entries-ready');
      this.prepare();
    }));
  }

  showPlace() {
    const meet = this.shownMeet;
    const place = [];
    if (meet) {
      $('meet-name').textContent = meet.heading.name || meet.file.name;
      if (meet.heading.date) {
        place.push(meet.heading.date);
      }
      if (meet.heading.city) {
        place.push(meet.heading.city);
      }
      if (meet.heading.course) {
        place.push(`checked in ${courseCaption(meet.heading.course)}`);
      }
    }
    if (this.standards.length > 0) {
      place.push(`qualifying times added from ${this.standards.map((f) => f.name).join(', ')}`);
    }
    if (meet || place.length > 0) {
      $('meet-place').textContent = place.join(' \u00b7 ');
    }
  }

  // What the entries the meet accepts cost each club: a row a club, under it a row a fee line.
  showFees() {
    const {clubs, problems} = this.shownMeet.fees;
    const body = $('fees').tBodies[0];
    body.replaceChildren();
    const row = (className, cells) => {
      const tr = body.insertRow();
      tr.className = className;
      cells.forEach((text, c) => {
        const td = tr.insertCell();
        td.textContent = text;
        if (c > 0 && c < 7) {
          td.className = 'num';
        }
      });
    };
    for (const club of clubs) {
      row('club-fees', [club.club, club.entries, club.swimmers, club.relays, '', '', club.total,
                        club.currency]);
      for (const line of club.lines) {
        row('fee-line', [line.what, '', '', '', line.count, line.each, line.amount, '']);
      }
    }
    const notes = clubs.length === 0
      ? ['No club has an entry the meet accepts, or the invitation states no fees.'] : [];
    $('fees-note').textContent = [...notes, ...problems].join('\n');
    $('fees-note').hidden = $('fees-note').textContent === '';
  }

  summary() {
    const c = this.shownMeet.counts;
    return `Entries: ${c.read} read, ${c.converted} converted, ${c.meeting} meeting, ` +
           `${c.missing} missing, ${c.notConverted} not converted, ${c.errors} errors, ` +
           `${c.ineligible} ineligible, ${c.withdrawn} withdrawn`;
  }

  showStatus() {
    $('status').textContent = `${this.summary()}; ${this.table.order.length} shown`;
  }

  filterFunction() {
    const show = $('show').value;
    const verdict = show === '' ? -1 : Number(show);
    const search = $('search').value.trim().toLocaleLowerCase();
    if (verdict < 0 && !search) {
      return null;
    }
    return (row) => (verdict < 0 || row[VERDICT] === verdict) &&
      (!search || row[SWIMMER].toLocaleLowerCase().includes(search) ||
       row[CLUB].toLocaleLowerCase().includes(search));
  }

  filter() {
    if (this.shownMeet) {
      this.table.setFilter(this.filterFunction());
      this.showStatus();
    }
  }

  // One file made at a time: a second click while the first is being made does nothing.
  async fetchFile(message, name, type) {
    const meet = this.shownMeet;
    if (meet.fetching) {
      return;
    }
    meet.fetching = true;
    try {
      const reply = await meet.job.request(message);
      if (reply.type === 'failed') {
        this.tell(reply.message);
      } else {
        download(reply.bytes, name, type);
      }
    } finally {
      meet.fetching = false;
    }
  }

  save() {
    const [base, ending] = nameParts(this.shownMeet.file.name);
    // An SDIF file's copy keeps its dialect: the library says the ending ("-converted.cl2").
    const sdif = /\.(cl2|sd3)$/.exec(this.shownMeet.heading.converted || '');
    const name = sdif ? `${base}-converted${sdif[0]}` : `${base}-converted${ending}`;
    const type = sdif ? 'text/plain' : ending === '.lxf' ? 'application/zip' : 'application/xml';
    return this.fetchFile({type: 'converted', name}, name, type);
  }

  exportReport() {
    const [base] = nameParts(this.shownMeet.file.name);
    return this.fetchFile({type: 'report'}, `${base}-report.csv`, 'text/csv');
  }

  exportFees() {
    const [base] = nameParts(this.shownMeet.file.name);
    return this.fetchFile({type: 'fees'}, `${base}-fees.csv`, 'text/csv');
  }

  // The report for paper: the entries shown, club by club, each club from a new page under the
  // meet's name, course and counts, and ending with the club's fees, its invoice.
  preparePrint() {
    const view = $('print-view');
    view.replaceChildren();
    if (!this.shownMeet) {
      return;
    }
    const clubs = new Map();
    for (const row of this.table.shown()) {
      if (!clubs.has(row[CLUB])) {
        clubs.set(row[CLUB], []);
      }
      clubs.get(row[CLUB]).push(row);
    }
    const text = (tag, content, className) => {
      const element = document.createElement(tag);
      element.textContent = content;
      if (className) {
        element.className = className;
      }
      return element;
    };
    const titles = COLUMNS.slice(SWIMMER).map((column) => column.title);
    for (const [club, rows] of clubs) {
      const section = document.createElement('section');
      const table = document.createElement('table');
      // The table's head is printed again at the top of every page the club takes.
      const caption = document.createElement('th');
      caption.colSpan = titles.length;
      caption.className = 'print-heading';
      caption.append(text('div', $('meet-name').textContent, 'print-meet'),
                     text('div', $('meet-place').textContent, 'print-place'),
                     text('div', this.summary(), 'print-counts'),
                     text('div', club || '(no club)', 'print-club'));
      const head = table.createTHead();
      head.insertRow().append(caption);
      const names = head.insertRow();
      for (const title of titles) {
        names.append(text('th', title));
      }
      const body = table.createTBody();
      for (const row of rows) {
        const tr = body.insertRow();
        for (let c = SWIMMER; c < COLUMNS.length; ++c) {
          const td = tr.insertCell();
          if (c === VERDICT) {
            verdictCell(td, row[VERDICT]);
          } else {
            td.textContent = row[c];
          }
        }
      }
      section.append(table);
      const fees = this.shownMeet.fees.clubs.find((entry) => entry.club === club);
      if (fees) {
        section.append(feesTable(fees, text));
      }
      view.append(section);
    }
  }
}

// A club's fees on paper: a line for each fee, then the total.
function feesTable(fees, text) {
  const table = document.createElement('table');
  table.className = 'print-fees';
  const head = table.createTHead().insertRow();
  head.append(text('th', 'Fees'), text('th', 'Count', 'num'), text('th', 'Each', 'num'),
              text('th', 'Amount', 'num'));
  const body = table.createTBody();
  const row = (cells, className) => {
    const tr = body.insertRow();
    tr.className = className || '';
    cells.forEach((content, c) => tr.append(text('td', String(content), c > 0 ? 'num' : '')));
  };
  for (const line of fees.lines) {
    row([line.what, line.count, line.each, line.amount]);
  }
  row([`Total \u00b7 entries ${fees.entries} \u00b7 swimmers ${fees.swimmers} \u00b7 relay teams ` +
       `${fees.relays}`, '', '', `${fees.total} ${fees.currency}`.trim()], 'print-total');
  return table;
}

function verdictCell(td, verdict) {
  if (!td.firstChild) {
    const icon = document.createElement('span');
    icon.className = 'icon';
    icon.setAttribute('aria-hidden', 'true');
    td.append(icon, document.createTextNode(''));
  }
  td.dataset.verdict = String(verdict);
  td.firstChild.textContent = ICONS[verdict] ?? '';
  td.lastChild.textContent = VERDICTS[verdict] ?? '';
}

// The club's contact for its entries files: the field and its key in the browser's storage.
const CONTACT = [['contact-name', 'equivtimes.contact.name'],
                 ['contact-email', 'equivtimes.contact.email']];

// The browser's storage may be refused (a private window, a file: page): then nothing is kept.
function stored(key) {
  try {
    return localStorage.getItem(key) ?? '';
  } catch {
    return '';
  }
}

function store(key, value) {
  try {
    localStorage.setItem(key, value);
  } catch {
    // Kept for this visit only.
  }
}

// The page's two jobs, and the meet's entries or fees, as tabs: a click, or the arrow keys, Home
// and End, show one tab's part.
function tabsOf(tab) {
  return [...tab.closest('[role="tablist"]').querySelectorAll('[role="tab"]')];
}

function chooseTab(tab, focus = false) {
  for (const other of tabsOf(tab)) {
    const chosen = other === tab;
    other.setAttribute('aria-selected', String(chosen));
    other.tabIndex = chosen ? 0 : -1;
    $(other.getAttribute('aria-controls')).hidden = !chosen;
  }
  if (focus) {
    tab.focus();
  }
}

for (const tab of document.querySelectorAll('[role="tab"]')) {
  tab.addEventListener('click', () => chooseTab(tab));
  tab.addEventListener('keydown', (event) => {
    const tabs = tabsOf(tab);
    const at = tabs.indexOf(tab);
    const to = {ArrowRight: at + 1, ArrowLeft: at - 1, Home: 0, End: tabs.length - 1}[event.key];
    if (to !== undefined) {
      event.preventDefault();
      chooseTab(tabs[(to + tabs.length) % tabs.length], true);
    }
  });
}

// Club entries from results: an invitation, the results files and a club's name give the report
// rows of every swimmer and event considered, and the entries file to save.
class ClubEntries {
  constructor() {
    this.job = null;
    this.file = null;
    this.timer = 0;
    const head = $('club-table').tHead.rows[0];
    for (const column of COLUMNS) {
      const th = document.createElement('th');
      th.scope = 'col';
      th.textContent = column.title;
      head.append(th);
    }
    $('invitation-file').addEventListener('change', () => this.make());
    $('results-files').addEventListener('change', () => this.make());
    $('club').addEventListener('input', () => {
      clearTimeout(this.timer);
      this.timer = setTimeout(() => this.make(), 300);
    });
    for (const id of ['swims-from', 'swims-to']) {
      $(id).addEventListener('change', () => this.make());
    }
    $('save-club').addEventListener('click', () => {
      download(this.file, this.name(), 'application/zip');
    });
    // The club's contact is asked once and kept in this browser for the next meet.
    for (const [id, key] of CONTACT) {
      const input = $(id);
      input.value = stored(key);
      input.addEventListener('input', () => {
        store(key, input.value.trim());
        clearTimeout(this.timer);
        this.timer = setTimeout(() => this.make(), 300);
      });
    }
  }

  name() {
    const [base] = nameParts($('invitation-file').files[0].name);
    return `${base}-entries.lxf`;
  }

  show(message, status) {
    $('club-message').textContent = message;
    $('club-message').hidden = !message;
    $('club-status').textContent = status;
  }

  make() {
    clearTimeout(this.timer);
    this.job?.end();
    this.job = null;
    this.file = null;
    $('save-club').disabled = true;
    $('club-table').tBodies[0].replaceChildren();
    const invitation = $('invitation-file').files[0];
    const results = [...$('results-files').files];
    if (!invitation || results.length === 0) {
      this.show('', 'Choose an invitation and results files');
      return;
    }
    const email = $('contact-email');
    if (!email.checkValidity() || (email.value.trim() && !email.value.includes('@'))) {
      this.show(`Contact email ${email.value.trim()} is no email address like secretary@club.org`,
                'No entries made');
      return;
    }
    this.show('', 'Making the entries\u2026');
    const job = new WorkerJob((data) => {
      if (job !== this.job) {
        return;
      }
      job.end();
      this.job = null;
      if (data.type === 'failed') {
        this.show(data.message, 'No entries made');
        return;
      }
      const rows = new Rows();
      rows.add(data.rows);
      const body = $('club-table').tBodies[0];
      for (let i = 0; i < rows.length; ++i) {
        const row = rows.at(i);
        const tr = document.createElement('tr');
        row.forEach((text, column) => {
          const td = document.createElement('td');
          if (column === VERDICT) {
            verdictCell(td, text);
          } else {
            td.textContent = text;
          }
          tr.append(td);
        });
        body.append(tr);
      }
      this.file = data.file;
      $('save-club').disabled = false;
      // What the entries written cost, club by club, as the invitation states its fees.
      const fees = data.fees.clubs.filter((club) => club.lines.length > 0)
        .map((club) => `; fees of ${club.club}: ${`${club.total} ${club.currency}`.trim()}`);
      this.show([...data.warnings, ...data.fees.problems].join('\n'),
                `${data.counts.read} considered, ${data.counts.meeting} meeting, ` +
                `${data.counts.missing} missing, ${data.counts.ineligible} ineligible: ` +
                `${data.entries} entries for ${data.athletes} swimmers${fees.join('')}`);
    });
    this.job = job;
    job.post({type: 'club', invitation, results, club: $('club').value, name: this.name(),
              from: $('swims-from').value, to: $('swims-to').value,
              contact: {name: $('contact-name').value.trim(), email: $('contact-email').value.trim()}});
  }
}

// A swimmer's season from the results files: the swimmers once the files are read, then the
// chart of the one chosen in the pool chosen, drawn by the meet library as the command line's
// progression draws it, and its SVG to download.
class SeasonChart {
  constructor() {
    this.job = null;
    this.swimmers = new Map(); // a line of the choice -> the swimmer's number
    this.svg = '';
    // The nine pools, 25 metres first chosen.
    $('chart-course').replaceChildren(...Object.keys(COURSES).map(
      (code) => new Option(courseCaption(code), code, false, code === 'SCM')));
    $('results-files').addEventListener('change', () => this.read());
    $('chart-swimmer').addEventListener('input', () => this.draw());
    $('chart-course').addEventListener('change', () => this.draw());
    $('save-chart').addEventListener('click', () => {
      const name = $('chart-swimmer').value.replace(/ \(.*$/, '').replace(/[^\p{L}\p{N}]+/gu, '-');
      download(new TextEncoder().encode(this.svg), `${name}-${$('chart-course').value}.svg`,
               'image/svg+xml');
    });
  }

  show(status) {
    $('chart-status').textContent = status;
  }

  clear() {
    this.svg = '';
    $('save-chart').disabled = true;
    $('chart').replaceChildren();
  }

  read() {
    this.job?.end();
    this.job = null;
    this.swimmers.clear();
    this.clear();
    $('chart-swimmers').replaceChildren();
    $('chart-swimmer').disabled = true;
    const results = [...$('results-files').files];
    if (results.length === 0) {
      this.show('Choose results files, then a swimmer');
      return;
    }
    this.show('Reading the results\u2026');
    const job = new WorkerJob((data) => {
      if (job !== this.job) {
        return;
      }
      if (data.type === 'failed') {
        this.clear();
        this.show(data.message);
      } else if (data.type === 'swimmers') {
        const options = data.swimmers.map((line, number) => {
          if (!this.swimmers.has(line)) {
            this.swimmers.set(line, number);
          }
          const option = document.createElement('option');
          option.value = line;
          return option;
        });
        $('chart-swimmers').replaceChildren(...options);
        $('chart-swimmer').disabled = false;
        this.show(`${data.swimmers.length} swimmers: choose one`);
        this.draw();
      } else if (data.type === 'chart') {
        this.svg = data.svg;
        const svg = new DOMParser().parseFromString(data.svg, 'image/svg+xml').documentElement;
        $('chart').replaceChildren(document.importNode(svg, true));
        $('save-chart').disabled = false;
        this.show(data.undated === 0 ? 'Drawn' : data.undated === 1
          ? '1 swim with no date is not drawn' : `${data.undated} swims with no date are not drawn`);
      }
    });
    this.job = job;
    job.post({type: 'season', results});
  }

  draw() {
    const number = this.swimmers.get($('chart-swimmer').value);
    if (!this.job || number === undefined) {
      this.clear();
      return;
    }
    this.job.post({type: 'chart', swimmer: number, course: $('chart-course').value});
  }
}

const meetCheck = new MeetCheck();
new ClubEntries();
new SeasonChart();

// A meet file dropped anywhere on the page is opened.
addEventListener('dragover', (event) => {
  event.preventDefault();
  event.dataTransfer.dropEffect = 'copy';
});
addEventListener('drop', (event) => {
  event.preventDefault();
  const [file] = event.dataTransfer.files;
  if (file) {
    chooseTab($('job-check'));
    meetCheck.open(file);
  }
});

// Installed to a desktop, the page is started with the meet file opened from the file manager.
if ('launchQueue' in window) {
  window.launchQueue.setConsumer(async (launch) => {
    const [handle] = launch.files || [];
    if (handle) {
      chooseTab($('job-check'));
      meetCheck.open(await handle.getFile());
    }
  });
}

// Kept for working offline: the service worker keeps this page's files once asked.
if ('serviceWorker' in navigator && location.protocol !== 'file:') {
  navigator.serviceWorker.addEventListener('message', (event) => {
    if (event.data === 'entries-kept') {
      document.documentElement.dataset.offline = '';
    }
  });
  navigator.serviceWorker.register('sw.js')
    .then(() => navigator.serviceWorker.ready)
    .then((registration) => registration.active?.postMessage('keep-entries'))
    .catch(() => {});
}
document.documentElement.dataset.ready = '';
