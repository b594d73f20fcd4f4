// The calculator window as a web page: a view over the window's own form logic (compiled to
// WebAssembly). Every click, keystroke and menu choice goes to the form's handler; the page then
// shows the form's state. No rule of the window lives here.
import createModule from './equivtimes.mjs';

const module = await createModule();
const layout = JSON.parse(module.WebForm.elements());
const form = new module.WebForm();

const root = document.getElementById('frmPlivarn');
const byId = new Map();   // element id -> its DOM node that shows the text or caption
const options = new Map(); // group name -> [{input, wrapper, caption}]
const TWIPS_PER_PIXEL = 15;

// "&Help" -> "Help" with the H marked as the access key.
function captionNodes(caption) {
  const i = caption.indexOf('&');
  if (i < 0 || i + 1 >= caption.length) {
    return [document.createTextNode(caption)];
  }
  const key = document.createElement('u');
  key.textContent = caption[i + 1];
  return [document.createTextNode(caption.slice(0, i)), key,
          document.createTextNode(caption.slice(i + 2))];
}
const plain = (caption) => caption.replace('&', '');
const accessKey = (caption) => {
  const i = caption.indexOf('&');
  return i >= 0 && i + 1 < caption.length ? caption[i + 1].toLowerCase() : '';
};
// The form's line breaks are CR LF; text areas and pre blocks hold LF.
const toDisplay = (text) => text.replaceAll('\r\n', '\n');
const fromDisplay = (text) => text.replaceAll('\r\n', '\n').replaceAll('\n', '\r\n');

function make(tag, attributes = {}, children = []) {
  const node = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) {
    if (value !== undefined && value !== null && value !== false) {
      node.setAttribute(name, value === true ? '' : value);
    }
  }
  node.append(...children);
  return node;
}

// --- Building the window from the form's element table ---

const elements = new Map(layout.main.map((element) => [element.id, element]));
const children = (container) => layout.main.filter((element) => element.container === container);

function frame(element, extra = {}) {
  const legendId = `${element.id}-caption`;
  const node = make('fieldset', {id: element.id, class: `frame ${element.id}`, title: element.toolTip || null,
                                 'aria-labelledby': legendId, ...extra},
                    [make('legend', {id: legendId}, captionNodes(element.caption))]);
  return node;
}

function option(element, accessibleName) {
  const input = make('input', {type: 'radio', name: element.name, id: element.id,
                               'aria-label': accessibleName || null});
  const caption = make('span', {class: 'caption'}, [plain(element.caption)]);
  const wrapper = make('label', {class: 'option', for: element.id}, [input, caption]);
  if (!options.has(element.name)) {
    options.set(element.name, []);
  }
  options.get(element.name)[element.index] = {input, wrapper, caption};
  input.addEventListener('click', () => act(() => form.selectOption(element.name, element.index)));
  return wrapper;
}

function label(element, tag = 'span', attributes = {}) {
  const node = make(tag, {id: element.id, class: `label ${element.name}`, ...attributes},
                    [plain(element.caption)]);
  byId.set(element.id, node);
  return node;
}

function output(element, accessibleName) {
  // The figure sits in a box of its own, laid out alone when it changes.
  const figure = make('span', {class: 'figure'});
  byId.set(element.id, figure);
  return make('output', {id: element.id, class: `box ${element.name}`, 'aria-label': accessibleName}, [figure]);
}

// The pool frame: the options in screen order, the separator lines between the groups.
function buildPools() {
  const node = frame(elements.get('fraPoolLen'), {role: 'radiogroup'});
  const list = make('div', {class: 'pools'});
  const items = children('fraPoolLen').sort((a, b) => a.geometry[1] - b.geometry[1]);
  let group = make('div', {class: 'poolgroup'});
  for (const element of items) {
    if (element.kind === 'line') {
      list.append(group, make('hr', {id: element.id, 'aria-hidden': 'true'}));
      group = make('div', {class: 'poolgroup'});
    } else {
      group.append(option(element));
    }
  }
  list.append(group);
  node.append(list);
  return node;
}

