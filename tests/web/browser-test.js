// The browser tests: headless Chromium over the browser build, served from 127.0.0.1. Run by
// scripts/test-web.sh with: the build-web folder, the golden replays' folder, a folder of native
// reference frames (frame-N.png, from the headless desktop game) and a JSON file of the native
// verdict of every golden replay. Prints one line per check and ends with status 1 on any failure.
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const [site, goldenDir, framesDir, nativeVerdicts] = process.argv.slice(2);
const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.json': 'application/json'};
let served = 0;  // bytes sent since the last reset
// Paths the server answers with 404, each for so many requests (Infinity: always).
const blocked = new Map();

// A plain static server; /golden/ and /frames/ are the test's own files.
function serve() {
  const server = http.createServer((req, res) => {
    const url = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const roots = [['/golden/', goldenDir], ['/frames/', framesDir], ['/', site]];
    const [prefix, root] = roots.find(([p]) => url.startsWith(p));
    let file = path.join(root, path.normalize(url.slice(prefix.length)).replace(/^(\.\.[/\\])+/, ''));
    if (url.endsWith('/')) file = path.join(file, 'index.html');
    const refusals = blocked.get(url) || 0;
    if (refusals > 0) blocked.set(url, refusals - 1);
    fs.readFile(file, (e, data) => {
      if (e || refusals > 0) {
        res.writeHead(404);
        res.end();
        return;
      }
      served += data.length;
      res.writeHead(200, {'Content-Type': types[path.extname(file)] || 'application/octet-stream'});
      res.end(data);
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures += 1;
}

async function launch(profile) {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           '--autoplay-policy=no-user-gesture-required', `--user-data-dir=${profile}`],
  });
}

async function open(browser, url) {
  const page = await browser.newPage();  // a browser or one of its contexts
  page.on('console', (m) => { if (m.type() === 'error') console.log(`     page: ${m.text()}`); });
  page.on('pageerror', (e) => console.log(`     page error: ${e.message}`));
  await page.goto(url);
  await page.waitForFunction('window.Module && Module.calledRun === true', {timeout: 60000});
  return page;
}

// The canvas's pixels against a native frame, decoded by the same browser.
async function sameAsNative(page, frame) {
  return page.evaluate(async (frame) => {
    const blob = await (await fetch(`/frames/frame-${frame}.png`)).blob();
    const bitmap = await createImageBitmap(blob, {colorSpaceConversion: 'none', premultiplyAlpha: 'none'});
    const c = new OffscreenCanvas(640, 480);
    const ctx = c.getContext('2d');
    ctx.drawImage(bitmap, 0, 0);
    const want = ctx.getImageData(0, 0, 640, 480).data;
    const got = document.getElementById('screen').getContext('2d').getImageData(0, 0, 640, 480).data;
    let differ = 0;
    for (let i = 0; i < want.length; ++i) if (want[i] !== got[i]) differ += 1;
    return differ;
  }, frame);
}

async function frames(page, n) {
  await page.evaluate((n) => Module._veltrano_test_frames(n), n);
}

async function tap(page, key, after) {
  await page.keyboard.down(key);
  await frames(page, 2);
  await page.keyboard.up(key);
  await frames(page, after);
}

// From the first title frame to stage 1, by the keys (?mode=test).
async function startGame(page) {
  await frames(page, 98);
  await tap(page, 'Space', 98);
  await tap(page, 'Space', 98);
  await tap(page, 'Space', 18);
}

// Fire held through `n` frames; the score they made.
async function fireFor(page, n) {
  await page.keyboard.down('KeyX');
  await frames(page, n);
  await page.keyboard.up('KeyX');
  return page.evaluate(() => Module._veltrano_score());
}

const statusText = (page) => page.$eval('#status', (e) => e.textContent);
async function waitForStatus(page, pattern, timeout = 20000) {
  try {
    await page.waitForFunction((p) => new RegExp(p).test(document.getElementById('status').textContent),
                               {timeout}, pattern.source);
    return true;
  } catch (e) {
    return false;
  }
}
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// The page's storage (IndexedDB "/save", one record a file keyed by its path), read or written as
// another page of the same site would.
function storage(page, action, entries) {
  return page.evaluate((action, entries) => new Promise((resolve, reject) => {
    const open = indexedDB.open('/save', 21);
    open.onerror = () => reject(open.error);
    open.onsuccess = () => {
      const db = open.result, tx = db.transaction('FILE_DATA', action === 'read' ? 'readonly' : 'readwrite');
      const store = tx.objectStore('FILE_DATA'), out = {};
      if (action === 'read') {
        store.openCursor().onsuccess = (e) => {
          const c = e.target.result;
          if (!c) return;
          const v = c.value;
          out[c.key] = v && v.contents instanceof Uint8Array ? Array.from(v.contents) :
                       v instanceof ArrayBuffer ? 'ArrayBuffer' : v;
          c.continue();
        };
      } else {
        for (const [key, value] of entries) {
          const made = value.bytes ? {timestamp: new Date(), mode: 0x81b6, contents: new Uint8Array(value.bytes)} :
                       value.arrayBuffer ? new ArrayBuffer(value.arrayBuffer) : value.plain;
          store.put(made, key);
        }
      }
      tx.oncomplete = () => { db.close(); resolve(out); };
      tx.onerror = () => reject(tx.error);
    };
  }), action, entries);
}
// A save file: the cleared flag and ten scores, 32-bit little-endian.
function table(cleared, scores) {
  const bytes = Buffer.alloc(44);
  bytes.writeInt32LE(cleared, 0);
  scores.forEach((s, i) => bytes.writeInt32LE(s, 4 + 4 * i));
  return Array.from(bytes);
}
const best = (page, n) => page.evaluate((n) => [...Array(n).keys()].map((i) => Module._veltrano_high_score(i)), n);

// The elements that cover part of the picture, and whether all of it is inside the window.
function pictureCheck(page) {
  return page.evaluate(() => {
    const canvas = document.getElementById('screen'), c = canvas.getBoundingClientRect();
    const inside = c.width > 0 && c.left >= -0.5 && c.top >= -0.5 && c.right <= innerWidth + 0.5 &&
                   c.bottom <= innerHeight + 0.5;
    const over = [...document.querySelectorAll('body *')].filter((e) => {
      if (e === canvas || e.contains(canvas) || !e.getClientRects().length) return false;
      const r = e.getBoundingClientRect();
      return r.width > 0 && r.height > 0 && r.left < c.right && r.right > c.left && r.top < c.bottom && r.bottom > c.top;
    }).map((e) => e.id || e.tagName);
    return {inside, over, box: [c.left, c.top, c.width, c.height].map(Math.round)};
  });
}

// Start to the title in real time, the first visit's panel, the keys, the sound and its controls,
// full screen, a hidden tab and the close.
async function realTimePlay(browser, base) {
  served = 0;
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  // Every animation frame's time, from the start of the page.
  await page.evaluateOnNewDocument(() => {
    window.frameTimes = [];
    const tick = (t) => {
      window.frameTimes.push(t);
      requestAnimationFrame(tick);
    };
    requestAnimationFrame(tick);
    window.longTasks = [];
    new PerformanceObserver((list) => {
      for (const e of list.getEntries()) window.longTasks.push([Math.round(e.startTime), Math.round(e.duration)]);
    }).observe({entryTypes: ['longtask']});
  });
  await page.goto(base);
  await page.waitForFunction('window.Module && Module.veltranoFirstFrameAt !== undefined', {timeout: 60000});
  const firstFrame = await page.evaluate(() => Module.veltranoFirstFrameAt);
  const beforeTitle = served;
  console.log(`measured: start to the title's first frame ${(firstFrame / 1000).toFixed(2)} s, ` +
              `${(beforeTitle / 1048576).toFixed(1)} MB downloaded before it`);
  check(beforeTitle <= 6 * 1048576, 'at most 6 MB downloaded before the title');
  check(firstFrame <= 3000, 'the title within 3 s');
  check(await page.$eval('#overlay', (e) => !e.hidden), 'a first visit shows the keys over the picture');
  // A key press starts a game: the first only takes the panel away; confirm on the title (which
  // takes it once its opening has run), then on the ship select.
  for (let tries = 0; tries < 20; ++tries) {
    const scene = await page.evaluate(() => Module._veltrano_scene());
    if (scene === 2) break;
    await page.keyboard.down('Space');
    await sleep(100);
    await page.keyboard.up('Space');
    await sleep(900);
  }
  check(await page.$eval('#overlay', (e) => e.hidden), 'a key takes the first visit\'s panel away');
  check(await page.evaluate(() => Module._veltrano_scene()) === 2, 'the keys start a game in stage 1');
  // Sound: the mixer pulled through Web Audio for ten seconds of play, fire held.
  const meter = () => page.evaluate(() => ({...Module.veltranoAudio, context: undefined, node: undefined,
                                            gain: Module.veltranoAudio.gain.gain.value, recent: undefined,
                                            state: Module.veltranoAudio.context.state,
                                            time: Module.veltranoAudio.context.currentTime}));
  await page.keyboard.down('KeyX');
  const audioBefore = await meter();
  await sleep(10000);
  const audio = await meter();
  await page.keyboard.up('KeyX');
  const seconds = audio.time - audioBefore.time;
  const pulled = (audio.frames - audioBefore.frames) / 32000;
  console.log(`measured: audio ${audio.state}, ${seconds.toFixed(2)} s played, ${pulled.toFixed(2)} s mixed, ` +
              `${audio.late - audioBefore.late} buffers late`);
  check(audio.state === 'running' && seconds > 9, 'the sound runs after the first key');
  check(audio.late === audioBefore.late && pulled >= seconds - 0.2, 'the mixer keeps up without gaps');
  // Animation frames while the later music is fetched and decoded.
  const gaps = await page.evaluate((from) => {
    const t = window.frameTimes.filter((x) => x >= from && x <= from + 10000), gaps = [];
    for (let i = 1; i < t.length; ++i) gaps.push(t[i] - t[i - 1]);
    gaps.sort((a, b) => b - a);
    const tasks = window.longTasks.filter(([at]) => at >= from - 1000 && at <= from + 10000);
    return {count: t.length, worst: gaps.slice(0, 3).map((g) => g.toFixed(0)),
            tasks: tasks.map(([at, ms]) => `${ms} ms at ${((at - from) / 1000).toFixed(1)} s`).join(', ')};
  }, firstFrame);
  console.log(`measured: ${gaps.count} animation frames in the first 10 s after the title; longest gaps ` +
              `${gaps.worst} ms; long tasks: ${gaps.tasks || 'none'}`);
  // M mutes and unmutes; the choice is kept.
  await page.keyboard.press('KeyM');
  const muted = await meter();
  const kept = await page.evaluate(() => localStorage.getItem('VeltranoGame2 muted'));
  await page.keyboard.press('KeyM');
  const unmuted = await meter();
  check(muted.gain === 0 && kept === '1' && unmuted.gain > 0, `M mutes and unmutes (gain ${muted.gain}, then ${unmuted.gain})`);
  // A hidden tab is silent at once and paused as by a focus loss; confirm resumes play and sound.
  const hidden = await page.evaluate(async () => {
    const set = (hidden) => {
      Object.defineProperty(document, 'hidden', {value: hidden, configurable: true});
      Object.defineProperty(document, 'visibilityState', {value: hidden ? 'hidden' : 'visible', configurable: true});
      document.dispatchEvent(new Event('visibilitychange'));
    };
    const a = Module.veltranoAudio, at = performance.now();
    set(true);
    await new Promise((r) => setTimeout(r, 100));
    const time = a.context.currentTime;
    await new Promise((r) => setTimeout(r, 200));
    const result = {state: a.context.state, advanced: a.context.currentTime - time,
                    loudAfter: a.recent.filter((b) => b.at > at + 100 && b.peak > 0).length};
    set(false);
    return result;
  });
  check(hidden.state === 'suspended' && hidden.advanced === 0 && hidden.loudAfter === 0,
        `a hidden tab is silent within 100 ms (${JSON.stringify(hidden)})`);
  // The world stands still until confirm: the ship does not move on the arrow, then does (or is lost).
  const shipX = () => page.evaluate(() => Module._veltrano_player_x());
  await sleep(300);
  const pausedAt = await shipX();
  await page.keyboard.down('ArrowRight');
  await sleep(1000);
  const stillAt = await shipX();
  await page.keyboard.press('Space');
  await sleep(1000);
  const movedTo = await shipX();
  await page.keyboard.up('ArrowRight');
  const after = await page.evaluate(() => ({state: Module.veltranoAudio.context.state,
                                            loud: Module.veltranoAudio.recent.filter((b) => b.peak > 0).length}));
  check(stillAt === pausedAt && movedTo !== pausedAt && after.state === 'running' && after.loud > 0,
        `play waits for confirm after the tab comes back, then resumes with its sound (ship at ${pausedAt}, ` +
        `${stillAt}, ${movedTo}; ${after.loud} loud buffers)`);
  // Full screen follows F11 and the page's button even after the browser left it by itself.
  const fullScreen = () => page.evaluate(() => !!document.fullscreenElement);
  await page.keyboard.press('F11');
  await sleep(300);
  const entered = await fullScreen();
  await page.evaluate(() => document.exitFullscreen());
  await sleep(300);
  await page.keyboard.press('F11');
  await sleep(300);
  const again = await fullScreen();
  await page.click('#full');
  await sleep(300);
  check(entered && again && !(await fullScreen()), 'F11 and the button switch full screen as the player sees it');
  // Escape closes: the page says so and offers another game; keys afterwards do no harm.
  await page.keyboard.press('Escape');
  const closedSaid = await waitForStatus(page, /The game is closed and its scores are kept/, 5000);
  await page.keyboard.press('Space');
  await sleep(200);
  check(closedSaid && await page.$eval('#again', (e) => !e.hidden) && errors.length === 0,
        `Escape leaves "${await statusText(page)}" and a button to play again${errors.length ? ' (' + errors + ')' : ''}`);
  await page.close();
}

// No element over the picture and all of it in the window, at three window sizes.
async function layout(browser, base) {
  const page = await open(browser, `${base}?mode=test`);
  await frames(page, 5);
  for (const [width, height] of [[1280, 720], [800, 600], [390, 844]]) {
    await page.setViewport({width, height});
    // A long message makes the page's line grow: the picture makes room for it.
    await page.evaluate(() => Module.veltranoSay('A message long enough to take more than one line of the page ' +
                                                 'at every width the tests try, '.repeat(3), {kind: 'warn'}));
    await sleep(300);
    const seen = await pictureCheck(page);
    check(seen.inside && seen.over.length === 0,
          `at ${width}x${height} the whole picture ${seen.box} is seen${seen.over.length ? '; covered by ' + seen.over : ''}`);
  }
  await page.close();
}

// Scores reach storage the moment they enter the table: a killed browser keeps them, two tabs keep both.
async function scoresKept(base) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'veltrano-chromium-'));
  let browser = await launch(profile);
  try {
    let page = await open(browser, `${base}?mode=test`);
    await startGame(page);
    const score = await fireFor(page, 400);
    await tap(page, 'Home', 1);  // the game is given up: its score enters the table
    await sleep(300);
    browser.process().kill('SIGKILL');
    await sleep(300);
    browser = await launch(profile);
    page = await open(browser, `${base}?mode=test`);
    const kept = (await best(page, 1))[0];
    check(score > 0 && kept === score, `a score of ${score} entered the table survives a killed browser (${kept})`);
    // Two tabs, each ending a game.
    const tabs = [page, await open(browser, `${base}?mode=test`)];
    const scores = [];
    for (const tab of tabs) {
      await startGame(tab);
      scores.push(await fireFor(tab, 200 + 100 * scores.length));
    }
    for (const tab of tabs) await tap(tab, 'Home', 1);
    await sleep(500);
    const third = await open(browser, `${base}?mode=test`);
    const both = await best(third, 3);
    const want = [score, ...scores].sort((a, b) => b - a);
    check(JSON.stringify(both) === JSON.stringify(want), `two tabs keep both scores: ${both} (${want} expected)`);
  } finally {
    await browser.close();
    fs.rmSync(profile, {recursive: true, force: true});
  }
}

