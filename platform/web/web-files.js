// Before the game starts: the data folder (/save) filled from the page's storage, with every change
// the game makes to it written back at once; and the music, served compressed, decoded into the waves
// the game loads, in the order of play, while the game runs. Linked into the module with --pre-js.
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  // A sentence for the player on the page's status line (index.html), or the console without one.
  function tell(text, how) {
    if (Module.veltranoSay) Module.veltranoSay(text, how);
    else err('VeltranoGame2: ' + text);
  }

  // ---- The data folder in IndexedDB ---------------------------------------------------------------
  // One record a file, keyed by its path, as {timestamp, mode, contents: Uint8Array}: the layout the
  // page has always kept, so the scores of earlier visits are read as they are.
  var folder = '/save/';
  var databaseName = '/save', storeName = 'FILE_DATA', databaseVersion = 21;
  var regularFile = 0x8000, fileMode = 0x81b6;  // S_IFREG and rw-rw-rw-
  var database = null;
  var stored = {};  // name -> the bytes the storage held when this page last read or wrote them
  var stamp = new Date().toISOString().replace(/[-:]/g, '').slice(0, 15);
  FS.mkdir('/save');

  function isFileRecord(value) {
    return value !== null && typeof value === 'object' && value.contents instanceof Uint8Array &&
           typeof value.mode === 'number' && (value.mode & 0xf000) === regularFile;
  }
  function kindOf(value) {
    if (value === null || value === undefined) return 'nothing';
    var article = function (word) { return (/^[aeiou]/i.test(word) ? 'an ' : 'a ') + word; };
    if (typeof value !== 'object') return article(typeof value) + ' (' + String(value).slice(0, 20) + ')';
    if (typeof value.mode === 'number' && (value.mode & 0xf000) === 0x4000) return 'a folder';
    var name = value.constructor && value.constructor.name;
    return name && name !== 'Object' ? article(name) : 'a record without the bytes of a file';
  }
  function keptAside(name) {
    return /\.(damaged|kept)-\d{8}T\d{6}(-\d+)?$/.test(name);
  }
  // Kept aside under its own key in the same store, never read as the game's file again.
  var asideCount = 0;
  function keepAside(store, name, value) {
    var aside = name + '.damaged-' + stamp + (asideCount++ ? '-' + asideCount : '');
    store.put(value, folder + aside);
    tell('The stored ' + name + ' was ' + kindOf(value) + ', not a file the game can read. It is kept aside ' +
         'in the browser\'s storage as "' + aside + '"; ' +
         (name === 'temp.dat' ? 'the score table starts from the shipped one.' : 'the shipped file is used.'),
         {kind: 'warn'});
  }
  function sameBytes(a, b) {
    if (!a || !b || a.length !== b.length) return false;
    for (var i = 0; i < a.length; ++i) if (a[i] !== b[i]) return false;
    return true;
  }

  // The score table (temp.dat): the cleared flag, then the ten best scores, 32-bit little-endian.
  var tableBytes = 44;
  function scoresOf(bytes) {
    var view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength), scores = [];
    for (var i = 0; i < 10; ++i) scores.push(view.getInt32(4 + 4 * i, true));
    return scores;
  }
  // The scores of list `a` less those of list `b`, each taken once.
  function less(a, b) {
    var left = b.slice();
    return a.filter(function (s) {
      var at = left.indexOf(s);
      if (at < 0) return true;
      left.splice(at, 1);
      return false;
    });
  }
  // What changed from the table `base` to `mine`: the scores that entered it, and those that left it
  // (a provisional score replaced by the final one, or one pushed below the tenth place).
  function changesOf(mine, base) {
    var from = base ? scoresOf(base) : [], to = scoresOf(mine);
    return {added: less(to, from), removed: base ? less(from, to) : []};
  }
  // `theirs` with the scores that left this page's table taken out and those that entered it inserted
  // as the game inserts a score (equal scores go above, the tenth drops out); the cleared flag kept if
  // either set it; bytes after the table stay theirs.
  function mergeInto(theirs, changes, cleared) {
    var out = new Uint8Array(theirs), view = new DataView(out.buffer);
    var table = less(scoresOf(out), changes.removed);
    changes.added.forEach(function (s) {
      var at = 0;
      while (at < table.length && s < table[at]) ++at;
      table.splice(at, 0, s);
    });
    while (table.length < 10) table.push(0);
    table.length = 10;
    table.forEach(function (s, i) { view.setInt32(4 + 4 * i, s, true); });
    if (cleared === 1) view.setInt32(0, 1, true);
    return out;
  }
  function clearedOf(bytes) {
    return new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength).getInt32(0, true);
  }
  // What this page writes over a stored table another page may have changed since it was read: the
  // stored table with this page's new scores in it, so two pages keep both games' scores.
  function tableToStore(stored, mine, base) {
    if (!stored || stored.length < tableBytes || mine.length < tableBytes || sameBytes(stored, base)) return mine;
    if (base && base.length < tableBytes) base = null;
    return mergeInto(stored, changesOf(mine, base), clearedOf(mine));
  }

  function localFiles() {
    var files = {};
    FS.readdir('/save').forEach(function (name) {
      if (name === '.' || name === '..') return;
      var node = FS.stat(folder + name);
      if (FS.isFile(node.mode)) files[name] = FS.readFile(folder + name);
    });
    return files;
  }

  // Visits every stored record in one transaction that may change them; `done` gets its error or null.
  function eachRecord(visit, done) {
    var transaction = database.transaction(storeName, 'readwrite');
    var store = transaction.objectStore(storeName);
    var request = store.openCursor();
    request.onsuccess = function () {
      var cursor = request.result;
      if (!cursor) return;
      visit(String(cursor.key), cursor.value, store, cursor);
      cursor.continue();
    };
    transaction.oncomplete = function () { done(null); };
    transaction.onabort = function () { done(transaction.error || request.error); };
  }

  // Puts the files the storage held into /save; damaged records are kept aside.
  function loadStored(done) {
    eachRecord(function (key, value, store, cursor) {
      var name = key.slice(folder.length);
      if (key.indexOf(folder) !== 0 || !name || name.indexOf('/') >= 0 || keptAside(name)) return;
      if (isFileRecord(value)) {
        stored[name] = new Uint8Array(value.contents);
        FS.writeFile(folder + name, stored[name]);
      } else {
        keepAside(store, name, value);
        cursor.delete();
      }
    }, done);
  }

  function openStorage(done) {
    var request;
    try {
      request = indexedDB.open(databaseName, databaseVersion);
    } catch (e) {
      return done(e);
    }
    request.onupgradeneeded = function () {
      var db = request.result;
      var store = db.objectStoreNames.contains(storeName) ? request.transaction.objectStore(storeName)
                                                          : db.createObjectStore(storeName);
      if (!store.indexNames.contains('timestamp')) store.createIndex('timestamp', 'timestamp', {unique: false});
    };
    request.onsuccess = function () { done(null, request.result); };
    request.onerror = function (e) {
      e.preventDefault();
      done(request.error);
    };
  }

  // A page being left cannot wait for the storage: its files are kept at once in localStorage (with
  // the table as it was last stored), and the next start puts them back.
  var leftPrefix = 'VeltranoGame2 left: ', baseKey = 'VeltranoGame2 left base: temp.dat';
  function toText(bytes) {
    var text = '';
    for (var i = 0; i < bytes.length; ++i) text += String.fromCharCode(bytes[i]);
    return btoa(text);
  }
  function fromText(text) {
    var raw = atob(text), bytes = new Uint8Array(raw.length);
    for (var i = 0; i < raw.length; ++i) bytes[i] = raw.charCodeAt(i);
    return bytes;
  }
  function keepWhileLeaving() {
    try {
      var files = localFiles();
      Object.keys(files).forEach(function (name) {
        if (!sameBytes(files[name], stored[name])) localStorage.setItem(leftPrefix + name, toText(files[name]));
      });
      if (stored['temp.dat']) localStorage.setItem(baseKey, toText(stored['temp.dat']));
    } catch (x) {
      tell('The scores and settings could not be kept while the page was left (' + x + ').', {kind: 'warn'});
    }
  }
  function restoreLeft() {
    try {
      var base = localStorage.getItem(baseKey);
      base = base === null ? null : fromText(base);
      for (var i = localStorage.length - 1; i >= 0; --i) {
        var key = localStorage.key(i);
        if (key.indexOf(leftPrefix) !== 0) continue;
        var name = key.slice(leftPrefix.length), bytes = fromText(localStorage.getItem(key));
        var now = stored[name];
        if (name === 'temp.dat' && now && now.length >= tableBytes && bytes.length >= tableBytes && base) {
          // The changes made to the table before the page was left, less those the storage already
          // got from it (the write may have ended after all).
          var left = changesOf(bytes, base), reached = changesOf(now, base);
          bytes = mergeInto(now, {added: less(left.added, reached.added), removed: less(left.removed, reached.removed)},
                            clearedOf(bytes));
        }
        FS.writeFile(folder + name, bytes);
        localStorage.removeItem(key);
      }
      localStorage.removeItem(baseKey);
    } catch (x) {
      tell('The scores kept when the page was last left could not be read (' + x + ').', {kind: 'warn'});
    }
  }

  // Every write of the game to /save is stored at once: one transaction reads the stored table,
  // merges this page's new scores into it and writes the result.
  var storing = false, again = false, waiting = [], failureSaid = false;
  function storeFiles(done) {
    if (done) waiting.push(done);
    if (storing) {
      again = true;
      return;
    }
    var finish = function () {
      storing = false;
      if (again) {
        again = false;
        storeFiles();
        return;
      }
      var callbacks = waiting;
      waiting = [];
      callbacks.forEach(function (f) { f(); });
    };
    var files;
    try {
      files = localFiles();
    } catch (e) {
      return finish();
    }
    var changed = Object.keys(files).filter(function (n) { return !sameBytes(files[n], stored[n]); });
    var removed = Object.keys(stored).filter(function (n) { return !(n in files); });
    if (!database || (!changed.length && !removed.length)) return finish();
    storing = true;
    var transaction, written = {};
    try {
      transaction = database.transaction(storeName, 'readwrite');
    } catch (e) {
      return failed(e);
    }
    var store = transaction.objectStore(storeName);
    changed.forEach(function (name) {
      var put = function (bytes) {
        written[name] = bytes;
        store.put({timestamp: new Date(), mode: fileMode, contents: bytes}, folder + name);
      };
      if (name !== 'temp.dat') return put(files[name]);
      var request = store.get(folder + name);
      request.onsuccess = function () {
        var there = request.result;
        if (there !== undefined && !isFileRecord(there)) keepAside(store, name, there);
        put(tableToStore(isFileRecord(there) ? there.contents : null, files[name], stored[name]));
      };
    });
    removed.forEach(function (name) { store.delete(folder + name); });
    transaction.oncomplete = function () {
      failureSaid = false;
      removed.forEach(function (name) { delete stored[name]; });
      Object.keys(written).forEach(function (name) {
        stored[name] = written[name];
        // The merged table goes back to the game's folder, unless the game wrote again meanwhile:
        // its next write then merges the other page's scores into its own table.
        var path = folder + name;
        if (!sameBytes(written[name], files[name]) && FS.analyzePath(path).exists &&
            sameBytes(FS.readFile(path), files[name]))
          FS.writeFile(path, written[name]);
      });
      finish();
    };
    transaction.onabort = function () { failed(transaction.error); };
    function failed(error) {
      if (!failureSaid) {
        failureSaid = true;
        tell('The browser would not keep the scores and settings (' + (error && error.name || error) + '). ' +
             'They last until the page is closed, or the stored files can be set aside and started again.',
             {kind: 'error', action: 'Set the stored files aside', act: resetStorage});
      }
      finish();
    }
  }
  Module.veltranoStoreFiles = function (done) {
    if (Module.veltranoLeaving) keepWhileLeaving();
    storeFiles(done);
  };
  // The way out of a storage that will not take the files: every record is kept aside under its own
  // key, and the page starts again from the shipped files.
  function resetStorage() {
    if (!database) return location.reload();
    eachRecord(function (key, value, store, cursor) {
      if (key.indexOf(folder) !== 0 || keptAside(key)) return;
      store.put(value, key + '.kept-' + stamp);
      cursor.delete();
    }, function () { location.reload(); });
  }
  Module.veltranoResetStorage = resetStorage;

  // The game's writes to /save, seen as they happen: closing a file it wrote, a rename, a removal.
  var storeQueued = false;
  function storeSoon() {
    if (storeQueued) return;
    storeQueued = true;
    Promise.resolve().then(function () {
      storeQueued = false;
      storeFiles();
    });
  }
  function inSave(path) {
    return typeof path === 'string' && path.indexOf(folder) === 0;
  }
  var close = FS.close, rename = FS.rename, unlink = FS.unlink;
  FS.close = function (stream) {
    var wrote = inSave(stream.path) && (stream.flags & 3) !== 0;
    var result = close.apply(FS, arguments);
    if (wrote) storeSoon();
    return result;
  };
  FS.rename = function (from, to) {
    var result = rename.apply(FS, arguments);
    if (inSave(from) || inSave(to)) storeSoon();
    return result;
  };
  FS.unlink = function (path) {
    var result = unlink.apply(FS, arguments);
    if (inSave(path)) storeSoon();
    return result;
  };

  addRunDependency('veltrano-save');
  openStorage(function (error, db) {
    var ready = function () {
      restoreLeft();
      removeRunDependency('veltrano-save');
    };
    if (error) {
      tell('This browser keeps no files for the page (' + (error.name || error) + '): the scores last until ' +
           'it is closed.', {kind: 'warn'});
      return ready();
    }
    database = db;
    loadStored(function (e) {
      if (e) tell('The stored scores and settings could not be read (' + (e.name || e) + '); the shipped ' +
                  'ones are used.', {kind: 'warn'});
      ready();
    });
  });

  // ---- Music --------------------------------------------------------------------------------------
  // Ogg Opus files decoded to 16-bit waves at the mixer's rate, in the order of play, while the game
  // runs. A piece the game needs before it has come is a short silence in its place (the game goes
  // on), asked for first, and put in the music slot when it comes.
  var rate = 32000;
  var sounds = '/program/Sounds/';
  var pieces = {};  // name -> {state: 'queued' | 'loading' | 'ready', waited, failures, said}
  var queue = [], loading = 0, decoding = Promise.resolve();

  function waveHeader(frames, channels) {
    var bytes = new Uint8Array(44 + frames * channels * 2), v = new DataView(bytes.buffer);
    var text = function (at, s) { for (var i = 0; i < s.length; ++i) v.setUint8(at + i, s.charCodeAt(i)); };
    text(0, 'RIFF'); v.setUint32(4, 36 + frames * channels * 2, true); text(8, 'WAVE');
    text(12, 'fmt '); v.setUint32(16, 16, true); v.setUint16(20, 1, true); v.setUint16(22, channels, true);
    v.setUint32(24, rate, true); v.setUint32(28, rate * channels * 2, true); v.setUint16(32, channels * 2, true);
    v.setUint16(34, 16, true); text(36, 'data'); v.setUint32(40, frames * channels * 2, true);
    return bytes;
  }
  var silence = waveHeader(rate / 10, 1);  // a tenth of a second; looped, it is silence
  // The samples converted a slice at a time, so no animation frame waits for a whole piece.
  function toWave(buffer) {
    var n = buffer.length, channels = buffer.numberOfChannels, bytes = waveHeader(n, channels);
    var out = new Int16Array(bytes.buffer, 44), data = [];
    for (var c = 0; c < channels; ++c) data.push(buffer.getChannelData(c));
    return new Promise(function (resolve) {
      var i = 0, k = 0, channel = new MessageChannel();
      // A message, unlike a timer, comes back at once yet lets the animation frames go first.
      var slice = function () {
        var end = Math.min(n, i + 32768);
        for (; i < end; ++i)
          for (var c = 0; c < channels; ++c) {
            var s = data[c][i];
            out[k++] = s <= -1 ? -32768 : s >= 1 ? 32767 : s < 0 ? Math.round(s * 32768) : Math.round(s * 32767);
          }
        if (i < n) {
          channel.port2.postMessage(0);
        } else {
          channel.port1.close();
          resolve(bytes);
        }
      };
      channel.port1.onmessage = slice;
      slice();
    });
  }
  function describeFailure(e) {
    return typeof e === 'number' ? 'the server answered ' + e : String(e && e.message || e);
  }

  function arrived(name) {
    var piece = pieces[name];
    piece.state = 'ready';
    if (Module.calledRun) Module.ccall('veltrano_music_arrived', null, ['string'], [sounds + name + '.wav']);
    if (piece.waited) tell('The music "' + name + '" has come and plays from here.', {kind: 'quiet'});
    checkAllReady();
  }
  // The browser decodes on its own threads; the main thread only converts, a slice at a time, and
  // one piece at a time.
  function decode(name, bytes) {
    decoding = decoding.then(function () {
      var Offline = window.OfflineAudioContext || window.webkitOfflineAudioContext;
      return new Offline(1, 1, rate).decodeAudioData(bytes).then(toWave).then(function (wave) {
        FS.writeFile(sounds + name + '.wav', wave, {canOwn: true});
        arrived(name);
      }, function (e) {
        tell('The music "' + name + '" could not be decoded (' + describeFailure(e) + '); it stays silent.',
             {kind: 'warn'});
        pieces[name].state = 'broken';
        checkAllReady();
      });
    });
    return decoding;
  }
  function fetchNext() {
    while (loading < 2 && queue.length) {
      var name = queue.shift(), piece = pieces[name];
      if (piece.state !== 'queued') continue;
      piece.state = 'loading';
      loading += 1;
      fetchPiece(name);
    }
  }
  // A failed request is tried again after 1, 2, 4 ... up to 30 seconds, and named once.
  function fetchPiece(name) {
    var piece = pieces[name];
    fetch('Sounds/' + name + '.opus').then(function (r) {
      if (!r.ok) throw r.status;
      return r.arrayBuffer();
    }).then(function (bytes) {
      loading -= 1;
      fetchNext();
      return decode(name, bytes);
    }, function (e) {
      loading -= 1;
      piece.failures += 1;
      if (!piece.said) {
        piece.said = true;
        tell('The music "' + name + '" could not be loaded (' + describeFailure(e) + '); trying again.',
             {kind: 'quiet'});
      }
      setTimeout(function () {
        piece.state = 'queued';
        queue.unshift(name);
        fetchNext();
      }, Math.min(30000, 1000 * Math.pow(2, piece.failures - 1)));
      fetchNext();
    });
  }
  function want(name, first) {
    var piece = pieces[name] || (pieces[name] = {state: 'queued', failures: 0});
    if (piece.state !== 'queued') return;
    var at = queue.indexOf(name);
    if (at >= 0) queue.splice(at, 1);
    if (first) queue.unshift(name);
    else queue.push(name);
    fetchNext();
  }
  // The game opens a wave that is not there yet: silence in its place, and the piece asked for first.
  // A scene that starts without its piece says so; the program's start needs no word.
  var open = FS.open, running = false;
  FS.open = function (path, flags) {
    if (typeof path === 'string' && path.indexOf(sounds) === 0 && /\.wav$/.test(path) && !((flags | 0) & 3)) {
      var name = path.slice(sounds.length, -4), piece = pieces[name];
      var there = FS.analyzePath(path).exists;
      // A wave packed with the game (an effect) is no piece of music.
      if (piece ? piece.state !== 'ready' : !there) {
        if (!there) FS.writeFile(path, silence);
        want(name, true);
        piece = pieces[name];
        if (piece.state !== 'ready' && running) {
          piece.waited = true;
          tell('The music "' + name + '" is still loading; the game goes on without it until it comes.',
               {kind: 'quiet'});
        }
      }
    }
    return open.apply(FS, arguments);
  };

  var listed = [], allReady;
  Module.veltranoSoundsReady = new Promise(function (resolve) { allReady = resolve; });
  function checkAllReady() {
    if (listed.length && listed.every(function (n) { return pieces[n] && pieces[n].state === 'ready'; })) allReady();
  }
  // The music is fetched once the game runs, so that it never delays the title: the first stage's
  // pieces first, then the others in the order of play.
  function fetchMusic() {
    fetch('music.json').then(function (r) {
      if (!r.ok) throw r.status;
      return r.json();
    }).then(function (music) {
      listed = music.start.concat(music.later);
      listed.forEach(function (name) { want(name); });
    }).catch(function (e) {
      // Without the list each piece is asked for when the game needs it.
      tell('The list of the music could not be loaded (' + describeFailure(e) + '); each piece loads when ' +
           'it is needed.', {kind: 'quiet'});
    });
  }
  Module.postRun = Module.postRun || [];
  Module.postRun.push(function () {
    running = true;
    // After the title's first picture: the music never holds it up.
    (function afterFirstFrame() {
      if (Module.veltranoFirstFrameAt !== undefined || Module.veltranoMode) fetchMusic();
      else setTimeout(afterFirstFrame, 50);
    })();
  });
});
