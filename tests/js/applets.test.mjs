// The applet runtime's parameter readers and timelines, on the applet tags the bots write.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const runtimePath = process.env.GLINTMERE_APPLETS_JS ||
  path.join(here, '../../data/master/_glintmere/glintmere-applets.js');
const fixtures = process.env.GLINTMERE_JS_FIXTURES || path.join(here, '../../build/native/js-fixtures');
const A = createRequire(import.meta.url)(runtimePath);

// An applet tag as a browser hands it to the runtime: attribute and param names
// without regard to case, param values with the writer's four entities undone.
function source(html) {
  const entity = (v) => v.replace(/&(quot|lt|gt|amp);/g, (_, e) => ({ quot: '"', lt: '<', gt: '>', amp: '&' })[e]);
  const attrs = new Map(), params = new Map();
  const open = /<applet\s([^>]*)>/i.exec(html);
  for (const m of (open ? open[1] : '').matchAll(/([\w-]+)="([^"]*)"/g)) attrs.set(m[1].toLowerCase(), m[2]);
  for (const m of html.matchAll(/<param name=([^\s>]+) value=(?:"([^"]*)"|([^\s>]*))>/g)) {
    const n = m[1].toLowerCase();
    if (!params.has(n)) params.set(n, entity(m[2] ?? m[3] ?? ''));
  }
  return { attrs, params };
}
const fixture = (name) => source(fs.readFileSync(path.join(fixtures, name), 'utf8'));
const tag = (attrs, params) => source(`<applet ${Object.entries(attrs).map(([k, v]) => `${k}="${v}"`).join(' ')} >` +
  Object.entries(params).map(([k, v]) => `\n<param name=${k} value="${v}">`).join('') + '\n</applet>');

test('the four applets as the bots write them', async (t) => {
  await t.test('scroller', () => {
    const src = fixture('scroller.html');
    assert.equal(A.appletKind(src.attrs.get('code')), 'scroll');
    const c = A.readApplet(src, 'scroll');
    assert.equal(c.frame.name, 'HarbourNews');
    assert.equal(c.frame.background, '#ffffe0');
    assert.deepEqual(c.lines.map((l) => l.runs.map((r) => r.text).join('')), ['Fresh bread every morning', 'Cakes to order']);
    const bread = c.lines[0].runs.find((r) => r.text === 'bread');
    assert.ok(bread && bread.bold && !bread.italic);
    const cakes = c.lines[1].runs.find((r) => r.link);
    assert.equal(cakes.text, 'Cakes');
    assert.equal(cakes.colour, '#000080');
    assert.deepEqual(cakes.link, { url: 'cakes.htm', target: '_blank', highlight: '#0000ff', message: 'Order a cake' });
    assert.deepEqual([c.stepDelay, c.stepSize, c.pauseOnEnter, c.startFull, c.font.face, c.font.size], [20, 1, true, false, 'Helvetica', 12]);
  });
  await t.test('presentation', () => {
    const src = fixture('presentation.html');
    assert.equal(A.appletKind(src.attrs.get('code')), 'present');
    const c = A.readApplet(src, 'present');
    assert.equal(c.frame.name, 'Slides');
    assert.deepEqual(c.images.map((i) => i.src), ['./_glintmere/GMQFXLogo.gif', './_glintmere/GMRFXLogo.gif']);
    assert.deepEqual(c.images[0].transition, { name: 'shutter', vertical: true, bands: 12 });
    assert.deepEqual(c.images[0].link, { url: 'news.htm', target: '_self' });
    assert.equal(c.images[1].transition.name, 'random');
    assert.deepEqual([c.mode, c.imageDelay, c.stepDelay, c.steps], ['_none', 3000, 20, 8]);
  });
  await t.test('text effects', () => {
    const src = fixture('text-effects.html');
    assert.equal(A.appletKind(src.attrs.get('code')), 'text');
    const [s] = A.readApplet(src, 'text').strings;
    assert.deepEqual([s.text, s.face, s.size, s.effect, s.shadow, s.sx, s.sy, s.halign, s.valign],
      ['Harbour news', 'Helvetica', 16, 'glowdark', '#808080', 2, 2, 'center', 'center']);
    assert.deepEqual([s.colours, s.colourDelay, s.entry, s.exit, s.hold, s.run],
      [['#000000'], 80, { motion: 'fromthecenter', duration: 100 }, { motion: 'fromthecenter', duration: 100 }, 1000, 0]);
  });
  await t.test('image effects', () => {
    const src = fixture('image-effects.html');
    assert.equal(A.appletKind(src.attrs.get('code')), 'image');
    const c = A.readApplet(src, 'image');
    assert.deepEqual(c.filter, { name: 'fire', delay: 20, p1: 50, p2: 70 });
    assert.equal(c.frame.name, 'Lights');
    assert.equal(c.strings[0].text, 'Harbour lights');
    assert.deepEqual(c.strings[0].entry, { motion: 'fromthecenter', duration: 2000 });
  });
});

