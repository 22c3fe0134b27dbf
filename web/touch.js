// Keys the page presses itself, and the on-screen controls of a device with touch.
//
// LumenKeys.press/release send the same keydown/keyup events the keyboard does (SDL reads the
// keyCode, code and location), counted per key, so that two controls holding one key (strafe
// and turn both hold an arrow) release it only when both are let go. On a touch device the
// controls sit over the picture's edges; every finger is followed, so several controls are held
// at once and a finger slid from one to another moves the hold. A tap on the picture while the
// title shows starts the game, as a key does.
'use strict';

(function () {
  // code: [keyCode, key, location (2 = the right-hand one)]
  const keyInfo = {
    ArrowLeft: [37, 'ArrowLeft', 0], ArrowRight: [39, 'ArrowRight', 0],
    ArrowUp: [38, 'ArrowUp', 0], ArrowDown: [40, 'ArrowDown', 0],
    ShiftRight: [16, 'Shift', 2], Space: [32, ' ', 0], Enter: [13, 'Enter', 0],
    Digit1: [49, '1', 0], Digit2: [50, '2', 0], Digit3: [51, '3', 0], Digit4: [52, '4', 0],
    Digit5: [53, '5', 0],
  };
  const held = {};
  const send = (type, code) => {
    const [keyCode, key, location] = keyInfo[code];
    const event = new KeyboardEvent(type, { code: code, key: key, location: location,
      bubbles: true, cancelable: true });
    Object.defineProperty(event, 'keyCode', { value: keyCode });
    Object.defineProperty(event, 'which', { value: keyCode });
    window.dispatchEvent(event);
  };
  const press = (code) => {
    held[code] = (held[code] || 0) + 1;
    if (held[code] === 1) send('keydown', code);
  };
  const release = (code) => {
    held[code] -= 1;
    if (held[code] === 0) send('keyup', code);
  };
  window.LumenKeys = { press: press, release: release,
    tap: (code) => { press(code); release(code); } };

  // The controls: [label, keys held, where]. Left hand: turn, thrust and brake; right hand: fire,
  // strafe and the weapons.
  const controls = [
    ['\u25b2', ['ArrowUp'], 'left: 4.5em; bottom: 5.5em'],
    ['\u25c0', ['ArrowLeft'], 'left: 0.5em; bottom: 2.5em'],
    ['\u25b6', ['ArrowRight'], 'left: 8.5em; bottom: 2.5em'],
    ['\u25bc', ['ArrowDown'], 'left: 4.5em; bottom: 0.5em'],
    ['FIRE', ['Space'], 'right: 4em; bottom: 2.2em; width: 4.4em; height: 4.4em'],
    ['\u00ab', ['ShiftRight', 'ArrowLeft'], 'right: 8.8em; bottom: 0.5em'],
    ['\u00bb', ['ShiftRight', 'ArrowRight'], 'right: 0.5em; bottom: 0.5em'],
    ...[1, 2, 3, 4, 5].map((n) => [`${n}`, [`Digit${n}`], `right: ${0.5 + (5 - n) * 2.7}em; top: 0.5em; width: 2.3em; height: 2.3em`]),
  ];
  const pad = document.createElement('div');
  pad.id = 'touch';
  pad.hidden = true;
  pad.style.cssText = 'position: absolute; inset: 0; pointer-events: none; font: bold 16px sans-serif;';
  for (const [label, keys, where] of controls) {
    const button = document.createElement('div');
    button.textContent = label;
    button.dataset.keys = keys.join(' ');
    button.style.cssText = 'position: absolute; width: 3.4em; height: 3.4em; display: flex;' +
      ' align-items: center; justify-content: center; border-radius: 50%; pointer-events: auto;' +
      ' color: #cfc; background: rgba(40, 120, 40, 0.35); border: 2px solid rgba(160, 255, 160, 0.6);' +
      ` touch-action: none; ${where}`;
    pad.appendChild(button);
  }
  document.getElementById('stage').appendChild(pad);

  // Which controls the fingers are on, after every touch event; the keys follow the difference.
  let touched = new Set();
  const follow = (event) => {
    event.preventDefault();
    const now = new Set();
    for (const touch of event.touches) {
      const under = document.elementFromPoint(touch.clientX, touch.clientY);
      const control = under && under.closest('[data-keys]');
      if (control) now.add(control);
    }
    for (const control of touched) {
      if (!now.has(control)) {
        control.style.background = 'rgba(40, 120, 40, 0.35)';
        control.dataset.keys.split(' ').forEach(release);
      }
    }
    for (const control of now) {
      if (!touched.has(control)) {
        control.style.background = 'rgba(120, 255, 120, 0.6)';
        control.dataset.keys.split(' ').forEach(press);
      }
    }
    touched = now;
  };
  for (const type of ['touchstart', 'touchmove', 'touchend', 'touchcancel']) {
    pad.addEventListener(type, follow, { passive: false });
  }

  // A device with touch shows the controls (and, held upright, asks to be turned).
  const showControls = () => {
    document.body.classList.add('touch');
    pad.hidden = false;
  };
  if (matchMedia('(pointer: coarse)').matches) showControls();  // a laptop's touch screen waits for a touch
  window.addEventListener('touchstart', showControls, { once: true, passive: true });

  // A tap on the title picture starts the game as a key would (a mouse click does not).
  document.getElementById('canvas').addEventListener('touchend', (event) => {
    if (window.LumenPage && window.LumenPage.titleShown()) {
      event.preventDefault();
      window.LumenKeys.tap('Enter');
    }
  });
})();
