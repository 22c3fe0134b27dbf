// The page around the game: starts the WebAssembly module on the canvas, shows its download and
// start-up as a bar with "Loading…" until the title picture shows, keeps the game's keys from
// scrolling the page while every other key keeps its browser meaning, and in ?bench mode runs the
// headless runner's bench and shows its figures. The game itself (title screen, frame loop,
// sound, caption as page title, gamepad) is the same program as on the desktop.
'use strict';

(function () {
  const params = new URLSearchParams(location.search);
  const bench = params.has('bench');
  const canvas = document.getElementById('canvas');
  const status = document.getElementById('status');
  const loading = document.getElementById('loading');
  const progress = document.getElementById('progress');

  // Arrows, Space, Shift, Ctrl and 1-5 belong to the game (by key position), also with Shift or
  // Ctrl held, which the game uses itself; with Alt or Cmd they are the browser's (Alt+Left goes
  // back). Every other key, F5, F11, F12, Tab, Esc and Ctrl+R among them, is the browser's.
  const gameKeys = /^(Arrow(Up|Down|Left|Right)|Space|Shift(Left|Right)|Control(Left|Right)|Digit[1-5])$/;
  let titleShown = false;
  let playing = false;
  let startPressed = false;  // a key pressed while loading, answered once the title shows
  const keepKey = (event) => {
    if (gameKeys.test(event.code) && !event.altKey && !event.metaKey) {
      event.preventDefault();
    }
    if (event.type === 'keydown' && !titleShown && event.isTrusted && !event.ctrlKey &&
        !event.altKey && !event.metaKey && !/^(F\d+|Tab|Escape)$/.test(event.key)) {
      startPressed = true;
    }
  };
  window.addEventListener('keydown', keepKey, true);
  window.addEventListener('keyup', keepKey, true);
  canvas.addEventListener('contextmenu', (event) => event.preventDefault());

  // Progress: the data package's download (most of the bar), then the module's remaining start-up
  // steps; the bar goes when the title picture shows.
  let dataShare = 0;
  let dependencies = 0;
  let dependenciesLeft = 0;
  const showProgress = () => {
    const started = dependencies === 0 ? 0 : (dependencies - dependenciesLeft) / dependencies;
    progress.style.width = `${(100 * Math.min(1, 0.85 * dataShare + 0.15 * started)).toFixed(1)}%`;
  };
  const setStatus = (text) => {
    const download = /^Downloading.*\(([\d.]+)\/([\d.]+)\)/.exec(text);
    if (download && Number(download[2]) > 0) {
      dataShare = Math.min(1, Number(download[1]) / Number(download[2]));
      showProgress();
    }
  };
  const monitorRunDependencies = (left) => {
    dependencies = Math.max(dependencies, left);
    dependenciesLeft = left;
    showProgress();
  };

  // Every picture the game presents. The first is the title: the bar goes, the line says what
  // to do, and a key pressed while loading starts the game now. Then the caption becomes the
  // page title, and play has begun.
  const presentMs = [];  // how long the last presentations took, for the test's pacing figures
  const onPresent = () => {
    presentMs.push(window.Module.SDL2.presentMs);
    if (presentMs.length > 1000) presentMs.shift();
    if (!titleShown) {
      titleShown = true;
      loading.hidden = true;
      status.textContent = document.body.classList.contains('touch')
        ? 'Tap the picture to start.' : 'Press a key to start.';
      if (startPressed) window.LumenKeys.tap('Enter');
    } else if (!playing && document.title !== 'Lumen Drift') {
      playing = true;
      status.textContent = '';
    }
  };
  // A gamepad appears to the page with its first button press: on the title, that starts the game.
  window.addEventListener('gamepadconnected', () => {
    if (titleShown && !playing) window.LumenKeys.tap('Enter');
  });
  window.LumenPage = { titleShown: () => titleShown && !playing, presentMs: presentMs };

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
    setStatus: setStatus,
    monitorRunDependencies: monitorRunDependencies,
    onPresent: onPresent,
    preRun: [function () {
      // The bench times the game's own work on SDL's dummy video driver, as the native bench
      // does; ?bench=canvas times it with presentation on this page's canvas instead.
      ENV.SDL_VIDEODRIVER = bench && params.get('bench') !== 'canvas' ? 'dummy' : 'emscripten';
      ENV.SDL_AUDIODRIVER = bench ? 'dummy' : 'emscripten';
      // Presenting through a software renderer (one putImageData a frame, 0.3 ms in headless
      // Chromium, and done while the game waits); SDL's WebGL renderer took twice as long here.
      ENV.SDL_RENDER_DRIVER = 'software';
      // One canvas pixel per picture pixel on every screen: the page scales the canvas itself.
      // (sdl12-compat would make it devicePixelRatio times larger and draw into a corner.)
      ENV.SDL12COMPAT_HIGHDPI = '0';
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
