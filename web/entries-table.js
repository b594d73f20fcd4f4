// A table of many rows that draws only the rows in view: a meet of 100,000 entries scrolls as
// smoothly as one of ten. The rows are a list whose at(i) gives row i as an array of texts (an
// Array of them, or one that makes each row when asked); the columns say how each is shown and
// sorted.
// Every text goes in as text (textContent), never as markup.

// A time's value for sorting, in seconds: "1:02.34", "00:01:02.34", "1.03.3", "59.3". A text that
// is no time (NT, empty) sorts after every time.
export function timeKey(text) {
  const fields = text.trim().split(/[.:]/);
  if (fields.length < 2 || fields.at(-1) === '') {
    return Infinity;
  }
  let seconds = 0;
  for (const field of fields.slice(0, -1)) {
    if (!/^\d+$/.test(field)) {
      return Infinity;
    }
    seconds = seconds * 60 + Number(field);
  }
  const fraction = fields.at(-1);
  return /^\d+$/.test(fraction) ? seconds + Number(`0.${fraction}`) : Infinity;
}

const collator = new Intl.Collator(undefined, {sensitivity: 'base', numeric: true});

// columns: [{title, kind: 'text' | 'time' | 'number', cell(td, value)?}]
export class VirtualTable {
  constructor(scroller, table, columns) {
    this.scroller = scroller;
    this.table = table;
    this.columns = columns;
    this.rows = [];
    this.order = [];        // indices into rows: those shown, in the order shown
    this.sortColumn = -1;
    this.descending = false;
    this.rowHeight = 0;
    this.first = -1;
    this.last = -1;
    this.body = table.tBodies[0];
    this.headers = columns.map((column, index) => {
      const th = document.createElement('th');
      th.scope = 'col';
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = column.title;
      button.addEventListener('click', () => this.sortBy(index));
      th.append(button);
      table.tHead.rows[0].append(th);
      return th;
    });
    this.above = this.spacer();
    this.below = this.spacer();
    this.body.append(this.above, this.below);
    this.pool = [];
    let queued = false;
    const draw = () => {
      if (!queued) {
        queued = true;
        requestAnimationFrame(() => {
          queued = false;
          this.draw();
        });
      }
    };
    scroller.addEventListener('scroll', draw, {passive: true});
    new ResizeObserver(draw).observe(scroller);
  }

  spacer() {
    const tr = document.createElement('tr');
    tr.className = 'spacer';
    tr.setAttribute('aria-hidden', 'true');
    const td = document.createElement('td');
    td.colSpan = this.columns.length;
    tr.append(td);
    return tr;
  }

  // New rows, shown through filter (a function of the row, or null for all).
  setRows(rows, filter) {
    this.rows = rows;
    this.setFilter(filter);
  }

  setFilter(filter) {
    const order = [];
    for (let i = 0; i < this.rows.length; ++i) {
      if (!filter || filter(this.rows.at(i))) {
        order.push(i);
      }
    }
    this.order = order;
    this.sort();
    this.scroller.scrollTop = 0;
    this.redraw();
  }

  sortBy(column) {
    this.descending = column === this.sortColumn ? !this.descending : false;
    this.sortColumn = column;
    this.sort();
    this.redraw();
  }

  sort() {
    this.headers.forEach((th, index) => {
      if (index === this.sortColumn) {
        th.setAttribute('aria-sort', this.descending ? 'descending' : 'ascending');
      } else {
        th.removeAttribute('aria-sort');
      }
    });
    const column = this.sortColumn;
    if (column < 0) {
      return;
    }
    const kind = this.columns[column].kind;
    const rows = this.rows;
    // Each row's key is taken once, not at every comparison.
    const keys = kind === 'text' ? new Array(rows.length) : new Float64Array(rows.length);
    for (const i of this.order) {
      const text = rows.at(i)[column];
      keys[i] = kind === 'time' ? timeKey(text) : kind === 'number' ? Number(text) : text;
    }
    let compare;
    if (kind === 'text') {
      compare = (a, b) => collator.compare(keys[a], keys[b]);
    } else {
      // Two texts that are no time are equal (Infinity - Infinity is no number).
      compare = (a, b) => keys[a] - keys[b] || 0;
    }
    const sign = this.descending ? -1 : 1;
    // Equal keys keep the file's order, whichever way the column is sorted.
    this.order.sort((a, b) => sign * compare(a, b) || a - b);
  }

  // The rows shown, in order (for printing).
  shown() {
    return this.order.map((i) => this.rows.at(i));
  }

  redraw() {
    this.first = -1;
    this.table.setAttribute('aria-rowcount', String(this.order.length + 1));
    this.draw();
  }

  draw() {
    if (!this.rowHeight) {
      const probe = this.makeRow();
      this.body.insertBefore(probe, this.below);
      this.rowHeight = probe.getBoundingClientRect().height || 24;
      probe.remove();
    }
    const total = this.order.length;
    const headerHeight = this.table.tHead.getBoundingClientRect().height;
    const top = Math.max(0, this.scroller.scrollTop - headerHeight);
    const first = Math.min(total, Math.floor(top / this.rowHeight));
    const last = Math.min(total, first + Math.ceil(this.scroller.clientHeight / this.rowHeight) + 1);
    if (first === this.first && last === this.last) {
      return;
    }
    this.first = first;
    this.last = last;
    while (this.pool.length < last - first) {
      const row = this.makeRow();
      this.pool.push(row);
      this.body.insertBefore(row, this.below);
    }
    this.pool.forEach((tr, slot) => {
      const at = first + slot;
      tr.hidden = at >= last;
      if (at < last) {
        const row = this.rows.at(this.order[at]);
        tr.setAttribute('aria-rowindex', String(at + 2));
        this.columns.forEach((column, c) => {
          const td = tr.cells[c];
          if (column.cell) {
            column.cell(td, row[c]);
          } else {
            td.textContent = row[c];
          }
        });
      }
    });
    this.above.style.height = `${first * this.rowHeight}px`;
    this.below.style.height = `${(total - last) * this.rowHeight}px`;
  }

  makeRow() {
    const tr = document.createElement('tr');
    for (let c = 0; c < this.columns.length; ++c) {
      tr.append(document.createElement('td'));
    }
    return tr;
  }
}
