// Shardfall's page: downloads the game and its data, lays out the files as an install does (the shipped data
// read-only, the player's own folder kept in the browser's storage), starts the game, scales its picture, and
// offers full screen, recordings and the player's own levels. Every failure is a message on the page.
'use strict';
(() => {
  const ProgramPath = '/usr/games/shardfall';  // the game finds the shipped data at ../share/games/shardfall
  const ShippedFolder = '/usr/share/games/shardfall';
  const UserFolder = '/home/web_user/.local/share/shardfall';
  const RecordingsFolder = '/tmp/recordings';
  const ReplayFile = '/tmp/replay.sfr';

  const $ = id => document.getElementById(id);
  const canvas = $('screen'), stage = $('stage');
  const params = new URLSearchParams(location.search);

  // ---- messages ----

  const shown = new Set();
  function say(text, problem = false) {
    if (shown.has(text)) return;
    shown.add(text);
    const line = document.createElement('p');
    line.textContent = text;
    if (problem) line.className = 'problem';
    line.title = 'Click to close';
    line.addEventListener('click', () => {
      line.remove();
      shown.delete(text);
    });
    $('messages').append(line);
  }
  const problem = text => say(text, true);
  const status = text => { $('status').textContent = text; };

  // ---- downloads: each failure names its address ----

  const absolute = url => new URL(url, location.href).href;
  async function download(url) {
    let response;
    try {
      response = await fetch(url);
    } catch (error) {
      throw new Error(`Could not download ${absolute(url)}: ${error.message}`);
    }
    if (!response.ok) throw new Error(`Could not download ${absolute(url)}: ${response.status} ${response.statusText}`);
    return new Uint8Array(await response.arrayBuffer());
  }

  function loadScript(url) {
    return new Promise((resolve, reject) => {
      const script = document.createElement('script');
      script.src = url;
      script.onload = resolve;
      script.onerror = () => reject(new Error(`Could not download ${absolute(url)}`));
      document.head.append(script);
    });
  }

  // The shipped data tree as one tar file (ustar, regular files and folders only).
  function untar(bytes) {
    const files = [];
    const text = (at, length) => new TextDecoder().decode(bytes.subarray(at, at + length)).replace(/\0.*$/s, '');
    for (let at = 0; at + 512 <= bytes.length && bytes[at] !== 0; ) {
      const name = text(at + 345, 155) ? `${text(at + 345, 155)}/${text(at, 100)}` : text(at, 100);
      const size = parseInt(text(at + 124, 12).trim() || '0', 8);
      const type = String.fromCharCode(bytes[at + 156] || 48);
      if (type === '0') files.push({name: name.replace(/^\.\//, ''), data: bytes.subarray(at + 512, at + 512 + size)});
      at += 512 + Math.ceil(size / 512) * 512;
    }
    return files;
  }

  // ---- the picture: whole device pixels per game pixel, aspect kept ----

  function fit() {
    const ratio = window.devicePixelRatio || 1;
    const width = stage.clientWidth * ratio, height = stage.clientHeight * ratio;
    const fitting = Math.min(width / canvas.width, height / canvas.height);
    const scale = fitting >= 1 ? Math.floor(fitting) : fitting;
    canvas.style.width = `${(canvas.width * scale) / ratio}px`;
    canvas.style.height = `${(canvas.height * scale) / ratio}px`;
  }
  window.addEventListener('resize', fit);
  new ResizeObserver(fit).observe(stage);
  fit();

  function toggleFullScreen() {
    const request = document.fullscreenElement ? document.exitFullscreen() : stage.requestFullscreen();
    if (request) request.catch(error => say(`Full screen is not available: ${error.message}`));
    canvas.focus();
  }
  $('full-screen').addEventListener('click', toggleFullScreen);
  window.addEventListener('keydown', event => {
    if (event.altKey && event.code === 'Enter' && !event.repeat) {
      event.preventDefault();
      toggleFullScreen();
    }
  });

  // ---- sound: one AudioContext for the page, started by the player's first click or key ----

  const AudioContextClass = window.AudioContext || window.webkitAudioContext;
  const audio = AudioContextClass ? new AudioContextClass() : null;
  const startSound = () => {
    if (audio && audio.state === 'suspended') audio.resume().catch(() => {});
  };
  for (const type of ['pointerdown', 'keydown']) window.addEventListener(type, startSound, true);

  // ---- storage: the player's folder in IndexedDB, written whenever the game writes there ----

  let storageRefused = false;
  // Mounts the player's folder, fills it from storage, then calls `ready` (files put there now are kept).
  function mountStorage(module, ready) {
    const FS = module.FS;
    FS.mkdirTree(UserFolder);
    let pending = null;
    const save = () => {
      pending = null;
      FS.syncfs(false, error => {
        if (error) problem(`Could not save in the browser's storage: ${error.message || error}`);
      });
    };
    module.saveNow = () => {
      if (pending === null) return;
      clearTimeout(pending);
      save();
    };
    const touched = path => {
      if (!storageRefused && path.startsWith(UserFolder + '/') && pending === null) pending = setTimeout(save, 50);
    };
    FS.trackingDelegate.onMovePath = (from, to) => touched(to);
    for (const hook of ['onWriteToFile', 'onDeletePath', 'onMakeDirectory']) FS.trackingDelegate[hook] = touched;
    if (storageRefused) return ready();
    FS.mount(FS.filesystems.IDBFS, {}, UserFolder);
    module.addRunDependency('storage');
    FS.syncfs(true, error => {
      if (error) refuseStorage(error);
      ready();
      module.removeRunDependency('storage');
    });
  }
  // Leaving the page writes what is still to be written.
  window.addEventListener('pagehide', () => { if (game && game.module.saveNow) game.module.saveNow(); });
  function refuseStorage(error) {
    storageRefused = true;
    console.warn('IndexedDB:', error);
    say("This browser gives the page no storage: options, scores and your own levels will not be kept.");
  }

  // ---- recordings: every game into a folder, the last one offered for download ----

  let lastRecording = null;
  function offerRecording(module, path) {
    // The game writes each file beside it under a hidden name first, then renames it.
    if (!path.startsWith(RecordingsFolder + '/') || path.slice(RecordingsFolder.length + 1).startsWith('.')) return;
    let bytes;
    try { bytes = module.FS.readFile(path); } catch (error) { return; }
    if (lastRecording) URL.revokeObjectURL(lastRecording);
    lastRecording = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
    const link = $('download-recording');
    link.href = lastRecording;
    link.download = path.slice(RecordingsFolder.length + 1);
    link.hidden = false;
  }

  // ---- the game: one instance at a time, started afresh for a replay ----

  let data = null;  // the shipped tree's files
  let renderedSongs = [];
  let game = null;  // {module, ended}

  function stopGame() {
    if (!game) return Promise.resolve();
    const {module, ended} = game;
    module.closeRequested = true;
    return ended;
  }

  // The files as an install lays them out: the shipped tree read-only, the player's folder from storage, the
  // recordings in memory.
  function layOut(module, extraFiles) {
    const FS = module.FS;
    const write = (path, bytes, mode) => {
      FS.mkdirTree(path.slice(0, path.lastIndexOf('/')));
      FS.writeFile(path, bytes);
      if (mode) FS.chmod(path, mode);
    };
    for (const file of data) write(`${ShippedFolder}/${file.name}`, file.data, 0o444);
    for (const folder of new Set(data.map(file => file.name.split('/')[0])))
      FS.chmod(`${ShippedFolder}/${folder}`, 0o555);
    FS.mkdirTree(ProgramPath.slice(0, ProgramPath.lastIndexOf('/')));
    FS.mkdirTree(RecordingsFolder);
    const own = ([path]) => path.startsWith(UserFolder + '/');
    extraFiles.filter(file => !own(file)).forEach(([path, bytes]) => write(path, bytes));
    mountStorage(module, () => extraFiles.filter(own).forEach(([path, bytes]) => write(path, bytes)));
    const moved = FS.trackingDelegate.onMovePath;
    FS.trackingDelegate.onMovePath = (from, to) => {
      moved(from, to);
      offerRecording(module, to);
    };
  }

  async function startGame(args, extraFiles = []) {
    await stopGame();
    $('play').hidden = true;
    canvas.focus();
    let finish;
    const ended = new Promise(resolve => { finish = resolve; });
    const errors = [];
    const module = {
      canvas, audio, renderedSongs, arguments: args, thisProgram: ProgramPath,
      print: line => console.log(line),
      printErr: line => { errors.push(line); console.warn(line); },
      reportProblem: problem,
      preRun: [() => layOut(module, extraFiles)],
      onGameEnd: code => {
        if (module.saveNow) module.saveNow();
        if (module.devices) module.devices.detach();
        if (game && game.module === module) game = null;
        finish(code);
      },
    };
    module.onExit = module.onGameEnd;
    module.onAbort = what => {
      problem(`Shardfall stopped: ${what}`);
      module.onGameEnd(-1);
    };
    game = {module, ended};
    try {
      await createShardfall(module);
    } catch (error) {
      problem(`Shardfall could not start: ${error.message || error}`);
      module.onGameEnd(-1);
    }
    return ended.then(code => ({code, errors, module}));
  }

  // The game as a player starts it, every game recorded; `files` are put into its folders first.
  async function play(files = []) {
    const {code, errors} = await startGame(['--record-dir', RecordingsFolder], files);
    if (game) return;  // another game has taken over
    if (code !== 0 && errors.length) problem(errors.join('\n'));
    $('play').hidden = false;
    status('Shardfall has ended.');
  }

  async function replay(bytes, name) {
    status(`Replaying ${name}`);
    const {code, errors} = await startGame(['--replay', ReplayFile], [[ReplayFile, bytes]]);
    if (game) return;  // another game has taken over
    if (code === 0) say(`The replay of ${name} has ended.`);
    else problem(errors.join('\n') || `The replay of ${name} stopped.`);
    status('');
    $('play').hidden = false;
  }

  $('play').addEventListener('click', () => {
    status('');
    play();
  });
  $('open-recording').addEventListener('change', async event => {
    const file = event.target.files[0];
    event.target.value = '';
    if (file) replay(new Uint8Array(await file.arrayBuffer()), file.name);
  });

  // The player's own levels, sets, tilesets and backgrounds, by the folder they were in, else by their kind.
  $('add-files').addEventListener('change', async event => {
    const files = [...event.target.files];
    event.target.value = '';
    if (!files.length) return;
    const tilesets = new Set(files.filter(f => /\.sft$/i.test(f.name)).map(f => f.name.replace(/\.sft$/i, '')));
    const folderOf = file => {
      const within = (file.webkitRelativePath || '').match(/(?:^|\/)(Tls|Lvl|Bgd)\/[^/]+$/);
      if (within) return within[1];
      if (/\.(sfl|sfs|sfh)$/i.test(file.name)) return 'Lvl';
      if (/\.sft$/i.test(file.name) || tilesets.has(file.name.replace(/\.bmp$/i, ''))) return 'Tls';
      return /\.bmp$/i.test(file.name) ? 'Bgd' : null;
    };
    const added = [];
    for (const file of files) {
      const folder = folderOf(file);
      if (folder) added.push([`${UserFolder}/${folder}/${file.name}`, new Uint8Array(await file.arrayBuffer())]);
      else say(`${file.name} is not a level, level set, tileset or picture: left out.`);
    }
    if (!added.length) return;
    say(`Added to your folder: ${added.map(([path]) => path.slice(UserFolder.length + 1)).join(', ')}`);
    // The game lists the level sets whenever it shows them: a running game takes the files as they are.
    if (!game || !game.module.FS) return play(added);
    const FS = game.module.FS;
    for (const [path, bytes] of added) {
      FS.mkdirTree(path.slice(0, path.lastIndexOf('/')));
      FS.writeFile(path, bytes);
    }
  });

  // ---- start ----

  async function start() {
    if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
      problem('This browser cannot run WebAssembly, which Shardfall needs. A current Firefox, Chromium, ' +
              'Chrome, Edge or Safari can.');
      return;
    }
    status('Loading…');
    const [tree] = await Promise.all([download('data/shardfall-data.tar'), loadScript('shardfall.js')]);
    data = untar(tree);
    const cache = new Map();
    renderedSongs = data.filter(file => /^Mus\/[^/]+\.mid$/.test(file.name)).map(file => {
      const url = `music/${file.name.slice(4, -4)}.opus`;
      return {midi: file.data, fetch: () => {
        if (!cache.has(url)) cache.set(url, download(url).catch(error => { cache.delete(url); throw error; }));
        return cache.get(url);
      }};
    });
    status('');
    const replayUrl = params.get('replay');
    if (replayUrl) replay(await download(replayUrl), replayUrl.split('/').pop());
    else play();
  }

  // For the page's tests and for players curious about the files: the running game and its files.
  window.shardfall = {startGame, stopGame, game: () => game && game.module};
  start().catch(error => {
    status('');
    problem(error.message || String(error));
  });
})();
