// What the adapter answers to bad input: malformed frames and JSON, unknown requests, requests
// in the wrong state and bad arguments all get an error response, and the session goes on.
'use strict';
const { describe, it, before, after } = require('node:test');
const assert = require('node:assert');
const cp = require('child_process');
const t = require('./support');

// The adapter driven with raw bytes; answers are collected as they come.
class RawAdapter {
  constructor() {
    this.proc = cp.spawn(t.yav, ['--dap'], { cwd: t.buildDir, env: { ...process.env, YAV_INI: '/nonexistent/yav.ini' } });
    this.buffer = Buffer.alloc(0);
    this.messages = [];
    this.proc.stdout.on('data', (d) => {
      this.buffer = Buffer.concat([this.buffer, d]);
      for (;;) {
        const end = this.buffer.indexOf('\r\n\r\n');
        if (end < 0) return;
        const length = Number(/Content-Length: (\d+)/.exec(this.buffer.toString('latin1', 0, end))[1]);
        if (this.buffer.length < end + 4 + length) return;
        this.messages.push(JSON.parse(this.buffer.toString('utf8', end + 4, end + 4 + length)));
        this.buffer = this.buffer.subarray(end + 4 + length);
      }
    });
  }
  write(bytes) { this.proc.stdin.write(bytes); }
  send(message) {
    const body = Buffer.from(JSON.stringify(message));
    this.write(Buffer.concat([Buffer.from(`Content-Length: ${body.length}\r\n\r\n`), body]));
  }
  async response(n) {
    const deadline = Date.now() + 10000;
    for (;;) {
      const responses = this.messages.filter((m) => m.type === 'response');
      if (responses.length >= n) return responses[n - 1];
      if (Date.now() > deadline) throw new Error(`no response ${n}: ${JSON.stringify(this.messages)}`);
      await new Promise((resolve) => setTimeout(resolve, 10));
    }
  }
  close() { this.proc.stdin.end(); return new Promise((resolve) => this.proc.on('exit', resolve)); }
}

describe('malformed input', () => {
  it('answers each bad frame with an error and serves the next request', async () => {
    const a = new RawAdapter();
    const bad = [
      [Buffer.from('Content-Length: 9\r\n\r\n{"seq":1,'), /malformed JSON/],
      [Buffer.from('Content-Type: x\r\n\r\n'), /Content-Length/],
      [Buffer.from('Content-Length: 2x\r\n\r\n'), /Content-Length/],
      [Buffer.from('Content-Length: 5\r\n\r\n[1,2]'), /not a JSON object/],
      [Buffer.from('Content-Length: 99999999999\r\n\r\n'), /too large/],
    ];
    let n = 0;
    for (const [bytes, message] of bad) {
      a.write(bytes);
      const r = await a.response(++n);
      assert.strictEqual(r.success, false);
      assert.match(r.message, message);
    }
    // The adapter above now skips the announced oversized body; a second one takes the rest.
    const b = new RawAdapter();
    b.send({ seq: 5, type: 'event', event: 'x' });
    b.send({ seq: 6, type: 'request' });
    b.send({ seq: 7, type: 'request', command: 'initialize', arguments: [] });
    b.write(Buffer.from('Content-Length: 3\r\n\r\n\xff\xfe}', 'latin1'));
    b.send({ seq: 8, type: 'request', command: 'initialize', arguments: { adapterID: 'yav' } });
    const answers = [await b.response(1), await b.response(2), await b.response(3), await b.response(4), await b.response(5)];
    assert.deepStrictEqual(answers.map((r) => r.success), [false, false, false, false, true]);
    assert.match(answers[0].message, /only requests/);
    assert.strictEqual(answers[1].request_seq, 6);
    assert.match(answers[1].message, /command/);
    assert.match(answers[2].message, /arguments/);
    assert.strictEqual(answers[4].body.supportsConfigurationDoneRequest, true);
    assert.strictEqual(a.proc.exitCode, null, 'still serving');
    await a.close();
    assert.strictEqual(await b.close(), 0);
  });
});

