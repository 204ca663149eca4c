// The page's side of the game's devices (game/platform/web_*.cpp): the canvas, the keys and the mouse kept between
// the game's reads, the gamepads, and Web Audio for the sounds and the rendered songs. The page gives each game
// its canvas, the page's AudioContext and the rendered songs (Module.canvas, Module.audio, Module.renderedSongs),
// and hears of the game's end through Module.onGameEnd(exit status).

// main() waits for animation frames by unwinding to the browser: its return comes at the end of the last wait.
Module.postRun = [].concat(Module.postRun || [], () => {
  if (Asyncify.currData) Asyncify.whenDone().then(Module.onGameEnd, error => Module.onAbort(String(error)));
});
Module.devices = (() => {
  const canvas = Module.canvas;
  const context = canvas.getContext('2d', {alpha: false});
  const listeners = [];
  const listen = (target, type, handler, options) => {
    target.addEventListener(type, handler, options);
    listeners.push(() => target.removeEventListener(type, handler, options));
  };

  // ---- keys: held now, and pressed since the last read (so a tap between two reads is not lost) ----
  const keyCodes = new Map();
  const held = new Uint8Array(256);
  const pressed = new Uint8Array(256);
  const forBrowser = event => event.ctrlKey || event.metaKey || /^F\d+$/.test(event.code);
  listen(window, 'keydown', event => {
    const dik = keyCodes.get(event.code);
    if (dik === undefined) return;
    held[dik] = pressed[dik] = 1;
    if (!forBrowser(event)) event.preventDefault();
  });
  listen(window, 'keyup', event => {
    const dik = keyCodes.get(event.code);
    if (dik !== undefined) held[dik] = 0;
  });
  // Keys let go of in another window would otherwise stay down.
  listen(window, 'blur', () => held.fill(0));

  // ---- mouse: counts while the pointer is locked or over the canvas, buttons pressed since the last read ----
  let moveX = 0, moveY = 0, captureWanted = false;
  const buttonsHeld = [0, 0], buttonsPressed = [0, 0];
  const locked = () => document.pointerLockElement === canvas;
  const buttonOf = event => (event.button === 0 ? 0 : event.button === 2 ? 1 : -1);
  listen(document, 'mousemove', event => {
    if (!locked() && event.target !== canvas) return;
    moveX += event.movementX;
    moveY += event.movementY;
  });
  listen(canvas, 'mousedown', event => {
    const button = buttonOf(event);
    if (button >= 0) buttonsHeld[button] = buttonsPressed[button] = 1;
    if (captureWanted && !locked() && canvas.requestPointerLock) {
      // A browser may refuse the lock (or offer none); the mouse then moves the paddles over the canvas only.
      const request = canvas.requestPointerLock();
      if (request && request.catch) request.catch(() => {});
    }
    event.preventDefault();
  });
  listen(document, 'mouseup', event => {
    const button = buttonOf(event);
    if (button >= 0) buttonsHeld[button] = 0;
  });
  listen(canvas, 'contextmenu', event => event.preventDefault());

  // ---- sound: one channel per slot, the song through its own gain ----
  const audio = Module.audio;
  const sounds = new Map();  // id -> Promise of an AudioBuffer (null when the browser could not decode it)
  const channels = new Map();  // slot -> {source, gain}
  let nextId = 1;
  const song = {id: 0, started: -1, source: null, gain: audio ? audio.createGain() : null};
  if (song.gain) song.gain.connect(audio.destination);
  const songs = new Map();  // id -> Promise of an AudioBuffer, or null for a song with no rendering
  const copyOf = (pointer, size) => HEAPU8.slice(pointer, pointer + size);
  const stop = source => {
    source.onended = null;
    try { source.stop(); } catch (e) {}
    source.disconnect();
  };
  // decodeAudioData takes the buffer it is given: it gets a copy.
  const decode = bytes => audio.decodeAudioData(bytes.slice().buffer).catch(() => null);
  const sameBytes = (a, b) => a.length === b.length && a.every((value, i) => value === b[i]);
  const audioMs = () => audio.currentTime * 1000;

  return {
    detach() {
      listeners.forEach(remove => remove());
      channels.forEach(channel => stop(channel.source));
      if (song.source) stop(song.source);
      if (song.gain) song.gain.disconnect();
      if (locked()) document.exitPointerLock();
    },

    teachKey(code, dik) { keyCodes.set(code, dik); },
    nextAnimationFrame() { return new Promise(resolve => requestAnimationFrame(resolve)); },
    showRows(pointer, firstRow, rows) {
      const pixels = new Uint8ClampedArray(HEAPU8.buffer, pointer, rows * canvas.width * 4);
      context.putImageData(new ImageData(pixels, canvas.width, rows), 0, firstRow);
    },
    hidden() { return document.hidden; },
    readKeys(pointer) {
      for (let dik = 0; dik < 256; ++dik) HEAPU8[pointer + dik] = held[dik] || pressed[dik] ? 0x80 : 0;
      pressed.fill(0);
    },
    readMouse(counts, buttons) {
      HEAP32[counts >> 2] = moveX;
      HEAP32[(counts >> 2) + 1] = moveY;
      moveX = moveY = 0;
      for (let i = 0; i < 2; ++i) HEAPU8[buttons + i] = buttonsHeld[i] || buttonsPressed[i] ? 0x80 : 0;
      buttonsPressed.fill(0);
    },
    captureMouse(captured) {
      captureWanted = captured;
      if (!captured && locked()) document.exitPointerLock();
    },

    readGamepads(pointer, maxPads) {
      let count = 0;
      for (const pad of navigator.getGamepads ? navigator.getGamepads() : []) {
        if (!pad || !pad.connected || pad.mapping !== 'standard' || count === maxPads) continue;
        let bits = 0;
        pad.buttons.forEach((button, index) => { if (button.pressed && index < 31) bits |= 1 << index; });
        const axis = value => Math.max(-32768, Math.min(32767, Math.round((value || 0) * 32767)));
        HEAP32.set([bits, axis(pad.axes[0]), axis(pad.axes[1])], (pointer >> 2) + 3 * count++);
      }
      return count;
    },

    hasAudio() { return !!audio; },
    loadSound(pointer, size) {
      const id = nextId++;
      sounds.set(id, decode(copyOf(pointer, size)));
      return id;
    },
    dropSound(id) { sounds.delete(id); },
    playSound(slot, id, gain) {
      this.haltSound(slot);
      const decoded = sounds.get(id);
      if (!decoded) return;
      const channel = {source: null, gain: audio.createGain()};
      channel.gain.gain.value = gain;
      channel.gain.connect(audio.destination);
      channels.set(slot, channel);
      decoded.then(buffer => {
        if (!buffer || channels.get(slot) !== channel) return;
        channel.source = audio.createBufferSource();
        channel.source.buffer = buffer;
        channel.source.connect(channel.gain);
        channel.source.onended = () => this.haltSound(slot);
        channel.source.start();
      });
    },
    setSoundGain(slot, gain) {
      const channel = channels.get(slot);
      if (channel) channel.gain.gain.value = gain;
    },
    haltSound(slot) {
      // Emscripten's minifier of this file takes no destructuring.
      for (const key of slot < 0 ? Array.from(channels.keys()) : [slot]) {
        const channel = channels.get(key);
        if (!channel) continue;
        if (channel.source) stop(channel.source);
        channel.gain.disconnect();
        channels.delete(key);
      }
    },

    // The shipped song with the same bytes has a rendering; the page fetches it when the game loads the song.
    loadSong(pointer, size) {
      const midi = copyOf(pointer, size);
      const rendered = (Module.renderedSongs || []).find(entry => sameBytes(entry.midi, midi));
      const id = nextId++;
      songs.set(id, rendered ? rendered.fetch().then(decode).catch(error => {
        Module.reportProblem(error.message);
        return null;
      }) : null);
      return id;
    },
    dropSong(id) { songs.delete(id); },
    playSong(id) {
      this.haltSong();
      song.id = id;
      song.started = audioMs();
      const decoded = songs.get(id);
      if (!decoded) return;
      decoded.then(buffer => {
        if (!buffer || song.id !== id || song.source) return;
        // A rendering that arrives late starts where the song is by now.
        const offset = (audioMs() - song.started) / 1000;
        song.source = audio.createBufferSource();
        song.source.buffer = buffer;
        song.source.connect(song.gain);
        song.source.start(0, Math.min(offset, buffer.duration));
      });
    },
    haltSong() {
      if (song.source) stop(song.source);
      song.source = null;
      song.id = 0;
      song.started = -1;
    },
    songMs() { return song.started < 0 ? Infinity : audioMs() - song.started; },
    setSongGain(gain) { song.gain.gain.value = gain; },
  };
})();
