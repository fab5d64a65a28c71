// The page's side of the web host (WebHost.cpp), put before the program by the build: the
// glass on the canvas, the person's input queued for the program's frame ticks, the
// speaker, and the program's folder with its files, kept in the browser's storage.
//
// The query names what a headless run takes from its environment: ?script= (a file served
// beside the page), &frames=, &record=, &clock=, &device= are PARVOLIN_SCRIPT,
// PARVOLIN_FRAMES, PARVOLIN_RECORD, PARVOLIN_CLOCK and PARVOLIN_DEVICE. The working folder (where shots and recordings go)
// is /home/web_user; Module.parvolinWeb.readFile() reads them back.
Module.parvolinWeb = (function () {
  var canvas = document.getElementById('glass');
  var help = document.getElementById('help');
  var context = canvas.getContext('2d');
  var image = null;
  var scale = 1;  // device pixels per glass pixel
  var events = [];
  var mostEvents = 4096;
  var stylus = {down: false, lastDown: 0, lastX: 0, lastY: 0, double: false};
  var audio = null;
  var audioNext = 0;
  var channel = new MessageChannel();
  var resumes = [];
  // The program's working time per frame tick: the time between two ticks less its waits.
  var work = 0, workSince = null;
  var busy = [];

  channel.port1.onmessage = function () { var resume = resumes.shift(); if (resume) resume(); };

  // The largest whole number of device pixels per glass pixel at which the glass fits.
  function fit() {
    if (!image) return;
    var ratio = window.devicePixelRatio || 1;
    var width = window.innerWidth * ratio, height = (window.innerHeight - help.offsetHeight) * ratio;
    scale = Math.max(1, Math.floor(Math.min(width / image.width, height / image.height)));
    canvas.style.width = (image.width * scale / ratio) + 'px';
    canvas.style.height = (image.height * scale / ratio) + 'px';
  }
  window.addEventListener('resize', fit);

  // Bounded: a program that stops taking its input does not fill the page's memory.
  function queue(kind, x, y, name) {
    if (events.length >= mostEvents) return;
    events.push({kind: kind, x: x, y: y, scale: scale, name: name || ''});
  }

  function glassPoint(event) {
    var box = canvas.getBoundingClientRect();
    var ratio = window.devicePixelRatio || 1;
    return [Math.floor((event.clientX - box.left) * ratio), Math.floor((event.clientY - box.top) * ratio)];
  }

  // Browsers start sound only after a gesture of the person's.
  function startAudio() {
    if (audio === null) {
      var Context = window.AudioContext || window.webkitAudioContext;
      try { audio = Context ? new Context() : false; } catch (e) { audio = false; }
    }
    if (audio && audio.state === 'suspended') audio.resume();
  }

  canvas.addEventListener('pointerdown', function (event) {
    startAudio();
    if (!event.isPrimary || (event.pointerType === 'mouse' && event.button !== 0)) return;
    event.preventDefault();
    canvas.setPointerCapture(event.pointerId);
    var point = glassPoint(event);
    // Every second tap of a quick series, near the first, is a double tap.
    var now = performance.now();
    var double = !stylus.double && now - stylus.lastDown < 500 &&
      Math.abs(point[0] - stylus.lastX) <= 4 * scale && Math.abs(point[1] - stylus.lastY) <= 4 * scale;
    stylus = {down: true, lastDown: now, lastX: point[0], lastY: point[1], double: double};
    queue(double ? 3 : 0, point[0], point[1]);
  });
  canvas.addEventListener('pointermove', function (event) {
    if (!event.isPrimary || !stylus.down) return;
    var point = glassPoint(event);
    queue(1, point[0], point[1]);
  });
  function lift(event) {
    if (!event.isPrimary || !stylus.down) return;
    stylus.down = false;
    var point = glassPoint(event);
    queue(2, point[0], point[1]);
  }
  canvas.addEventListener('pointerup', lift);
  canvas.addEventListener('pointercancel', lift);
  canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });

  // Keys by the names the SDL window's table knows (HostKeys).
  function keyName(event) {
    var names = {ArrowUp: 'Up', ArrowDown: 'Down', ArrowLeft: 'Left', ArrowRight: 'Right'};
    if (event.key === 'Enter') return event.location === 3 ? 'Keypad Enter' : 'Return';
    if (names[event.key]) return names[event.key];
    return event.key.length === 1 ? event.key.toUpperCase() : event.key;
  }
  function key(kind) {
    return function (event) {
      if (kind === 4) startAudio();
      var name = keyName(event);
      if (/^(Up|Down|Left|Right|Return|Keypad Enter)$/.test(name)) event.preventDefault();
      queue(kind, 0, 0, name);
    };
  }
  window.addEventListener('keydown', key(4));
  window.addEventListener('keyup', key(5));

  // The program's folder is kept in the browser's storage (IndexedDB) between visits.
  // One copy at a time; a call while one runs copies again after it, so that nothing
  // written meanwhile is missed.
  var syncing = false, syncAgain = false;
  function persist() {
    if (typeof IDBFS === 'undefined' || !Module.parvolinFolder) return;
    if (syncing) {
      syncAgain = true;
      return;
    }
    syncing = true;
    FS.syncfs(false, function () {
      syncing = false;
      if (syncAgain) {
        syncAgain = false;
        persist();
      }
    });
  }
  document.addEventListener('visibilitychange', function () {
    queue(document.hidden ? 6 : 7, 0, 0);
    if (document.hidden) persist();
  });
  window.addEventListener('pagehide', persist);

  return {
    show: function (pixels, width, height) {
      if (!image || image.width !== width || image.height !== height) {
        canvas.width = width;
        canvas.height = height;
        image = context.createImageData(width, height);
        fit();
      }
      // 0x00RRGGBB words to the canvas's bytes R, G, B, A.
      var from = HEAPU32.subarray(pixels >> 2, (pixels >> 2) + width * height);
      var to = new Uint32Array(image.data.buffer);
      for (var i = 0; i < from.length; ++i) {
        var p = from[i];
        to[i] = 0xff000000 | ((p & 0xff) << 16) | (p & 0xff00) | ((p >>> 16) & 0xff);
      }
      context.putImageData(image, 0, 0);
    },
    setTitle: function (title) { document.title = title; },
    pendingEvents: function () { return events.length; },
    takeEvent: function (fields, name, nameSize) {
      var event = events.shift();
      if (!event) return 0;
      HEAP32[fields >> 2] = event.kind;
      HEAP32[(fields >> 2) + 1] = event.x;
      HEAP32[(fields >> 2) + 2] = event.y;
      HEAP32[(fields >> 2) + 3] = event.scale;
      stringToUTF8(event.name, name, nameSize);
      return 1;
    },
    padState: function (index, fields) {
      var pads = navigator.getGamepads ? navigator.getGamepads() : [];
      var pad = pads && pads[index];
      if (!pad || !pad.connected || pad.mapping !== 'standard') return 0;
      var buttons = 0;
      for (var i = 0; i < pad.buttons.length && i < 32; ++i)
        if (pad.buttons[i].pressed) buttons |= 1 << i;
      var axis = function (n) { return Math.round(Math.max(-1, Math.min(1, pad.axes[n] || 0)) * 32767); };
      HEAP32[fields >> 2] = 1;
      HEAP32[(fields >> 2) + 1] = buttons;
      HEAP32[(fields >> 2) + 2] = axis(0);
      HEAP32[(fields >> 2) + 3] = axis(1);
      return 1;
    },
    // Stereo 16-bit frames at 44,100 Hz, played a little behind, in order; a piece that
    // comes while a quarter of a second waits is let go, so that what waits stays bounded.
    play: function (frames, count) {
      if (!audio || audio.state !== 'running' || count <= 0) return;
      var now = audio.currentTime;
      if (audioNext < now + 0.02) audioNext = now + 0.05;
      if (audioNext > now + 0.25) return;
      var buffer = audio.createBuffer(2, count, 44100);
      var left = buffer.getChannelData(0), right = buffer.getChannelData(1);
      var samples = HEAP16.subarray(frames >> 1, (frames >> 1) + 2 * count);
      for (var i = 0; i < count; ++i) {
        left[i] = samples[2 * i] / 32768;
        right[i] = samples[2 * i + 1] / 32768;
      }
      var source = audio.createBufferSource();
      source.buffer = buffer;
      source.connect(audio.destination);
      source.start(audioNext);
      audioNext += count / 44100;
      ++this.piecesPlayed;
    },
    alert: function (text) { window.alert(text); },
    yieldToPage: function () {
      // watchWaits counted the work up to this wait.
      if (work > 0) busy.push(work);
      if (busy.length > 10000) busy.shift();
      work = 0;
      return new Promise(function (resume) {
        resumes.push(resume);
        channel.port2.postMessage(0);
      });
    },
    // Every wait of the program (emscripten_sleep, this host's yield) goes through here.
    watchWaits: function () {
      var handleSleep = Asyncify.handleSleep;
      Asyncify.handleSleep = function (startAsync) {
        if (Asyncify.state !== Asyncify.State.Normal) return handleSleep(startAsync);
        if (workSince !== null) work += performance.now() - workSince;
        workSince = null;
        return handleSleep(function (wakeUp) {
          startAsync(function (value) {
            workSince = performance.now();
            wakeUp(value);
          });
        });
      };
    },
    // For the tests and the curious: the program's working time per frame tick, and its files.
    busyMilliseconds: function () { return busy.slice(); },
    readFile: function (path) { return FS.readFile(path); },
    listFolder: function (path) { return FS.readdir(path).filter(function (name) { return name[0] !== '.'; }); },
    persist: persist,
    piecesPlayed: 0,  // pieces of sound handed to Web Audio
    ended: null,
    help: help
  };
})();

Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  Module.parvolinWeb.watchWaits();
  var name = Module.parvolinProgram || 'program';
  var folder = '/' + name;
  var query = new URLSearchParams(window.location.search);
  var work = '/home/web_user';
  try {
    FS.mkdir(folder);
  } catch (error) {
    // A program named like a folder the page already has (tmp, home) keeps its files there.
  }
  FS.mount(IDBFS, {}, folder);
  // The program finds its folder through its own path, as on Linux.
  FS.symlink(folder + '/' + name, '/proc/self/exe');
  FS.chdir(work);
  var settings = {frames: 'PARVOLIN_FRAMES', record: 'PARVOLIN_RECORD', clock: 'PARVOLIN_CLOCK',
                  device: 'PARVOLIN_DEVICE'};
  for (var setting in settings)
    if (query.has(setting)) ENV[settings[setting]] = query.get(setting);

  function fetchInto(url, path) {
    return fetch(url).then(function (response) {
      if (!response.ok) throw new Error(url + ': ' + response.status + ' ' + response.statusText);
      return response.arrayBuffer();
    }).then(function (bytes) { FS.writeFile(path, new Uint8Array(bytes)); });
  }
  addRunDependency('parvolin-files');
  // What the storage kept first; the program's own files over it, fresh from the server.
  FS.syncfs(true, function () {
    Module.parvolinFolder = folder;
    var loads = (Module.parvolinFiles || []).map(function (file) { return fetchInto(file, folder + '/' + file); });
    if (query.has('script')) {
      var script = query.get('script');
      var path = work + '/' + script.replace(/^.*\//, '');
      ENV.PARVOLIN_SCRIPT = path;
      loads.push(fetchInto(script, path));
    }
    Promise.all(loads).then(function () {
      removeRunDependency('parvolin-files');
    }, function (error) {
      Module.parvolinWeb.help.textContent = 'The program cannot start: ' + error.message;
      Module.parvolinWeb.ended = -1;
    });
  });
  setInterval(Module.parvolinWeb.persist, 2000);
});

// main() returns long after its first wait handed control to the page; Emscripten ends
// the runtime only for a main() that returns at once, so this ends it for the rest: what
// runs at exit runs, and the page says the program ended.
Module.postRun = Module.postRun || [];
Module.postRun.push(function () {
  if (typeof Asyncify === 'undefined' || !Asyncify.currData) return;
  Asyncify.whenDone().then(function (status) {
    try {
      exit(status);
    } catch (error) {
      if (!(error instanceof ExitStatus)) throw error;
    }
  });
});

Module.onExit = function (status) {
  Module.parvolinWeb.persist();
  Module.parvolinWeb.ended = status;
  Module.parvolinWeb.help.textContent = 'The program has ended' + (status ? ' (status ' + status + ').' : '.');
};