test('applet codes', () => {
  for (const [code, kind] of [['KelScroll', 'scroll'], ['kelpresent.CLASS', 'present'], [' KelText.class ', 'text'],
    ['KELIMAGE', 'image'], ['KelScroller', null], ['Other.class', null], ['', null], [undefined, null]]) {
    assert.equal(A.appletKind(code), kind, String(code));
  }
});

test('runs: text escapes, styles, line ends and links', () => {
  for (const [text, style, url, want] of [
    ['a\\u0020', '_bolditalicsunderline|ff0000', '', { text: 'a ', bold: true, italic: true, underline: true, colour: '#ff0000', link: null, newline: false, pause: 0 }],
    ['b', '_plain|000000|_newline,250', 'x.htm|_top|_none|Hi | there', { text: 'b', colour: '#000000', link: { url: 'x.htm', target: '_top', highlight: null, message: 'Hi | there' }, newline: true, pause: 250 }],
    ['', '_plain|zzz|_newline,-5', 'y.htm|main|00ff00', { text: '', colour: '#000000', link: { url: 'y.htm', target: 'main', highlight: '#00ff00', message: '' }, newline: true, pause: 0 }],
  ]) {
    const r = A.readRun(text, style, url);
    const got = { ...r.run, newline: r.newline, pause: r.pause };
    for (const [k, v] of Object.entries(want)) assert.deepEqual(got[k], v, `${style} ${k}`);
  }
});

test('transitions: every keyword the presentation page offers, and junk', () => {
  const named = ['_basic', '_slide|_horizontal', '_push|_vertical', '_split|_vertical', '_swap|_horizontal',
    '_shutter|_horizontal|20', '_fade', '_dissolve', '_sparkle', '_rotate|_vertical', '_boxwipe', '_ulwipe', '_llwipe',
    '_urwipe', '_lrwipe', '_random'];
  for (const k of named) assert.equal(A.readTransition(k).name, k.split('|')[0].slice(1), k);
  assert.deepEqual(A.readTransition('_shutter|_vertical|100000'), { name: 'shutter', vertical: true, bands: A.LIMITS.shutters });
  for (const junk of ['_explode', '', 'fade|', '|||']) assert.notEqual(A.readTransition(junk).name, undefined, junk);
  assert.equal(A.readTransition('_explode').name, 'basic');
});