// The event list: one row per stroke, one column per distance.
function buildEvents() {
  const node = frame(elements.get('fraEvent'), {role: 'radiogroup'});
  const grid = make('div', {class: 'events'});
  for (const element of children('fraEvent')) {
    if (element.kind === 'label') {
      const row = layout.eventRows.indexOf(element.caption);
      const node = label(element, 'span', {'aria-hidden': 'true'});
      node.style.gridRow = row + 1;
      grid.append(node);
    } else {
      const [row, column] = layout.eventCells[element.index];
      const cell = option(element, `${layout.eventRows[row]} ${plain(element.caption)}`);
      cell.style.gridRow = row + 1;
      cell.style.gridColumn = column + 2;
      grid.append(cell);
    }
  }
  node.append(grid);
  return node;
}

// The converted times: each group heading over the columns it spans, each column a caption
// over its box.
function buildConverted() {
  const element = elements.get('fraConvTime');
  const node = frame(element);
  const groups = make('div', {class: 'groups'});
  const headings = children('fraConvTime').filter((e) => e.kind === 'label' && e.name !== 'Label1');
  for (const heading of headings) {
    const [left, , width] = heading.geometry;
    const group = make('div', {class: 'group'}, [label(heading, 'h2', {class: 'heading'})]);
    const cells = make('div', {class: 'cells'});
    for (const caption of children('fraConvTime').filter((e) => e.name === 'Label1')) {
      const x = caption.geometry[0];
      if (x < left || x >= left + width) {
        continue;
      }
      const box = elements.get(`txtETime_${caption.index}`);
      cells.append(make('div', {class: 'cell'}, [
        label(caption, 'span', {'aria-hidden': 'true'}),
        output(box, `Converted time in ${layout.boxPools[box.index]}`)]));
    }
    group.append(cells);
    groups.append(group);
  }
  node.append(groups);
  return node;
}

function buildPoints() {
  const node = frame(elements.get('Frame1'));
  const pairs = make('div', {class: 'points'});
  pairs.append(
    make('div', {class: 'cell'}, [label(elements.get('lblGBPntMale'), 'span', {'aria-hidden': 'true'}),
                                   output(elements.get('txtGBPnt_0'), 'Male points')]),
    make('div', {class: 'cell'}, [label(elements.get('lblGBPntFemale'), 'span', {'aria-hidden': 'true'}),
                                   output(elements.get('txtGBPnt_1'), 'Female points')]));
  node.append(pairs);
  return node;
}

function buildTime() {
  const time = elements.get('txtATime');
  const input = make('input', {id: time.id, type: 'text', class: 'txtATime', title: time.toolTip,
                               inputmode: 'decimal', autocomplete: 'off', autocorrect: 'off',
                               autocapitalize: 'off', spellcheck: 'false', enterkeyhint: 'done'});
  byId.set(time.id, input);
  input.addEventListener('input', () => act(() => form.setTimeText(input.value)));
  // The label above the box names it for a screen reader, as on the desktop.
  return make('div', {class: 'time'}, [label(elements.get('lblTime'), 'label', {for: time.id}),
                                       make('div', {}, [input])]);
}

// The hidden pickers and their headings: kept, never shown.
function buildHidden() {
  const node = make('div', {hidden: true});
  for (const element of layout.main.filter((e) => !e.visible && e.container === '')) {
    if (element.kind === 'panel') {
      const panel = make('div', {id: element.id});
      for (const item of children(element.id)) {
        panel.append(option(item, plain(item.caption)));
      }
      node.append(panel);
    } else {
      node.append(label(element));
    }
  }
  return node;
}

const helpButton = elements.get('cmdHelp');
const versionLabel = elements.get('lblVersion');
const cmdHelp = make('button', {id: helpButton.id, type: 'button', class: 'cmdHelp', 'aria-haspopup': 'menu',
                                'aria-controls': 'mnuHelp', 'aria-expanded': 'false',
                                accesskey: accessKey(helpButton.caption)},
                     captionNodes(helpButton.caption));
cmdHelp.addEventListener('click', () => act(() => form.clickHelp()));
const lblVersion = label(versionLabel, 'button', {type: 'button', 'aria-haspopup': 'dialog'});
lblVersion.addEventListener('click', () => act(() => form.clickVersion()));

const menu = make('div', {id: 'mnuHelp', role: 'menu', 'aria-label': plain(layout.helpMenuCaption),
                          tabindex: '-1', hidden: true});
for (const [name, caption] of layout.helpMenu) {
  const item = make('button', {type: 'button', role: 'menuitem', 'data-name': name, 'data-key': accessKey(caption),
                               tabindex: '-1'}, captionNodes(caption));
  item.addEventListener('click', () => chooseMenuItem(name));
  menu.append(item);
}

