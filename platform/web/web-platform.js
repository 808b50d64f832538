// The page's half of the web backend: the canvas, the area it is placed in, and Web Audio pulling
// the game's mixer. Linked into the module with --js-library.
mergeInto(LibraryManager.library, {
  veltrano_present: function (pixels, width, height) {
    var v = Module.veltranoScreen;
    if (!v || v.width !== width || v.height !== height) {
      var canvas = document.getElementById('screen');
      canvas.width = width;
      canvas.height = height;
      var ctx = canvas.getContext('2d', {alpha: false});
      v = Module.veltranoScreen = {width: width, height: height, ctx: ctx, image: ctx.createImageData(width, height)};
    }
    v.image.data.set(HEAPU8.subarray(pixels, pixels + width * height * 4));
    v.ctx.putImageData(v.image, 0, 0);
    // The tests read when the first frame was shown, in milliseconds since the page began to load.
    if (Module.veltranoFirstFrameAt === undefined) Module.veltranoFirstFrameAt = performance.now();
  },

  // The area the picture is placed in, in whole device pixels (rounded down: the page's line below may
  // begin at a fraction of a pixel), so that "sharp" gives whole device pixels.
  veltrano_area_width: function () {
    var page = document.getElementById('page');
    return Math.max(1, Math.floor(page.getBoundingClientRect().width * (window.devicePixelRatio || 1)));
  },
  veltrano_area_height: function () {
    var page = document.getElementById('page');
    return Math.max(1, Math.floor(page.getBoundingClientRect().height * (window.devicePixelRatio || 1)));
  },
  veltrano_place_canvas: function (x, y, w, h, sharp) {
    var ratio = window.devicePixelRatio || 1;
    var style = document.getElementById('screen').style;
    style.left = x / ratio + 'px';
    style.top = y / ratio + 'px';
    style.width = w / ratio + 'px';
    style.height = h / ratio + 'px';
    Module.veltranoSharp = !!sharp;
  },

  // Full screen holds the picture and the page's line under it. The request switches what the
  // player sees, whatever the game last asked for: the browser leaves full screen by itself too.
  veltrano_toggle_full_screen: function () {
    if (Module.veltranoToggleFullScreen) Module.veltranoToggleFullScreen();
  },

  // Web Audio pulls the mixer from the page's audio callback. The context starts suspended and is
  // resumed by the first key or click: browsers allow sound only after a gesture.
  veltrano_open_audio: function (rate, channels) {
    var Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return 0;
    var context;
    try {
      context = new Context({sampleRate: rate, latencyHint: 'interactive'});
    } catch (e) {
      context = new Context();  // a browser that will not take the rate resamples our frames itself
    }
    var frames = 2048;
    var node = context.createScriptProcessor(frames, 0, channels);
    var buffer = _malloc(frames * channels * 2);
    var meter = Module.veltranoAudio = {context: context, node: node, calls: 0, frames: 0, late: 0,
                                        rate: context.sampleRate, recent: []};
    var scale = context.sampleRate / rate;
    node.onaudioprocess = function (e) {
      var out = e.outputBuffer;
      var n = out.length;
      // Our frames at the mixer's rate, stretched to the context's when it differs.
      var wanted = Math.min(frames, Math.ceil(n / scale));
      _veltrano_audio_pull(buffer, wanted);
      var samples = HEAP16.subarray(buffer >> 1, (buffer >> 1) + wanted * channels);
      for (var c = 0; c < out.numberOfChannels; ++c) {
        var data = out.getChannelData(c);
        var from = Math.min(c, channels - 1);
        for (var i = 0; i < n; ++i) data[i] = samples[Math.min(wanted - 1, Math.floor(i / scale)) * channels + from] / 32768;
      }
      // The loudest sample of each buffer handed over, for the tests (a hidden page is silent).
      var peak = 0;
      for (var k = 0; k < samples.length; ++k) peak = Math.max(peak, Math.abs(samples[k]));
      meter.recent.push({at: performance.now(), peak: peak});
      if (meter.recent.length > 16) meter.recent.shift();
      meter.calls += 1;
      meter.frames += wanted;
      // A buffer handed over after its time to play has come leaves a gap.
      if (e.playbackTime + 1e-3 < context.currentTime) meter.late += 1;
    };
    // The player's volume and mute act on the way out, after the mix, so the game's own sound is untouched.
    meter.gain = context.createGain();
    node.connect(meter.gain);
    meter.gain.connect(context.destination);
    if (Module.veltranoAudioOpened) Module.veltranoAudioOpened(meter);
    // Browsers allow sound only after a gesture; a hidden page stays silent until it is seen again.
    meter.resume = function () {
      if (context.state === 'suspended' && !document.hidden) context.resume();
    };
    meter.gestures = ['keydown', 'mousedown', 'touchstart'];
    meter.gestures.forEach(function (type) { window.addEventListener(type, meter.resume, true); });
    return 1;
  },
  veltrano_close_audio: function () {
    var a = Module.veltranoAudio;
    if (!a) return;
    a.gestures.forEach(function (type) { window.removeEventListener(type, a.resume, true); });
    a.node.disconnect();
    a.context.close();
    Module.veltranoAudio = null;
  },

  // The files of the data folder (/save) go to the page's storage (web-files.js).
  veltrano_store_files: function () {
    Module.veltranoStoreFiles();
  },
  veltrano_page_mode: function () {
    return Module.veltranoMode || 0;
  },
  veltrano_closed: function (status) {
    if (Module.onClosed) Module.onClosed(status);
  },
});
