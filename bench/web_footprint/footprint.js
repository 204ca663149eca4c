// The page's footprint in headless Chromium on this machine: the bytes downloaded (as served, and as a server that
// compresses would send them), the time from opening the page to its first picture, and in the Main Menu and in
// play (the desktop footprint's game: the default set, seed 7, the autopilot) the frames shown per second and the
// main thread's milliseconds per frame.
// Usage: node footprint.js SITE_FOLDER   (NODE_PATH holding playwright-core; bench/web_footprint/run.sh sets it)
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const {serve, openBrowser} = require('../../web/tests/chromium');

const site = path.resolve(process.argv[2]);
const span = 10000;  // ms measured in each state
const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

// Counts the frames the game puts on its canvas, and notes the first.
function countFrames() {
  const put = CanvasRenderingContext2D.prototype.putImageData;
  window.footprint = {frames: 0, first: null};
  CanvasRenderingContext2D.prototype.putImageData = function(...args) {
    if (window.footprint.first === null) window.footprint.first = performance.now();
    ++window.footprint.frames;
    return put.apply(this, args);
  };
}

// Frames per second and main-thread milliseconds per frame over `span`.
async function measure(page, session) {
  const taskSeconds = async () =>
    (await session.send('Performance.getMetrics')).metrics.find(metric => metric.name === 'TaskDuration').value;
  const frames = () => page.evaluate(() => window.footprint.frames);
  const [frames0, task0, start] = [await frames(), await taskSeconds(), Date.now()];
  await sleep(span);
  const [shown, task, elapsed] = [(await frames()) - frames0, (await taskSeconds()) - task0, Date.now() - start];
  return `${(shown / (elapsed / 1000)).toFixed(1)} frames/s, ${((task * 1000) / Math.max(shown, 1)).toFixed(2)} ms ` +
         'of the main thread per frame';
}

// The autopilot at 5 s and a click every 250 ms from 6 s, as bench/footprint.sh plays.
function playScript() {
  const lines = ['5000 key DIK_A down', '5000 key DIK_I down', '5015 key DIK_A up', '5015 key DIK_I up'];
  for (let tick = 6000; tick <= 60000; tick += 250) lines.push(`${tick} button left down`, `${tick + 40} button left up`);
  return lines.join('\n') + '\n';
}

function siteBytes(folder) {
  let plain = 0, compressed = 0;
  for (const entry of fs.readdirSync(folder, {withFileTypes: true, recursive: true})) {
    if (!entry.isFile()) continue;
    const bytes = fs.readFileSync(path.join(entry.path || entry.parentPath, entry.name));
    plain += bytes.length;
    compressed += zlib.gzipSync(bytes, {level: 9}).length;
  }
  return {plain, compressed};
}

(async () => {
  const server = await serve(site);
  const browser = await openBrowser();
  const page = browser.context.pages()[0] || await browser.context.newPage();
  const session = await browser.context.newCDPSession(page);
  await session.send('Performance.enable');
  await session.send('Network.enable');
  let downloaded = 0;
  session.on('Network.loadingFinished', event => { downloaded += event.encodedDataLength; });
  await page.addInitScript(countFrames);

  const opened = Date.now();
  await page.goto(server.url);
  await page.waitForFunction(() => window.footprint.first !== null, null, {timeout: 30000});
  const firstPicture = await page.evaluate(() => window.footprint.first);
  await sleep(4000);  // the menu fades in
  const menu = await measure(page, session);
  const atMenu = downloaded;

  await page.evaluate(script => {
    window.shardfall.startGame(['--play', 'Lvl/2-Shardfall.sfs', '--seed', '7', '--input', '/tmp/play.txt'],
                               [['/tmp/play.txt', script]]);
  }, playScript());
  await sleep(8000);  // the game starts and the autopilot plays
  const play = await measure(page, session);
  const all = siteBytes(site);

  console.log(`downloaded        ${(atMenu / 1e6).toFixed(2)} MB to the Main Menu, ${(downloaded / 1e6).toFixed(2)} MB ` +
              `with the first level's song (served uncompressed)`);
  console.log(`whole page        ${(all.plain / 1e6).toFixed(2)} MB, ${(all.compressed / 1e6).toFixed(2)} MB gzip-compressed`);
  console.log(`first picture     ${(firstPicture / 1000).toFixed(3)} s after the page was opened ` +
              `(${((Date.now() - opened) / 1000).toFixed(0)} s measured in all)`);
  console.log(`menu 1280x960     ${menu}`);
  console.log(`play 1280x960     ${play}`);
  await browser.close();
  server.stop();
})().catch(error => {
  console.error(`web_footprint: ${error.message}`);
  process.exit(1);
});
