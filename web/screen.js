// The picture's size on the page: the 800 × 600 canvas as large as the window (or, in
// fullscreen, the screen) allows with its 4:3 shape, above the line of help.
//
// Whole multiples of 800 × 600 (in CSS pixels, so that a phone's picture is not shrunk to its
// device pixels) keep every picture pixel square and every grid line equally wide, so the largest
// one that fits is used while it covers at least half the area the largest fitting 4:3 picture
// would. Below that (a 1920 × 1080 window, where 1× would fill a third of what 1.75× fills) and
// below 1× (the help line must fit at 800 × 600) the picture is scaled to fit and smoothed: a
// nearest-neighbour scale by 1.75 draws one-pixel lines one or two pixels wide, and they shimmer
// as the grid scrolls.
'use strict';

(function () {
  const stage = document.getElementById('stage');
  const screen = document.getElementById('screen');
  const canvas = document.getElementById('canvas');
  const line = document.getElementById('line');

  /// Size in CSS pixels and whether it is a whole multiple, for a room of width × height.
  const pictureSize = (width, height) => {
    const fit = Math.min(width / 800, height / 600);
    const whole = Math.floor(fit);
    const useWhole = whole >= 1 && (whole / fit) ** 2 >= 0.5;
    const scale = useWhole ? whole : fit;
    return { width: Math.floor(800 * scale), height: Math.floor(600 * scale), whole: useWhole };
  };

  const fit = () => {
    const fullscreen = document.fullscreenElement === stage;
    const below = fullscreen ? 0 : Math.ceil(line.getBoundingClientRect().height);
    const room = pictureSize(stage.clientWidth, stage.clientHeight - below);
    screen.style.width = `${room.width}px`;
    screen.style.height = `${room.height}px`;
    canvas.classList.toggle('whole', room.whole);
  };

  const toggleFullscreen = () => {
    if (document.fullscreenElement) {
      document.exitFullscreen();
    } else if (stage.requestFullscreen) {
      stage.requestFullscreen().catch(() => {});
    }
    canvas.focus();
  };

  window.addEventListener('resize', fit);
  new ResizeObserver(fit).observe(line);  // its text changes, and wraps differently
  document.addEventListener('fullscreenchange', fit);
  document.getElementById('fullscreen').addEventListener('click', toggleFullscreen);
  canvas.addEventListener('dblclick', toggleFullscreen);
  fit();
})();