// Stored values of the wrong type are kept aside and named; the valid table stays.
async function damagedStorage(browser, base) {
  const cases = [
    {what: 'the ini as the number 42 beside a valid table', entries: [['/save/VeltranoIni.ini', {plain: 42}],
                                                                     ['/save/temp.dat', {bytes: table(0, [700, 300])}]],
     name: 'VeltranoIni.ini', best: [700, 300]},
    {what: 'the table as an ArrayBuffer', entries: [['/save/temp.dat', {arrayBuffer: 44}]], name: 'temp.dat', best: [0, 0]},
  ];
  for (const c of cases) {
    const context = await browser.createBrowserContext();
    let page = await open(context, `${base}?mode=test`);
    await storage(page, 'write', c.entries);
    await page.reload();
    await page.waitForFunction('window.Module && Module.calledRun === true', {timeout: 60000});
    const named = await waitForStatus(page, new RegExp(`${c.name.replace('.', '\\.')}.*kept aside`), 5000);
    const scores = await best(page, 2);
    const stored = await storage(page, 'read');
    const aside = Object.keys(stored).filter((k) => k.startsWith(`/save/${c.name}.damaged-`));
    check(named && aside.length === 1 && JSON.stringify(scores) === JSON.stringify(c.best),
          `${c.what}: kept aside as ${aside}, named ("${await statusText(page)}"), best scores ${scores}`);
    await context.close();
  }
}

