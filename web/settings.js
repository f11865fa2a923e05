// The settings panel: the settings that mean something in a page (the view and its scaling,
// smooth motion, the volumes, the keys and the pad), as the game's option table gives them
// through the program, kept in the browser's storage as a settings file's text for the next
// visit, where the address's options win over them. The Settings button (shown while the pointer
// moves, at a touch, or when the game is not running), F2 or a pad's Back button opens it; the
// arrows or the D-pad and stick choose and step, Enter or A changes (a key or button binding takes
// the next one pressed), Delete or X gives the default, Esc or B leaves without keeping anything.
// Save keeps the settings and starts the page again with them. The game holds while it is open.
(() => {
  const storageKey = 'zema.settings';
  // The browser's standard pad layout by button index, in SDL's names (its mapping for it).
  const padNames = ['a', 'b', 'x', 'y', 'leftshoulder', 'rightshoulder', '', '', 'back', 'start',
                    'leftstick', 'rightstick', 'dpup', 'dpdown', 'dpleft', 'dpright', 'guide'];
  const padBack = 8;
  const style = document.createElement('style');
  style.textContent = `
    [data-control=settings] { left: 12px; top: 12px; width: auto; height: 32px; padding: 0 10px;
                              border-radius: 8px; font: 14px sans-serif; cursor: pointer;
                              touch-action: auto; z-index: 2; }
    body.running:not(.pointing):not(.touching) [data-control=settings] { display: none; }
    #settings { position: fixed; inset: 5%; z-index: 3; display: flex; flex-direction: column;
                background: rgba(10, 12, 24, 0.95); color: #fff; font: 15px sans-serif;
                border: 1px solid #567; border-radius: 8px; padding: 12px; }
    #settings[hidden] { display: none; }
    #settings h2 { margin: 0 0 8px; font-size: 18px; }
    #settings .rows { flex: 1; overflow-y: auto; }
    #settings .row { display: flex; align-items: center; gap: 8px; padding: 3px 6px; }
    #settings .row.chosen, #settings button.chosen { background: #164c5c; outline: 1px solid #4cc; }
    #settings .name { flex: 0 0 11em; color: #aab; }
    #settings .value { flex: 1; cursor: pointer; }
    #settings .row.default .value { color: #889; }
    #settings .row button, #settings .buttons button { font: inherit; cursor: pointer;
                                                       min-width: 2.4em; min-height: 1.9em; }
    #settings .help { min-height: 2.6em; color: #aab; margin-top: 8px; }
    #settings .status { min-height: 1.3em; color: #fe6; }
    #settings .buttons { display: flex; gap: 12px; justify-content: center; margin-top: 8px; }`;
  document.head.appendChild(style);

  const opener = document.createElement('button');
  opener.type = 'button';
  opener.dataset.control = 'settings';
  opener.textContent = 'Settings';
  const panel = document.createElement('div');
  panel.id = 'settings';
  panel.hidden = true;
  panel.innerHTML = '<h2>Settings</h2><div class="rows" role="listbox"></div>' +
    '<div class="help"></div><div class="status"></div><div class="buttons">' +
    '<button type="button" data-action="save">Save</button>' +
    '<button type="button" data-action="reset-all">Reset all</button>' +
    '<button type="button" data-action="close">Close</button></div>';
  document.body.append(opener, panel);
  const list = panel.querySelector('.rows'), help = panel.querySelector('.help');
  const status = panel.querySelector('.status');
  const buttons = Array.from(panel.querySelectorAll('.buttons button'));

  function saved() {
    try { return localStorage.getItem(storageKey) || ''; } catch (error) { return ''; }
  }
  let text = '', rows = [], chosen = 0, waiting = null, padWas = [], stickWas = [0, 0];
  const program = () => typeof Module.ccall === 'function' && Module.calledRun;
  const items = () => rows.length + buttons.length;

  // The rows over the text, from the program: name, kind, value, set or default, help.
  function readRows() {
    rows = Module.ccall('zemaPanelRows', 'string', ['string'], [text]).split('\n')
      .filter(line => line).map(line => {
        const [name, kind, value, given, about] = line.split('\t');
        return { name, kind, value, given: given === 'set', about };
      });
  }
  function show() {
    readRows();
    list.replaceChildren(...rows.map((row, i) => {
      const element = document.createElement('div');
      element.className = 'row' + (row.given ? '' : ' default') + (i === chosen ? ' chosen' : '');
      element.dataset.setting = row.name;
      element.innerHTML = '<span class="name"></span><button type="button" data-step="-1">‹</button>' +
        '<span class="value"></span><button type="button" data-step="1">›</button>' +
        '<button type="button" data-action="default">Default</button>';
      element.querySelector('.name').textContent = row.name;
      // Keys and typed values take no steps.
      if (row.kind === 'keys' || row.kind === 'text')
        element.querySelectorAll('[data-step]').forEach(b => { b.style.visibility = 'hidden'; });
      element.querySelector('.value').textContent =
        waiting && i === chosen ? (waiting === 'key' ? 'press a key…' : 'press a pad button…')
                                : row.value;
      return element;
    }));
    buttons.forEach((button, i) => button.classList.toggle('chosen', rows.length + i === chosen));
    help.textContent = chosen < rows.length ? rows[chosen].about : '';
    const element = chosen < rows.length ? list.children[chosen] : buttons[chosen - rows.length];
    element.scrollIntoView({ block: 'nearest' });
  }
  // The row made value ('' its default) or stepped; what the program refuses is said.
  function change(name, value, direction) {
    const [fault, ...rest] = Module.ccall('zemaPanelChange', 'string',
      ['string', 'string', 'string', 'number'], [text, name, value, direction]).split('\n');
    text = rest.join('\n');
    waiting = null;
    status.textContent = fault;
    show();
  }

  function open() {
    if (!panel.hidden || !program()) return;
    text = saved();
    chosen = 0;
    waiting = null;
    status.textContent = '';
    panel.hidden = false;
    if (Module._zemaHold) Module._zemaHold(1);
    padWas = [];
    show();
    requestAnimationFrame(readPad);
  }
  function close() {
    panel.hidden = true;
    waiting = null;
    // The game goes on once no pad button is held, so that none that closed the panel reaches it.
    const resume = () => (pressedButtons().length ? requestAnimationFrame(resume)
                                                  : Module._zemaHold(0));
    if (Module._zemaHold) resume();
  }
  function keep() {
    try {
      localStorage.setItem(storageKey, text);
    } catch (error) {
      status.textContent = 'This browser keeps no settings: ' + error.message;
      return;
    }
    location.reload();
  }

  // What Enter, A, a tap on the value or on a button does.
  function choose() {
    if (chosen >= rows.length) {
      const action = buttons[chosen - rows.length].dataset.action;
      if (action === 'save') keep();
      else if (action === 'close') close();
      else {
        for (const row of rows) change(row.name, '', 0);
        status.textContent = 'Every setting of the page back to its default (kept by Save)';
      }
      return;
    }
    const row = rows[chosen];
    // A key's name comes from the game's SDL, which listens only while the game runs.
    if (row.kind === 'keys' && Module.zemaState !== 'running')
      return (status.textContent = 'Keys can be chosen while the game runs');
    if (row.kind === 'text') {
      const typed = prompt(row.name + ': ' + row.about, row.value);
      return typed === null ? undefined : change(row.name, typed, 0);
    }
    if (row.kind === 'keys') waiting = 'key';
    else if (row.kind === 'button' || (row.kind === 'count' && row.name.startsWith('pad.')))
      waiting = 'pad';
    else return change(row.name, '', 1);
    status.textContent = waiting === 'key' ? 'Press the key for ' + row.name
                                           : 'Press the pad button for ' + row.name + ' (Esc: leave it)';
    show();
  }
  function act(action) {
    if (waiting) {
      if (action === 'back') {
        waiting = null;
        status.textContent = rows[chosen].name + ' left as it was';
        show();
      }
      return;
    }
    if (action === 'up') chosen = Math.max(0, chosen - 1);
    if (action === 'down') chosen = Math.min(items() - 1, chosen + 1);
    if ((action === 'left' || action === 'right') && chosen < rows.length)
      return change(rows[chosen].name, '', action === 'right' ? 1 : -1);
    if (action === 'left' || action === 'right')
      chosen = Math.min(items() - 1, Math.max(rows.length, chosen + (action === 'right' ? 1 : -1)));
    if (action === 'choose') return choose();
    if (action === 'default' && chosen < rows.length) return change(rows[chosen].name, '', 0);
    if (action === 'back') return close();
    show();
  }

  const keyActions = { ArrowUp: 'up', ArrowDown: 'down', ArrowLeft: 'left', ArrowRight: 'right',
                       Enter: 'choose', ' ': 'choose', Delete: 'default', Backspace: 'default',
                       Escape: 'back' };
  // Before the game's own handler: while the panel is open, no key reaches the game, except the
  // one a key binding waits for, which goes to SDL for its name and is taken from its queue.
  addEventListener('keydown', event => {
    if (panel.hidden) {
      if (event.key === 'F2' && program()) {
        event.preventDefault();
        event.stopImmediatePropagation();
        open();
      }
      return;
    }
    if (waiting === 'key') {
      setTimeout(() => {
        const name = Module.ccall('zemaTakeKey', 'string', [], []);
        if (name && waiting === 'key') change(rows[chosen].name, name, 0);
      });
      return;
    }
    event.preventDefault();
    event.stopImmediatePropagation();
    if (!event.repeat || !['choose', 'back'].includes(keyActions[event.key]))
      if (keyActions[event.key]) act(keyActions[event.key]);
  }, true);
  addEventListener('keyup', event => { if (!panel.hidden) event.stopImmediatePropagation(); }, true);

  // The pads, asked at each animation frame while the panel is open: a button or a push acts
  // once, when it begins.
  function pressedButtons() {
    const pressed = [];
    for (const pad of navigator.getGamepads ? navigator.getGamepads() : [])
      if (pad) pad.buttons.forEach((b, i) => { if (b.pressed) pressed.push(i); });
    return pressed;
  }
  function readPad() {
    if (panel.hidden) return;
    const pressed = pressedButtons(), fresh = pressed.filter(i => !padWas.includes(i));
    padWas = pressed;
    let stick = [0, 0];
    for (const pad of navigator.getGamepads ? navigator.getGamepads() : [])
      if (pad) stick = [0, 1].map(a => Math.abs(pad.axes[a] || 0) > 0.5 ? Math.sign(pad.axes[a]) : 0);
    for (const i of fresh) {
      if (waiting === 'pad') {
        const row = rows[chosen];
        if (row.kind === 'count') change(row.name, String(i + 1), 0);
        else if (padNames[i]) change(row.name, padNames[i], 0);
      } else {
        act({ 0: 'choose', 1: 'back', 2: 'default', 12: 'up', 13: 'down', 14: 'left',
              15: 'right' }[i]);
      }
    }
    if (stick[0] !== stickWas[0] && stick[0]) act(stick[0] < 0 ? 'left' : 'right');
    if (stick[1] !== stickWas[1] && stick[1]) act(stick[1] < 0 ? 'up' : 'down');
    stickWas = stick;
    requestAnimationFrame(readPad);
  }
  // Back opens the panel from the game; the pad is asked as touch.js asks it.
  setInterval(() => {
    const pressed = pressedButtons();
    if (panel.hidden && pressed.includes(padBack) && !padWas.includes(padBack)) open();
    if (panel.hidden) padWas = pressed;
  }, 100);

  // Taps and clicks: a row chooses it, its value changes it, the marks step it or give its default.
  opener.addEventListener('click', () => { opener.blur(); open(); });
  panel.addEventListener('click', event => {
    const row = event.target.closest('.row'), button = event.target.closest('button');
    if (row) {
      const i = rows.findIndex(r => r.name === row.dataset.setting);
      if (waiting) return act('back');
      const again = i === chosen;
      chosen = i;
      if (button && button.dataset.step) return act(button.dataset.step > 0 ? 'right' : 'left');
      if (button) return act('default');
      if (again || event.target.closest('.value')) return choose();
      return show();
    }
    if (button && button.dataset.action) {
      chosen = rows.length + buttons.indexOf(button);
      choose();
    }
  });

  // The button shows while the pointer moves (and for three seconds after), while the touch
  // controls show, and whenever the game is not running (the page's body is then not "running").
  let pointerTimer = 0;
  addEventListener('pointermove', event => {
    if (event.pointerType !== 'mouse') return;
    document.body.classList.add('pointing');
    clearTimeout(pointerTimer);
    pointerTimer = setTimeout(() => document.body.classList.remove('pointing'), 3000);
  });
  Module.zemaOpenSettings = open;
})();
