// The page in headless Chromium: it shows the Main Menu as the desktop build does, plays a game started with a
// held click and steered with the keyboard, keeps an option and a score over a reload, offers the game's
// recording (which the desktop build replays), replays a desktop recording to the same end, and says what went
// wrong when it cannot run. Each case has its own browser profile and folder.
// Usage: node page_test.js NATIVE_BUILD WEB_BUILD [WORDS]   (NODE_PATH holding playwright-core; WORDS: only the
// cases whose names hold them)
'use strict';
const {execFileSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {serve, openBrowser, collectErrors} = require('./chromium');

const [nativeBuild, webBuild] = process.argv.slice(2, 4).map(folder => path.resolve(folder));
const only = process.argv[4] || '';
const nativeGame = path.join(nativeBuild, 'shardfall');
const tree = path.join(webBuild, 'host', 'install-tree');
const site = path.join(webBuild, 'site');
const outputFolder = path.join(webBuild, 'test-output');
const UserFolder = '/home/web_user/.local/share/shardfall';

// ---- the desktop build, headless, in a copy of the shipped tree ----

function desktopRoot() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'shardfall-page-test-'));
  fs.cpSync(tree, path.join(folder, 'root'), {recursive: true});
  return folder;
}

function runDesktop(folder, args) {
  return execFileSync(nativeGame, ['--root', path.join(folder, 'root'), '--headless', ...args], {cwd: folder});
}

// A 24-bit bottom-up BMP as rows of 0xRRGGBB.
function readBmp(file) {
  const bytes = fs.readFileSync(file);
  const offset = bytes.readUInt32LE(10), width = bytes.readInt32LE(18), height = bytes.readInt32LE(22);
  const stride = Math.ceil((width * 3) / 4) * 4;
  const pixels = new Uint32Array(width * height);
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x) {
      const at = offset + (height - 1 - y) * stride + x * 3;
      pixels[y * width + x] = (bytes[at + 2] << 16) | (bytes[at + 1] << 8) | bytes[at];
    }
  return pixels;
}

// The largest difference, in a colour channel, between the mean colours of two pictures' 32 x 32 squares.
function worstSquare(a, b, width = 640, height = 480, side = 32) {
  let worst = 0;
  for (let top = 0; top < height; top += side)
    for (let left = 0; left < width; left += side)
      for (const shift of [16, 8, 0]) {
        let sum = 0;
        for (let y = top; y < top + side; ++y)
          for (let x = left; x < left + side; ++x)
            sum += ((a[y * width + x] >> shift) & 255) - ((b[y * width + x] >> shift) & 255);
        worst = Math.max(worst, Math.abs(sum) / (side * side));
      }
  return Math.round(worst * 10) / 10;
}

// ---- the page ----

const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

async function waitFor(page, test, what, timeout = 30000) {
  for (const start = Date.now(); Date.now() - start < timeout; await sleep(100)) {
    const value = await page.evaluate(test).catch(() => undefined);
    if (value) return value;
  }
  throw new Error(`waited ${timeout} ms for ${what}`);
}

// The game reads its devices once a frame: a key is held long enough for a read to see it.
async function press(page, key, ms = 120) {
  await page.keyboard.down(key);
  await sleep(ms);
  await page.keyboard.up(key);
  await sleep(400);  // a menu takes the next action only after a pause
}

async function holdClick(page, ms = 150) {
  const box = await page.locator('#screen').boundingBox();
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
  await page.mouse.down();
  await sleep(ms);
  await page.mouse.up();
}

const canvasPixels = page => page.evaluate(() => {
  const canvas = document.getElementById('screen');
  const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
  const pixels = [];
  for (let i = 0; i < data.length; i += 4) pixels.push((data[i] << 16) | (data[i + 1] << 8) | data[i + 2]);
  return pixels;
});

const userFile = (page, name) => page.evaluate(([folder, name]) => {
  const game = window.shardfall.game();
  try { return game && Array.from(game.FS.readFile(`${folder}/${name}`)); } catch (error) { return null; }
}, [UserFolder, name]);

const messages = page => page.locator('#messages p').allTextContents();

const opened = [];  // the browsers a case opened, closed after it; the last page is kept as a picture on failure

async function openPage(url, prepare) {
  const browser = await openBrowser();
  const page = browser.context.pages()[0] || await browser.context.newPage();
  opened.push({browser, page});
  const errors = collectErrors(page);
  if (prepare) await prepare(page);
  await page.goto(url);
  return {browser, page, errors};
}