// Load failures say what happened on the page.
async function loadFailures(browser, base, site) {
  for (const file of ['/VeltranoGame2.wasm', '/VeltranoGame2.data']) {
    blocked.set(file, Infinity);
    const page = await browser.newPage();
    await page.goto(base);
    const said = await waitForStatus(page, /could not be loaded/, 20000);
    check(said, `a 404 on ${file.slice(1)} says "${await statusText(page)}"`);
    blocked.delete(file);
    await page.close();
  }
  const page = await browser.newPage();
  await page.goto(`file://${path.resolve(site)}/index.html`);
  check(await waitForStatus(page, /HTTP/, 5000), `the page opened as a file says "${await statusText(page)}"`);
  await page.close();
}

// A piece of music that is not there when its stage starts (stage 9 started at once, its file
// refused once) leaves the stage playing; the piece comes in when it can.
async function musicLate(browser, base) {
  const context = await browser.createBrowserContext();
  let page = await open(context, `${base}?mode=test`);
  // A player who has cleared the game may start at a later stage (Insert on the title).
  await page.evaluate((bytes) => new Promise((r) => {
    Module.FS.writeFile('/save/temp.dat', new Uint8Array(bytes));
    Module.veltranoStoreFiles(r);
  }), table(1, []));
  blocked.set('/Sounds/Stage9.opus', 3);  // tried again after 1, 2 and 4 s
  const loadedAt = Date.now();
  await page.reload();
  await page.waitForFunction('window.Module && Module.calledRun === true', {timeout: 60000});
  await frames(page, 98);
  for (let i = 0; i < 8; ++i) await tap(page, 'Insert', 0);
  await tap(page, 'Space', 98);
  await tap(page, 'Space', 98);
  await tap(page, 'Space', 18);
  const startedAfter = (Date.now() - loadedAt) / 1000;
  await frames(page, 200);
  const scene = await page.evaluate(() => Module._veltrano_scene());
  const waiting = await statusText(page);
  check(scene === 10 && /Stage9.*(still loading|trying again)/.test(waiting),
        `stage 9 started ${startedAfter.toFixed(1)} s after load, its music refused: it plays on (scene ${scene}, "${waiting}")`);
  const came = await waitForStatus(page, /Stage9.*has come/, 15000);
  await frames(page, 40);
  check(came && await page.evaluate(() => Module._veltrano_scene()) === 10, 'the music comes in when it can');
  await context.close();
}

