// glintmere-applets.js: plays the Glintmere applets (scroller, presentation, text and image effects) in browsers without Java.
// Every <applet> whose code is KelScroll, KelPresent, KelText or KelImage becomes a canvas that
// reads the same <param> tags and plays the same effect; document.<name> offers the scripting methods.
// Loading this file several times on one page is harmless: later copies only look for new applets.
(function (root) {
  'use strict';

  if (root && root.GlintmereApplets && root.GlintmereApplets.scan) {
    if (typeof document !== 'undefined') root.GlintmereApplets.scan();
    return;
  }

  // ---------------------------------------------------------------- limits
  /** Upper bounds for every count read from the page. */
  const LIMITS = Object.freeze({
    runs: 4000, lines: 4000, headLines: 1000, images: 100, strings: 200,
    size: 4096, fontSize: 200, delay: 60000, steps: 1000, shutters: 200,
  });

  // --------------------------------------------------------------- numbers
  /**
   * Reads a decimal integer the way the applets did: leading blanks and a sign, then digits.
   * @param {unknown} text @param {number} fallback @param {number} [min] @param {number} [max]
   * @returns {number}
   */
  function readInt(text, fallback, min = -Infinity, max = Infinity) {
    const m = /^\s*([+-]?\d+)/.exec(String(text ?? ''));
    let n = m ? parseInt(m[1], 10) : NaN;
    if (!Number.isFinite(n)) n = fallback;
    return Math.min(max, Math.max(min, n));
  }

  /** @param {unknown} text @param {string} fallback @returns {string} "#rrggbb" or fallback */
  function readColour(text, fallback) {
    const m = /^\s*#?([0-9a-f]{6})\s*$/i.exec(String(text ?? ''));
    return m ? '#' + m[1].toLowerCase() : fallback;
  }

  /** Undoes the "\u0020" escapes the editor writes for leading and trailing blanks. */
  function unescapeText(text) {
    return String(text ?? '').replace(/\\u([0-9a-fA-F]{4})/g, (_, h) => String.fromCharCode(parseInt(h, 16)));
  }

  const FONT_FACES = {
    timesroman: '"Times New Roman", Times, serif', helvetica: 'Helvetica, Arial, sans-serif',
    courier: '"Courier New", Courier, monospace', dialog: 'Arial, Helvetica, sans-serif',
    dialoginput: '"Courier New", monospace', zapfdingbats: '"Zapf Dingbats", "Segoe UI Symbol", serif',
  };
  /** @param {string} face @returns {string} a CSS font family list */
  function cssFamily(face) {
    const key = String(face || '').toLowerCase().replace(/\s+/g, '');
    if (FONT_FACES[key]) return FONT_FACES[key];
    if (key === 'timesnewroman') return FONT_FACES.timesroman;
    if (key === 'couriernew') return FONT_FACES.courier;
    return /^[\w -]+$/.test(face || '') && face ? `"${face}", sans-serif` : FONT_FACES.helvetica;
  }

  /**
   * A style keyword of the bots ("_bold", "_italicsunderline", ...) as font flags.
   * @param {string} keyword @returns {{bold:boolean, italic:boolean, underline:boolean}}
   */
  function readStyle(keyword) {
    const k = String(keyword || '').toLowerCase();
    return { bold: k.includes('bold'), italic: k.includes('italic'), underline: k.includes('underline') };
  }

  /** @param {{bold:boolean,italic:boolean}} s @param {number} size @param {string} face */
  function cssFont(s, size, face) {
    return `${s.italic ? 'italic ' : ''}${s.bold ? 'bold ' : ''}${size}px ${cssFamily(face)}`;
  }

  const TARGETS = new Set(['_self', '_blank', '_parent', '_top']);

  // --------------------------------------------------------------- params
  /**
   * The applet tag's attributes and params, names without regard to case (as applets read them).
   * @typedef {{attrs: Map<string,string>, params: Map<string,string>}} AppletSource
   */

  /** @param {AppletSource} src @param {string} name @returns {string|undefined} */
  function param(src, name) { return src.params.get(name.toLowerCase()); }

  /** Kind of applet named by a code attribute, or null. @param {string} code */
  function appletKind(code) {
    const m = /^\s*kel(scroll|present|text|image)(\.class)?\s*$/i.exec(String(code || ''));
    return m ? m[1].toLowerCase() : null;
  }

  /** The common frame of every applet: size, margins, alignment, name, background. */
  function readFrame(src) {
    const a = (n) => src.attrs.get(n);
    return {
      width: readInt(a('width'), 320, 1, LIMITS.size),
      height: readInt(a('height'), 240, 1, LIMITS.size),
      hspace: readInt(a('hspace'), 0, 0, 500),
      vspace: readInt(a('vspace'), 0, 0, 500),
      align: String(a('align') || '').toLowerCase(),
      name: String(a('name') || ''),
      background: readColour(param(src, 'AppBGColor'), '#ffffff'),
      backgroundImage: param(src, 'AppBGImage') || '',
      tile: /^\s*true\s*$/i.test(param(src, 'AppBGTile') || ''),
      backgroundSound: param(src, 'AppBGSound') || '',
      soundRepeat: !/^\s*false\s*$/i.test(param(src, 'AppBGSoundRepeat') || ''),
      frameHighlight: readHighlight(param(src, 'Highlight')),
      initString: param(src, 'AppInitString') || '',
    };
  }

  /** "_frame|rrggbb" and friends. @returns {{frame:boolean,text:boolean,colour:string}|null} */
  function readHighlight(value) {
    if (!value) return null;
    const [how, colour] = String(value).split('|');
    const k = (how || '').toLowerCase();
    const c = readColour(colour, '');
    if (!c || k === '_none') return null;
    return { frame: k === '_frame' || k === '_textandframe', text: k === '_text' || k === '_textandframe', colour: c };
  }

  /** "url|target" (and "|colour|message" for scroller runs). */
  function readLink(value) {
    if (!value) return null;
    const parts = String(value).split('|');
    const url = (parts[0] || '').trim();
    if (!url) return null;
    const target = (parts[1] || '_self').trim() || '_self';
    return { url, target, rest: parts.slice(2) };
  }

  // ---- scroller
  /**
   * @typedef {{text:string, bold:boolean, italic:boolean, underline:boolean, colour:string,
   *   link: null|{url:string,target:string,highlight:string|null,message:string}}} Run
   * @typedef {{runs: Run[], pause:number, sound:string}} ScrollLine
   */
  function readScroller(src) {
    const frame = readFrame(src);
    const font = String(param(src, 'Font') || 'Helvetica|12|0').split('|');
    const [alignWord, leftWord] = String(param(src, 'TextAlign') || '_left,5').split(',');
    const head = [];
    for (let i = 1; i <= LIMITS.headLines; i++) {
      const text = param(src, 'HeadText' + i);
      if (text === undefined) break;
      head.push(readRun(text, param(src, 'HeadStyle' + i), undefined).run);
    }
    const runCount = readInt(param(src, 'RunCount'), 0, 0, LIMITS.runs);
    /** @type {ScrollLine[]} */
    const lines = [];
    let current = { runs: [], pause: 0, sound: '' };
    for (let i = 1; i <= runCount; i++) {
      const { run, newline, pause } = readRun(param(src, 'RunText' + i), param(src, 'RunStyle' + i), param(src, 'RunURL' + i));
      current.runs.push(run);
      if (newline) { current.pause = pause; lines.push(current); current = { runs: [], pause: 0, sound: '' }; }
    }
    if (current.runs.length) lines.push(current);
    const lineCount = readInt(param(src, 'LineCount'), lines.length, 0, LIMITS.lines);
    for (let i = 1; i <= Math.min(lineCount, lines.length); i++) {
      const s = param(src, 'LineSound' + i);
      if (s) lines[i - 1].sound = s;
    }
    // A disabled header column is written with the width 0.
    const headWidth = readInt(param(src, 'HeadWidth'), 50, 0, LIMITS.size);
    return {
      kind: 'scroll', frame, head: headWidth ? head : [], lines, headWidth: head.length ? headWidth : 0,
      font: { face: font[0] || 'Helvetica', size: readInt(font[1], 12, 1, LIMITS.fontSize), spacing: readInt(font[2], 0, -50, 200) },
      align: ['_left', '_center', '_right'].includes((alignWord || '').trim().toLowerCase()) ? alignWord.trim().toLowerCase() : '_left',
      left: readInt(param(src, 'HeadOffset') ?? leftWord, 5, 0, LIMITS.size),
      top: readInt(param(src, 'TopMargin'), 5, 0, LIMITS.size),
      bottom: readInt(param(src, 'BottomMargin'), 5, 0, LIMITS.size),
      startFull: /^\s*_full\s*$/i.test(param(src, 'Startup') || ''),
      stepDelay: readInt(param(src, 'StepDelay'), 20, 1, LIMITS.delay),
      stepSize: readInt(param(src, 'StepSize'), 1, 1, 500),
      pauseOnEnter: !/^\s*_continuous\s*$/i.test(param(src, 'Mode') || '_enter'),
    };
  }

  /** One run: text, "style|rrggbb[|_newline,pause]", "url|target|colour|message". */
  function readRun(text, style, url) {
    const parts = String(style || '_plain|000000').split('|');
    const s = readStyle(parts[0]);
    let newline = false, pause = 0;
    for (const p of parts.slice(2)) {
      const m = /^\s*_newline(?:\s*,\s*(.*))?$/i.exec(p);
      if (m) { newline = true; pause = readInt(m[1], 0, 0, LIMITS.delay); }
    }
    let link = null;
    const l = readLink(url);
    if (l) {
      const hl = (l.rest[0] || '').trim();
      link = { url: l.url, target: l.target, highlight: /^_none$/i.test(hl) ? null : readColour(hl, '#0000ff'),
        message: l.rest.slice(1).join('|') };
    }
    return { run: { text: unescapeText(text), ...s, colour: readColour(parts[1], '#000000'), link }, newline, pause };
  }

  // ---- presentation
  const TRANSITIONS = ['basic', 'slide', 'push', 'split', 'swap', 'shutter', 'fade', 'dissolve', 'sparkle',
    'rotate', 'boxwipe', 'ulwipe', 'llwipe', 'urwipe', 'lrwipe'];

  /** "_shutter|_vertical|12" → {name, vertical, bands}; unknown names fall back to basic. */
  function readTransition(value) {
    const parts = String(value || '_random').toLowerCase().split('|').map((p) => p.trim().replace(/^_/, ''));
    let name = parts[0];
    if (name !== 'random' && !TRANSITIONS.includes(name)) name = 'basic';
    return { name, vertical: parts[1] === 'vertical', bands: readInt(parts[2], 4, 1, LIMITS.shutters) };
  }

  function readPresentation(src) {
    const frame = readFrame(src);
    const count = readInt(param(src, 'NumImages'), 0, 0, LIMITS.images);
    const images = [];
    for (let i = 1; i <= count; i++) {
      const link = readLink(param(src, 'URL' + i));
      images.push({
        src: param(src, 'Image' + i) || '',
        sound: param(src, 'Sound' + i) || '',
        transition: readTransition(param(src, 'Transition' + i)),
        link: link && { url: link.url, target: link.target },
        status: param(src, 'StatusBar' + i) || '',
      });
    }
    const mode = String(param(src, 'Mode') || '_none').trim().toLowerCase();
    return {
      kind: 'present', frame, images,
      mode: ['_none', '_random', '_first', '_manual', '_cycletoend', '_cycletobegin'].includes(mode) ? mode : '_none',
      imageDelay: readInt(param(src, 'ImageDelay'), 3000, 0, 10 * LIMITS.delay),
      stepDelay: readInt(param(src, 'StepDelay'), 20, 1, LIMITS.delay),
      steps: readInt(param(src, 'StepSize'), 8, 1, LIMITS.steps),
      upperLeft: /^\s*_upperleft\s*$/i.test(param(src, 'Align') || ''),
    };
  }

  // ---- text and image effects
  const MOTIONS = ['fromthecenter', 'fromtheleft', 'fromtheright', 'fromthetop', 'fromthebottom', 'everyotherhorz',
    'everyothervert', 'randominside', 'randomoutside', 'tickerright', 'tickerbottom', 'tickerleft', 'tickertop',
    'static', 'fader', 'typing', 'engravewithhammer', 'dissolve', 'sparkle', 'jitter', 'jitterhorz', 'jittervert',
    'changingsize'];
  const EFFECTS = ['noshadow', 'shadow', 'softshadowbright', 'softshadowdark', 'glowbright', 'glowdark', 'engrave', 'emboss'];

  const keyword = (v, table, fallback) => {
    const k = String(v || '').trim().toLowerCase().replace(/^_/, '');
    return table.includes(k) ? k : fallback;
  };

  /**
   * Strings of KelText (image = false) and KelImage (image = true).
   * @returns {Array<{text:string, face:string, size:number, style:object, colours:string[], colourDelay:number,
   *   halign:string, hoff:number, valign:string, voff:number, effect:string, shadow:string, sx:number, sy:number,
   *   entry:{motion:string, duration:number}, exit:{motion:string, duration:number}, hold:number, run:number,
   *   entrySound:string, exitSound:string}>}
   */
  function readStrings(src, image) {
    const count = readInt(param(src, 'TextCount'), 0, 0, LIMITS.strings);
    const out = [];
    for (let i = 1; i <= count; i++) {
      const text = unescapeText(param(src, 'Text' + i) || '');
      const f = String(param(src, 'Font' + i) || '').split('|');
      let colours;
      let colourDelay = 80;
      if (image) {
        colours = [readColour(f.splice(3, 1)[0], '#000000')];
      } else {
        const [d, list] = String(param(src, 'Colors' + i) || '80|000000').split('|');
        colourDelay = readInt(d, 80, 10, LIMITS.delay);
        colours = String(list || '').split(',').map((c) => readColour(c, '')).filter(Boolean);
        if (!colours.length) colours = ['#000000'];
      }
      const [ha, ho] = String(f[3] || '').split(',');
      const [va, vo] = String(f[4] || '').split(',');
      const [ef, sc, sx, sy] = String(f[5] || '').split(',');
      const m = String(param(src, 'MotionEffect' + i) || '').split('|');
      const motion = (part) => {
        const p = String(part || '').split(',');
        const duration = image ? readInt(p[1], 20, 0, LIMITS.steps) * readInt(p[2], 100, 0, LIMITS.delay) : readInt(p[1], 100, 0, LIMITS.delay);
        return { motion: keyword(p[0], MOTIONS, 'fromthecenter'), duration: Math.min(duration, LIMITS.delay) };
      };
      const [es, xs] = String(param(src, 'SoundEffect' + i) || '').split('|');
      out.push({
        text, face: f[0] || 'Helvetica', size: readInt(f[1], 16, 1, LIMITS.fontSize), style: readStyle(f[2] || '_bold'),
        colours, colourDelay,
        halign: keyword(ha, ['center', 'left', 'right'], 'center'), hoff: readInt(ho, 0, -LIMITS.size, LIMITS.size),
        valign: keyword(va, ['center', 'top', 'bottom'], 'center'), voff: readInt(vo, 0, -LIMITS.size, LIMITS.size),
        effect: keyword(ef, EFFECTS, 'noshadow'), shadow: readColour(sc, '#808080'),
        sx: readInt(sx, 2, -5, 5), sy: readInt(sy, 2, -5, 5),
        entry: motion(m[0]), exit: motion(m[1]),
        hold: readInt(m[2], 1000, 0, LIMITS.delay), run: readInt(m[3], 0, 0, LIMITS.delay),
        entrySound: (es || '').trim(), exitSound: (xs || '').trim(),
      });
    }
    return out;
  }

  /** The catalogue's effects with what their two sliders mean. */
  const FILTERS = ['bubbles', 'ripple', 'fire', 'snow', 'lens', 'twirl', 'waves'];
  const FILTER_DEFAULTS = { bubbles: [15, 30], ripple: [12, 40], fire: [50, 70], snow: [60, 0], lens: [25, 50], twirl: [10, 45], waves: [4, 20] };
  /** The catalogue's picture an effect draws with, from the applet's code base. */
  const FILTER_FILES = { bubbles: 'Bubble.gif', snow: 'Snowflake.gif', fire: 'FirePalette.gif' };

  /**
   * The colours of a palette strip, left to right, or null when it cannot be read
   * (a page opened from disk may not read its pictures' pixels).
   * @param {HTMLImageElement|null} img
   */
  function readPalette(img) {
    if (!img) return null;
    try {
      const c = makeCanvas(Math.min(img.naturalWidth, 256), 1), g = c.getContext('2d');
      g.drawImage(img, 0, 0, c.width, 1, 0, 0, c.width, 1);
      const d = g.getImageData(0, 0, c.width, 1).data, colours = [];
      for (let i = 0; i < c.width; i++) colours.push([d[i * 4], d[i * 4 + 1], d[i * 4 + 2]]);
      return colours.length ? colours : null;
    } catch { return null; }
  }

  function readEffects(src, image) {
    const frame = readFrame(src);
    const link = readLink(param(src, 'URL'));
    const config = {
      kind: image ? 'image' : 'text', frame, strings: readStrings(src, image),
      link: link && { url: link.url, target: link.target }, highlight: frame.frameHighlight,
      status: param(src, 'StatusBar') || '', filter: null,
    };
    config.frame.frameHighlight = null;
    if (image) {
      const [name, delay, p1, p2] = String(param(src, 'AppBGFilter') || '').split('|');
      const key = String(name || '').trim().toLowerCase();
      const known = FILTERS.includes(key);
      config.filter = {
        name: known ? key : 'none', delay: readInt(delay, 20, 0, 2000),
        p1: readInt(p1, known ? FILTER_DEFAULTS[key][0] : 20, 0, 100), p2: readInt(p2, known ? FILTER_DEFAULTS[key][1] : 20, 0, 100),
      };
    }
    return config;
  }

  /** Reads any of the four applets. @param {AppletSource} src @param {string} kind */
  function readApplet(src, kind) {
    if (kind === 'scroll') return readScroller(src);
    if (kind === 'present') return readPresentation(src);
    return readEffects(src, kind === 'image');
  }

  // ------------------------------------------------------------ timelines
  /**
   * Where a string show stands at time t (ms): which string, its phase and progress 0..1.
   * A cycle is entry, hold, exit, run delay for each string in turn, then again.
   * @returns {{index:number, phase:'entry'|'hold'|'exit'|'gap', progress:number}}
   */
  function stringPhase(strings, t) {
    const n = strings.length;
    if (!n) return { index: -1, phase: 'gap', progress: 0 };
    const spans = strings.map((s) => [s.entry.duration, s.hold, s.exit.duration, s.run]);
    const total = spans.reduce((a, s) => a + s[0] + s[1] + s[2] + s[3], 0);
    if (total <= 0) return { index: 0, phase: 'hold', progress: 0 };
    let rest = ((t % total) + total) % total;
    const names = /** @type {const} */ (['entry', 'hold', 'exit', 'gap']);
    for (let i = 0; i < n; i++) {
      for (let k = 0; k < 4; k++) {
        const d = spans[i][k];
        if (rest < d) return { index: i, phase: names[k], progress: rest / d };
        rest -= d;
      }
    }
    return { index: n - 1, phase: 'gap', progress: 1 };
  }

  /** Deterministic pseudo-random numbers (mulberry32), so a frame is the same for the same seed. */
  function random(seed) {
    let a = seed >>> 0;
    return () => {
      a = (a + 0x6d2b79f5) >>> 0;
      let t = a;
      t = Math.imul(t ^ (t >>> 15), t | 1);
      t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
      return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
  }

  /**
   * The presentation's choice of the next image (0-based) when it moves on by itself.
   * @returns {{next:number, halt:boolean}} halt: stop after showing next
   */
  function nextImage(mode, current, count, rnd) {
    if (count <= 1) return { next: 0, halt: true };
    const other = () => { const r = Math.floor(rnd() * (count - 1)); return r >= current ? r + 1 : r; };
    switch (mode) {
      case '_random': return { next: other(), halt: false };
      case '_first': return { next: other(), halt: false };
      case '_cycletoend': { const next = (current + 1) % count; return { next, halt: next === count - 1 }; }
      case '_cycletobegin': { const next = (current + 1) % count; return { next, halt: next === 0 }; }
      default: return { next: (current + 1) % count, halt: false };
    }
  }

  /**
   * Scroller positions: the text moves up stepSize pixels a step; a line that reaches the top
   * margin holds for its pause. Pure state so that it can be stepped without a canvas.
   */
  class ScrollState {
    /** @param {{lineTops:number[], pauses:number[], height:number, areaTop:number, areaBottom:number, startFull:boolean}} layout */
    constructor(layout) {
      this.layout = layout;
      this.offset = layout.startFull ? layout.areaTop : layout.areaBottom;
      this.holdLeft = 0;
      this.nextPauseLine = 0;
      this.wraps = 0;
      /** Line indexes that reached the top since the last read (for line sounds). */
      this.arrived = [];
      this.skipPassed();
    }
    skipPassed() {
      const L = this.layout;
      while (this.nextPauseLine < L.lineTops.length && this.offset + L.lineTops[this.nextPauseLine] < L.areaTop) this.nextPauseLine++;
    }
    /** One animation step of `size` pixels; returns the pause that starts, 0 if none. */
    step(size) {
      const L = this.layout;
      if (this.holdLeft > 0) return 0;
      const line = this.nextPauseLine;
      let target = this.offset - size;
      if (line < L.lineTops.length && this.offset + L.lineTops[line] >= L.areaTop && target + L.lineTops[line] <= L.areaTop) {
        target = L.areaTop - L.lineTops[line];
        this.offset = target;
        this.nextPauseLine++;
        this.arrived.push(line);
        this.holdLeft = L.pauses[line] || 0;
        return this.holdLeft;
      }
      this.offset = target;
      if (this.offset + L.height < L.areaTop) {
        this.offset = L.areaBottom;
        this.nextPauseLine = 0;
        this.wraps++;
      }
      return 0;
    }
  }

  // ----------------------------------------------------------------- audio
  /**
   * Decodes a Sun/NeXT .au file: μ-law, A-law, 8/16/24/32-bit linear or float PCM, big-endian.
   * @param {ArrayBuffer} buffer
   * @returns {{rate:number, channels:Float32Array[]}|null} null when it is no .au file it can read
   */
  function decodeAu(buffer) {
    if (!buffer || buffer.byteLength < 24) return null;
    const v = new DataView(buffer);
    if (v.getUint32(0) !== 0x2e736e64) return null;
    const offset = v.getUint32(4), declared = v.getUint32(8), encoding = v.getUint32(12);
    const rate = v.getUint32(16), nch = v.getUint32(20);
    if (offset < 24 || offset > buffer.byteLength || nch < 1 || nch > 8 || rate < 1000 || rate > 384000) return null;
    const avail = buffer.byteLength - offset;
    const size = declared === 0xffffffff ? avail : Math.min(declared, avail);
    const width = { 1: 1, 2: 1, 3: 2, 4: 3, 5: 4, 6: 4, 7: 8, 27: 1 }[encoding];
    if (!width) return null;
    const frames = Math.floor(size / (width * nch));
    const channels = Array.from({ length: nch }, () => new Float32Array(frames));
    let p = offset;
    for (let f = 0; f < frames; f++) {
      for (let c = 0; c < nch; c++, p += width) {
        let s;
        switch (encoding) {
          case 1: s = ulaw(v.getUint8(p)) / 32768; break;
          case 27: s = alaw(v.getUint8(p)) / 32768; break;
          case 2: s = v.getInt8(p) / 128; break;
          case 3: s = v.getInt16(p) / 32768; break;
          case 4: s = ((v.getInt8(p) << 16) | (v.getUint8(p + 1) << 8) | v.getUint8(p + 2)) / 8388608; break;
          case 5: s = v.getInt32(p) / 2147483648; break;
          case 6: s = v.getFloat32(p); break;
          default: s = v.getFloat64(p);
        }
        channels[c][f] = Number.isFinite(s) ? Math.max(-1, Math.min(1, s)) : 0;
      }
    }
    return { rate, channels };
  }
  function ulaw(u) {
    u = ~u & 0xff;
    const t = (((u & 0x0f) << 3) + 0x84) << ((u & 0x70) >> 4);
    return u & 0x80 ? 0x84 - t : t - 0x84;
  }
  function alaw(a) {
    a ^= 0x55;
    let t = (a & 0x0f) << 4;
    const seg = (a & 0x70) >> 4;
    if (seg === 0) t += 8; else if (seg === 1) t += 0x108; else t = (t + 0x108) << (seg - 1);
    return a & 0x80 ? t : -t;
  }

  /** Sounds through Web Audio, only after the page's first user gesture. */
  const Sound = {
    ctx: /** @type {any} */ (null), unlocked: false, cache: new Map(), pendingLoops: [],
    init() {
      if (typeof window === 'undefined' || Sound.listening) return;
      Sound.listening = true;
      const unlock = () => {
        if (Sound.unlocked) return;
        const AC = window.AudioContext || /** @type {any} */ (window).webkitAudioContext;
        if (!AC) return;
        try { Sound.ctx = new AC(); Sound.ctx.resume?.(); Sound.unlocked = true; } catch { return; }
        for (const [url, loop] of Sound.pendingLoops.splice(0)) Sound.play(url, loop);
      };
      for (const e of ['pointerdown', 'keydown', 'touchend', 'click']) window.addEventListener(e, unlock, { capture: true, passive: true });
    },
    /** @param {string} url @returns {Promise<any>} */
    load(url) {
      if (!Sound.cache.has(url)) {
        Sound.cache.set(url, fetch(url).then((r) => (r.ok ? r.arrayBuffer() : Promise.reject(new Error(r.status)))).then((buf) => {
          const au = decodeAu(buf);
          if (!au) return Sound.ctx.decodeAudioData(buf);
          const b = Sound.ctx.createBuffer(au.channels.length, Math.max(1, au.channels[0].length), au.rate);
          au.channels.forEach((ch, i) => b.copyToChannel(ch, i));
          return b;
        }).catch(() => null));
      }
      return Sound.cache.get(url);
    },
    /** Plays a sound; a loop asked for before the first gesture starts with it. */
    play(url, loop = false, queue = false) {
      if (!url) return;
      if (!Sound.unlocked) { if (queue) Sound.pendingLoops.push([url, loop]); return; }
      Sound.load(url).then((b) => {
        if (!b) return;
        const s = Sound.ctx.createBufferSource();
        s.buffer = b; s.loop = loop; s.connect(Sound.ctx.destination); s.start();
      }).catch(() => {});
    },
  };

  // ------------------------------------------------------------- drawing
  const imageCache = new Map();
  /** Loads an image; resolves to null when it cannot be had. @param {string} url */
  function loadImage(url) {
    if (!url) return Promise.resolve(null);
    if (!imageCache.has(url)) {
      imageCache.set(url, new Promise((resolve) => {
        const img = new Image();
        img.onload = () => resolve(img.naturalWidth > 0 ? img : null);
        img.onerror = () => resolve(null);
        img.src = url;
      }));
    }
    return imageCache.get(url);
  }

  function drawBackground(ctx, frame, bgImage, w, h) {
    ctx.fillStyle = frame.background;
    ctx.fillRect(0, 0, w, h);
    if (!bgImage) return;
    if (frame.tile) {
      for (let y = 0; y < h; y += bgImage.height) for (let x = 0; x < w; x += bgImage.width) ctx.drawImage(bgImage, x, y);
    } else {
      ctx.drawImage(bgImage, 0, 0);
    }
  }

  // ------------------------------------------------------------- players
  /** The base of the four players: a canvas, its clock, its running state and its page copy. */
  class Player {
    constructor(config, canvas, base) {
      this.config = config;
      this.canvas = canvas;
      this.ctx = canvas.getContext('2d');
      this.base = base;
      this.w = canvas.width; this.h = canvas.height;
      this.clock = 0; this.running = true; this.ready = false; this.visible = true;
      this.dirty = true; this.failed = 0; this.hover = null; this.pointer = null;
      this.bgImage = null;
    }
    url(u) { try { return new URL(u, this.base).href; } catch { return ''; } }
    /** A file the applet itself loads (string sounds, effect pictures): from its code base. */
    codeUrl(u) {
      const dir = this.codebase || '';
      try { return new URL(u, new URL(dir && !dir.endsWith('/') ? dir + '/' : dir, this.base)).href; } catch { return ''; }
    }
    /** Loads what the first frame needs; then the player is ready. */
    async load() {
      this.bgImage = await loadImage(this.url(this.config.frame.backgroundImage));
      if (this.config.frame.backgroundSound) Sound.play(this.url(this.config.frame.backgroundSound), this.config.frame.soundRepeat, true);
    }
    /** Advances the clock by dt ms and draws when something changed. */
    tick(dt) {
      if (this.ready && this.running) { this.clock += dt; this.advance(dt); }
      if (this.dirty || this.animates()) { this.dirty = false; this.draw(); }
    }
    advance() {}
    animates() { return this.ready && this.running; }
    draw() {}
    /** Text for screen readers. */
    describe() { return ''; }
    /** Link under a point of the canvas, or null. */
    linkAt() { return null; }
    start() { if (this.ready && !this.running) { this.running = true; this.dirty = true; } }
    stop() { if (this.ready && this.running) { this.running = false; this.dirty = true; } }
    isRunning() { return this.ready && this.running; }
    drawFrameHighlight(colour) {
      if (!colour) return;
      this.ctx.strokeStyle = colour; this.ctx.lineWidth = 2;
      this.ctx.strokeRect(1, 1, this.w - 2, this.h - 2);
    }
  }

  // ---- scroller
  class ScrollPlayer extends Player {
    constructor(config, canvas, base, measure) {
      super(config, canvas, base);
      this.stepDelay = config.stepDelay;
      this.since = 0;
      this.holdLeft = 0;
      this.layoutText(measure || ((font, text) => { this.ctx.font = font; return this.ctx.measureText(text).width; }));
    }
    /** Places every run: its line, x, width. */
    layoutText(measure) {
      const c = this.config;
      const lh = Math.max(1, Math.round(c.font.size * 1.25) + c.font.spacing);
      this.lineHeight = lh;
      const mainLeft = c.left + (c.headWidth || 0);
      const mainWidth = Math.max(1, this.w - mainLeft - 5);
      const rows = Math.max(c.lines.length, c.head.length);
      this.placed = [];
      this.rowText = [];
      for (let i = 0; i < rows; i++) {
        const runs = c.lines[i] ? c.lines[i].runs : [];
        const fonts = runs.map((r) => cssFont(r, c.font.size, c.font.face));
        const widths = runs.map((r, k) => (r.text ? measure(fonts[k], r.text) : 0));
        const total = widths.reduce((a, b) => a + b, 0);
        let x = mainLeft + (c.align === '_center' ? (mainWidth - total) / 2 : c.align === '_right' ? mainWidth - total : 0);
        runs.forEach((r, k) => { this.placed.push({ run: r, row: i, x, width: widths[k], font: fonts[k] }); x += widths[k]; });
        const h = c.head[i];
        if (h && h.text) this.placed.push({ run: h, row: i, x: c.left, width: measure(cssFont(h, c.font.size, c.font.face), h.text), font: cssFont(h, c.font.size, c.font.face), head: true });
        this.rowText.push([h ? h.text : '', runs.map((r) => r.text).join('')].filter((t) => t.trim()).join(' '));
      }
      const lineTops = Array.from({ length: rows }, (_, i) => i * lh);
      this.state = new ScrollState({
        lineTops, pauses: Array.from({ length: rows }, (_, i) => (c.lines[i] ? c.lines[i].pause : 0)),
        height: rows * lh, areaTop: c.top, areaBottom: this.h - c.bottom, startFull: c.startFull,
      });
    }
    advance(dt) {
      if (this.config.pauseOnEnter && this.pointer) return;
      if (this.holdLeft > 0) { this.holdLeft -= dt; if (this.holdLeft > 0) return; this.state.holdLeft = 0; this.since = 0; }
      this.since += dt;
      let guard = 0;
      while (this.since >= this.stepDelay && guard++ < 50) {
        this.since -= this.stepDelay;
        const pause = this.state.step(this.config.stepSize);
        for (const line of this.state.arrived.splice(0)) {
          const s = this.config.lines[line]?.sound;
          if (s) Sound.play(this.url(s));
        }
        if (pause > 0) { this.holdLeft = pause; this.since = 0; break; }
      }
      if (guard >= 50) this.since = 0;
    }
    draw() {
      const { ctx, w, h, config: c } = this;
      drawBackground(ctx, c.frame, this.bgImage, w, h);
      ctx.save();
      ctx.beginPath(); ctx.rect(0, c.top, w, Math.max(0, h - c.top - c.bottom)); ctx.clip();
      ctx.textBaseline = 'top';
      const off = this.state.offset;
      const lh = this.lineHeight;
      for (const p of this.placed) {
        const y = off + p.row * lh;
        if (y + lh < 0 || y > h) continue;
        const lit = p.run.link && (this.hover === p.run.link || this.focusLink === p.run.link) && p.run.link.highlight;
        ctx.font = p.font;
        ctx.fillStyle = lit || p.run.colour;
        ctx.fillText(p.run.text, p.x, y);
        if (p.run.underline || lit) ctx.fillRect(p.x, y + c.font.size + 1, p.width, 1);
      }
      ctx.restore();
      if (this.pointer) this.drawFrameHighlight(c.frame.frameHighlight?.colour);
    }
    linkAt(x, y) {
      const off = this.state.offset;
      for (const p of this.placed) {
        if (!p.run.link || p.head) continue;
        const top = off + p.row * this.lineHeight;
        if (x >= p.x && x < p.x + p.width && y >= top && y < top + this.lineHeight && y >= this.config.top) return p.run.link;
      }
      return null;
    }
    links() {
      const seen = [];
      for (const l of this.config.lines) for (const r of l.runs) if (r.link && !seen.includes(r.link)) seen.push(r.link);
      return seen.map((l) => ({ link: l, text: this.config.lines.flatMap((ln) => ln.runs).filter((r) => r.link === l).map((r) => r.text).join('') || l.url }));
    }
    describe() { return this.rowText.filter(Boolean).join('\n'); }
    faster() { if (this.ready) { this.stepDelay = Math.min(200, Math.max(10, this.stepDelay - 5)); } }
    slower() { if (this.ready) { this.stepDelay = Math.min(200, Math.max(10, this.stepDelay + 5)); } }
  }

  // ---- presentation
  /** Draws transition `name` at progress p (0..1) from image a to image b (both canvases of the applet's size). */
  function drawTransition(ctx, t, a, b, p, w, h, order) {
    p = Math.max(0, Math.min(1, p));
    const v = t.vertical;
    switch (t.name) {
      case 'basic': ctx.drawImage(p < 1 ? a : b, 0, 0); return;
      case 'slide':
        ctx.drawImage(a, 0, 0);
        ctx.drawImage(b, v ? 0 : Math.round(w * (1 - p)), v ? Math.round(h * (1 - p)) : 0); return;
      case 'push': {
        const d = v ? Math.round(h * p) : Math.round(w * p);
        ctx.drawImage(a, v ? 0 : -d, v ? -d : 0);
        ctx.drawImage(b, v ? 0 : w - d, v ? h - d : 0); return;
      }
      case 'split': {
        ctx.drawImage(a, 0, 0);
        const half = v ? Math.round(h / 2 * p) : Math.round(w / 2 * p);
        if (half <= 0) return;
        if (v) ctx.drawImage(b, 0, h / 2 - half, w, 2 * half, 0, h / 2 - half, w, 2 * half);
        else ctx.drawImage(b, w / 2 - half, 0, 2 * half, h, w / 2 - half, 0, 2 * half, h);
        return;
      }
      case 'swap': {
        // The old picture slides out one way while the new one slides in from the other side, passing over it half way.
        const q = p < 0.5 ? p * 2 : (1 - p) * 2;
        const d = Math.round((v ? h : w) * q / 2);
        const first = p < 0.5 ? b : a, second = p < 0.5 ? a : b;
        ctx.drawImage(first, v ? 0 : d, v ? d : 0);
        ctx.drawImage(second, v ? 0 : -d, v ? -d : 0);
        return;
      }
      case 'shutter': {
        ctx.drawImage(a, 0, 0);
        const n = t.bands, span = (v ? w : h) / n;
        const open = span * p;
        if (open <= 0) return;
        for (let i = 0; i < n; i++) {
          const s = Math.floor(i * span), e = Math.min(v ? w : h, Math.ceil(i * span + open));
          if (e <= s) continue;
          if (v) ctx.drawImage(b, s, 0, e - s, h, s, 0, e - s, h);
          else ctx.drawImage(b, 0, s, w, e - s, 0, s, w, e - s);
        }
        return;
      }
      case 'fade':
        ctx.drawImage(a, 0, 0); ctx.globalAlpha = p; ctx.drawImage(b, 0, 0); ctx.globalAlpha = 1; return;
      case 'rotate': {
        // A card turned about its middle: the old picture narrows to a line, the new one widens from it.
        const q = p < 0.5 ? 1 - p * 2 : p * 2 - 1;
        const img = p < 0.5 ? a : b;
        ctx.fillStyle = '#000'; ctx.fillRect(0, 0, w, h);
        const s = Math.max(1, Math.round((v ? h : w) * q));
        if (v) ctx.drawImage(img, 0, (h - s) / 2, w, s); else ctx.drawImage(img, (w - s) / 2, 0, s, h);
        return;
      }
      case 'boxwipe': {
        ctx.drawImage(a, 0, 0);
        const bw = Math.round(w * p), bh = Math.round(h * p);
        if (bw > 0 && bh > 0) ctx.drawImage(b, (w - bw) / 2, (h - bh) / 2, bw, bh, (w - bw) / 2, (h - bh) / 2, bw, bh);
        return;
      }
      case 'ulwipe': case 'llwipe': case 'urwipe': case 'lrwipe': {
        ctx.drawImage(a, 0, 0);
        const bw = Math.round(w * p), bh = Math.round(h * p);
        if (bw <= 0 || bh <= 0) return;
        const x = t.name[1] === 'r' ? w - bw : 0, y = t.name[0] === 'l' ? h - bh : 0;
        ctx.drawImage(b, x, y, bw, bh, x, y, bw, bh);
        return;
      }
      case 'dissolve': case 'sparkle': {
        // Blocks of the new picture in a fixed random order, drawn onto a copy kept between frames.
        const cell = t.name === 'dissolve' ? 8 : 4;
        const cols = Math.ceil(w / cell), rows = Math.ceil(h / cell);
        const st = order;
        if (!st.canvas) {
          st.canvas = makeCanvas(w, h); st.done = 0;
          st.canvas.getContext('2d').drawImage(a, 0, 0);
          const n = cols * rows, perm = new Uint32Array(n), r = random(st.seed || 1);
          for (let i = 0; i < n; i++) perm[i] = i;
          for (let i = n - 1; i > 0; i--) { const j = Math.floor(r() * (i + 1)); const x = perm[i]; perm[i] = perm[j]; perm[j] = x; }
          st.perm = perm;
        }
        const c2 = st.canvas.getContext('2d');
        const want = Math.floor(st.perm.length * p);
        for (; st.done < want; st.done++) {
          const k = st.perm[st.done], x = (k % cols) * cell, y = Math.floor(k / cols) * cell;
          c2.drawImage(b, x, y, cell, cell, x, y, cell, cell);
        }
        ctx.drawImage(st.canvas, 0, 0);
        if (t.name === 'sparkle' && p < 1) {
          const r = random((st.seed || 1) + st.done);
          ctx.fillStyle = '#ffffff';
          for (let i = 0; i < 24; i++) {
            const x = r() * w, y = r() * h, s = 1 + r() * 2;
            ctx.fillRect(x - s, y, 2 * s + 1, 1); ctx.fillRect(x, y - s, 1, 2 * s + 1);
          }
        }
        return;
      }
      default: ctx.drawImage(b, 0, 0);
    }
  }

  function makeCanvas(w, h) {
    if (typeof OffscreenCanvas !== 'undefined') return new OffscreenCanvas(w, h);
    const c = document.createElement('canvas'); c.width = w; c.height = h; return c;
  }

  class PresentPlayer extends Player {
    constructor(config, canvas, base) {
      super(config, canvas, base);
      this.current = 0; this.from = -1; this.progress = 1; this.since = 0;
      this.rnd = random(config.images.length * 7919 + config.frame.width);
      this.transition = null; this.order = {};
      this.running = config.mode !== '_manual';
      this.frames = [];
    }
    async load() {
      await super.load();
      const imgs = await Promise.all(this.config.images.map((i) => loadImage(this.url(i.src))));
      this.frames = imgs.map((img) => this.compose(img));
    }
    /** The picture of one image on the background, as the applet shows it standing. */
    compose(img) {
      const c = makeCanvas(this.w, this.h), x = c.getContext('2d');
      drawBackground(x, this.config.frame, this.bgImage, this.w, this.h);
      if (img) {
        if (this.config.upperLeft) x.drawImage(img, 0, 0);
        else x.drawImage(img, Math.round((this.w - img.width) / 2), Math.round((this.h - img.height) / 2));
      }
      return c;
    }
    /** Brings in image `to` (0-based) with its transition. */
    bring(to) {
      const n = this.config.images.length;
      if (to < 0 || to >= n) return;
      let t = this.config.images[to].transition;
      if (t.name === 'random') {
        const names = TRANSITIONS;
        const name = names[Math.floor(this.rnd() * names.length)];
        t = { name, vertical: this.rnd() < 0.5, bands: [2, 4, 8, 12, 20][Math.floor(this.rnd() * 5)] };
      }
      this.from = this.current; this.current = to; this.transition = t;
      this.progress = 0; this.step = 0; this.since = 0; this.order = { seed: Math.floor(this.rnd() * 1e9) + 1 };
      this.dirty = true;
      const s = this.config.images[to].sound;
      if (s) Sound.play(this.url(s));
    }
    advance(dt) { this.move(dt, true); }
    /** Moves the transition on, and, when `own` and running, the show. */
    move(dt, own) {
      const c = this.config;
      if (this.progress < 1) {
        this.since += dt;
        while (this.since >= c.stepDelay && this.step < c.steps) { this.since -= c.stepDelay; this.step++; }
        this.progress = this.step / c.steps;
        this.dirty = true;
        if (this.progress >= 1) { this.since = 0; this.order = {}; }
        return;
      }
      if (!own) return;
      this.since += dt;
      if (this.since < c.imageDelay || c.images.length < 2) return;
      const mode = c.mode === '_manual' ? '_none' : c.mode;
      const { next, halt } = nextImage(mode, this.current, c.images.length, this.rnd);
      this.bring(next);
      // At the end of its cycle the show halts itself; the transition under way still finishes.
      if (halt) this.running = false;
    }
    tick(dt) {
      // A halted show still finishes the transition under way.
      if (this.ready && !this.running && this.progress < 1) this.move(dt, false);
      super.tick(dt);
    }
    animates() { return false; }
    draw() {
      const { ctx, w, h } = this;
      if (!this.frames.length) { drawBackground(ctx, this.config.frame, this.bgImage, w, h); return; }
      const b = this.frames[this.current];
      if (this.progress < 1 && this.from >= 0 && this.transition) drawTransition(ctx, this.transition, this.frames[this.from], b, this.progress, w, h, this.order);
      else ctx.drawImage(b, 0, 0);
      if (this.pointer) this.drawFrameHighlight(this.config.frame.frameHighlight?.colour);
    }
    linkAt() { return this.config.images[this.current]?.link || null; }
    status() { return this.config.images[this.current]?.status || ''; }
    links() { return this.config.images.map((im, i) => im.link && { link: im.link, text: im.status || `Image ${i + 1}` }).filter(Boolean); }
    describe() { return `Slide show of ${this.config.images.length} images`; }
    start() {
      if (!this.ready || this.running) return;
      this.running = true; this.since = 0;
    }
    stop() { if (this.ready && this.running) { this.running = false; } }
    next() { if (this.ready && this.frames.length) { this.bring((this.current + 1) % this.frames.length); } }
    previous() { if (this.ready && this.frames.length) { this.bring((this.current + this.frames.length - 1) % this.frames.length); } }
    show(n) { if (this.ready && n >= 1 && n <= this.frames.length && n - 1 !== this.current) this.bring(n - 1); }
  }

  // ---- text and image effects
  /** Where each character of a string stands during a motion; p runs 0 → 1 toward the resting place. */
  function motionPlace(motion, i, n, p, ch, w, h, r) {
    // ch: {x, y, w} resting place of the character; returns {x, y, alpha, scale, visible}
    const ease = p * p * (3 - 2 * p);
    const lerp = (a, b, t) => a + (b - a) * t;
    const seq = (k) => Math.max(0, Math.min(1, p * n - k)); // k-th of n in turn
    switch (motion) {
      case 'fromthecenter': return { x: lerp(w / 2, ch.x, ease), y: lerp(h / 2, ch.y, ease), alpha: 1, scale: Math.max(0.05, ease) };
      case 'fromtheleft': return { x: lerp(-w, ch.x, ease), y: ch.y, alpha: 1, scale: 1 };
      case 'fromtheright': return { x: lerp(2 * w, ch.x, ease), y: ch.y, alpha: 1, scale: 1 };
      case 'fromthetop': return { x: ch.x, y: lerp(-h, ch.y, ease), alpha: 1, scale: 1 };
      case 'fromthebottom': return { x: ch.x, y: lerp(2 * h, ch.y, ease), alpha: 1, scale: 1 };
      case 'everyotherhorz': return { x: lerp(i % 2 ? 2 * w : -w, ch.x, ease), y: ch.y, alpha: 1, scale: 1 };
      case 'everyothervert': return { x: ch.x, y: lerp(i % 2 ? 2 * h : -h, ch.y, ease), alpha: 1, scale: 1 };
      case 'randominside': return { x: lerp(r[2 * i] * w, ch.x, ease), y: lerp(r[2 * i + 1] * h, ch.y, ease), alpha: 1, scale: 1 };
      case 'randomoutside': {
        const a = r[2 * i] * Math.PI * 2, d = Math.max(w, h);
        return { x: lerp(w / 2 + Math.cos(a) * d, ch.x, ease), y: lerp(h / 2 + Math.sin(a) * d, ch.y, ease), alpha: 1, scale: 1 };
      }
      case 'tickerright': case 'tickerleft': case 'tickertop': case 'tickerbottom': {
        // The characters come in one after another from the named edge.
        const k = motion === 'tickerleft' || motion === 'tickertop' ? i : n - 1 - i;
        const q = seq(k);
        const x = motion === 'tickerright' ? lerp(w, ch.x, q) : motion === 'tickerleft' ? lerp(-ch.w, ch.x, q) : ch.x;
        const y = motion === 'tickerbottom' ? lerp(h, ch.y, q) : motion === 'tickertop' ? lerp(-ch.h, ch.y, q) : ch.y;
        return { x, y, alpha: q > 0 ? 1 : 0, scale: 1 };
      }
      case 'static': return { x: ch.x, y: ch.y, alpha: 1, scale: 1 };
      case 'fader': return { x: ch.x, y: ch.y, alpha: p, scale: 1 };
      case 'typing': return { x: ch.x, y: ch.y, alpha: seq(i) > 0 ? 1 : 0, scale: 1 };
      case 'engravewithhammer': { const q = seq(i); return { x: ch.x, y: ch.y, alpha: q > 0 ? 1 : 0, scale: q > 0 ? 1 + (1 - q) * 1.5 : 1 }; }
      case 'dissolve': return { x: ch.x, y: ch.y, alpha: Math.max(0, Math.min(1, (p - r[2 * i] * 0.7) / 0.3)), scale: 1 };
      case 'sparkle': return { x: ch.x, y: ch.y, alpha: p >= r[2 * i] ? 1 : 0, scale: 1, spark: p >= r[2 * i] && p < r[2 * i] + 0.15 };
      case 'jitter': case 'jitterhorz': case 'jittervert': {
        const amp = (1 - p) * Math.min(w, h) / 4;
        return { x: ch.x + (motion !== 'jittervert' ? (r[2 * i] - 0.5) * 2 * amp * Math.cos(p * 40 + i) : 0),
          y: ch.y + (motion !== 'jitterhorz' ? (r[2 * i + 1] - 0.5) * 2 * amp * Math.sin(p * 37 + i) : 0), alpha: 1, scale: 1 };
      }
      case 'changingsize': return { x: lerp(w / 2, ch.x, ease), y: ch.y, alpha: 1, scale: Math.max(0.05, ease) };
      default: return { x: ch.x, y: ch.y, alpha: 1, scale: 1 };
    }
  }

  class EffectsPlayer extends Player {
    constructor(config, canvas, base) {
      super(config, canvas, base);
      this.layouts = config.strings.map((s, k) => this.layoutString(s, k));
      this.lastPhase = null;
      this.filter = config.filter ? new Filter(config.filter, this.w, this.h) : null;
      this.filterSince = 0;
    }
    layoutString(s, k) {
      const ctx = this.ctx, font = cssFont(s.style, s.size, s.face);
      ctx.font = font;
      const chars = Array.from(s.text);
      const widths = chars.map((c) => ctx.measureText(c).width);
      const total = widths.reduce((a, b) => a + b, 0);
      let x = s.halign === 'left' ? 0 : s.halign === 'right' ? this.w - total : (this.w - total) / 2;
      x += s.hoff;
      const y = (s.valign === 'top' ? 0 : s.valign === 'bottom' ? this.h - s.size : (this.h - s.size) / 2) + s.voff;
      const r = random(k * 131 + chars.length + 17), rnd = Array.from({ length: chars.length * 2 }, r);
      const places = chars.map((c, i) => { const p = { c, x, y, w: widths[i], h: s.size }; x += widths[i]; return p; });
      return { font, places, rnd, total, y };
    }
    async load() {
      await super.load();
      if (this.filter) {
        const name = FILTER_FILES[this.filter.name];
        const file = name ? await loadImage(this.codeUrl(name)) : null;
        this.filter.setImage(this.bgImage, this.config.frame, this.w, this.h, file);
      }
    }
    advance(dt) {
      const ph = stringPhase(this.config.strings, this.clock);
      const key = ph.index + ph.phase;
      if (key !== this.lastPhase) {
        this.lastPhase = key;
        const s = this.config.strings[ph.index];
        if (s && ph.phase === 'entry' && s.entrySound) Sound.play(this.codeUrl(s.entrySound));
        if (s && ph.phase === 'exit' && s.exitSound) Sound.play(this.codeUrl(s.exitSound));
      }
      if (this.filter) {
        this.filterSince += dt;
        if (this.filterSince >= Math.max(this.filter.delay, 1)) { this.filterSince = 0; this.filter.step(); }
      }
    }
    draw() {
      const { ctx, w, h, config: c } = this;
      if (this.filter && this.filter.ready) this.filter.draw(ctx);
      else drawBackground(ctx, c.frame, this.bgImage, w, h);
      // Before the first step (or with reduced motion) the first string stands still in its place.
      const ph = this.ready && this.clock > 0 ? stringPhase(c.strings, this.clock) : { index: c.strings.length ? 0 : -1, phase: 'hold', progress: 0 };
      if (ph.index >= 0 && ph.phase !== 'gap') {
        const s = c.strings[ph.index];
        const p = ph.phase === 'entry' ? ph.progress : ph.phase === 'exit' ? 1 - ph.progress : 1;
        const motion = ph.phase === 'entry' ? s.entry.motion : ph.phase === 'exit' ? s.exit.motion : 'static';
        this.drawString(s, this.layouts[ph.index], motion, p);
      }
      const hl = c.highlight;
      if (hl && this.pointer) this.drawFrameHighlight(hl.frame ? hl.colour : null);
    }
    drawString(s, L, motion, p) {
      const ctx = this.ctx, n = L.places.length;
      const lit = this.config.highlight && this.config.highlight.text && this.pointer ? this.config.highlight.colour : null;
      const shift = Math.floor(this.clock / Math.max(10, s.colourDelay));
      ctx.font = L.font; ctx.textBaseline = 'top';
      for (let i = 0; i < n; i++) {
        const ch = L.places[i];
        if (ch.c === ' ') continue;
        const at = motionPlace(motion, i, n, p, ch, this.w, this.h, L.rnd);
        if (!(at.alpha > 0)) continue;
        const colour = lit || (s.colours.length > 1 ? s.colours[(i + shift) % s.colours.length] : s.colours[0]);
        ctx.save();
        ctx.globalAlpha = Math.min(1, at.alpha);
        ctx.translate(at.x + ch.w / 2, at.y + ch.h / 2);
        if (at.scale !== 1) ctx.scale(at.scale, at.scale);
        this.drawGlyph(s, ch.c, -ch.w / 2, -ch.h / 2, colour);
        if (at.spark) { ctx.fillStyle = '#ffffff'; ctx.fillRect(-1, -ch.h / 2 - 3, 3, ch.h + 6); ctx.fillRect(-ch.w / 2 - 3, -1, ch.w + 6, 3); }
        ctx.restore();
      }
    }
    drawGlyph(s, c, x, y, colour) {
      const ctx = this.ctx;
      switch (s.effect) {
        case 'shadow': ctx.fillStyle = s.shadow; ctx.fillText(c, x + s.sx, y + s.sy); break;
        case 'softshadowbright': case 'softshadowdark':
          ctx.shadowColor = s.effect === 'softshadowbright' ? mix(s.shadow, '#ffffff', 0.5) : mix(s.shadow, '#000000', 0.5);
          ctx.shadowBlur = 4; ctx.shadowOffsetX = s.sx; ctx.shadowOffsetY = s.sy; break;
        case 'glowbright': case 'glowdark':
          ctx.shadowColor = s.effect === 'glowbright' ? mix(s.shadow, '#ffffff', 0.4) : mix(s.shadow, '#000000', 0.4);
          ctx.shadowBlur = 6; ctx.fillStyle = ctx.shadowColor; ctx.fillText(c, x, y); break;
        case 'engrave': ctx.fillStyle = '#000000'; ctx.fillText(c, x - 1, y - 1); ctx.fillStyle = '#ffffff'; ctx.fillText(c, x + 1, y + 1); break;
        case 'emboss': ctx.fillStyle = '#ffffff'; ctx.fillText(c, x - 1, y - 1); ctx.fillStyle = '#000000'; ctx.fillText(c, x + 1, y + 1); break;
        default: break;
      }
      ctx.fillStyle = colour;
      ctx.fillText(c, x, y);
      if (s.style.underline) ctx.fillRect(x, y + s.size, ctx.measureText(c).width, 1);
    }
    linkAt() { return this.config.link; }
    status() { return this.config.status; }
    links() { return this.config.link ? [{ link: this.config.link, text: this.describe() || this.config.link.url }] : []; }
    describe() { return this.config.strings.map((s) => s.text.trim()).filter(Boolean).join('\n'); }
  }

  function mix(a, b, t) {
    const pa = parseInt(a.slice(1), 16), pb = parseInt(b.slice(1), 16);
    const ch = (s) => Math.round(((pa >> s) & 255) * (1 - t) + ((pb >> s) & 255) * t);
    return `rgb(${ch(16)},${ch(8)},${ch(0)})`;
  }

  // ---- background filters of the image effects applet
  /**
   * One background filter. p1 and p2 are the catalogue's two sliders (0..100):
   * bubbles: count rising at a time, size of the largest in pixels; ripple: wave length in pixels, height;
   * fire: flame height in percent of the applet, heat; snow: flakes falling at a time (no wind);
   * lens: diameter in percent, magnification; twirl: steps of a full turn, twist; waves: waves across, intensity.
   */
  class Filter {
    constructor(f, w, h) {
      Object.assign(this, f);
      this.w = w; this.h = h; this.t = 0; this.ready = false;
      this.rnd = random(w * 31 + h);
      this.items = [];
    }
    /** @param {HTMLImageElement|null} file the effect's own picture (FILTER_FILES), if it came */
    setImage(img, frame, w, h, file = null) {
      // Bubbles and flakes are drawn with the effect's picture, flames in its palette;
      // without them, in shapes and colours of their own.
      this.sprite = this.name === 'fire' ? null : file;
      this.palette = this.name === 'fire' ? readPalette(file) : null;
      this.source = makeCanvas(w, h);
      drawBackground(this.source.getContext('2d'), frame, img, w, h);
      const r = this.rnd;
      if (this.name === 'bubbles') this.items = Array.from({ length: Math.max(0, this.p1) }, () => ({ x: r() * w, y: r() * h, s: 2 + r() * Math.max(2, this.p2), v: 0.5 + r() * 1.5 }));
      if (this.name === 'snow') this.items = Array.from({ length: Math.max(0, this.p1) }, () => ({ x: r() * w, y: r() * h, s: 1 + r() * 2.5, v: 0.6 + r() * 1.2, ph: r() * 6 }));
      if (this.name === 'fire') { this.fw = Math.max(8, Math.ceil(w / 4)); this.fh = Math.max(8, Math.ceil(h / 4)); this.heat = new Uint8Array(this.fw * this.fh); this.fire = makeCanvas(this.fw, this.fh); this.fireData = this.fire.getContext('2d').createImageData(this.fw, this.fh); }
      this.ready = true;
    }
    /** One update of the animation. */
    step() {
      this.t++;
      const { w, h } = this, r = this.rnd;
      if (this.name === 'bubbles') for (const b of this.items) { b.y -= b.v * 2; b.x += Math.sin((this.t + b.s) / 8) * 0.6; if (b.y + b.s < 0) { b.y = h + b.s; b.x = r() * w; } }
      if (this.name === 'snow') for (const f of this.items) { f.y += f.v * 1.5; f.x += Math.sin(this.t / 15 + f.ph) * 0.3; if (f.y > h + 3) { f.y = -3; f.x = r() * w; } }
      if (this.name === 'fire') this.burn();
    }
    burn() {
      const { fw, fh, heat } = this, r = this.rnd;
      const hot = 160 + Math.round(this.p2 * 0.95);
      for (let x = 0; x < fw; x++) heat[(fh - 1) * fw + x] = r() < 0.6 ? hot : 0;
      // The cooling per row spends the heat over Flame Height percent of the rows.
      const cool = hot / Math.max(1, fh * Math.max(1, this.p1) / 100);
      for (let y = 0; y < fh - 1; y++) {
        for (let x = 0; x < fw; x++) {
          const b = (y + 1) * fw;
          const s = heat[b + x] + heat[b + ((x + fw - 1) % fw)] + heat[b + ((x + 1) % fw)] + heat[Math.min(fh - 1, y + 2) * fw + x];
          heat[y * fw + x] = Math.max(0, s / 4 - cool * r() * 2);
        }
      }
      const d = this.fireData.data, pal = this.palette;
      for (let i = 0; i < heat.length; i++) {
        const v = heat[i];
        if (pal) {
          const c = pal[Math.min(pal.length - 1, Math.floor(v * pal.length / 256))];
          d[i * 4] = c[0]; d[i * 4 + 1] = c[1]; d[i * 4 + 2] = c[2];
        } else {
          d[i * 4] = Math.min(255, v * 2); d[i * 4 + 1] = Math.max(0, Math.min(255, (v - 60) * 2)); d[i * 4 + 2] = Math.max(0, (v - 180) * 3);
        }
        d[i * 4 + 3] = Math.min(255, v * 2);
      }
      this.fire.getContext('2d').putImageData(this.fireData, 0, 0);
    }
    draw(ctx) {
      const { w, h, source: src, t } = this;
      switch (this.name) {
        case 'bubbles':
          ctx.drawImage(src, 0, 0);
          ctx.strokeStyle = 'rgba(255,255,255,0.85)'; ctx.fillStyle = 'rgba(255,255,255,0.18)'; ctx.lineWidth = 1;
          // The picture is a solid disc: drawn half see-through, it reads as a bubble.
          ctx.globalAlpha = this.sprite ? 0.55 : 1;
          for (const b of this.items) {
            if (this.sprite) { ctx.drawImage(this.sprite, b.x - b.s / 2, b.y - b.s / 2, b.s, b.s); continue; }
            ctx.beginPath(); ctx.arc(b.x, b.y, b.s / 2, 0, Math.PI * 2); ctx.fill(); ctx.stroke();
          }
          ctx.globalAlpha = 1;
          return;
        case 'snow':
          ctx.drawImage(src, 0, 0); ctx.fillStyle = '#ffffff';
          // The flake picture at its own size for the nearest flakes, smaller for the far ones.
          for (const f of this.items) {
            if (this.sprite) ctx.drawImage(this.sprite, f.x, f.y, this.sprite.naturalWidth * f.s / 3.5, this.sprite.naturalHeight * f.s / 3.5);
            else ctx.fillRect(f.x, f.y, f.s, f.s);
          }
          return;
        case 'fire': ctx.drawImage(src, 0, 0); ctx.drawImage(this.fire, 0, 0, w, h); return;
        case 'ripple': case 'waves': {
          // Strips of the picture shifted along a sine: ripples run down the picture, waves across it.
          const ripple = this.name === 'ripple';
          const len = ripple ? Math.max(2, this.p1) : Math.max(1, w / Math.max(1, this.p1));
          const amp = ripple ? this.p2 / 10 : this.p2 / 8;
          const strip = 2;
          ctx.fillStyle = '#000'; ctx.fillRect(0, 0, w, h);
          if (ripple) for (let y = 0; y < h; y += strip) ctx.drawImage(src, 0, y, w, strip, Math.sin((y - t * 2) * 2 * Math.PI / len) * amp, y, w, strip);
          else for (let x = 0; x < w; x += strip) ctx.drawImage(src, x, 0, strip, h, x, Math.sin((x + t * 3) * 2 * Math.PI / len) * amp, strip, h);
          return;
        }
        case 'lens': {
          ctx.drawImage(src, 0, 0);
          const d = Math.max(4, Math.min(w, h) * this.p1 / 100), rad = d / 2;
          const cx = w / 2 + Math.cos(t / 40) * (w / 2 - rad), cy = h / 2 + Math.sin(t / 27) * (h / 2 - rad);
          const m = 1 + this.p2 / 50;
          ctx.save(); ctx.beginPath(); ctx.arc(cx, cy, rad, 0, Math.PI * 2); ctx.clip();
          ctx.drawImage(src, cx - rad / m, cy - rad / m, d / m, d / m, cx - rad, cy - rad, d, d);
          ctx.restore(); ctx.strokeStyle = 'rgba(0,0,0,0.5)'; ctx.beginPath(); ctx.arc(cx, cy, rad, 0, Math.PI * 2); ctx.stroke();
          return;
        }
        case 'twirl': {
          // Rings turned further the nearer the centre, swinging back and forth once every p1 updates.
          ctx.drawImage(src, 0, 0);
          const R = Math.hypot(w, h) / 2, rings = 12;
          const swing = Math.sin((t / Math.max(1, this.p1)) * Math.PI * 2) * (this.p2 / 100) * Math.PI;
          for (let i = 1; i < rings; i++) {
            const rr = R * (1 - i / rings);
            ctx.save(); ctx.beginPath(); ctx.arc(w / 2, h / 2, rr, 0, Math.PI * 2); ctx.clip();
            ctx.translate(w / 2, h / 2); ctx.rotate(swing * i / rings); ctx.drawImage(src, -w / 2, -h / 2);
            ctx.restore();
          }
          return;
        }
        default: ctx.drawImage(src, 0, 0);
      }
    }
  }

  // --------------------------------------------------------------- the page
  /** The object a page script reaches as document.<name>; it follows the scripting rules exactly. */
  function scriptInterface(player, kind) {
    const num = (v) => { const n = Number(v); return Number.isFinite(n) ? Math.trunc(n) || 0 : NaN; };
    const safe = (f, halted) => (...a) => { try { return f(...a); } catch { return halted; } };
    const api = {
      start: safe(() => { player.start(); }),
      stop: safe(() => { player.stop(); }),
      isRunning: safe(() => player.isRunning(), false),
    };
    if (kind === 'scroll') {
      api.faster = safe(() => { player.faster(); });
      api.slower = safe(() => { player.slower(); });
    }
    if (kind === 'present') {
      api.next = safe(() => { player.next(); });
      api.previous = safe(() => { player.previous(); });
      api.show = safe((n) => { const k = num(n); if (!Number.isNaN(k)) player.show(k); });
      api.current = safe(() => (player.ready ? player.current + 1 : 1), 1);
      api.imageCount = safe(() => player.config.images.length, 0);
    }
    return Object.freeze(api);
  }

  const players = [];
  let loopRunning = false, last = 0;
  const reducedMotion = () => typeof matchMedia === 'function' && matchMedia('(prefers-reduced-motion: reduce)').matches;

  function frameLoop(now) {
    const dt = last ? Math.min(250, Math.max(0, now - last)) : 0;
    last = now;
    const hidden = typeof document !== 'undefined' && document.hidden;
    for (const p of players) {
      if (hidden || !p.visible || p.failed > 3) continue;
      try { p.tick(dt); } catch (e) {
        // A fault of one applet must not stop the others; after a few it is left standing still.
        p.failed++;
        if (p.failed === 1 && typeof console !== 'undefined') console.warn('glintmere-applets:', e);
      }
    }
    requestAnimationFrame(frameLoop);
  }

  /** Replaces one applet element with the player of its kind. */
  function mount(el, kind) {
    const src = { attrs: new Map(), params: new Map() };
    for (const a of Array.from(el.attributes)) src.attrs.set(a.name.toLowerCase(), a.value);
    for (const p of Array.from(el.querySelectorAll('param'))) {
      const n = (p.getAttribute('name') || '').toLowerCase();
      if (n && !src.params.has(n)) src.params.set(n, p.getAttribute('value') ?? '');
    }
    const config = readApplet(src, kind);
    const still = reducedMotion();
    // A still picture must show the text, so a scroller that starts empty starts full instead.
    if (still && kind === 'scroll') config.startFull = true;
    const f = config.frame;
    const codebase = src.attrs.get('codebase') || '';
    const base = document.baseURI;

    const box = document.createElement('span');
    box.className = 'glintmere-applet';
    box.style.cssText = `display:inline-block;position:relative;margin:${f.vspace}px ${f.hspace}px;line-height:0;`;
    if (f.align === 'left' || f.align === 'right') box.style.cssFloat = f.align;
    else if (f.align) box.style.verticalAlign = { texttop: 'text-top', absmiddle: 'middle', absbottom: 'bottom' }[f.align] || f.align;
    const canvas = document.createElement('canvas');
    canvas.width = f.width; canvas.height = f.height;
    canvas.style.cssText = `display:block;width:${f.width}px;height:${f.height}px;`;
    canvas.setAttribute('aria-hidden', 'true');
    box.appendChild(canvas);

    const Kind = { scroll: ScrollPlayer, present: PresentPlayer, text: EffectsPlayer, image: EffectsPlayer }[kind];
    const player = new Kind(config, canvas, base);
    player.codebase = codebase;

    // What the applet shows, as text and real links, for screen readers and the keyboard.
    const copy = document.createElement('span');
    copy.style.cssText = 'position:absolute;left:0;top:0;width:1px;height:1px;overflow:hidden;clip-path:inset(50%);white-space:pre;';
    const described = player.describe();
    box.setAttribute('role', 'group');
    box.setAttribute('aria-label', f.name || kind);
    if (described) copy.appendChild(document.createTextNode(described + '\n'));
    for (const { link, text } of player.links()) {
      const a = document.createElement('a');
      a.href = player.url(link.url); a.textContent = text;
      if (link.target && link.target !== '_self') a.target = link.target;
      a.addEventListener('focus', () => { player.focusLink = link; player.dirty = true; box.style.outline = '2px solid Highlight'; });
      a.addEventListener('blur', () => { player.focusLink = null; player.dirty = true; box.style.outline = ''; });
      copy.appendChild(a);
      copy.appendChild(document.createTextNode('\n'));
    }
    box.appendChild(copy);

    const at = (e) => { const r = canvas.getBoundingClientRect(); return [(e.clientX - r.left) * f.width / (r.width || 1), (e.clientY - r.top) * f.height / (r.height || 1)]; };
    canvas.addEventListener('pointermove', (e) => {
      player.pointer = at(e);
      const link = player.linkAt(...player.pointer);
      if (link !== player.hover) { player.hover = link; player.dirty = true; }
      canvas.style.cursor = link ? 'pointer' : '';
      canvas.title = (link && link.message) || (player.status && player.status()) || (link ? link.url : '');
    });
    canvas.addEventListener('pointerleave', () => { player.pointer = null; player.hover = null; player.dirty = true; canvas.title = ''; });
    canvas.addEventListener('click', (e) => {
      const link = player.linkAt(...at(e));
      if (link) follow(player.url(link.url), link.target);
    });

    el.replaceWith(box);
    players.push(player);
    player.box = box;
    const api = scriptInterface(player, kind);
    if (f.name && /^[A-Za-z_$][\w$]*$/.test(f.name)) {
      try { Object.defineProperty(document, f.name, { value: api, configurable: true, writable: true }); } catch { /* a name the document keeps for itself */ }
    }
    player.api = api;

    if (typeof IntersectionObserver === 'function') {
      new IntersectionObserver((entries) => { for (const en of entries) player.visible = en.isIntersecting; }).observe(canvas);
    }
    if (still) {
      player.running = false;
      const play = document.createElement('button');
      play.type = 'button'; play.textContent = '\u25B6'; play.setAttribute('aria-label', 'Play animation');
      play.style.cssText = 'position:absolute;right:4px;bottom:4px;font:14px sans-serif;line-height:1;padding:4px 6px;';
      play.addEventListener('click', () => { player.start(); play.remove(); });
      box.appendChild(play);
    }
    player.draw();
    drawInitString(player, config.frame.initString);
    Promise.resolve().then(() => player.load()).catch(() => {}).then(() => {
      player.ready = true; player.dirty = true;
      });
    return player;
  }

  /** The text an applet shows while it loads: its own, or one of the reports the applets offered. */
  function drawInitString(player, init) {
    const reports = {
      _javaversion: 'JavaScript runtime', _javavendor: 'Glintmere', _javainfo: 'Glintmere applets in JavaScript',
      _url: typeof location !== 'undefined' ? location.href : '',
    };
    const text = Object.prototype.hasOwnProperty.call(reports, init) ? reports[init] : init;
    if (!text) return;
    const ctx = player.ctx;
    ctx.save();
    ctx.font = '12px Helvetica, Arial, sans-serif'; ctx.fillStyle = '#000000'; ctx.textBaseline = 'top';
    ctx.fillText(text, 4, 4, Math.max(1, player.w - 8));
    ctx.restore();
  }

  function follow(href, target) {
    if (!href) return;
    const t = String(target || '_self');
    if (t.toLowerCase() === '_self') location.assign(href);
    else if (t.toLowerCase() === '_top') (window.top || window).location.assign(href);
    else if (t.toLowerCase() === '_parent') (window.parent || window).location.assign(href);
    else window.open(href, TARGETS.has(t.toLowerCase()) ? t.toLowerCase() : t);
  }

  /** Finds the applets not yet played and replaces them. */
  function scan() {
    if (typeof document === 'undefined') return [];
    Sound.init();
    const made = [];
    for (const el of Array.from(document.getElementsByTagName('applet'))) {
      const kind = appletKind(el.getAttribute('code'));
      if (!kind) continue;
      try { made.push(mount(el, kind)); } catch (e) { if (typeof console !== 'undefined') console.warn('glintmere-applets:', e); }
    }
    if (made.length && !loopRunning) { loopRunning = true; requestAnimationFrame(frameLoop); }
    return made;
  }

  const api = {
    scan, players, readApplet, readScroller, readPresentation, readEffects, readTransition, readRun, readInt, readColour,
    appletKind, stringPhase, nextImage, ScrollState, ScrollPlayer, decodeAu, motionPlace, scriptInterface, unescapeText, LIMITS, MOTIONS, TRANSITIONS, FILTERS,
  };

  if (typeof module === 'object' && module && module.exports) module.exports = api;
  if (typeof document !== 'undefined' && root) {
    root.GlintmereApplets = api;
    if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', scan, { once: true });
    else scan();
  }
})(typeof window !== 'undefined' ? window : globalThis);
