// The page played in Debian's headless Chromium: node page_test.mjs URL DATA_FOLDER OUT_FOLDER
// Reads the canvas as a player would see it and compares it with the game's own pictures.
import fs from 'node:fs';
import puppeteer from 'puppeteer-core';

const [url, data, out] = process.argv.slice(2);
const fail = (why) => { throw new Error(why); };
const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
const profile = fs.mkdtempSync(`${out}/profile-`);  // a fresh one each run, removed at the end
const browser = await puppeteer.launch({
  protocolTimeout: 600000,
  executablePath: '/usr/bin/chromium', headless: true, userDataDir: profile,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
try {
  const page = await browser.newPage();
  // Lower than the page, so that keys reaching the page would scroll it.
  await page.setViewport({ width: 900, height: 500 });
  const errors = [];
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('pageerror', (e) => errors.push(e.message));
  await page.goto(url, { waitUntil: 'load' });

  // Pixels of a BMP from the data folder and of the canvas, as [r, g, b] per pixel, in the page.
  await page.evaluate(() => {
    const pixels = (d) => Array.from({ length: d.width * d.height }, (_, i) => d.data.slice(4 * i, 4 * i + 3).join());
    window.bmp = async (base64) => {
      const bitmap = await createImageBitmap(new Blob([Uint8Array.from(atob(base64), (c) => c.charCodeAt(0))]));
      const c = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
      c.drawImage(bitmap, 0, 0);
      return { w: bitmap.width, px: pixels(c.getImageData(0, 0, bitmap.width, bitmap.height)) };
    };
    window.screen800 = () => pixels(document.getElementById('canvas').getContext('2d').getImageData(0, 0, 800, 600));
  });
  const bmp = (name) => fs.readFileSync(`${data}/${name}`).toString('base64');
  const same = (name, [x, y, w, h], [ix, iy]) => page.evaluate(async (b, x, y, w, h, ix, iy) => {
    const image = await window.bmp(b);
    const screen = window.screen800();
    for (let j = 0; j < h; ++j) for (let i = 0; i < w; ++i)
      if (screen[(y + j) * 800 + x + i] !== image.px[(iy + j) * image.w + ix + i]) return false;
    return true;
  }, bmp(name), x, y, w, h, ix, iy);
  // Per row of the play area (above the panel, y < 415), how many pixels are pure green.
  const gridRows = () => page.evaluate(() => {
    const s = window.screen800();
    return Array.from({ length: 415 }, (_, y) => s.slice(y * 800, y * 800 + 800).filter((p) => p === '0,255,0').length);
  });
  const within = async (ms, check) => {
    for (const end = Date.now() + ms; Date.now() < end; await sleep(100)) if (await check()) return true;
    return check();
  };

  // The title picture shows; a mouse click does not start the game.
  if (!await within(20000, () => same('images/titlescreen.bmp', [0, 0, 800, 600], [0, 0]))) fail('no title picture');
  await page.mouse.click(450, 350);
  await sleep(600);
  if (await page.title() !== 'Lumen Drift' || !await same('images/titlescreen.bmp', [0, 0, 800, 600], [0, 0])) {
    fail(`a click left the title screen (title "${await page.title()}")`);
  }
  // A key does: the caption becomes the page title and the sound starts.
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => /^health:100 Kills: 0$/.test(document.title.trim()), { timeout: 5000 })
    .catch(() => fail('the page title did not become the play caption'));
  const audio = await page.evaluate(() => window.Module.SDL2 && window.Module.SDL2.audioContext.state);
  if (audio !== 'running') fail(`sound is not running after the first key (${audio})`);

  // Space fires: the simple shots' yellow appears in the play area (no yellow on it before).
  const shots = () => page.evaluate(() => window.screen800().slice(0, 415 * 800)
    .filter((p) => { const [r, g, b] = p.split(',').map(Number); return r > 150 && g > 120 && b < 130 && r >= g; }).length);
  const unfired = await shots();
  await page.keyboard.down('Space');
  const fired = await within(2000, async () => await shots() >= unfired + 4);
  await page.keyboard.up('Space');
  if (!fired) fail(`no shot on screen while Space was held (${unfired} yellow pixels before)`);

  // The green grid and the panel (its left corner equals play/front.bmp's, blitted at y = 415).
  const green = (await gridRows()).reduce((a, b) => a + b, 0);
  if (green < 3000 || !await same('play/front.bmp', [0, 540, 90, 60], [0, 125])) fail(`no grid (${green}) or panel`);
  await page.screenshot({ path: `${out}/play.png` });

  // Holding Up moves the view: rows of the grid change.
  const before = await gridRows();
  await page.keyboard.down('ArrowUp');
  await sleep(600);
  await page.keyboard.up('ArrowUp');
  const moved = (await gridRows()).filter((n, y) => Math.abs(n - before[y]) > 30).length;
  if (moved < 5) fail(`the view did not move while Up was held (${moved} rows)`);
  // Down, held, would scroll the page (taller than the window) if the game did not keep it.
  await page.keyboard.down('ArrowDown');
  await sleep(300);
  await page.keyboard.up('ArrowDown');
  if (await page.evaluate(() => window.scrollY) !== 0) fail('the game keys scrolled the page');
  if (errors.length > 0) fail(`console errors: ${errors.join(' | ')}`);
  console.log(`web test: page ok (${green} grid pixels, ${moved} rows moved)`);

  // ?bench (with LUMEN_WEB_BENCH set; 30 s): the runner's bench on the page, the game's work
  // alone; ?bench=canvas presents each frame on the canvas as well, and the floors' difference
  // is the presentation.
  const runBench = async (mode) => {
    await page.goto(`${url}?bench${mode}`, { waitUntil: 'load' });
    await page.waitForFunction(() => window.lumenBench !== undefined, { timeout: 300000, polling: 1000 });
    const bench = await page.evaluate(() => window.lumenBench);
    if (!(bench.typical_ms > 0 && bench.blackhole_ms > 0)) fail(`no bench figures: ${JSON.stringify(bench)}`);
    return bench;
  };
  if (process.env.LUMEN_WEB_BENCH) {
    const bench = await runBench('');
    const canvas = await runBench('=canvas');
    console.log(`web bench: ${Object.entries(bench).map(([k, v]) => `${k}=${v}`).join(' ')}`);
    console.log(`web bench on the canvas: typical_ms=${canvas.typical_ms} blackhole_ms=${canvas.blackhole_ms}` +
      ` presentation_ms=${(canvas.floor_ms - bench.floor_ms).toFixed(1)}`);
  }
} catch (error) {
  console.error(`web test: ${error.message}`);
  process.exitCode = 1;
} finally {
  await browser.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
