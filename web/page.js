// The page around the game: starts the WebAssembly module on the canvas, keeps the game's keys
// from scrolling the page or reaching the browser's shortcuts, and in ?bench mode runs the
// headless runner's bench and shows its figures. The game itself (title screen, frame loop,
// sound, caption as page title) is the same program as on the desktop.
'use strict';

(function () {
  const params = new URLSearchParams(location.search);
  const bench = params.has('bench');
  const canvas = document.getElementById('canvas');

  // Arrows, Space, Shift, Ctrl and 1-5 belong to the game (by key position, any modifiers).
  const gameKeys = /^(Arrow(Up|Down|Left|Right)|Space|Shift(Left|Right)|Control(Left|Right)|Digit[1-5])$/;
  const keepKey = (event) => {
    if (gameKeys.test(event.code)) {
      event.preventDefault();
    }
  };
  window.addEventListener('keydown', keepKey, true);
  window.addEventListener('keyup', keepKey, true);
  canvas.addEventListener('contextmenu', (event) => event.preventDefault());

  // Figures the bench prints as name=value lines, for the console and for whoever reads the page.
  const figures = {};
  const benchOut = document.getElementById('bench');
  const print = (text) => {
    console.log(text);
    const figure = /^([a-z_]+)=([-0-9.]+)$/.exec(text);
    if (bench && figure) {
      figures[figure[1]] = Number(figure[2]);
      benchOut.hidden = false;
      benchOut.textContent += text + '\n';
    }
  };

  window.Module = {
    canvas: canvas,
    print: print,
    printErr: (text) => console.warn(text),
    arguments: bench ? ['--bench'] : [],
    preRun: [function () {
      // The bench times the game's own work on SDL's dummy video driver, as the native bench
      // does; ?bench=canvas times it with presentation on this page's canvas instead.
      ENV.SDL_VIDEODRIVER = bench && params.get('bench') !== 'canvas' ? 'dummy' : 'emscripten';
      ENV.SDL_AUDIODRIVER = bench ? 'dummy' : 'emscripten';
      // Presenting through a software renderer (one putImageData a frame) is the fastest path
      // in practice; WebGL on headless Chromium's software rasteriser took about twice as long.
      ENV.SDL_RENDER_DRIVER = 'software';
    }],
    onExit: (status) => {
      if (bench) {
        window.lumenBench = figures;
        console.log('bench done, status ' + status);
      }
    },
  };

  const script = document.createElement('script');
  script.src = bench ? 'lumendrift-bench.js' : 'lumendrift.js';
  document.body.appendChild(script);
  canvas.focus();
})();