test('text and image strings formats', () => {
  const text = A.readApplet(tag({ code: 'KelText' }, {
    TextCount: '1', Text1: 'Hi', Font1: 'Courier|20|_italic|_right,3|_bottom,-4|_emboss,ff0000,-1,9',
    MotionEffect1: '_typing,300|_sparkle,400|2000|500', Colors1: '120|ff0000,,00ff00,', SoundEffect1: './_glintmere/a.au|',
  }), 'text').strings[0];
  assert.deepEqual([text.face, text.size, text.style.italic, text.halign, text.hoff, text.valign, text.voff, text.effect, text.shadow, text.sx, text.sy],
    ['Courier', 20, true, 'right', 3, 'bottom', -4, 'emboss', '#ff0000', -1, 5]);
  assert.deepEqual([text.entry, text.exit, text.hold, text.run, text.colours, text.colourDelay, text.entrySound, text.exitSound],
    [{ motion: 'typing', duration: 300 }, { motion: 'sparkle', duration: 400 }, 2000, 500, ['#ff0000', '#00ff00'], 120, './_glintmere/a.au', '']);
  const image = A.readApplet(tag({ code: 'KelImage' }, {
    TextCount: '1', Text1: 'x', Font1: 'Dialog|12|_plain|0000ff|_left,0|_top,0|_shadow,000000,2,2',
    MotionEffect1: '_jitter,10,30|_tickertop,5,40|100|0', AppBGFilter: 'Ripple|0|30|100',
  }), 'image');
  assert.deepEqual([image.strings[0].colours, image.strings[0].entry, image.strings[0].exit.duration, image.filter],
    [['#0000ff'], { motion: 'jitter', duration: 300 }, 200, { name: 'ripple', delay: 0, p1: 30, p2: 100 }]);
});

test('bad input shows what it can and never throws', () => {
  const cases = [
    ['scroll', { RunCount: '100000', RunText5: 'five' }, (c) => c.lines.length === 1 && c.lines[0].runs.length === A.LIMITS.runs],
    ['scroll', { RunCount: 'abc', StepDelay: 'x', StepSize: '-9', Font: '||', TextAlign: ',' }, (c) => c.lines.length === 0 && c.stepDelay === 20 && c.stepSize === 1 && c.font.size === 12],
    ['scroll', { RunCount: '2', RunText1: 'a', LineCount: '99999', LineSound9: 'x.au' }, (c) => c.lines.length === 1],
    ['present', { NumImages: '-5' }, (c) => c.images.length === 0],
    ['present', { NumImages: '1000000000', Image1: 'a.gif', Mode: '_sideways', ImageDelay: 'soon' }, (c) => c.images.length === A.LIMITS.images && c.mode === '_none' && c.imageDelay === 3000],
    ['text', { TextCount: '3', Text2: 'two' }, (c) => c.strings.length === 3 && c.strings[1].text === 'two' && c.strings[0].colours[0] === '#000000'],
    ['text', { TextCount: '999999' }, (c) => c.strings.length === A.LIMITS.strings],
    ['image', { AppBGFilter: 'Explode|x|500|-4' }, (c) => c.filter.name === 'none' && c.filter.p1 === 100 && c.filter.p2 === 0],
    ['image', {}, (c) => c.strings.length === 0 && c.filter.name === 'none'],
  ];
  for (const [kind, params, ok] of cases) {
    const c = A.readApplet(tag({ code: 'x', width: 'wide', height: '99999' }, params), kind);
    assert.ok(ok(c), `${kind} ${JSON.stringify(params)}`);
    assert.deepEqual([c.frame.width, c.frame.height], [320, A.LIMITS.size]);
  }
});

test('string show timeline: entry, hold, exit, run delay, then the next string', () => {
  const s = (entry, hold, exit, run) => ({ entry: { duration: entry }, hold, exit: { duration: exit }, run });
  const show = [s(100, 1000, 100, 50), s(0, 500, 200, 0)];
  for (const [t, want] of [
    [0, [0, 'entry', 0]], [50, [0, 'entry', 0.5]], [100, [0, 'hold', 0]], [1150, [0, 'exit', 0.5]],
    [1225, [0, 'gap', 0.5]], [1250, [1, 'hold', 0]], [1750, [1, 'exit', 0]], [1950, [0, 'entry', 0]], [1950 * 3 + 60, [0, 'entry', 0.6]],
  ]) {
    const p = A.stringPhase(show, t);
    assert.deepEqual([p.index, p.phase, +p.progress.toFixed(3)], want, `t=${t}`);
  }
  assert.equal(A.stringPhase([], 10).index, -1);
  assert.deepEqual(A.stringPhase([s(0, 0, 0, 0)], 10), { index: 0, phase: 'hold', progress: 0 });
});

