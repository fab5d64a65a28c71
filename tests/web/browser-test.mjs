// The web build in a real browser: serves build-web/ on 127.0.0.1, drives Debian's
// headless Chromium over its DevTools protocol (a pipe, no download), and compares what
// the pages show with headless runs of the native build.
//   node tests/web/browser-test.mjs <web build folder> <native build folder>
import {spawn, spawnSync} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const webBuild = path.resolve(process.argv[2] || 'build-web');
const nativeBuild = path.resolve(process.argv[3] || 'build');
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'parvolin-web-'));
const shotsOut = path.join(webBuild, 'browser-shots');
fs.rmSync(shotsOut, {recursive: true, force: true});
fs.mkdirSync(shotsOut, {recursive: true});

// --- the native run the pages are compared with: Vorlequin's demo, headless ---
const demoScript = path.join(root, 'game/demo.script');
const nativeRun = path.join(scratch, 'native');
fs.mkdirSync(path.join(nativeRun, 'program'), {recursive: true});
for (const file of ['Vorlequin', 'vorlequin-menu.png', 'apple.gif'])
  fs.copyFileSync(path.join(nativeBuild, 'game', file), path.join(nativeRun, 'program', file));
fs.chmodSync(path.join(nativeRun, 'program', 'Vorlequin'), 0o755);
const native = spawnSync(path.join(nativeRun, 'program', 'Vorlequin'), [], {
  cwd: nativeRun, env: {...process.env, PARVOLIN_VIDEO: 'headless', PARVOLIN_SCRIPT: demoScript}, encoding: 'utf8',
  timeout: 120000});
if (native.status !== 0) throw new Error(`the native demo run failed: ${native.status} ${native.stderr}`);
const nativeShots = fs.readdirSync(nativeRun).filter(name => name.endsWith('.png')).sort();

// --- a server for the build and the scripts, on the loopback address only ---
const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.png': 'image/png'};
const server = http.createServer((request, response) => {
  const url = decodeURIComponent(new URL(request.url, 'http://x').pathname);
  let file = url.startsWith('/native/') ? path.join(nativeRun, url.slice(8))
    : url.startsWith('/source/') ? path.join(root, url.slice(8)) : path.join(webBuild, url);
  if (!file.startsWith(webBuild) && !file.startsWith(nativeRun) && !file.startsWith(root)) file = '';
  if (file && fs.existsSync(file) && fs.statSync(file).isDirectory()) file = path.join(file, 'index.html');
  if (!file || !fs.existsSync(file)) { response.writeHead(404); response.end(); return; }
  response.writeHead(200, {'Content-Type': types[path.extname(file)] || 'application/octet-stream'});
  fs.createReadStream(file).pipe(response);
});
await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
const base = `http://127.0.0.1:${server.address().port}`;