// Touch alone: a tap on the title and the ship select starts a game, a drag on the left half steers,
// the fire button fires; the buttons sit beside the picture.
async function touchPlay(browser, base) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({width: 390, height: 844, hasTouch: true, isMobile: true});
  await page.goto(`${base}?mode=test`);
  await page.waitForFunction('window.Module && Module.calledRun === true', {timeout: 60000});
  const box = await page.$eval('#screen', (e) => { const r = e.getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; });
  const [cx, cy] = [box[0] + box[2] * 0.75, box[1] + box[3] / 2];
  await frames(page, 98);
  for (const after of [98, 98, 18]) {
    await page.touchscreen.tap(cx, cy);
    await frames(page, after);
  }
  check(await page.evaluate(() => Module._veltrano_scene()) === 2, 'taps pass the title and the ship select: stage 1');
  const seen = await pictureCheck(page);
  check(seen.over.length === 0, `the touch buttons leave the picture free${seen.over.length ? ' (' + seen.over + ')' : ''}`);
  const ship = () => page.evaluate(() => [Module._veltrano_player_x(), Module._veltrano_player_y()]);
  const [x0, y0] = await ship();
  await page.touchscreen.touchStart(60, 700);
  await frames(page, 1);
  await page.touchscreen.touchMove(120, 700);
  await frames(page, 20);
  await page.touchscreen.touchEnd();
  const [x1, y1] = await ship();
  await frames(page, 5);
  const fire = await page.$eval('[data-control="5"]', (e) => { const r = e.getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; });
  await page.touchscreen.touchStart(fire[0], fire[1]);
  await frames(page, 400);
  await page.touchscreen.touchEnd();
  const score = await page.evaluate(() => Module._veltrano_score());
  check(x1 > x0 && y1 === y0, `a drag to the right moves the ship right (${x0},${y0} to ${x1},${y1})`);
  check(score > 0, `the fire button fires (${score} points)`);
  await context.close();
}