test('presentation: the image that comes next in each mode', () => {
  const never = () => 0.99;
  for (const [mode, current, count, want] of [
    ['_none', 0, 3, { next: 1, halt: false }], ['_none', 2, 3, { next: 0, halt: false }],
    ['_cycletoend', 0, 3, { next: 1, halt: false }], ['_cycletoend', 1, 3, { next: 2, halt: true }], ['_cycletoend', 2, 3, { next: 0, halt: false }],
    ['_cycletobegin', 1, 3, { next: 2, halt: false }], ['_cycletobegin', 2, 3, { next: 0, halt: true }],
    ['_none', 0, 1, { next: 0, halt: true }],
  ]) assert.deepEqual(A.nextImage(mode, current, count, never), want, `${mode} ${current}/${count}`);
  for (const mode of ['_random', '_first']) {
    for (let k = 0; k < 20; k++) {
      const n = A.nextImage(mode, 1, 4, Math.random).next;
      assert.ok(n !== 1 && n >= 0 && n < 4, `${mode} gave ${n}`);
    }
  }
});

test('scroller: steps, a line pause at the top margin, and the wrap to the bottom', () => {
  const st = new A.ScrollState({ lineTops: [0, 20, 40], pauses: [0, 500, 0], height: 60, areaTop: 5, areaBottom: 100, startFull: false });
  assert.equal(st.offset, 100);
  const pauses = [];
  for (let i = 0; i < 200 && st.wraps === 0; i++) {
    const p = st.step(7);
    if (p) { pauses.push([p, st.offset + 20]); st.holdLeft = 0; }
  }
  assert.deepEqual(pauses, [[500, 5]]);
  assert.equal(st.wraps, 1);
  assert.equal(st.offset, 100);
  const full = new A.ScrollState({ lineTops: [0, 20], pauses: [0, 0], height: 40, areaTop: 5, areaBottom: 100, startFull: true });
  assert.equal(full.offset, 5);
});

test('.au sounds decode to samples', () => {
  const au = (encoding, channels, bytes, declared = bytes.length) => {
    const b = new ArrayBuffer(24 + bytes.length), v = new DataView(b);
    [0x2e736e64, 24, declared, encoding, 8000, channels].forEach((x, i) => v.setUint32(i * 4, x >>> 0));
    bytes.forEach((x, i) => v.setUint8(24 + i, x));
    return b;
  };
  for (const [name, buf, want] of [
    ['mu-law', au(1, 1, [0xff, 0x7f, 0x00, 0x80]), [[0, 0, -32124 / 32768, 32124 / 32768]]],
    ['8-bit linear', au(2, 1, [0x80, 0x40]), [[-1, 0.5]]],
    ['16-bit stereo', au(3, 2, [0x40, 0x00, 0xc0, 0x00]), [[0.5], [-0.5]]],
    ['unknown size', au(2, 1, [0x40], 0xffffffff), [[0.5]]],
    ['size past the end', au(2, 1, [0x40], 1000), [[0.5]]],
  ]) {
    const d = A.decodeAu(buf);
    assert.equal(d.rate, 8000, name);
    assert.deepEqual(d.channels.map((c) => Array.from(c, (x) => +x.toFixed(5))), want.map((c) => c.map((x) => +x.toFixed(5))), name);
  }
  for (const bad of [new ArrayBuffer(4), au(99, 1, [1]), au(1, 0, [1]), new TextEncoder().encode('RIFF0000WAVEfmt blahblahblah').buffer]) {
    assert.equal(A.decodeAu(bad), null);
  }
  const chime = fs.readFileSync(path.join(here, '../../data/master/_glintmere/QFXChime.au'));
  const d = A.decodeAu(chime.buffer.slice(chime.byteOffset, chime.byteOffset + chime.byteLength));
  assert.ok(d && d.rate === 8000 && d.channels[0].length > 1000);
});