describe('requests out of place', () => {
  let dc;
  before(async () => { dc = await t.startClient(); });
  after(() => t.stopClient(dc));

  it('refuses requests before initialize and before launch', async () => {
    assert.match(await t.failure(dc.launchRequest({ program: t.program })), /before initialize/);
    await dc.initializeRequest({ adapterID: 'yav' });
    assert.match(await t.failure(dc.initializeRequest({ adapterID: 'yav' })), /already initialized/);
    assert.match(await t.failure(dc.stackTraceRequest({ threadId: 1 })), /no program launched/);
    assert.match(await t.failure(dc.configurationDoneRequest()), /no program launched/);
    // Breakpoints wait for the program; main.c:20 holds no code.
    const early = await dc.setBreakpointsRequest({ source: { path: t.source('main.c') }, breakpoints: [{ line: 20 }] });
    assert.deepStrictEqual(early.body.breakpoints.map((b) => b.verified), [false]);
  });

  it('refuses a launch without a usable program, then accepts a good one', async () => {
    assert.match(await t.failure(dc.launchRequest({})), /program/);
    assert.match(await t.failure(dc.launchRequest({ program: 'examples/demo/nosuch.s08' })), /nosuch/);
    const stopped = dc.waitForEvent('stopped');
    const changed = dc.waitForEvent('breakpoint');
    await dc.launchRequest({ program: t.program, stopOnEntry: true });
    // Set once the program is loaded, on the first line with code.
    const bp = (await changed).body;
    assert.deepStrictEqual([bp.reason, bp.breakpoint.verified, bp.breakpoint.line], ['changed', true, 21]);
    await dc.configurationDoneRequest();
    await stopped;
    await dc.setBreakpointsRequest({ source: { path: t.source('main.c') }, breakpoints: [] });
  });

  it('refuses unknown requests, bad arguments and unknown references', async () => {
    const cases = [
      [() => dc.customRequest('frobnicate'), /unknown request "frobnicate"/],
      [() => dc.setBreakpointsRequest({ breakpoints: [{ line: 3 }] }), /^setBreakpoints: source is missing$/],
      [() => dc.setBreakpointsRequest({ source: { path: 'x.c' }, breakpoints: [{ line: 'three' }] }), /^setBreakpoints: line must be a number$/],
      [() => dc.setBreakpointsRequest({ source: { path: 'x.c' }, breakpoints: 3 }), /^setBreakpoints: breakpoints must be an array$/],
      [() => dc.setBreakpointsRequest({ source: 'x.c', breakpoints: [] }), /^setBreakpoints: source must be an object$/],
      [() => dc.setFunctionBreakpointsRequest({ breakpoints: [{ name: 7 }] }), /^setFunctionBreakpoints: name must be a string$/],
      [() => dc.setFunctionBreakpointsRequest({ breakpoints: [{ name: 'main', condition: 1 }] }), /condition must be a string/],
      [() => dc.customRequest('readMemory', { memoryReference: '0x100', count: 'x' }), /^readMemory: count must be a number$/],
      [() => dc.customRequest('readMemory', { memoryReference: 256, count: 1 }), /^readMemory: memoryReference must be a string$/],
      [() => dc.evaluateRequest({ expression: 'count', frameId: 'top' }), /^evaluate: frameId must be a number$/],
      [() => dc.variablesRequest({ variablesReference: 1, format: { hex: 'yes' } }), /hex must be true or false/],
      [() => dc.variablesRequest({ variablesReference: 4242 }), /unknown/],
      [() => dc.scopesRequest({ frameId: 17 }), /unknown frame/],
      [() => dc.evaluateRequest({ expression: 'nosuchname + ', frameId: 1 }), /./],
      [() => dc.customRequest('readMemory', { memoryReference: 'here', count: 4 }), /not an address/],
      [() => dc.customRequest('readMemory', { memoryReference: '0x100', count: 1e9 }), /count/],
      [() => dc.customRequest('writeMemory', { memoryReference: '0x100', data: '!!' }), /base64/],
      [() => dc.setVariableRequest({ variablesReference: 1, name: 'x', value: '1' }), /unknown/],
    ];
    for (const [request, message] of cases) assert.match(await t.failure(request()), message);
  });

  it('answers the breakpoints it cannot set as unverified, with the reason', async () => {
    const r = await dc.setBreakpointsRequest({ source: { path: '/tmp/nosuch.c' }, breakpoints: [{ line: 3 }] });
    assert.deepStrictEqual(r.body.breakpoints.map((b) => b.verified), [false]);
    assert.match(r.body.breakpoints[0].message, /nosuch\.c/);
    const f = await dc.setFunctionBreakpointsRequest({ breakpoints: [{ name: 'nosuch' }, { name: 'main', hitCondition: 'often' }] });
    assert.deepStrictEqual(f.body.breakpoints.map((b) => b.verified), [false, false]);
    assert.match(f.body.breakpoints[1].message, /hit condition/);
  });

  it('refuses inspection while the target runs, serves the pause at once', async () => {
    await dc.continueRequest({ threadId: 1 });
    assert.match(await t.failure(dc.stackTraceRequest({ threadId: 1 })), /running/);
    assert.match(await t.failure(dc.continueRequest({ threadId: 1 })), /running/);
    const threads = await dc.threadsRequest();
    assert.strictEqual(threads.body.threads.length, 1);
    const stop = await t.stopAfter(dc, () => dc.pauseRequest({ threadId: 1 }));
    assert.strictEqual(stop.reason, 'pause');
  });

  it('takes a breakpoint set during a free run and stops there', async () => {
    await dc.continueRequest({ threadId: 1 });
    const stopped = dc.waitForEvent('stopped');
    const set = await dc.setBreakpointsRequest({ source: { path: t.source('mathx.c') }, breakpoints: [{ line: 6 }] });
    const stop = (await stopped).body;
    assert.deepStrictEqual([stop.reason, stop.hitBreakpointIds], ['breakpoint', [set.body.breakpoints[0].id]]);
  });
});