const dialog = make('dialog', {id: 'msgbox', 'aria-labelledby': 'msgbox-title', 'aria-describedby': 'msgbox-text'}, [
  make('h2', {id: 'msgbox-title'}),
  make('pre', {id: 'msgbox-text'}),
  make('form', {method: 'dialog'}, [make('button', {value: 'ok', autofocus: true}, ['OK'])])]);

const scrElement = layout.textWindow.find((e) => e.name === 'ScrText');
const clrElement = layout.textWindow.find((e) => e.name === 'cmdClrText');
const scrText = make('textarea', {id: scrElement.id, wrap: 'off', spellcheck: 'false',
                                  'aria-label': 'GB points explanation'});
const cmdClrText = make('button', {id: clrElement.id, type: 'button', accesskey: accessKey(clrElement.caption)},
                        captionNodes(clrElement.caption));
const textwin = make('section', {id: 'Textwin', role: 'dialog', 'aria-label': 'GB Points', hidden: true},
                     [scrText, make('div', {class: 'buttons'}, [cmdClrText])]);
scrText.addEventListener('input', () => form.editTextWindow(fromDisplay(scrText.value)));
cmdClrText.addEventListener('click', () => act(() => form.cancelTextWindow()));
textwin.addEventListener('keydown', (event) => {
  if (event.key === 'Escape' && clrElement.cancelButton) {
    event.preventDefault();
    cmdClrText.click();
  }
});

root.replaceChildren(
  make('header', {}, [make('h1', {id: 'title'}, [layout.title]), lblVersion, cmdHelp, menu]),
  make('div', {class: 'inputs'}, [buildPools(), make('div', {class: 'right'}, [buildEvents(), buildTime()])]),
  buildConverted(), buildPoints(), buildHidden());
document.body.append(textwin, dialog);
root.removeAttribute('aria-busy');

// --- Actions and the form's answers ---

function act(handler) {
  handler();
  update();
}

let lastShows = 0;
function update() {
  const view = JSON.parse(form.view());
  for (const [id, text] of Object.entries(view.texts)) {
    const node = byId.get(id);
    if (!node) {
      continue;
    }
    if (node.tagName === 'INPUT') {
      if (node.value !== text) {
        node.value = text;
      }
    } else if (node.textContent !== text) {
      node.textContent = text;
    }
  }
  for (const [group, states] of Object.entries(view.options)) {
    const nodes = options.get(group) || [];
    states.forEach(([selected, visible, caption], i) => {
      const node = nodes[i];
      if (!node) {
        return;
      }
      if (node.input.checked !== selected) {
        node.input.checked = selected;
      }
      if (node.wrapper.hidden === visible) {
        node.wrapper.hidden = !visible;
      }
      const shown = plain(caption);
      if (node.caption.textContent !== shown) {
        node.caption.textContent = shown;
      }
    });
  }
  if ('textwin' in view) {
    showTextWindow(view.textwin);
  }
  if (view.menu) {
    openMenu(view.menu);
  }
  if (view.messages) {
    for (const [text, title] of view.messages) {
      messages.push({text, title});
    }
    showNextMessage();
  }
}

// --- The text window: placed where the form puts it, shown modeless ---

function showTextWindow(state) {
  if (!state) {
    if (!textwin.hidden) {
      const hadFocus = textwin.contains(document.activeElement);
      textwin.hidden = true;
      scrText.value = '';
      if (hadFocus) {
        byId.get('txtATime').focus();
      }
    }
    return;
  }
  textwin.style.left = `${state.left}px`;
  textwin.style.top = `${state.top}px`;
  const text = toDisplay(state.ScrText);
  const fresh = scrText.value !== text;
  if (fresh) {
    scrText.value = text;
  }
  scrText.hidden = !state.ScrTextVisible;
  cmdClrText.hidden = !state.cmdClrTextVisible;
  cmdClrText.disabled = !state.cmdClrTextEnabled;
  textwin.hidden = false;
  if (state.shows !== lastShows) {
    lastShows = state.shows;
    if (!scrText.hidden) {
      scrText.setSelectionRange(0, 0);
      scrText.focus({preventScroll: true});
    }
  }
  if (fresh) {
    // A fresh copy starts at its first line, scrolled fully left.
    scrText.scrollTop = 0;
    scrText.scrollLeft = 0;
  }
}

