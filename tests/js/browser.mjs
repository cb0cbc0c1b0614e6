// The applet runtime in a real browser: Debian's chromium, headless, driven through the DevTools
// protocol over a pipe. It opens the web the integration test left in js-fixtures/web (the four
// applets and a button bar), checks what a visitor sees, saves screenshots and short animations,
// and measures the script time per frame of each applet kind.
//   node tests/js/browser.mjs [FIXTURES] [OUTPUT]
import { spawn, execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const fixtures = process.argv[2] || process.env.GLINTMERE_JS_FIXTURES || path.join(here, '../../build/native/js-fixtures');
const output = process.argv[3] || path.join(here, '../../build/browser-screenshots');
const browser = process.env.CHROMIUM || '/usr/bin/chromium';
const web = path.join(fixtures, 'web');
fs.mkdirSync(output, { recursive: true });

// ---- a page of twenty applets for the benchmark, made of the four the bots wrote
const applets = ['scroller', 'presentation', 'text-effects', 'image-effects']
  .map((f) => fs.readFileSync(path.join(fixtures, f + '.html'), 'latin1'));
const bench = '<html><body>\n' + Array.from({ length: 20 }, (_, i) =>
  applets[i % 4].replace(/ name="[^"]*"/i, ` name="Bench${i}"`)).join('\n') +
  '\n<script src="./_glintmere/glintmere-applets.js"></script></body></html>\n';

// ---- the web over HTTP, as a visitor gets it
const types = { '.htm': 'text/html', '.html': 'text/html', '.js': 'text/javascript', '.gif': 'image/gif',
  '.jpg': 'image/jpeg', '.au': 'audio/basic', '.png': 'image/png' };
const server = http.createServer((req, res) => {
  const url = decodeURIComponent(new URL(req.url, 'http://x').pathname);
  if (url === '/bench.htm') { res.writeHead(200, { 'content-type': 'text/html' }); res.end(bench); return; }
  const file = path.join(web, path.normalize(url).replace(/^(\.\.[/\\])+/, ''));
  fs.readFile(file, (err, data) => {
    if (err) { res.writeHead(404); res.end(); return; }
    res.writeHead(200, { 'content-type': types[path.extname(file).toLowerCase()] || 'application/octet-stream' });
    res.end(data);
  });
});
await new Promise((r) => server.listen(0, '127.0.0.1', r));
const origin = `http://127.0.0.1:${server.address().port}`;

// ---- the browser, its protocol on file descriptors 3 (to it) and 4 (from it)
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'glintmere-chromium-'));
const chrome = spawn(browser, ['--headless=new', '--remote-debugging-pipe', '--no-sandbox', '--disable-gpu',
  '--no-first-run', '--mute-audio', `--user-data-dir=${profile}`, '--window-size=900,1200', 'about:blank'],
{ stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'] });
let nextId = 1, buffered = '';
const waiting = new Map(), listeners = [];
chrome.stdio[4].on('data', (chunk) => {
  buffered += chunk.toString('utf8');
  let end;
  while ((end = buffered.indexOf('\0')) >= 0) {
    const msg = JSON.parse(buffered.slice(0, end));
    buffered = buffered.slice(end + 1);
    if (msg.id && waiting.has(msg.id)) {
      const { resolve, reject } = waiting.get(msg.id);
      waiting.delete(msg.id);
      if (msg.error) reject(new Error(JSON.stringify(msg.error))); else resolve(msg.result);
    } else for (const l of listeners) l(msg);
  }
});
const send = (method, params = {}, sessionId) => new Promise((resolve, reject) => {
  const id = nextId++;
  const timer = setTimeout(() => { waiting.delete(id); reject(new Error(`${method}: no answer`)); }, 30000);
  waiting.set(id, { resolve: (v) => { clearTimeout(timer); resolve(v); }, reject: (e) => { clearTimeout(timer); reject(e); } });
  chrome.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + '\0');
});
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

let failures = 0;
const check = (ok, what) => { console.log(`${ok ? 'ok' : 'FAILED'}: ${what}`); if (!ok) failures++; };

const { targetId } = await send('Target.createTarget', { url: 'about:blank' });
const { sessionId } = await send('Target.attachToTarget', { targetId, flatten: true });
const page = (method, params) => send(method, params, sessionId);
const evaluate = async (expression) => {
  const r = await page('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true });
  if (r.exceptionDetails) throw new Error(r.exceptionDetails.exception?.description || r.exceptionDetails.text);
  return r.result.value;
};
await page('Page.enable');
await page('Runtime.enable');
const open = async (url) => {
  await page('Page.navigate', { url });
  for (let i = 0; i < 100; i++) {
    await sleep(100);
    const ready = await evaluate('!!window.GlintmereApplets && GlintmereApplets.players.length > 0 && GlintmereApplets.players.every((p) => p.ready)').catch(() => false);
    if (ready) return true;
  }
  return false;
};
const click = async (x, y) => {
  for (const type of ['mouseMoved', 'mousePressed', 'mouseReleased']) {
    await page('Input.dispatchMouseEvent', { type, x, y, button: type === 'mouseMoved' ? 'none' : 'left', clickCount: 1 });
  }
};
// A fingerprint of a canvas's pixels.
const pixels = (i) => evaluate(`(() => { const c = GlintmereApplets.players[${i}].canvas;
  const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data; let h = 0;
  for (let k = 0; k < d.length; k += 4) h = (Math.imul(h, 31) + d[k] + (d[k + 1] << 8) + (d[k + 2] << 16)) | 0; return h; })()`);

try {
  check(await open(origin + '/index.htm'), 'the page loads and every applet gets ready');
  const kinds = await evaluate(`GlintmereApplets.players.map((p) => p.config.kind)`);
  check(JSON.stringify(kinds) === JSON.stringify(['scroll', 'present', 'text', 'image']), `each applet became a player: ${kinds}`);
  check(await evaluate(`document.getElementsByTagName('applet').length === 0 && document.querySelectorAll('canvas').length === 4`),
    'the applet elements are replaced by canvases');
  check(await evaluate(`GlintmereApplets.players.every((p) => p.canvas.width === p.config.frame.width && p.canvas.height === p.config.frame.height)`),
    'each canvas has its applet\'s size');

  // Frames at different times differ where the effect moves (a string that holds still
  // for a second shows the same frame for that second, so several times are looked at).
  const seen = [0, 2, 3].map(() => new Set());
  for (let k = 0; k < 40; k++) {
    (await Promise.all([0, 2, 3].map(pixels))).forEach((h, i) => seen[i].add(h));
    await sleep(50);
  }
  ['scroller', 'text effects', 'image effects'].forEach((k, i) => check(seen[i].size > 1, `${k}: ${seen[i].size} different frames in 2 seconds`));

  // The flames burn in the colours of the catalogue's FirePalette.gif: every fully hot
  // pixel of the flame layer is one of the strip's colours.
  const flames = await evaluate(`(() => {
    const f = GlintmereApplets.players[3].filter; if (!f.palette) return { colours: 0, hot: 0, foreign: 0 };
    const known = new Set(f.palette.map((c) => c.join()));
    const d = f.fire.getContext('2d').getImageData(0, 0, f.fw, f.fh).data; let hot = 0, foreign = 0;
    for (let k = 0; k < d.length; k += 4) if (d[k + 3] === 255) { hot++; if (!known.has([d[k], d[k + 1], d[k + 2]].join())) foreign++; }
    return { colours: f.palette.length, hot, foreign };
  })()`);
  check(flames.colours === 64 && flames.hot > 0 && flames.foreign === 0,
    `image effects: the flames use FirePalette.gif's ${flames.colours} colours (${flames.hot} hot pixels, ${flames.foreign} others)`);
  // A string's sound is a name in the applet's code base, where the bots publish it.
  const stringSound = await evaluate(`GlintmereApplets.players[2].codeUrl('QFXChime.au')`);
  check(stringSound === origin + '/_glintmere/QFXChime.au', `text effects: a string's sound comes from the code base (${stringSound})`);

  // The scroller's first words are in its pixels: the frame with them is the frame without
  // them plus the words drawn where the runtime placed them.
  const words = await evaluate(`(() => {
    const p = GlintmereApplets.players[0]; p.running = false;
    p.state.offset = p.config.top; p.hover = null; p.pointer = null;
    const first = p.placed.find((q) => !q.head && q.row === 0 && q.run.text.trim());
    const copy = () => p.ctx.getImageData(0, 0, p.w, p.h).data;
    p.draw(); const shown = copy();
    const text = first.run.text; first.run.text = ''; p.draw(); first.run.text = text;
    const y = p.state.offset + first.row * p.lineHeight;
    p.ctx.save(); p.ctx.beginPath(); p.ctx.rect(0, p.config.top, p.w, p.h - p.config.top - p.config.bottom); p.ctx.clip();
    p.ctx.textBaseline = 'top'; p.ctx.font = first.font; p.ctx.fillStyle = first.run.colour; p.ctx.fillText(text, first.x, y);
    p.ctx.restore();
    const redrawn = copy(); p.draw();
    let same = 0, ink = 0;
    for (let k = 0; k < shown.length; k++) { if (shown[k] === redrawn[k]) same++; }
    p.ctx.fillStyle = p.config.frame.background;
    return { text, same: same / shown.length, ink: (() => { let n = 0; const bg = parseInt(p.config.frame.background.slice(1), 16);
      const d = shown; for (let yy = Math.max(0, Math.floor(y)); yy < Math.min(p.h, y + p.lineHeight); yy++)
        for (let xx = Math.floor(first.x); xx < Math.min(p.w, first.x + first.width); xx++) {
          const k = (yy * p.w + xx) * 4; if (Math.abs(d[k] - (bg >> 16)) + Math.abs(d[k + 1] - ((bg >> 8) & 255)) + Math.abs(d[k + 2] - (bg & 255)) > 150) n++; }
      return n; })() };
  })()`);
  check(words.text.trim() === 'Fresh' && words.same === 1 && words.ink > 10,
    `the scroller shows its first word "${words.text.trim()}" (pixels equal: ${words.same}, ink: ${words.ink})`);

  // Hovering a linked run shows its message; clicking it opens its page in a new window.
  const link = await evaluate(`(() => {
    const p = GlintmereApplets.players[0]; p.draw();
    const q = p.placed.find((r) => r.run.link); const box = p.canvas.getBoundingClientRect();
    return { x: box.left + q.x + q.width / 2, y: box.top + p.state.offset + q.row * p.lineHeight + p.lineHeight / 2, url: q.run.link.url };
  })()`);
  await page('Input.dispatchMouseEvent', { type: 'mouseMoved', x: link.x, y: link.y });
  await sleep(50);
  check(await evaluate(`GlintmereApplets.players[0].canvas.title`) === 'Order a cake', 'hovering the linked run shows its status message');
  await click(link.x, link.y);
  let opened = null;
  for (let i = 0; i < 30 && !opened; i++) {
    await sleep(100);
    opened = (await send('Target.getTargets')).targetInfos.find((t) => t.url.endsWith('/' + link.url));
  }
  check(!!opened, `clicking the linked run opens ${link.url}`);
  // The new window hid this page (and a hidden page's applets rest): back to it.
  if (opened) await send('Target.closeTarget', { targetId: opened.targetId });
  await send('Target.activateTarget', { targetId });
  await sleep(200);
  await page('Input.dispatchMouseEvent', { type: 'mouseMoved', x: 1, y: 1 });

  // The button bar's "next" brings in the presentation's next picture.
  const next = await evaluate(`(() => { const a = document.querySelector('a[onclick*="Slides.next()"]');
    const r = a.getBoundingClientRect(); return { x: r.left + r.width / 2, y: r.top + r.height / 2, current: document.Slides.current() }; })()`);
  const picture = await pixels(1);
  await click(next.x, next.y);
  // The picture slides in over a few frames: a busy machine draws them late.
  let moved = false;
  for (let i = 0; i < 40 && !moved; i++) {
    await sleep(100);
    moved = (await pixels(1)) !== picture;
  }
  const current = await evaluate('document.Slides.current()');
  check(current === next.current % 2 + 1 && moved,
    `the button bar's next button moves the presentation from image ${next.current} to ${current}`);

  // Pictures: the page, and a short animation of each applet.
  await evaluate(`GlintmereApplets.players.forEach((p) => p.start())`);
  const shot = async (file, clip) => {
    const r = await page('Page.captureScreenshot', { format: 'png', ...(clip ? { clip: { ...clip, scale: 1 } } : {}) });
    fs.writeFileSync(file, Buffer.from(r.data, 'base64'));
  };
  await shot(path.join(output, 'page.png'));
  const boxes = await evaluate(`GlintmereApplets.players.map((p) => { const r = p.canvas.getBoundingClientRect();
    return { x: r.left + scrollX, y: r.top + scrollY, width: r.width, height: r.height }; })`);
  const names = ['scroller', 'presentation', 'text-effects', 'image-effects'];
  const frames = fs.mkdtempSync(path.join(os.tmpdir(), 'glintmere-frames-'));
  for (let i = 0; i < 4; i++) {
    if (i === 1) await evaluate('document.Slides.next()');
    const files = [];
    for (let f = 0; f < 16; f++) {
      const file = path.join(frames, `${names[i]}-${String(f).padStart(2, '0')}.png`);
      await shot(file, boxes[i]);
      files.push(file);
      await sleep(i === 1 ? 40 : 120);
    }
    fs.copyFileSync(files[files.length - 1], path.join(output, names[i] + '.png'));
    try {
      execFileSync('convert', ['-delay', i === 1 ? '4' : '12', '-loop', '0', ...files, path.join(output, names[i] + '.gif')]);
      console.log(`animation: ${path.join(output, names[i] + '.gif')}`);
    } catch (e) { check(false, `making ${names[i]}.gif: ${e.message}`); }
  }
  fs.rmSync(frames, { recursive: true, force: true });

  // Script time per frame of each kind, and of a page of twenty applets, over 300 frames.
  check(await open(origin + '/bench.htm'), 'the page of twenty applets loads');
  const bench = await evaluate(`(() => {
    const all = GlintmereApplets.players; all.forEach((p) => { p.visible = false; p.running = true; });
    const frames = 300, budget = 1000 / 60;
    const per = (list) => { const t0 = performance.now(); for (let f = 0; f < frames; f++) for (const p of list) { p.tick(budget); } return (performance.now() - t0) / frames / budget; };
    const kinds = {};
    for (const k of ['scroll', 'present', 'text', 'image']) kinds[k] = per([all.find((p) => p.config.kind === k)]);
    // The presentation moves only in its transitions: measure it bringing in pictures all along.
    const show = all.find((p) => p.config.kind === 'present'); show.config.imageDelay = 0;
    kinds.present = Math.max(kinds.present, per([show]));
    return { kinds, page: per(all), count: all.length };
  })()`);
  for (const [k, r] of Object.entries(bench.kinds)) {
    console.log(`benchmark: ${k} ${r.toFixed(3)} of a frame's 16.7 ms (goal < 0.12)`);
    check(r < 0.36, `${k}: script time per frame within three times the goal`);
  }
  console.log(`benchmark: page of ${bench.count} applets ${bench.page.toFixed(3)} of a frame (goal < 1.0)`);
  check(bench.page < 3.0, 'page of twenty applets: script time per frame within three times the goal');
} catch (e) {
  check(false, e.stack || String(e));
} finally {
  chrome.kill();
  server.close();
  // The browser writes its profile until it has gone.
  await new Promise((r) => { if (chrome.exitCode !== null) r(); else { chrome.once('exit', r); setTimeout(r, 5000); } });
  try { fs.rmSync(profile, { recursive: true, force: true }); } catch { /* left in the temporary folder */ }
}
console.log(failures ? `browser test: ${failures} FAILED` : 'browser test: all passed');
process.exit(failures ? 1 : 0);
