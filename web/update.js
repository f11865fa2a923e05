// The service worker (sw.js) keeps the page's files for play without network; it is served over
// http only from this machine's own address, or https. Each visit asks whether a new build is
// out: its worker keeps the new build beside the old one and waits while a page of the old one
// is open. The page then says so, and the player takes it with the notice's button, or by
// starting again after a game: the waiting worker takes over and the page reloads once, whole
// from the new build.
(() => {
  const notice = document.getElementById('update');
  let registration = null;
  let asked = false, reloading = false;
  const waitingWorker = () => registration && registration.waiting;
  const showNotice = () => { notice.hidden = !waitingWorker(); };

  // Asks the waiting worker to take over; false when there is none.
  function takeUpdate() {
    const worker = waitingWorker();
    if (!worker) return false;
    asked = true;
    worker.postMessage('zema-take-update');
    return true;
  }
  notice.querySelector('[data-control=update]').addEventListener('click', takeUpdate);
  window.zemaStartAgain = () => { if (!takeUpdate()) location.reload(); };

  // The worker is asked for once the title shows (the program calls zemaTitleShown), so that
  // fetching and hashing every file does not hold up a first visit.
  Module.zemaTitleShown = () => {};
  if (!('serviceWorker' in navigator) || !isSecureContext) return;
  // A page opened without a worker is taken by the first one, of the same build: no reload.
  const controlledAtStart = !!navigator.serviceWorker.controller;
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    // The page that asked reloads; so does one of the old build still loading its files, taken
    // over because another page asked. A game in play elsewhere is left as it is.
    const reload = asked || (controlledAtStart && Module.zemaState === 'starting');
    if (reload && !reloading) {
      reloading = true;
      location.reload();
    } else if (!reload) {
      showNotice();
    }
  });
  const follow = worker => worker && worker.addEventListener('statechange', showNotice);
  Module.zemaTitleShown = () => navigator.serviceWorker.register('sw.js').then(kept => {
    registration = kept;
    follow(kept.installing);
    kept.addEventListener('updatefound', () => follow(kept.installing));
    showNotice();
    return kept.update();
  }).catch(() => {});
})();