// --- Chromium over --remote-debugging-pipe: JSON messages ending in a NUL byte ---
const browser = spawn('chromium', ['--headless=new', '--remote-debugging-pipe', '--no-sandbox', '--disable-gpu',
  '--no-first-run', '--mute-audio', '--autoplay-policy=user-gesture-required', `--user-data-dir=${scratch}/profile`,
  '--window-size=600,800', 'about:blank'], {stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe']});
let browserErrors = '';
// A browser that dies or stops answering fails the run instead of hanging it.
browser.on('exit', code => {
  for (const {reject} of waiting.values()) reject(new Error(`chromium ended (${code}): ${browserErrors.slice(-2000)}`));
  waiting.clear();
});
setTimeout(() => {
  console.log('FAILED the browser tests took more than 10 minutes');
  process.exit(1);
}, 600000).unref();
browser.stderr.on('data', data => { browserErrors += data; });
let nextId = 1;
const waiting = new Map();
const listeners = [];
let pending = Buffer.alloc(0);
browser.stdio[4].on('data', data => {
  pending = Buffer.concat([pending, data]);
  for (let end; (end = pending.indexOf(0)) >= 0; pending = pending.subarray(end + 1)) {
    const message = JSON.parse(pending.subarray(0, end).toString());
    if (message.id && waiting.has(message.id)) {
      const {resolve, reject} = waiting.get(message.id);
      waiting.delete(message.id);
      message.error ? reject(new Error(JSON.stringify(message.error))) : resolve(message.result);
    } else {
      for (const listener of listeners) listener(message);
    }
  }
});
function send(method, params = {}, sessionId) {
  const id = nextId++;
  browser.stdio[3].write(JSON.stringify({id, method, params, sessionId}) + '\0');
  return new Promise((resolve, reject) => waiting.set(id, {resolve, reject}));
}

// beforeLoad runs in the page before its own scripts; dialogs are accepted and kept.
async function openPage(url, beforeLoad) {
  const {targetId} = await send('Target.createTarget', {url: 'about:blank'});
  const {sessionId} = await send('Target.attachToTarget', {targetId, flatten: true});
  const page = {
    console: [],
    dialogs: [],
    call: (method, params) => send(method, params, sessionId),
    async evaluate(expression) {
      const result = await send('Runtime.evaluate', {expression, awaitPromise: true, returnByValue: true}, sessionId);
      if (result.exceptionDetails) throw new Error(`${expression}: ${JSON.stringify(result.exceptionDetails)}`);
      return result.result.value;
    },
    async until(expression, what, seconds = 60) {
      for (const end = Date.now() + seconds * 1000; Date.now() < end;) {
        if (await page.evaluate(expression)) return;
        await new Promise(resolve => setTimeout(resolve, 50));
      }
      const shot = `timed-out-${what.replace(/\W+/g, '-')}.png`;
      await screenshot(page, shot);
      throw new Error(`timed out waiting for ${what} (the page is in ${shot}); console: ${page.console.slice(-10).join(' | ')}`);
    },
    close: () => send('Target.closeTarget', {targetId}),
  };
  listeners.push(message => {
    if (message.sessionId === sessionId && message.method === 'Runtime.consoleAPICalled')
      page.console.push(message.params.args.map(arg => arg.value).join(' '));
    if (message.sessionId === sessionId && message.method === 'Runtime.exceptionThrown')
      page.console.push(JSON.stringify(message.params.exceptionDetails.exception?.description));
    if (message.sessionId === sessionId && message.method === 'Page.javascriptDialogOpening') {
      page.dialogs.push(message.params.message);
      page.call('Page.handleJavaScriptDialog', {accept: true}).catch(() => {});
    }
  });
  await page.call('Runtime.enable');
  await page.call('Page.enable');
  if (beforeLoad) await page.call('Page.addScriptToEvaluateOnNewDocument', {source: beforeLoad});
  await page.call('Page.navigate', {url: base + url});
  return page;
}

// The glass's pixels from the canvas, and where a glass point is on the page.
const canvasPixels = `(() => { const c = document.getElementById('glass');
  const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data; let s = '';
  for (let i = 0; i < d.length; i += 4) s += String.fromCharCode(d[i], d[i + 1], d[i + 2]);
  return btoa(s); })()`;
const pngPixelsAt = url => `(async () => { const b = await (await fetch(${url})).blob();
  const i = await createImageBitmap(b, {colorSpaceConversion: 'none', premultiplyAlpha: 'none'});
  const c = new OffscreenCanvas(i.width, i.height); const x = c.getContext('2d'); x.drawImage(i, 0, 0);
  const d = x.getImageData(0, 0, i.width, i.height).data; let s = '';
  for (let k = 0; k < d.length; k += 4) s += String.fromCharCode(d[k], d[k + 1], d[k + 2]);
  return btoa(s); })()`;
const pngPixels = file => pngPixelsAt(JSON.stringify(file));
async function pagePoint(page, x, y) {
  return page.evaluate(`(() => { const c = document.getElementById('glass'); const r = c.getBoundingClientRect();
    return [r.left + (${x} + 0.5) * r.width / c.width, r.top + (${y} + 0.5) * r.height / c.height]; })()`);
}
async function mouse(page, type, x, y) {
  const [pageX, pageY] = await pagePoint(page, x, y);
  await page.call('Input.dispatchMouseEvent', {type, x: pageX, y: pageY, button: 'left',
    buttons: type === 'mouseReleased' ? 0 : 1, clickCount: 1});
}
function differing(a, b) {
  const x = Buffer.from(a, 'base64'), y = Buffer.from(b, 'base64');
  if (x.length !== y.length) return Infinity;
  let count = 0;
  for (let i = 0; i < x.length; i += 3) if (x[i] !== y[i] || x[i + 1] !== y[i + 1] || x[i + 2] !== y[i + 2]) ++count;
  return count;
}
async function screenshot(page, name) {
  const {data} = await page.call('Page.captureScreenshot', {format: 'png'});
  fs.writeFileSync(path.join(shotsOut, name), Buffer.from(data, 'base64'));
}

let passed = 0, failed = 0;
async function check(name, body) {
  const started = Date.now();
  try {
    await body();
    ++passed;
    console.log(`ok ${name} (${Date.now() - started} ms)`);
  } catch (error) {
    ++failed;
    console.log(`FAILED ${name}: ${error.stack || error}`);
  }
}
const started = `typeof Module !== 'undefined' && Module.parvolinWeb && Module.calledRun && document.getElementById('glass').width > 1`;

await check('Vorlequin: the menu on the canvas is the headless glass, a tap on WHEEL starts a game', async () => {
  const page = await openPage('/game/Vorlequin/');
  await page.until(started, 'the first frame');
  // The menu is still once drawn: the canvas must come to equal the headless run's shot.
  const menu = await page.evaluate(pngPixels('/native/menu.png'));
  await page.until(`(${canvasPixels}) === ${JSON.stringify(menu)}`, 'the menu to equal the headless glass', 20)
    .catch(async error => { await screenshot(page, 'menu-mismatch.png'); throw error; });
  if (await page.evaluate('document.title') !== 'Vorlequin') throw new Error('the page is not titled Vorlequin');
  await screenshot(page, 'vorlequin-menu.png');
  // The demo's tap: WHEEL, and the game waits for the stylus as in the headless run.
  await mouse(page, 'mousePressed', 80, 70);
  await mouse(page, 'mouseReleased', 80, 70);
  const waitingShot = await page.evaluate(pngPixels('/native/waiting.png'));
  await page.until(`(${canvasPixels}) === ${JSON.stringify(waitingShot)}`, 'the game to wait for the stylus', 20);
  // The tap was the gesture that starts the page's sound: the tap's click is played.
  await page.until('Module.parvolinWeb.piecesPlayed > 0', 'sound after the first tap', 10);
  // A game played by hand for two seconds: the snake follows the stylus held right.
  await mouse(page, 'mousePressed', 200, 300);
  const before = (await page.evaluate('Module.parvolinWeb.busyMilliseconds()')).length;
  await new Promise(resolve => setTimeout(resolve, 2000));
  const busy = (await page.evaluate('Module.parvolinWeb.busyMilliseconds()')).slice(before).sort((a, b) => a - b);
  await screenshot(page, 'vorlequin-playing.png');
  await mouse(page, 'mouseReleased', 200, 300);
  if (busy.length < 20) throw new Error(`only ${busy.length} frame ticks in two seconds`);
  const median = busy[Math.floor(busy.length / 2)], p95 = busy[Math.floor(busy.length * 0.95)];
  console.log(`# frame time in Chromium (the program's work per frame tick, its waits left out; ${busy.length} ticks in 2 s): ` +
    `median ${median.toFixed(2)} ms, 95th percentile ${p95.toFixed(2)} ms`);
  await page.close();
});

await check('Vorlequin: the demo by ?script= gives the headless run\'s shots, and the best score is kept', async () => {
  const page = await openPage('/game/Vorlequin/?script=/source/game/demo.script');
  await page.until("typeof Module !== 'undefined' && Module.parvolinWeb && Module.parvolinWeb.ended !== null", 'the demo to end', 120);
  if (await page.evaluate('Module.parvolinWeb.ended') !== 0) throw new Error('the demo did not end with status 0');
  const work = (await page.evaluate('Module.parvolinWeb.busyMilliseconds()')).sort((a, b) => a - b);
  console.log(`# the demo in device time: ${work.length} frame ticks, the program's work per tick: median ` +
    `${work[Math.floor(work.length / 2)].toFixed(2)} ms, 95th percentile ${work[Math.floor(work.length * 0.95)].toFixed(2)} ms`);
  const shots = (await page.evaluate(`Module.parvolinWeb.listFolder('/home/web_user')`))
    .filter(name => name.endsWith('.png')).sort();
  if (JSON.stringify(shots) !== JSON.stringify(nativeShots))
    throw new Error(`shots ${shots} differ from the headless run's ${nativeShots}`);
  for (const shot of shots) {
    const bytes = Buffer.from(await page.evaluate(
      `btoa(String.fromCharCode.apply(null, Module.parvolinWeb.readFile('/home/web_user/${shot}')))`), 'base64');
    if (!bytes.equals(fs.readFileSync(path.join(nativeRun, shot)))) {
      fs.writeFileSync(path.join(shotsOut, `web-${shot}`), bytes);
      throw new Error(`${shot} differs from the headless run's (kept in ${shotsOut})`);
    }
  }
  const best = fs.readFileSync(path.join(nativeRun, 'program', 'vorlequin-best.txt'), 'utf8');
  // Kept in the browser's storage: a new visit finds it.
  await new Promise(resolve => setTimeout(resolve, 500));
  await page.close();
  const again = await openPage('/game/Vorlequin/');
  await again.until(started, 'the first frame');
  const kept = await again.evaluate(`new TextDecoder().decode(Module.parvolinWeb.readFile('/Vorlequin/vorlequin-best.txt'))`);
  if (kept !== best) throw new Error(`the best score after a new visit is ${JSON.stringify(kept)}, not ${JSON.stringify(best)}`);
  // EXIT on the menu ends the program, with status 0 (tapped again while the menu comes).
  for (let tries = 0; tries < 10 && await again.evaluate('Module.parvolinWeb.ended') === null; ++tries) {
    await mouse(again, 'mousePressed', 120, 140);
    await mouse(again, 'mouseReleased', 120, 140);
    await again.until('Module.parvolinWeb.ended !== null', 'EXIT to end the program', 2).catch(() => {});
  }
  if (await again.evaluate('Module.parvolinWeb.ended') !== 0) throw new Error('EXIT did not end with status 0');
  await screenshot(again, 'vorlequin-ended.png');
  await again.close();
});

await check('stylus_drawing: a stroke of pointer events draws on the glass; hiding the page deactivates the game', async () => {
  const page = await openPage('/examples/stylus_drawing/?record=stroke.script');
  await page.until(started, 'the first frame');
  await new Promise(resolve => setTimeout(resolve, 300));
  const before = await page.evaluate(canvasPixels);
  await mouse(page, 'mousePressed', 40, 100);
  for (let x = 40; x <= 200; x += 10) {
    await mouse(page, 'mouseMoved', x, 100 + (x - 40) / 2);
    await new Promise(resolve => setTimeout(resolve, 20));
  }
  await mouse(page, 'mouseReleased', 200, 180);
  await new Promise(resolve => setTimeout(resolve, 300));
  const after = await page.evaluate(canvasPixels);
  const changed = differing(before, after);
  const width = await page.evaluate(`document.getElementById('glass').width`);
  // The stroke's middle (120, 140) and enough pixels along it are drawn; far away stays.
  const at = (pixels, x, y) => Buffer.from(pixels, 'base64').subarray((y * width + x) * 3, (y * width + x) * 3 + 3);
  const middleChanged = [-1, 0, 1].some(d => !at(before, 120, 140 + d).equals(at(after, 120, 140 + d)));
  await screenshot(page, 'stylus-drawing.png');
  if (changed < 100 || !middleChanged) throw new Error(`the stroke changed ${changed} pixels, its middle ${middleChanged}`);
  // The page hidden and shown again: the game is deactivated and activated.
  for (const hidden of [true, false]) {
    await page.evaluate(`Object.defineProperty(document, 'hidden', {value: ${hidden}, configurable: true});
      document.dispatchEvent(new Event('visibilitychange'))`);
    await new Promise(resolve => setTimeout(resolve, 200));
  }
  // The recording has the stroke at the glass pixels the pointer was on, and the page's
  // visibility, in order.
  const recorded = () => `new TextDecoder().decode(Module.parvolinWeb.readFile('/home/web_user/stroke.script'))`;
  await page.until(`/ activate\\n/.test(${recorded()})`, 'the activation in the recording', 10);
  const lines = (await page.evaluate(recorded())).split('\n').filter(line => line && !line.startsWith('#'))
    .map(line => line.replace(/^\d+ /, ''));
  const expected = ['down 40 100', 'move 50 105', 'up 200 180', 'deactivate', 'activate'];
  const found = expected.map(line => lines.indexOf(line));
  if (found.some((at, i) => at < 0 || (i > 0 && at < found[i - 1])))
    throw new Error(`the recording ${JSON.stringify(lines)} lacks ${JSON.stringify(expected)} in order`);
  await page.close();
});

// A headless run of an example's native program with the page's files, on the device the
// pages are opened on, played by a script; the folder it ran in (with its shots).
function headlessExample(name, script, folder) {
  const run = path.join(scratch, folder);
  fs.mkdirSync(path.join(run, 'program'), {recursive: true});
  const pageFolder = path.join(webBuild, 'examples', name);
  for (const file of fs.readdirSync(pageFolder).filter(file => !file.startsWith('index.')))
    fs.copyFileSync(path.join(pageFolder, file), path.join(run, 'program', file));
  fs.copyFileSync(path.join(nativeBuild, 'examples', name), path.join(run, 'program', name));
  fs.chmodSync(path.join(run, 'program', name), 0o755);
  const headless = spawnSync(path.join(run, 'program', name), [], {cwd: run, encoding: 'utf8', timeout: 60000,
    env: {...process.env, PARVOLIN_VIDEO: 'headless', PARVOLIN_DEVICE: 'pocketpc2003', PARVOLIN_SCRIPT: script}});
  if (headless.status !== 0) throw new Error(`the headless run failed: ${headless.status} ${headless.stderr}`);
  return run;
}

// A standard-mapped gamepad in place of the browser's: window.testPad's buttons and axes,
// set by the test, are what the page reads at each look.
const testPad = `window.testPad = {connected: true, buttons: new Array(17).fill(false), axes: [0, 0, 0, 0]};
  Object.defineProperty(Navigator.prototype, 'getGamepads', {configurable: true, value: () => [{connected: testPad.connected,
    mapping: 'standard', index: 0, id: 'test pad', timestamp: performance.now(), axes: testPad.axes.slice(),
    buttons: testPad.buttons.map(pressed => ({pressed, touched: pressed, value: pressed ? 1 : 0}))}]});`;

await check('input: a gamepad gives the device\'s keys, held ones repeating; replayed headless, the same glass', async () => {
  const page = await openPage('/examples/input/?record=pad.script&device=pocketpc2003', testPad);
  await page.until(started, 'the first frame');
  const recorded = `new TextDecoder().decode(Module.parvolinWeb.readFile('/home/web_user/pad.script'))`;
  // Each control held, let go, and its release recorded before the next: the D-pad and the
  // stick long enough to repeat, the buttons for a moment, A kept held.
  const presses = [['buttons[12]', true, false, 1200, 'up'], ['axes[0]', -1, 0, 1200, 'left'],
    ['buttons[1]', true, false, 150, 'b'], ['buttons[2]', true, false, 150, 'c']];
  for (const [control, held, free, milliseconds, key] of presses) {
    await page.evaluate(`testPad.${control} = ${held}`);
    await new Promise(resolve => setTimeout(resolve, milliseconds));
    await page.evaluate(`testPad.${control} = ${free}`);
    await page.until(`/ keyup ${key}\\n/.test(${recorded})`, `the release of ${key}`, 10);
  }
  await page.evaluate('testPad.buttons[0] = true');
  await page.until(`/ keydown a\\n/.test(${recorded})`, 'A to be pressed', 10);
  const script = await page.evaluate(recorded);
  const keys = script.split('\n').filter(line => / key(down|up) /.test(line)).map(line => line.replace(/^\d+ /, ''));
  // Repeats are further keydowns of the held key; apart from them, each control once, in order.
  const once = keys.filter((line, i) => line !== keys[i - 1]);
  const expected = ['up', 'left', 'b', 'c'].flatMap(key => [`keydown ${key}`, `keyup ${key}`]).concat('keydown a');
  const repeats = key => keys.filter(line => line === `keydown ${key}`).length - 1;
  if (JSON.stringify(once) !== JSON.stringify(expected) || repeats('up') < 3 || repeats('left') < 3 || repeats('b'))
    throw new Error(`the pad's keys were ${JSON.stringify(keys)}`);
  // The page's recording played headless: the glass the program drew in the page.
  const last = Number(script.trim().split('\n').pop().split(' ')[0]);
  const replay = path.join(scratch, 'pad.script');
  fs.writeFileSync(replay, `${script}${last + 2} shot pad.png\n${last + 3} close\n`);
  const run = headlessExample('input', replay, 'pad');
  const shot = `data:image/png;base64,${fs.readFileSync(path.join(run, 'pad.png')).toString('base64')}`;
  const expectedGlass = await page.evaluate(pngPixelsAt(JSON.stringify(shot)));
  await page.until(`(${canvasPixels}) === ${JSON.stringify(expectedGlass)}`, 'the glass to equal the headless replay', 20)
    .catch(async error => { fs.copyFileSync(path.join(run, 'pad.png'), path.join(shotsOut, 'pad-headless.png')); throw error; });
  await screenshot(page, 'input-pad.png');
  // A pad unplugged lets its held keys go; plugged in again with Start held, it ends the
  // program as the Start key does.
  await page.evaluate('testPad.connected = false');
  await page.until(`/ keyup a\\n/.test(${recorded})`, 'the unplugged pad to let A go', 10);
  await page.evaluate('testPad.buttons[0] = false; testPad.buttons[9] = true; testPad.connected = true');
  await page.until('Module.parvolinWeb.ended !== null', 'Start to end the program', 10);
  if (await page.evaluate('Module.parvolinWeb.ended') !== 0) throw new Error('Start did not end with status 0');
  await page.close();
});

await check('Vorlequin: on a screen too small, a message box in the page says so, and the program ends with status 1', async () => {
  const page = await openPage('/game/Vorlequin/?device=smartphone2003');
  await page.until("typeof Module !== 'undefined' && Module.parvolinWeb && Module.parvolinWeb.ended !== null",
    'the program to end', 30);
  const said = 'Vorlequin needs a screen of at least 240 x 320 pixels; this one has 176 x 220.';
  if (page.dialogs.length !== 1 || !page.dialogs[0].includes(said))
    throw new Error(`the page's dialogs were ${JSON.stringify(page.dialogs)}`);
  if (await page.evaluate('Module.parvolinWeb.ended') !== 1) throw new Error('the program did not end with status 1');
  await page.close();
});

// Every example, played by its script as the native tests play it, gives the shot of a
// headless run of the native program with the page's files.
const examples = fs.readdirSync(path.join(root, 'examples'), {withFileTypes: true}).filter(entry => entry.isDirectory())
  .flatMap(folder => fs.readdirSync(path.join(root, 'examples', folder.name)).filter(name => name.endsWith('.script'))
    .map(script => [folder.name, script.slice(0, -7)]));
for (const [folder, name] of examples) {
  await check(`${name}: its script gives the same shot in the page as headless`, async () => {
    const source = `/source/examples/${folder}/${name}`;
    const run = headlessExample(name, path.join(root, `examples/${folder}/${name}.script`), name);
    const expected = fs.readdirSync(run).filter(file => file.endsWith('.png'));

    const page = await openPage(`/examples/${name}/?script=${source}.script&device=pocketpc2003`);
    await page.until("typeof Module !== 'undefined' && Module.parvolinWeb && Module.parvolinWeb.ended !== null",
      'the script to end', 60);
    if (await page.evaluate('Module.parvolinWeb.ended') !== 0) throw new Error('the program did not end with status 0');
    const shots = (await page.evaluate(`Module.parvolinWeb.listFolder('/home/web_user')`)).filter(file => file.endsWith('.png'));
    if (shots.length !== 1 || JSON.stringify(shots) !== JSON.stringify(expected))
      throw new Error(`shots ${shots}, headless ${expected}`);
    const shown = Buffer.from(await page.evaluate(
      `btoa(String.fromCharCode.apply(null, Module.parvolinWeb.readFile('/home/web_user/${shots[0]}')))`), 'base64');
    if (!shown.equals(fs.readFileSync(path.join(run, shots[0])))) {
      fs.writeFileSync(path.join(shotsOut, `web-${name}.png`), shown);
      throw new Error(`the page's shot (web-${name}.png) differs from the headless run's`);
    }
    await page.close();
  });
}

console.log(`web: ${passed} passed, ${failed} failed`);
if (process.env.PARVOLIN_WEB_KEEP) await new Promise(resolve => setTimeout(resolve, 1e9));
const closed = new Promise(resolve => browser.on('exit', resolve));
browser.kill();
await closed;
server.close();
fs.rmSync(scratch, {recursive: true, force: true, maxRetries: 5});
if (failed && browserErrors) console.log(browserErrors.split('\n').slice(-20).join('\n'));
process.exit(failed ? 1 : 0);
