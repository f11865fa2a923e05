// "Use your own copy": the player's copy of the original (its executable and six WAV files),
// chosen with a file chooser or dropped on the page, checked by the game's own reader (the
// program's zemaCheckCopy), kept in the browser's storage for the next visit and forgotten again.
// The page starts with the kept copy in the program's files (/copy) and tells the game so, as
// the desktop's --data does; a copy that is not whole is said, and ZEMA's own pictures and
// sounds stay.
(() => {
  const keptFolder = '/copy', checkFolder = '/check';
  const style = document.createElement('style');
  style.textContent = `
    #own-copy { position: fixed; left: 8px; top: 8px; font: 13px sans-serif; color: #fff;
                opacity: 0.6; max-width: 60%; }
    #own-copy:hover, #own-copy.dropping, #own-copy.saying { opacity: 1; }
    #own-copy button { font: inherit; margin-right: 6px; cursor: pointer; }
    #own-copy.dropping { outline: 2px dashed #fff; padding: 6px; }
    #own-copy-said { margin-top: 4px; background: rgba(0, 0, 0, 0.75); padding: 2px 6px; }
    #own-copy-said:empty { display: none; }`;
  document.head.appendChild(style);
  const box = document.createElement('div');
  box.id = 'own-copy';
  box.innerHTML = '<input type="file" multiple accept=".exe,.wav" hidden>' +
    '<button type="button" data-copy="choose">Use your own copy</button>' +
    '<button type="button" data-copy="forget" hidden>Forget your copy</button>' +
    '<div id="own-copy-said"></div>';
  document.body.appendChild(box);
  const chooser = box.querySelector('input');
  const forgetButton = box.querySelector('[data-copy=forget]');
  const said = document.getElementById('own-copy-said');
  function say(text) {
    said.textContent = text;
    box.classList.toggle('saying', !!text);
  }

  // The browser's storage: one record, the copy's files as names and bytes. Done once the
  // transaction has committed: a page reloaded before then loses it.
  function store(mode, work) {
    return new Promise((done, failed) => {
      const opening = indexedDB.open('zema', 1);
      opening.onupgradeneeded = () => opening.result.createObjectStore('copy');
      opening.onerror = () => failed(opening.error);
      opening.onsuccess = () => {
        const transaction = opening.result.transaction('copy', mode);
        const request = work(transaction.objectStore('copy'));
        transaction.oncomplete = () => done(request.result);
        transaction.onerror = transaction.onabort = () =>
          failed(transaction.error || new Error('the storage refused it'));
      };
    });
  }
  const keptFiles = () => store('readonly', s => s.get('files'));

  // Before the game starts: the kept copy in its folder, and --data naming it.
  Module.preRun.push(() => {
    Module.addRunDependency('own-copy');
    keptFiles().then(files => {
      if (files && files.length) {
        putFiles(keptFolder, files);
        Module.arguments.push('--data', keptFolder);
        forgetButton.hidden = false;
      }
    }).catch(error => say('Your kept copy could not be read: ' + error.message))
      .finally(() => Module.removeRunDependency('own-copy'));
  });
  // The program says a kept copy is not whole; it plays with its own.
  Module.zemaCopyRefused = line =>
    say('Your kept copy is not whole, so ZEMA plays with its own pictures and sounds: ' + line);
  Module.zemaPlaysOwnCopy = () => !!Module._zemaPlaysOwnCopy();

  function putFiles(folder, files) {
    const fs = Module.FS;
    if (fs.analyzePath(folder).exists) {
      for (const name of fs.readdir(folder))
        if (name !== '.' && name !== '..') fs.unlink(folder + '/' + name);
    } else {
      fs.mkdir(folder);
    }
    for (const file of files) fs.writeFile(folder + '/' + file.name, new Uint8Array(file.bytes));
  }

  // A chosen copy: checked, then kept and played with from a fresh start; or said not whole.
  async function useFiles(list) {
    const files = [];
    for (const file of list)
      if (!file.name.includes('/')) files.push({ name: file.name, bytes: await file.arrayBuffer() });
    if (!files.length) return;
    if (!Module.calledRun) {
      say('ZEMA is still starting; choose your copy again in a moment.');
      return;
    }
    say('Checking your copy…');
    putFiles(checkFolder, files);
    const fault = Module.UTF8ToString(Module._zemaCheckCopy());
    if (fault) {
      say(fault + ' ZEMA keeps its own pictures and sounds.');
      return;
    }
    try {
      await store('readwrite', s => s.put(files, 'files'));
    } catch (error) {
      say('Your copy is whole but could not be kept: ' + error.message);
      return;
    }
    say('Your copy is whole and kept: ZEMA starts again with it.');
    location.reload();
  }

  // The buttons give the keyboard back at once: Enter and Space are the game's.
  box.querySelector('[data-copy=choose]').onclick = event => {
    event.target.blur();
    chooser.click();
  };
  chooser.onchange = () => useFiles(chooser.files).finally(() => { chooser.value = ''; });
  forgetButton.onclick = () => {
    forgetButton.blur();
    store('readwrite', s => s.delete('files'))
      .then(() => location.reload(), error => say('Your copy could not be forgotten: ' + error.message));
  };
  // Dropped anywhere on the page.
  addEventListener('dragover', event => {
    event.preventDefault();
    box.classList.add('dropping');
  });
  addEventListener('dragleave', () => box.classList.remove('dropping'));
  addEventListener('drop', event => {
    event.preventDefault();
    box.classList.remove('dropping');
    useFiles(event.dataTransfer.files);
  });
})();