async function main() {
  const server = await serve();
  const base = `http://127.0.0.1:${server.address().port}/`;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'veltrano-chromium-'));
  let browser = await launch(profile);
  try {
    await realTimePlay(browser, base);
    await layout(browser, base);

    // The title's first frames equal the headless desktop game's, pixel for pixel.
    let page = await open(browser, `${base}?mode=test`);
    for (let f = 1; f <= 5; ++f) {
      await frames(page, 1);
      const differ = await sameAsNative(page, f);
      check(differ === 0, `title frame ${f} equals the desktop's (${differ} bytes differ)`);
    }
    await page.close();

    // A score saved before a reload is there after it, in storage of its own (the pages above kept
    // theirs too).
    const context = await browser.createBrowserContext();
    page = await open(context, `${base}?mode=test`);
    await startGame(page);
    // Leaving the page mid-game saves as closing the window does.
    const score = await fireFor(page, 400);
    await page.reload();
    await page.waitForFunction('window.Module && Module.calledRun === true', {timeout: 60000});
    const kept = await page.evaluate(() => Module._veltrano_high_score(0));
    check(score > 0 && kept === score, `a game left with ${score} points has them as the best after a reload (${kept})`);
    // Escape closes the game and saves; the next start has both scores.
    await startGame(page);
    const second = await fireFor(page, 200);
    await page.keyboard.down('Escape');
    await frames(page, 1);
    await page.keyboard.up('Escape');
    await page.evaluate(() => new Promise((r) => Module.veltranoStoreFiles(r)));
    await page.reload();
    await page.waitForFunction('window.Module && Module.calledRun === true', {timeout: 60000});
    const both = await best(page, 2);
    const want = [score, second].sort((a, b) => b - a);
    check(second > 0 && both[0] === want[0] && both[1] === want[1],
          `after Escape the best scores are ${both} (${want} expected)`);
    await context.close();

    await scoresKept(base);
    await damagedStorage(browser, base);
    await loadFailures(browser, base, site);
    await musicLate(browser, base);
    await touchPlay(browser, base);

    // Every golden replay verifies in the browser build as it does natively.
    page = await open(browser, `${base}?mode=verify`);
    await page.evaluate(() => Module.veltranoSoundsReady);
    const verdicts = JSON.parse(fs.readFileSync(nativeVerdicts, 'utf8'));
    for (const [name, native] of Object.entries(verdicts)) {
      const started = Date.now();
      const line = await page.evaluate(async (name) => {
        const bytes = new Uint8Array(await (await fetch(`/golden/${name}.vgr`)).arrayBuffer());
        Module.FS.writeFile(`/tmp/${name}.vgr`, bytes);
        return Module.ccall('veltrano_verify_replay', 'string', ['string'], [`/tmp/${name}.vgr`]);
      }, name);
      check(line === native, `${name}: ${line} (${((Date.now() - started) / 1000).toFixed(1)} s)` +
                             (line === native ? '' : `; natively: ${native}`));
    }
    // The browser's benchmark: the busiest recorded fight with every frame drawn, timed in wasm.
    const timing = await page.evaluate(async () => {
      const bytes = new Uint8Array(await (await fetch('/golden/extra-endurance.vgr')).arrayBuffer());
      Module.FS.writeFile('/tmp/timed.vgr', bytes);
      return Module.ccall('veltrano_time_replay', 'string', ['string'], ['/tmp/timed.vgr']);
    });
    console.log(`measured: extra-endurance drawn in wasm: ${timing}`);
    await page.close();
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(profile, {recursive: true, force: true});
  }
  process.exit(failures ? 1 : 0);
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
