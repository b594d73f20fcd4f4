// The entries page's worker: one meet read, checked and kept in the meet library's WebAssembly
// module, beside the page. The page makes a worker for each meet it opens and ends it to cancel;
// the worker of the meet on show answers for its report and converted meet.
//
// In:  {type: 'module', module: WebAssembly.Module or null} first: the module the page compiled
//      once for all its workers (null: the worker fetches and compiles its own).
//      {type: 'check', meet: File, standards: [File], course: 'SCM' or ''}
//      {type: 'report'}   {type: 'fees'}   {type: 'converted', name: 'meet-converted.lxf'}
// Out: {type: 'progress', done, total} (done null while reading), {type: 'rows', rows: bytes},
//      {type: 'checked', heading, counts, fees, heap}, {type: 'failed', message},
//      {type: 'file', bytes} or {type: 'failed', message} for a report, the fees or a converted
//      meet.
// Club entries from results, in a worker of their own:
// In:  {type: 'club', invitation: File, results: [File], club: 'Leeds', name: 'meet-entries.lxf',
//       from: '2026-01-01' or '', to: '' (the invitation's qualifying period), contact: {name, email}}
// Out: {type: 'club-made', rows: bytes, counts, entries, athletes, warnings, file: bytes} or
//      {type: 'failed', message}.
// A swimmer's season, in a worker that keeps the results read:
// In:  {type: 'season', results: [File]}   {type: 'chart', swimmer: 3, course: 'LCM'}
// Out: {type: 'swimmers', swimmers: ['Lastname, Firstname (2012-05-04, Club)']},
//      {type: 'chart', svg, csv, undated} or {type: 'failed', message}.
import createModule from './equivmeet.mjs';

let module = null;
let session = null;

// The library, made from the page's compiled module when it sent one. The benchmark reads the
// marks of each step (performance.mark) in the worker of the meet shown.
function library(compiled) {
  if (!module) {
    let failed;
    const broken = new Promise((resolve, reject) => {
      failed = reject;
    });
    const instantiateWasm = (imports, receive) => {
      WebAssembly.instantiate(compiled, imports).then((instance) => receive(instance, compiled),
                                                      failed);
      return {};
    };
    module = Promise.race([createModule(compiled ? {instantiateWasm} : {}), broken]);
    module.then(() => performance.mark('module-ready'), () => {});
  }
  return module;
}

async function check({meet, standards, course}) {
  performance.mark('check');
  // The file is read while the module is still being made, if it is.
  const read = meet.arrayBuffer();
  const made = await library(null);
  postMessage({type: 'progress', done: null, total: null});
  // The file's bytes go into the module's memory once; the library keeps them as they are.
  const bytes = new Uint8Array(await read);
  performance.mark('file-read');
  session = new made.MeetSession();
  session.buffer(bytes.length).set(bytes);
  performance.mark('file-copied');
  let message = session.open(meet.name);
  performance.mark('meet-opened');
  for (const file of standards) {
    if (message) {
      break;
    }
    message = session.addStandards(new Uint8Array(await file.arrayBuffer()), file.name);
  }
  if (message) {
    postMessage({type: 'failed', message});
    return;
  }
  session.check(course,
                (done, total) => postMessage({type: 'progress', done, total}),
                (rows) => postMessage({type: 'rows', rows}, [rows.buffer]));
  performance.mark('entries-checked');
  postMessage({type: 'checked', heading: session.heading(), counts: session.counts(),
               fees: session.fees(), heap: made.MeetSession.heapSize()});
  performance.mark('checked-sent');
}

async function club({invitation, results, club: text, name, from, to, contact}) {
  const clubSession = new (await library(null)).ClubSession();
  for (const file of results) {
    const message = clubSession.addResults(new Uint8Array(await file.arrayBuffer()), file.name);
    if (message) {
      postMessage({type: 'failed', message});
      return;
    }
  }
  const made = clubSession.make(new Uint8Array(await invitation.arrayBuffer()), invitation.name,
                                text, name, from, to, contact.name, contact.email);
  clubSession.delete();
  if (made.error) {
    postMessage({type: 'failed', message: made.error});
    return;
  }
  postMessage({type: 'club-made', ...made}, [made.rows.buffer, made.file.buffer]);
}

let season = null;

async function readSeason({results}) {
  const library = await module;
  season?.delete();
  season = new library.ClubSession();
  for (const file of results) {
    const message = season.addResults(new Uint8Array(await file.arrayBuffer()), file.name);
    if (message) {
      postMessage({type: 'failed', message});
      return;
    }
  }
  postMessage({type: 'swimmers', swimmers: season.swimmers()});
}

function chart({swimmer, course}) {
  const made = season.chart(swimmer, course);
  postMessage(made.error ? {type: 'failed', message: made.error} : {type: 'chart', ...made});
}

function file(bytes) {
  postMessage({type: 'file', bytes}, [bytes.buffer]);
}

onmessage = async ({data}) => {
  try {
    if (data.type === 'module') {
      await library(data.module);
    } else if (data.type === 'check') {
      await check(data);
    } else if (data.type === 'club') {
      await club(data);
    } else if (data.type === 'season') {
      await readSeason(data);
    } else if (data.type === 'chart') {
      chart(data);
    } else if (data.type === 'report') {
      file(session.report());
    } else if (data.type === 'fees') {
      file(session.feesCsv());
    } else if (data.type === 'converted') {
      const made = session.converted(data.name);
      if (made.error) {
        postMessage({type: 'failed', message: made.error});
      } else {
        file(made.bytes);
      }
    }
  } catch (error) {
    postMessage({type: 'failed', message: String(error?.message || error)});
  }
};
