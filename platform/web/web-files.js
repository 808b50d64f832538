// Before the game starts: the page's storage mounted as the data folder (/save), and the music,
// served compressed, decoded into the waves the game loads. Linked into the module with --pre-js.
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  FS.mkdir('/save');
  try {
    FS.mount(IDBFS, {}, '/save');
  } catch (e) {
    err('VeltranoGame2: the browser keeps no files for this page (' + e + '); the scores last until it is closed');
  }
  addRunDependency('veltrano-save');
  // A page being left cannot wait for the storage: its files are kept at once in localStorage, and
  // the next start puts them back over the stored ones.
  var leftPrefix = 'VeltranoGame2 left: ';
  FS.syncfs(true, function (e) {
    if (e) err('VeltranoGame2: the stored ini and scores could not be read (' + e + ')');
    try {
      for (var i = localStorage.length - 1; i >= 0; --i) {
        var key = localStorage.key(i);
        if (key.indexOf(leftPrefix) !== 0) continue;
        var text = atob(localStorage.getItem(key));
        var bytes = new Uint8Array(text.length);
        for (var k = 0; k < text.length; ++k) bytes[k] = text.charCodeAt(k);
        FS.writeFile('/save/' + key.slice(leftPrefix.length), bytes);
        localStorage.removeItem(key);
      }
    } catch (x) {
      err('VeltranoGame2: the files kept when the page was left could not be read (' + x + ')');
    }
    removeRunDependency('veltrano-save');
  });

  function keepWhileLeaving() {
    try {
      FS.readdir('/save').forEach(function (name) {
        if (name === '.' || name === '..') return;
        var bytes = FS.readFile('/save/' + name);
        var text = '';
        for (var i = 0; i < bytes.length; ++i) text += String.fromCharCode(bytes[i]);
        localStorage.setItem(leftPrefix + name, btoa(text));
      });
    } catch (x) {
      err('VeltranoGame2: the ini and scores could not be kept (' + x + ')');
    }
  }

  var storing = false, again = false, waiting = [];
  Module.veltranoStoreFiles = function (done) {
    if (Module.veltranoLeaving) keepWhileLeaving();
    if (done) waiting.push(done);
    if (storing) {
      again = true;
      return;
    }
    storing = true;
    FS.syncfs(false, function (e) {
      if (e) err('VeltranoGame2: the ini and scores could not be stored (' + e + ')');
      storing = false;
      if (again) {
        again = false;
        Module.veltranoStoreFiles();
        return;
      }
      var callbacks = waiting;
      waiting = [];
      callbacks.forEach(function (f) { f(); });
    });
  };

  // Music: Ogg Opus files decoded to 16-bit waves at the mixer's rate, the first stage's before the
  // start, the rest after it, in the order of the list.
  var rate = 32000;
  function wave(buffer) {
    var n = buffer.length, channels = buffer.numberOfChannels;
    var bytes = new ArrayBuffer(44 + n * channels * 2);
    var v = new DataView(bytes);
    var text = function (at, s) { for (var i = 0; i < s.length; ++i) v.setUint8(at + i, s.charCodeAt(i)); };
    text(0, 'RIFF'); v.setUint32(4, 36 + n * channels * 2, true); text(8, 'WAVE');
    text(12, 'fmt '); v.setUint32(16, 16, true); v.setUint16(20, 1, true); v.setUint16(22, channels, true);
    v.setUint32(24, rate, true); v.setUint32(28, rate * channels * 2, true); v.setUint16(32, channels * 2, true);
    v.setUint16(34, 16, true); text(36, 'data'); v.setUint32(40, n * channels * 2, true);
    var data = [];
    for (var c = 0; c < channels; ++c) data.push(buffer.getChannelData(c));
    var out = new Int16Array(bytes, 44);
    for (var i = 0, k = 0; i < n; ++i)
      for (var c = 0; c < channels; ++c) {
        var s = Math.max(-1, Math.min(1, data[c][i]));
        out[k++] = s < 0 ? Math.round(s * 32768) : Math.round(s * 32767);
      }
    return new Uint8Array(bytes);
  }
  function decode(name) {
    return fetch('Sounds/' + name + '.opus').then(function (r) {
      if (!r.ok) throw new Error('Sounds/' + name + '.opus: ' + r.status);
      return r.arrayBuffer();
    }).then(function (bytes) {
      var Offline = window.OfflineAudioContext || window.webkitOfflineAudioContext;
      return new Offline(1, 1, rate).decodeAudioData(bytes);
    }).then(function (buffer) {
      FS.writeFile('/program/Sounds/' + name + '.wav', wave(buffer));
    }).catch(function (e) {
      err('VeltranoGame2: ' + e);  // the game names the missing wave when it needs it
    });
  }
  addRunDependency('veltrano-music');
  var ready;
  Module.veltranoSoundsReady = new Promise(function (resolve) { ready = resolve; });
  fetch('music.json').then(function (r) { return r.json(); }).then(function (music) {
    return Promise.all(music.start.map(decode)).then(function () {
      removeRunDependency('veltrano-music');
      var rest = music.later.slice();
      function next() {
        if (!rest.length) return Promise.resolve();
        return decode(rest.shift()).then(next);
      }
      return Promise.all([next(), next()]);
    });
  }).catch(function (e) {
    err('VeltranoGame2: music.json: ' + e);
    removeRunDependency('veltrano-music');
  }).then(function () { ready(); });
});