// The viewport and the text window's outer size, for centring the window when it opens.
function reportSizes() {
  const wasHidden = textwin.hidden;
  if (wasHidden) {
    textwin.style.visibility = 'hidden';
    textwin.hidden = false;
  }
  const box = textwin.getBoundingClientRect();
  if (wasHidden) {
    textwin.hidden = true;
    textwin.style.visibility = '';
  }
  form.setSizes(document.documentElement.clientWidth, window.innerHeight, box.width, box.height);
}
window.addEventListener('resize', reportSizes);

// --- The help menu ---

function menuItems() {
  return [...menu.querySelectorAll('[role=menuitem]')];
}

function openMenu([x, y]) {
  // The form names a point of the window; the element whose bottom right corner lies there is
  // the Help button, and the menu's top right corner goes to that corner on the page.
  const anchor = layout.main.find((e) => e.container === '' &&
      Math.abs((e.geometry[0] + e.geometry[2]) / TWIPS_PER_PIXEL - x) < 0.01 &&
      Math.abs((e.geometry[1] + e.geometry[3]) / TWIPS_PER_PIXEL - y) < 0.01);
  const target = (anchor && document.getElementById(anchor.id)) || cmdHelp;
  const header = menu.parentElement;
  menu.hidden = false;
  const rect = target.getBoundingClientRect();
  const base = header.getBoundingClientRect();
  menu.style.top = `${rect.bottom - base.top}px`;
  menu.style.left = `${Math.max(0, rect.right - base.left - menu.offsetWidth)}px`;
  cmdHelp.setAttribute('aria-expanded', 'true');
  menu.focus();
}

function closeMenu(returnFocus) {
  if (menu.hidden) {
    return;
  }
  menu.hidden = true;
  cmdHelp.setAttribute('aria-expanded', 'false');
  if (returnFocus) {
    cmdHelp.focus();
  }
}

function chooseMenuItem(name) {
  closeMenu(true);
  reportSizes();
  act(() => form.chooseHelpItem(name));
}

menu.addEventListener('keydown', (event) => {
  const items = menuItems();
  const at = items.indexOf(document.activeElement);
  if (event.key === 'Escape' || event.key === 'Tab') {
    event.preventDefault();
    closeMenu(true);
  } else if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
    event.preventDefault();
    const step = event.key === 'ArrowDown' ? 1 : -1;
    const next = at < 0 ? (step > 0 ? 0 : items.length - 1) : (at + step + items.length) % items.length;
    items[next].focus();
  } else if (event.key === 'Home' || event.key === 'End') {
    event.preventDefault();
    items[event.key === 'Home' ? 0 : items.length - 1].focus();
  } else if (event.key.length === 1 && !event.altKey && !event.ctrlKey && !event.metaKey) {
    const item = items.find((i) => i.dataset.key === event.key.toLowerCase());
    if (item) {
      event.preventDefault();
      chooseMenuItem(item.dataset.name);
    }
  }
});
document.addEventListener('pointerdown', (event) => {
  if (!menu.hidden && !menu.contains(event.target) && !cmdHelp.contains(event.target)) {
    closeMenu(false);
  }
});
menu.addEventListener('focusout', (event) => {
  if (!menu.contains(event.relatedTarget) && event.relatedTarget !== null) {
    closeMenu(false);
  }
});

// --- Message boxes: modal, one OK button, one after another ---

const messages = [];
function showNextMessage() {
  if (dialog.open || messages.length === 0) {
    return;
  }
  const {text, title} = messages.shift();
  dialog.querySelector('#msgbox-title').textContent = title;
  dialog.querySelector('#msgbox-text').textContent = toDisplay(text);
  dialog.returnFocusTo = document.activeElement;
  dialog.showModal();
  dialog.querySelector('button').focus();
}
dialog.addEventListener('close', () => {
  const back = dialog.returnFocusTo;
  if (back && back.isConnected && back !== document.body) {
    back.focus();
  }
  showNextMessage();
});

reportSizes();
update();
byId.get('txtATime').focus();
document.documentElement.dataset.ready = 'true';
// The first frame with the window in it: the moment the page can be used.
requestAnimationFrame(() => {
  performance.mark('equivtimes-interactive');
  document.documentElement.dataset.interactive = 'true';
});

if ('serviceWorker' in navigator && location.protocol !== 'file:') {
  navigator.serviceWorker.register('sw.js').catch(() => {});
}