// ---- the cases ----

const cases = {
  async 'shows the Main Menu as the desktop build does'(url) {
    const folder = desktopRoot();
    runDesktop(folder, ['--frames', '500', '--screenshot', `7000:${path.join(folder, 'menu.bmp')}`]);
    const desktop = readBmp(path.join(folder, 'menu.bmp'));
    const {browser, page, errors} = await openPage(url);
    await waitFor(page, () => window.shardfall.game(), 'the game to start');
    await sleep(7000);  // the menu's fade-in, as long as the desktop's
    const shown = await canvasPixels(page);
    fs.mkdirSync(outputFolder, {recursive: true});
    await page.screenshot({path: path.join(outputFolder, 'main-menu.png')});
    await browser.close();
    fs.rmSync(folder, {recursive: true});
    // The menu's background and waving line move with the clock, which runs in real time here: the pictures are
    // compared by the mean colour of each 32 x 32 square, which a moving shard hardly changes but a wrong colour,
    // ramp, size or place does.
    const worst = worstSquare(shown, desktop);
    if (worst > 16) throw new Error(`a square of the picture differs from the desktop's by ${worst} in a channel`);
    return errors;
  },

  async 'plays a game, keeps an option and a score over a reload, and offers its recording'(url) {
    const {browser, page, errors} = await openPage(url);
    const songs = [];
    page.on('response', response => { if (/\/music\/.*\.opus$/.test(response.url())) songs.push(response.status()); });
    await waitFor(page, () => window.shardfall.game(), 'the game to start');
    await sleep(2500);
    await press(page, 'ArrowDown');  // Options
    await press(page, 'Enter');
    await sleep(800);
    await press(page, 'ArrowLeft');  // starting balls 3 -> 1
    await press(page, 'ArrowLeft');
    await press(page, 'Escape');
    await sleep(1200);
    await press(page, 'Enter');  // New Game
    await sleep(800);
    await press(page, 'Enter');  // the first level set
    await sleep(4000);  // the level fades in before a click starts it
    await holdClick(page);
    const soundAfter = await page.evaluate(() => window.shardfall.game().audio.state);
    if (soundAfter !== 'running') throw new Error(`the sound is ${soundAfter} after the first click`);
    if (!songs.length || songs.some(status => status !== 200)) throw new Error(`the songs came with ${songs}`);
    // The keyboard steers and a click sends each new ball until the last is lost; Enter leaves the end-of-game
    // message for the name entry, where the game's recording is complete.
    const recorded = () => page.locator('#download-recording').isVisible();
    for (let turn = 0; !(await recorded()); ++turn) {
      if (turn > 400) throw new Error('the game did not end');
      await press(page, turn % 6 < 3 ? 'ArrowRight' : 'ArrowLeft', 300);
      if (turn % 5 === 4) await holdClick(page);
      if (turn % 5 === 2) await press(page, 'Enter');
    }
    await sleep(1000);
    for (const key of ['KeyW', 'KeyE', 'KeyB', 'Enter']) await press(page, key);
    // The score table the game wrote into the player's folder.
    const scoreFile = await waitFor(page, () => {
      try {
        return window.shardfall.game().FS.readdir('/home/web_user/.local/share/shardfall/Lvl').find(name => name.endsWith('.sfh'));
      } catch (error) {
        return null;
      }
    }, 'the score table');
    const recording = Buffer.from(await page.evaluate(async () => {
      const link = document.getElementById('download-recording');
      return Array.from(new Uint8Array(await (await fetch(link.href)).arrayBuffer()));
    }));
    const options = await userFile(page, 'config.bin');
    if (!options || options[0] !== 1) throw new Error(`the option was not changed: ${options}`);
    const table = await userFile(page, `Lvl/${scoreFile}`);
    await sleep(1000);  // the page writes the player's folder into the browser's storage

    await page.reload();
    await waitFor(page, () => window.shardfall.game(), 'the game to start again');
    await sleep(1500);
    const keptOptions = await userFile(page, 'config.bin');
    const keptTable = await userFile(page, `Lvl/${scoreFile}`);
    await browser.close();
    if (String(keptOptions) !== String(options)) throw new Error('the option was not kept over the reload');
    if (String(keptTable) !== String(table)) throw new Error('the score was not kept over the reload');
    if (!Buffer.from(keptTable).toString('latin1').includes('web'))
      throw new Error(`the table does not hold the name typed: ${JSON.stringify(Buffer.from(keptTable).toString('latin1'))}`);

    // The page's recording replays on the desktop to the end of the game.
    const folder = desktopRoot();
    fs.writeFileSync(path.join(folder, 'page.sfr'), recording);
    runDesktop(folder, ['--replay', path.join(folder, 'page.sfr'), '--dump-state', path.join(folder, 'end.json')]);
    const end = JSON.parse(fs.readFileSync(path.join(folder, 'end.json')));
    fs.rmSync(folder, {recursive: true});
    if (end.GameWorld.endMessage !== 'GAME OVER')
      throw new Error(`the replayed game ended otherwise: ${JSON.stringify(end.GameWorld).slice(0, 300)}`);
    return errors;
  },

  async 'replays a desktop recording to the same end'(url) {
    const folder = desktopRoot();
    const script = path.join(folder, 'script.txt');
    fs.writeFileSync(script, '1500 button left down\n1520 button left up\n4000 key DIK_A down\n4000 key DIK_I down\n' +
                             '4001 key DIK_A up\n4001 key DIK_I up\n');
    const recording = path.join(folder, 'desktop.sfr'), dump = path.join(folder, 'desktop.json');
    runDesktop(folder, ['--play', 'Lvl/1-WarmUp.sfs', '--seed', '4', '--step', '25', '--frames', '400', '--input', script,
                        '--record', recording]);
    runDesktop(folder, ['--replay', recording, '--dump-state', dump]);
    const bytes = fs.readFileSync(recording);
    const {browser, page, errors} = await openPage(`${url}?replay=recordings/desktop.sfr`, page =>
      page.route('**/recordings/desktop.sfr', route => route.fulfill({body: bytes})));
    await waitFor(page, async () => (await document.getElementById('messages').textContent).includes('has ended'),
                  'the replay to end', 60000);
    // Once more with the state written at its end, to compare with the desktop's.
    const replayed = await page.evaluate(async bytes => {
      const {code, module} = await window.shardfall.startGame(
          ['--replay', '/tmp/desktop.sfr', '--dump-state', '/tmp/end.json'], [['/tmp/desktop.sfr', new Uint8Array(bytes)]]);
      return {code, dump: module.FS.readFile('/tmp/end.json', {encoding: 'utf8'})};
    }, Array.from(bytes));
    await browser.close();
    const expected = fs.readFileSync(dump, 'utf8');
    fs.mkdirSync(outputFolder, {recursive: true});
    fs.writeFileSync(path.join(outputFolder, 'replay-desktop.json'), expected);
    fs.writeFileSync(path.join(outputFolder, 'replay-page.json'), replayed.dump);
    fs.rmSync(folder, {recursive: true});
    if (replayed.code !== 0) throw new Error(`the replay ended with status ${replayed.code}`);
    // The dumps name the files the game read, which lie elsewhere in the page.
    const withoutFolders = dump => dump.replace(/"\/[^"]*\/(Lvl\/[^"]*)"/g, '"$1"');
    if (withoutFolders(replayed.dump) !== withoutFolders(expected))
      throw new Error('the page replayed the game to another end');
    return errors;
  },

  async 'plays with a gamepad alone'(url) {
    const {browser, page, errors} = await openPage(url, page => page.addInitScript(() => {
      const pad = {connected: true, mapping: 'standard', axes: [0, 0, 0, 0],
                   buttons: Array.from({length: 17}, () => ({pressed: false, value: 0}))};
      navigator.getGamepads = () => [pad];
      window.testPad = pad;
    }));
    const tap = async button => {
      await page.evaluate(button => { window.testPad.buttons[button].pressed = true; }, button);
      await sleep(150);
      await page.evaluate(button => { window.testPad.buttons[button].pressed = false; }, button);
      await sleep(500);
    };
    const [A, B] = [0, 1];
    await waitFor(page, () => window.shardfall.game(), 'the game to start');
    await sleep(2500);
    await tap(A);  // New Game
    await sleep(800);
    await tap(A);  // the first set
    await sleep(5000);  // the level fades in before A starts it
    await tap(A);
    await sleep(2000);
    await tap(B);  // leaves the game: it is over and its recording written
    await waitFor(page, () => !document.getElementById('download-recording').hidden, 'the recording');
    await browser.close();
    return errors;
  },

  async 'keeps the levels and level sets the player adds'(url) {
    const folder = desktopRoot();
    const level = path.join(folder, 'my_level.sfl'), set = path.join(folder, 'Mine.sfs');
    fs.copyFileSync(path.join(tree, 'Lvl', 'wu1_glow.sfl'), level);
    fs.writeFileSync(set, 'Mine\r\n 1 \r\nmy_level.sfl\r\n');
    const {browser, page, errors} = await openPage(url);
    await waitFor(page, () => window.shardfall.game(), 'the game to start');
    await page.locator('#add-files').setInputFiles([level, set]);
    await waitFor(page, () => document.getElementById('messages').textContent.includes('Lvl/Mine.sfs'), 'the files');
    await sleep(1000);  // written into the browser's storage
    await page.reload();
    await waitFor(page, () => window.shardfall.game(), 'the game to start again');
    await sleep(1000);
    const kept = [await userFile(page, 'Lvl/Mine.sfs'), await userFile(page, 'Lvl/my_level.sfl')];
    // The game plays the set from the player's folder.
    const started = await page.evaluate(() => window.shardfall.startGame(['--play', 'Lvl/Mine.sfs', '--frames', '30'])
                                                .then(({code}) => code));
    await browser.close();
    const same = (bytes, file) => bytes && Buffer.from(bytes).equals(fs.readFileSync(file));
    const whole = same(kept[0], set) && same(kept[1], level);
    fs.rmSync(folder, {recursive: true});
    if (!whole) throw new Error('the files were not kept over the reload');
    if (started !== 0) throw new Error(`the game did not play the set (status ${started})`);
    return errors;
  },

  async 'says once that nothing will be kept when the browser gives no storage'(url) {
    const {browser, page, errors} = await openPage(url, page => page.addInitScript(() => {
      IDBFactory.prototype.open = () => { throw new DOMException('refused', 'SecurityError'); };
    }));
    await waitFor(page, () => window.shardfall.game(), 'the game to start');
    await sleep(2500);
    await press(page, 'ArrowDown');  // the options are written: nothing is kept, nothing fails
    await press(page, 'Enter');
    await press(page, 'ArrowRight');
    await press(page, 'Escape');
    const said = (await messages(page)).filter(text => text.includes('will not be kept'));
    const shown = await canvasPixels(page);
    await browser.close();
    if (said.length !== 1) throw new Error(`said ${said.length} times`);
    if (!shown.some(pixel => pixel !== 0)) throw new Error('the game shows nothing');
    return errors;
  },

  async 'names the address of a download that failed'(url) {
    const {browser, page} = await openPage(url, page =>
      page.route('**/data/shardfall-data.tar', route => route.fulfill({status: 404, body: 'missing'})));
    await waitFor(page, () => document.querySelector('#messages .problem'), 'a message');
    const said = await messages(page);
    await browser.close();
    if (!said.some(text => text.includes(`${url}data/shardfall-data.tar`) && text.includes('404')))
      throw new Error(`said: ${said}`);
    return [];
  },

  async 'says that WebAssembly is missing'(url) {
    const {browser, page, errors} = await openPage(url, page => page.addInitScript(() => { delete window.WebAssembly; }));
    await waitFor(page, () => document.querySelector('#messages .problem'), 'a message');
    const said = await messages(page);
    await browser.close();
    if (!said.some(text => text.includes('cannot run WebAssembly'))) throw new Error(`said: ${said}`);
    return errors;
  },
};

(async () => {
  const server = await serve(site);
  let failures = 0;
  for (const [name, test] of Object.entries(cases).filter(([name]) => name.includes(only))) {
    try {
      const errors = await test(server.url);
      if (errors.length) throw new Error(`the console holds errors:\n  ${errors.join('\n  ')}`);
      console.log(`ok    ${name}`);
    } catch (error) {
      ++failures;
      const picture = path.join(outputFolder, `failed-${name.replace(/\W+/g, '-')}.png`);
      fs.mkdirSync(outputFolder, {recursive: true});
      if (opened.length) await opened[opened.length - 1].page.screenshot({path: picture}).catch(() => {});
      console.log(`FAIL  ${name}: ${error.message}`);
    }
    for (const {browser} of opened.splice(0)) await browser.close().catch(() => {});
  }
  server.stop();
  console.log(failures ? `${failures} failed` : 'The page passes.');
  process.exit(failures ? 1 : 0);
})();