test('script interface: numbers as the scripting rules read them', () => {
  const calls = [];
  const player = { ready: true, current: 2, config: { images: [1, 2, 3] }, show: (n) => calls.push(n),
    start() { throw new Error('never out of the method'); }, stop() {}, isRunning: () => true, next() {}, previous() {} };
  const api = A.scriptInterface(player, 'present');
  for (const arg of [2.9, '3', -0.5, 'x', undefined, NaN, Infinity, null, [2]]) api.show(arg);
  assert.deepEqual(calls, [2, 3, 0, 0, 2]);
  assert.equal(api.start(), undefined);
  assert.deepEqual([api.current(), api.imageCount(), api.isRunning()], [3, 3, true]);
  assert.deepEqual(Object.keys(api).sort(), ['current', 'imageCount', 'isRunning', 'next', 'previous', 'show', 'start', 'stop']);
  assert.deepEqual(Object.keys(A.scriptInterface(player, 'scroll')).sort(), ['faster', 'isRunning', 'slower', 'start', 'stop']);
  assert.deepEqual(Object.keys(A.scriptInterface(player, 'image')).sort(), ['isRunning', 'start', 'stop']);
  assert.equal(A.scriptInterface({ ...player, ready: false }, 'present').current(), 1);
});

test('button bar templates call only methods of the script interface', () => {
  const folder = path.join(here, '../../data/master/ButtonBarTemplates');
  const methods = new Set(Object.keys(A.scriptInterface({ config: { images: [] } }, 'scroll'))
    .concat(Object.keys(A.scriptInterface({ config: { images: [] } }, 'present'))));
  for (const f of fs.readdirSync(folder)) {
    for (const m of fs.readFileSync(path.join(folder, f), 'latin1').matchAll(/document\.#applet_name2#\.(\w+)\(/g)) {
      assert.ok(methods.has(m[1]), `${f}: ${m[1]}`);
    }
  }
});

test('every text motion ends with each character in its place', () => {
  const ch = { x: 40, y: 30, w: 8, h: 16 }, rnd = Array.from({ length: 20 }, (_, i) => (i * 7 % 10) / 10);
  for (const motion of A.MOTIONS) {
    for (const i of [0, 3, 9]) {
      const at = A.motionPlace(motion, i, 10, 1, ch, 320, 240, rnd);
      assert.deepEqual([Math.round(at.x), Math.round(at.y), at.alpha, at.scale], [40, 30, 1, 1], `${motion} #${i}`);
    }
    const start = A.motionPlace(motion, 3, 10, 0, ch, 320, 240, rnd);
    const moved = start.x !== 40 || start.y !== 30 || start.alpha < 1 || start.scale !== 1;
    assert.equal(moved, motion !== 'static', `${motion} at its start`);
  }
});

test('scroller speed: faster and slower keep to 10..200 ms in steps of 5', () => {
  const canvas = { width: 100, height: 50, getContext: () => ({ measureText: () => ({ width: 10 }) }) };
  const config = A.readApplet(tag({ code: 'KelScroll' }, { RunCount: '1', RunText1: 'a', RunStyle1: '_plain|000000|_newline,0' }), 'scroll');
  for (const [start, calls, want] of [
    [20, ['faster'], 15], [12, ['faster'], 10], [10, ['faster', 'faster'], 10], [200, ['slower'], 200],
    [198, ['slower'], 200], [500, ['faster'], 200], [3, ['slower'], 10], [20, ['slower', 'slower', 'faster'], 25],
  ]) {
    const player = new A.ScrollPlayer({ ...config, stepDelay: start }, canvas, 'http://x/');
    const api = A.scriptInterface(player, 'scroll');
    api.faster();
    assert.equal(player.stepDelay, start, 'no change before the applet is ready');
    player.ready = true;
    for (const c of calls) api[c]();
    assert.equal(player.stepDelay, want, `${start} ${calls}`);
    assert.equal(api.isRunning(), true);
    api.stop();
    assert.equal(api.isRunning(), false);
  }
});
