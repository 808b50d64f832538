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

// A plain static server; /golden/ and /frames/ are the test's own files.
function serve() {
  const server = http.createServer((req, res) => {
    const url = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const roots = [['/golden/', goldenDir], ['/frames/', framesDir], ['/', site]];
    const [prefix, root] = roots.find(([p]) => url.startsWith(p));
    let file = path.join(root, path.normalize(url.slice(prefix.length)).replace(/^(\.\.[/\\])+/, ''));
    if (url.endsWith('/')) file = path.join(file, 'index.html');
    fs.readFile(file, (e, data) => {
      if (e) {
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

async function main() {
  const server = await serve();
  const base = `http://127.0.0.1:${server.address().port}/`;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'veltrano-chromium-'));
  let browser = await launch(profile);
  try {
    // Start to the title, in real time, and what it cost to download.
    served = 0;
    let page = await browser.newPage();
    await page.goto(base);
    await page.waitForFunction('window.Module && Module.veltranoFirstFrameAt !== undefined', {timeout: 60000});
    const firstFrame = await page.evaluate(() => Module.veltranoFirstFrameAt);
    const beforeTitle = served;
    console.log(`measured: start to the title's first frame ${(firstFrame / 1000).toFixed(2)} s, ` +
                `${(beforeTitle / 1048576).toFixed(1)} MB downloaded before it`);
    check(beforeTitle <= 15 * 1048576, 'at most 15 MB downloaded before the title');
    // A key press starts a game: confirm on the title (which takes it once its opening has run),
    // then on the ship select.
    for (let tries = 0; tries < 20; ++tries) {
      const scene = await page.evaluate(() => Module._veltrano_scene());
      if (scene === 2) break;
      await page.keyboard.down('Space');
      await new Promise((r) => setTimeout(r, 100));
      await page.keyboard.up('Space');
      await new Promise((r) => setTimeout(r, 900));
    }
    check(await page.evaluate(() => Module._veltrano_scene()) === 2, 'the keys start a game in stage 1');
    // Sound: the mixer pulled through Web Audio for ten seconds of play, fire held.
    await page.evaluate(() => Module.veltranoSoundsReady);
    await page.keyboard.down('KeyX');
    const audioBefore = await page.evaluate(() => ({...Module.veltranoAudio, context: undefined, node: undefined,
                                                    time: Module.veltranoAudio.context.currentTime}));
    await new Promise((r) => setTimeout(r, 10000));
    const audio = await page.evaluate(() => ({...Module.veltranoAudio, context: undefined, node: undefined,
                                              state: Module.veltranoAudio.context.state,
                                              time: Module.veltranoAudio.context.currentTime}));
    await page.keyboard.up('KeyX');
    const seconds = audio.time - audioBefore.time;
    const pulled = (audio.frames - audioBefore.frames) / 32000;
    console.log(`measured: audio ${audio.state}, ${seconds.toFixed(2)} s played, ${pulled.toFixed(2)} s mixed, ` +
                `${audio.late - audioBefore.late} buffers late`);
    check(audio.state === 'running' && seconds > 9, 'the sound runs after the first key');
    check(audio.late === audioBefore.late && pulled >= seconds - 0.2, 'the mixer keeps up without gaps');
    await page.close();

    // The title's first frames equal the headless desktop game's, pixel for pixel.
    page = await open(browser, `${base}?mode=test`);
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
    await frames(page, 98);
    await tap(page, 'Space', 98);
    await tap(page, 'Space', 98);
    await tap(page, 'Space', 18);
    await page.keyboard.down('KeyX');
    await frames(page, 400);
    await page.keyboard.up('KeyX');
    // Leaving the page mid-game saves as closing the window does.
    const score = await page.evaluate(() => Module._veltrano_score());
    await page.reload();
    await page.waitForFunction('window.Module && Module.calledRun === true', {timeout: 60000});
    const kept = await page.evaluate(() => Module._veltrano_high_score(0));
    check(score > 0 && kept === score, `a game left with ${score} points has them as the best after a reload (${kept})`);
    // Escape closes the game and saves; the next start has both scores.
    await frames(page, 98);
    await tap(page, 'Space', 98);
    await tap(page, 'Space', 98);
    await tap(page, 'Space', 18);
    await page.keyboard.down('KeyX');
    await frames(page, 200);
    await page.keyboard.up('KeyX');
    const second = await page.evaluate(() => Module._veltrano_score());
    await page.keyboard.down('Escape');
    await frames(page, 1);
    await page.keyboard.up('Escape');
    await page.evaluate(() => new Promise((r) => Module.veltranoStoreFiles(r)));
    await page.reload();
    await page.waitForFunction('window.Module && Module.calledRun === true', {timeout: 60000});
    const both = await page.evaluate(() => [0, 1].map((i) => Module._veltrano_high_score(i)));
    const want = [score, second].sort((a, b) => b - a);
    check(second > 0 && both[0] === want[0] && both[1] === want[1],
          `after Escape the best scores are ${both} (${want} expected)`);
    await context.close();

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
