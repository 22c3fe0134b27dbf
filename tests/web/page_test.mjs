// The page played in Debian's headless Chromium:
//   node page_test.mjs URL DATA_FOLDER OUT_FOLDER DESKTOP_FLIPS [pacing]
// Reads the canvas as a player would see it and compares it with the game's own pictures; plays
// it with keys, touches and a gamepad; loads it first over a 10 Mbit/s link; and prints its frame
// pacing beside the desktop game's (DESKTOP_FLIPS: one SDL_Flip time in ms a line). With
// "pacing" only the pacing is measured (any build of the page).
import fs from 'node:fs';
import puppeteer from 'puppeteer-core';

const [url, data, out, desktopFlips, only] = process.argv.slice(2);
const fail = (why) => { throw new Error(why); };
const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
const within = async (ms, check) => {
  for (const end = Date.now() + ms; Date.now() < end; await sleep(100)) if (await check()) return true;
  return check();
};
const profile = fs.mkdtempSync(`${out}/profile-`);  // a fresh one each run, removed at the end
const browser = await puppeteer.launch({
  protocolTimeout: 600000,
  executablePath: '/usr/bin/chromium', headless: true, userDataDir: profile,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const errors = [];
const bmp = (name) => fs.readFileSync(`${data}/${name}`).toString('base64');

// A page of the given size; every presentation on the canvas is timed (window.presents), and
// `before` runs in it ahead of the page's own scripts.
const open = async (viewport, before = () => {}, path = '') => {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('pageerror', (e) => errors.push(e.message));
  await page.evaluateOnNewDocument(before);
  await page.evaluateOnNewDocument(() => {
    window.presents = [];
    const put = CanvasRenderingContext2D.prototype.putImageData;
    CanvasRenderingContext2D.prototype.putImageData = function (...args) {
      window.presents.push(performance.now());
      return put.apply(this, args);
    };
    const pixels = (d) => Array.from({ length: d.width * d.height }, (_, i) => d.data.slice(4 * i, 4 * i + 3).join());
    window.screen800 = () => pixels(document.getElementById('canvas').getContext('2d').getImageData(0, 0, 800, 600));
    window.bmp = async (base64) => {
      const bitmap = await createImageBitmap(new Blob([Uint8Array.from(atob(base64), (c) => c.charCodeAt(0))]));
      const c = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
      c.drawImage(bitmap, 0, 0);
      return { w: bitmap.width, px: pixels(c.getImageData(0, 0, bitmap.width, bitmap.height)) };
    };
  });
  if (path !== null) await page.goto(url + path, { waitUntil: 'load' });
  return page;
};
// Whether a rectangle of the canvas equals one of a BMP from the data folder.
const same = (page, name, [x, y, w, h], [ix, iy]) => page.evaluate(async (b, x, y, w, h, ix, iy) => {
  const image = await window.bmp(b);
  const screen = window.screen800();
  for (let j = 0; j < h; ++j) for (let i = 0; i < w; ++i)
    if (screen[(y + j) * 800 + x + i] !== image.px[(iy + j) * image.w + ix + i]) return false;
  return true;
}, bmp(name), x, y, w, h, ix, iy);
const titleShown = (page) => within(30000, () => same(page, 'images/titlescreen.bmp', [0, 0, 800, 600], [0, 0]));
const playing = (page) => page.waitForFunction(() => /^health:100 Kills: 0$/.test(document.title.trim()),
  { timeout: 10000 }).then(() => true, () => false);
// Per row of the play area (above the panel, y < 415), how many pixels are pure green.
const gridRows = (page) => page.evaluate(() => {
  const s = window.screen800();
  return Array.from({ length: 415 }, (_, y) => s.slice(y * 800, y * 800 + 800).filter((p) => p === '0,255,0').length);
});
const rowsMoved = (a, b) => a.filter((n, y) => Math.abs(n - b[y]) > 30).length;
// The simple shots' yellow in the play area.
const shots = (page) => page.evaluate(() => window.screen800().slice(0, 415 * 800)
  .filter((p) => { const [r, g, b] = p.split(',').map(Number); return r > 150 && g > 120 && b < 130 && r >= g; }).length);

// Frames per second over 10 s and the gaps' median and p90, from times in ms.
const pacing = (times) => {
  const gaps = times.slice(1).map((t, i) => t - times[i]).sort((a, b) => a - b);
  const at = (q) => gaps[Math.min(gaps.length - 1, Math.floor(q * gaps.length))];
  return { fps: gaps.length / ((times[times.length - 1] - times[0]) / 1000), median: at(0.5), p90: at(0.9) };
};
const describe = (p) => `${p.fps.toFixed(1)} frames/s (gaps: median ${p.median.toFixed(2)} ms, p90 ${p.p90.toFixed(2)} ms)`;
const measurePacing = async () => {
  const page = await open({ width: 1280, height: 720 });
  if (!await titleShown(page)) fail('no title picture for the pacing measurement');
  await page.keyboard.press('Enter');
  await sleep(1000);
  const start = await page.evaluate(() => performance.now());
  await sleep(10000);
  const times = await page.evaluate((s) => window.presents.filter((t) => t >= s && t <= s + 10000), start);
  const presentMs = await page.evaluate(() => window.LumenPage && window.LumenPage.presentMs.slice(-400).sort((a, b) => a - b));
  await page.close();
  const flips = fs.readFileSync(desktopFlips, 'utf8').trim().split('\n').map(Number);
  const desktop = pacing(flips.filter((t) => t >= flips[1] + 1000 && t <= flips[1] + 11000));
  const web = pacing(times);
  console.log(`web pacing: desktop in Xvfb ${describe(desktop)}; page in Chromium ${describe(web)};` +
    ` ${(100 * web.fps / desktop.fps).toFixed(1)} % of the desktop's` +
    (presentMs ? `; presenting a frame took ${presentMs[presentMs.length >> 1].toFixed(2)} ms (median), while the game waits` : ''));
};

try {
  if (only === 'pacing') {
    await measurePacing();
  } else {
    // A first visit over 10 Mbit/s: the bar moves and goes, a key pressed while loading starts
    // the game once the title shows, the large files come compressed and 2.5 MB at most travel.
    const first = await open({ width: 1280, height: 720 }, () => {}, null);
    const cdp = await first.target().createCDPSession();
    await cdp.send('Network.enable');
    await cdp.send('Network.emulateNetworkConditions',
      { offline: false, latency: 20, downloadThroughput: 10e6 / 8, uploadThroughput: 10e6 / 8 });
    const encodings = {};
    let bytes = 0;
    cdp.on('Network.responseReceived', (e) => { encodings[e.response.url.split('/').pop()] = e.response.headers['Content-Encoding']; });
    cdp.on('Network.loadingFinished', (e) => { bytes += e.encodedDataLength; });
    const started = Date.now();
    await first.goto(url, { waitUntil: 'domcontentloaded' });
    await first.keyboard.press('KeyA');
    const bar = new Set();
    await within(30000, async () => {
      bar.add(await first.evaluate(() => document.getElementById('loading').hidden ? 'gone'
        : parseFloat(document.getElementById('progress').style.width) > 0 ? 'moving' : 'empty'));
      return bar.has('gone');
    });
    const titleSeconds = (Date.now() - started) / 1000;
    if (!bar.has('moving') || !bar.has('gone')) fail(`the loading bar was ${[...bar].join(', ')}`);
    if (!await playing(first)) fail('a key pressed while loading did not start the game');
    const plain = ['lumendrift.wasm', 'lumendrift.data', 'lumendrift.js'].filter((f) => !/^(gzip|br)$/.test(encodings[f]));
    if (plain.length > 0 || bytes > 2.5e6) fail(`first visit: ${bytes} bytes, not compressed: ${plain.join(' ')}`);
    console.log(`web test: first visit ${(bytes / 1e6).toFixed(2)} MB (data ${encodings['lumendrift.data']}); the title after ${titleSeconds.toFixed(1)} s at 10 Mbit/s`);
    await first.close();

    // The picture fits without scrolling: whole multiples where they fill at least half the
    // room a smoothly scaled picture would, the help line in view.
    const sizes = [[1920, 1080, false], [1280, 720, true], [800, 600, false],
      [844, 390, false, { isMobile: true, hasTouch: true, deviceScaleFactor: 2 }]];
    for (const [width, height, whole, phone] of sizes) {
      const page = await open({ width, height, ...phone });
      if (!await titleShown(page)) fail(`no title at ${width} × ${height}`);
      const fits = await page.evaluate((whole) => {
        const inside = (e) => { const r = (e.nodeType ? e : document.getElementById(e)).getBoundingClientRect();
          return r.width > 0 && r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight; };
        const c = document.getElementById('canvas').getBoundingClientRect();
        return [inside('canvas'), inside('help'), Math.abs(c.width * 3 - c.height * 4) <= 4 &&
          document.getElementById('canvas').width === 800,
          document.getElementById('canvas').classList.contains('whole') === whole,
          document.scrollingElement.scrollHeight <= innerHeight,
          [...document.querySelectorAll('#touch:not([hidden]) [data-keys]')].every((b) => inside(b))].join() + ` ${c.width}x${c.height}`;
      }, whole);
      if (!fits.startsWith('true,true,true,true,true,true')) fail(`${width} × ${height} does not fit: ${fits}`);
      if (phone) {
        // A phone: a tap leaves the title; fire and thrust held at once by two fingers move the
        // view and put shots on screen; held upright, the page asks to be turned.
        await page.touchscreen.tap(width / 2, height / 3);
        if (!await playing(page)) fail('a tap did not leave the title');
        const centre = (label) => page.evaluate((l) => { const r = [...document.querySelectorAll('[data-keys]')]
          .find((b) => b.textContent === l).getBoundingClientRect(); return { x: r.x + r.width / 2, y: r.y + r.height / 2 }; }, label);
        const fingers = [await centre('FIRE'), await centre('\u25b2')];
        const [grid, unfired] = [await gridRows(page), await shots(page)];
        const cdp = await page.target().createCDPSession();
        await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: fingers.map((p, id) => ({ ...p, id })) });
        const fired = await within(2000, async () => await shots(page) >= unfired + 4);
        await sleep(600);
        await page.screenshot({ path: `${out}/page-phone.png` });
        const moved = rowsMoved(await gridRows(page), grid);
        await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
        if (!fired || moved < 5) fail(`two fingers on fire and thrust: shots ${fired}, ${moved} rows moved`);
        await page.setViewport({ width: height, height: width, isMobile: true, hasTouch: true });
        if (await page.evaluate(() => getComputedStyle(document.getElementById('portrait')).display) !== 'flex') {
          fail('held upright, the page does not ask to be turned');
        }
      } else if (width === 1920) {
        await page.click('#fullscreen');
        if (!await within(3000, () => page.evaluate(() => document.fullscreenElement === document.getElementById('stage')))) {
          fail('the fullscreen button did not make the picture fullscreen');
        }
        await page.evaluate(() => document.exitFullscreen());
        await page.keyboard.press('Enter');
        await page.keyboard.down('Space');
        await sleep(800);
        await page.screenshot({ path: `${out}/page-1920x1080.png` });
        await page.keyboard.up('Space');
      }
      await page.close();
    }

    // A gamepad given to the page before the module starts: a button leaves the title, the stick
    // pushed up thrusts.
    const pad = await open({ width: 1280, height: 720 }, () => {
      const button = () => ({ pressed: false, value: 0 });
      window.pad = { id: 'test pad', index: 0, connected: true, mapping: 'standard', timestamp: 1,
        axes: [0, 0, 0, 0], buttons: Array.from({ length: 17 }, button) };
      window.setPad = (buttonPressed, stickY) => {
        window.pad.buttons[0] = { pressed: buttonPressed, value: buttonPressed ? 1 : 0 };
        window.pad.axes[1] = stickY;
        window.pad.timestamp += 1;
      };
      navigator.getGamepads = () => [window.pad];
    });
    if (!await titleShown(pad)) fail('no title with a gamepad');
    await pad.evaluate(() => window.setPad(true, 0));
    if (!await playing(pad)) fail('a gamepad button did not leave the title');
    await pad.evaluate(() => window.setPad(false, -1));
    await sleep(300);
    const padGrid = await gridRows(pad);
    await sleep(600);
    if (rowsMoved(await gridRows(pad), padGrid) < 5) fail('the gamepad stick pushed up did not thrust');
    await pad.close();

    // The desktop keyboard: the title picture shows; a mouse click does not start the game.
    const page = await open({ width: 900, height: 500 });
    if (!await titleShown(page)) fail('no title picture');
    await page.mouse.click(450, 350);
    await sleep(600);
    if (await page.title() !== 'Lumen Drift' || !await same(page, 'images/titlescreen.bmp', [0, 0, 800, 600], [0, 0])) {
      fail(`a click left the title screen (title "${await page.title()}")`);
    }
    // A key does: the caption becomes the page title and the sound starts.
    await page.keyboard.press('Enter');
    if (!await playing(page)) fail('the page title did not become the play caption');
    const audio = await page.evaluate(() => window.Module.SDL2 && window.Module.SDL2.audioContext.state);
    if (audio !== 'running') fail(`sound is not running after the first key (${audio})`);

    // Space fires: the simple shots' yellow appears in the play area (no yellow on it before).
    const unfired = await shots(page);
    await page.keyboard.down('Space');
    const fired = await within(2000, async () => await shots(page) >= unfired + 4);
    await page.keyboard.up('Space');
    if (!fired) fail(`no shot on screen while Space was held (${unfired} yellow pixels before)`);

    // The green grid and the panel (its left corner equals play/front.bmp's, blitted at y = 415).
    const green = (await gridRows(page)).reduce((a, b) => a + b, 0);
    if (green < 3000 || !await same(page, 'play/front.bmp', [0, 540, 90, 60], [0, 125])) fail(`no grid (${green}) or panel`);

    // Holding Up moves the view: rows of the grid change.
    const before = await gridRows(page);
    await page.keyboard.down('ArrowUp');
    await sleep(600);
    await page.keyboard.up('ArrowUp');
    const moved = rowsMoved(await gridRows(page), before);
    if (moved < 5) fail(`the view did not move while Up was held (${moved} rows)`);
    if (await page.evaluate(() => window.scrollY) !== 0) fail('the game keys scrolled the page');

    // The game's keys are kept from the browser, every other key is not (a last listener notes
    // which were, then keeps the rest from reloading the page under test).
    await page.evaluate(() => {
      window.kept = {};
      window.addEventListener('keydown', (e) => { window.kept[e.code] = e.defaultPrevented; e.preventDefault(); });
    });
    for (const key of ['F5', 'Tab', 'Escape', 'ArrowDown', 'Space', 'Digit3']) await page.keyboard.press(key);
    await page.keyboard.down('Control');
    await page.keyboard.press('KeyR');
    await page.keyboard.up('Control');
    const kept = JSON.stringify(await page.evaluate(() => window.kept));
    if (kept !== '{"F5":false,"Tab":false,"Escape":false,"ArrowDown":true,"Space":true,"Digit3":true,"ControlLeft":true,"KeyR":false}') {
      fail(`keys kept from the browser: ${kept}`);
    }
    if (errors.length > 0) fail(`console errors: ${errors.join(' | ')}`);
    console.log(`web test: page ok (${green} grid pixels, ${moved} rows moved)`);
    await page.close();

    await measurePacing();
    // ?bench (with LUMEN_WEB_BENCH set; 30 s): the runner's bench on the page, the game's work alone.
    if (process.env.LUMEN_WEB_BENCH) {
      const benchPage = await open({ width: 900, height: 500 }, () => {}, '?bench');
      await benchPage.waitForFunction(() => window.lumenBench !== undefined, { timeout: 300000, polling: 1000 });
      const bench = await benchPage.evaluate(() => window.lumenBench);
      if (!(bench.typical_ms > 0 && bench.blackhole_ms > 0)) fail(`no bench figures: ${JSON.stringify(bench)}`);
      console.log(`web bench: ${Object.entries(bench).map(([k, v]) => `${k}=${v}`).join(' ')}`);
    }
  }
} catch (error) {
  console.error(`web test: ${error.message}`);
  process.exitCode = 1;
} finally {
  await browser.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
