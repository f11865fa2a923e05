// Places the canvas and the touch controls for the window's size. The canvas keeps the view's
// W x H and is scaled as ?scale asks, in whole device pixels: fit (the largest size with the
// aspect kept, centred on black), integer (the largest whole multiple of device pixels, each
// game pixel a square; as fit when even one does not fit) or stretch (the whole window). With
// no view chosen the canvas is the window, unscaled. Upright on a touch screen the picture takes
// the top and the controls go below it; otherwise they stand in the bars beside it.

// The picture's place in the area, in device pixels, as the program places the view in a desktop
// window (asked only once the program has chosen a view, so it is running).
function scaledPicture(view, scale, areaWidth, areaHeight) {
  const scaleIndex = Math.max(0, ['fit', 'integer', 'stretch'].indexOf(scale)); // ViewScale's
  const at =
    Module._zemaPlaceView(areaWidth, areaHeight, view.width, view.height, scaleIndex) >> 2;
  const [left, top, width, height] = Module.HEAP32.subarray(at, at + 4);
  return { left, top, width, height };
}

function placePage() {
  const canvas = Module.canvas;
  const upright = innerHeight > innerWidth;
  const touchLayout = touchScreen || document.body.classList.contains('touching');
  let picture = { left: 0, top: 0, width: innerWidth, height: innerHeight };
  if (!scaling.view) {
    for (const property of ['left', 'top', 'width', 'height', 'imageRendering'])
      canvas.style[property] = '';
  } else {
    const ratio = devicePixelRatio || 1;
    const areaWidth = Math.floor(innerWidth * ratio), areaHeight = Math.floor(innerHeight * ratio);
    const size = scaledPicture(scaling.view, scaling.scale, areaWidth, areaHeight);
    const top = upright && touchLayout ? 0 : size.top;
    picture = { left: size.left / ratio, top: top / ratio, width: size.width / ratio,
                height: size.height / ratio };
    const whole = size.width % scaling.view.width === 0 && size.height % scaling.view.height === 0;
    Object.assign(canvas.style, {
      left: picture.left + 'px', top: picture.top + 'px', width: picture.width + 'px',
      height: picture.height + 'px', imageRendering: whole ? 'pixelated' : 'auto' });
  }
  placeControls(picture, upright);
}

// The stick on the left, fire below start on the right, sized for thumbs: in the bars beside the
// picture or in the band below it, over the picture's lower corners only when there is no room
// (the craft stands in the middle and the energy bar at the top, clear of them).
function placeControls(picture, upright) {
  const put = (name, x, y, size) => Object.assign(
    document.querySelector(`[data-control=${name}]`).style,
    { left: x - size / 2 + 'px', top: y - size / 2 + 'px', width: size + 'px', height: size + 'px' });
  const band = upright ? innerHeight - picture.top - picture.height : picture.left;
  const room = upright ? Math.min(band, innerWidth / 2) : band;
  const stick = Math.max(110, Math.min(180, room - 16, innerHeight * 0.45));
  const fire = stick * 0.62, start = stick * 0.42;
  const margin = 12;
  const rightX = innerWidth - Math.max(band, fire + 2 * margin) / 2;
  if (upright && band > stick) {
    const middle = innerHeight - band / 2;
    put('stick', innerWidth * 0.27, middle, stick);
    put('fire', innerWidth * 0.76, middle + fire * 0.35, fire);
    put('start', innerWidth * 0.76, middle - fire * 0.75, start);
  } else {
    const leftX = Math.max(band, stick + 2 * margin) / 2;
    const low = innerHeight - Math.max(stick / 2 + margin, innerHeight * 0.3);
    put('stick', leftX, low, stick);
    put('fire', rightX, low, fire);
    put('start', rightX, low - fire / 2 - start / 2 - 2 * margin, start);
  }
  // In a corner of the bar or the band, clear of the picture.
  const below = upright && band > stick ? picture.top + picture.height : 0;
  put('fullscreen', innerWidth - 22 - margin, below + 22 + margin, 44);
}
