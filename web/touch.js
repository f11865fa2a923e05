// The touch controls, fed to the game's own inputs: the stick holds the directions its touch
// points to (a diagonal holds two) as the arrow keys would be held, fire is a Space key-down
// and held keeps the beam on, start is Enter. Each follows its own touch, so steering and
// firing go together. Shown once the page is touched, hidden when a key or a pad is used.
(() => {
  const control = name => document.querySelector(`[data-control=${name}]`);
  const stick = control('stick'), fire = control('fire'), start = control('start');
  const running = () => Module.zemaState === 'running';
  let stickTouch = null, fireTouch = null, steering = '0000';

  function show(touching) {
    if (document.body.classList.contains('touching') === touching) return;
    document.body.classList.toggle('touching', touching);
    placePage();
  }
  document.addEventListener('touchstart', () => show(true), { capture: true, passive: true });
  addEventListener('keydown', () => show(false), true);
  // A pad is seen only by asking; one pressed or pushed hides the controls.
  setInterval(() => {
    for (const pad of navigator.getGamepads ? navigator.getGamepads() : [])
      if (pad && (pad.buttons.some(b => b.pressed) || pad.axes.some(a => Math.abs(a) > 0.5)))
        show(false);
  }, 250);
  // The sound starts with the first touch, as with the first key: browsers let a page's audio
  // start at the end of a touch, not at its beginning.
  document.addEventListener('touchend', () => {
    const audio = Module.SDL2 && Module.SDL2.audioContext;
    if (audio && audio.state !== 'running') audio.resume();
  }, true);

  const find = (touches, id) => Array.from(touches).find(t => t.identifier === id);
  // Outside a small middle the stick holds each direction the touch leans within 67.5 degrees
  // of: eight directions, the diagonals holding two.
  function steer(touch) {
    let held = [0, 0, 0, 0];
    if (touch) {
      const box = stick.getBoundingClientRect();
      const dx = touch.clientX - (box.left + box.width / 2);
      const dy = touch.clientY - (box.top + box.height / 2);
      const lean = Math.hypot(dx, dy) * 0.38;
      if (Math.hypot(dx, dy) > box.width * 0.12)
        held = [dx < -lean, dx > lean, dy < -lean, dy > lean].map(Number);
    }
    stick.classList.toggle('held', !!touch);
    if (held.join('') === steering || !running()) return;
    steering = held.join('');
    Module._zemaTouchSteer(...held);
  }
  function follow(element, begin, end) {
    const options = { passive: false };
    element.addEventListener('touchstart', event => {
      event.preventDefault();
      begin(event.changedTouches[0]);
    }, options);
    for (const type of ['touchend', 'touchcancel'])
      element.addEventListener(type, event => {
        event.preventDefault();
        end(event.changedTouches);
      }, options);
    element.addEventListener('touchmove', event => event.preventDefault(), options);
  }
  follow(stick, touch => {
    if (stickTouch !== null) return;
    stickTouch = touch.identifier;
    steer(touch);
  }, touches => {
    if (!find(touches, stickTouch)) return;
    stickTouch = null;
    steer(null);
  });
  stick.addEventListener('touchmove', event => {
    const touch = find(event.changedTouches, stickTouch);
    if (touch) steer(touch);
  });
  follow(fire, touch => {
    if (fireTouch !== null || !running()) return;
    fireTouch = touch.identifier;
    fire.classList.add('held');
    Module._zemaTouchFire(1);
  }, touches => {
    if (!find(touches, fireTouch)) return;
    fireTouch = null;
    fire.classList.remove('held');
    if (running()) Module._zemaTouchFire(0);
  });
  follow(start, () => { if (running()) Module._zemaTouchStart(); }, () => {});

  // The browser's fullscreen, then landscape where the browser allows locking it.
  control('fullscreen').addEventListener('click', () => {
    if (document.fullscreenElement) return document.exitFullscreen();
    const page = document.documentElement;
    if (!page.requestFullscreen) return;
    page.requestFullscreen()
      .then(() => screen.orientation && screen.orientation.lock('landscape'))
      .catch(() => {});
  });
  addEventListener('resize', placePage);
  placePage();
})();
