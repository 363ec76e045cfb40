// Stepping through main by lines, into and out of calls; function and data breakpoints; the
// program's console output; pause of a free run; restart.
'use strict';
const { describe, it, before, after } = require('node:test');
const assert = require('node:assert');
const t = require('./support');

const place = async (dc) => {
  const f = await t.topFrame(dc);
  return [f.name, f.source ? f.source.path : undefined, f.line];
};

describe('stepping', () => {
  let dc;
  before(async () => {
    dc = await t.startClient();
    await t.launchStopped(dc);
  });
  after(() => t.stopClient(dc));

  it('steps in, over and out through main and console_init', async () => {
    const main = t.source('main.c'), consoleC = t.source('console.c');
    const steps = [
      [() => dc.stepInRequest({ threadId: 1 }), ['main', main, 21]],  // from the start-up code
      [() => dc.nextRequest({ threadId: 1 }), ['main', main, 22]],
      [() => dc.stepInRequest({ threadId: 1 }), ['console_init', consoleC, 16]],
      [() => dc.nextRequest({ threadId: 1 }), ['console_init', consoleC, 17]],
      [() => dc.stepOutRequest({ threadId: 1 }), ['main', main, 23]],
      [() => dc.nextRequest({ threadId: 1 }), ['main', main, 24]],
    ];
    for (const [request, expected] of steps) {
      const stop = await t.stopAfter(dc, request);
      assert.strictEqual(stop.reason, 'step');
      assert.deepStrictEqual(await place(dc), expected);
    }
    const trace = await dc.stackTraceRequest({ threadId: 1 });
    assert.deepStrictEqual(trace.body.stackFrames.map((f) => f.name), ['main']);
  });

  it('shows the caller below the callee entered by a step', async () => {
    await t.stopAfter(dc, () => dc.stepInRequest({ threadId: 1 }));  // console_puts("demo ")
    const trace = await dc.stackTraceRequest({ threadId: 1 });
    const [callee, caller] = trace.body.stackFrames;
    assert.deepStrictEqual([callee.name, caller.name, caller.line], ['console_puts', 'main', 24]);
    assert.ok(callee.line >= 30 && callee.line <= 34, `console_puts spans lines 30 to 34, not ${callee.line}`);
    const locals = await t.variablesByName(dc, (await t.scopesByName(dc, 1)).Locals);
    assert.deepStrictEqual(Object.keys(locals), ['text']);
    // The caller's frame has its own locals.
    const mainLocals = await t.variablesByName(dc, (await t.scopesByName(dc, 2)).Locals);
    assert.deepStrictEqual(Object.keys(mainLocals), ['perimeter']);
    await t.stopAfter(dc, () => dc.stepOutRequest({ threadId: 1 }));
    assert.deepStrictEqual((await place(dc)).slice(0, 1), ['main']);
  });

  it('stops at a function breakpoint with the argument of the call', async () => {
    const set = await dc.setFunctionBreakpointsRequest({ breakpoints: [{ name: 'factorial' }] });
    assert.strictEqual(set.body.breakpoints[0].verified, true);
    const stop = await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    assert.strictEqual(stop.reason, 'function breakpoint');
    assert.deepStrictEqual(stop.hitBreakpointIds, [set.body.breakpoints[0].id]);
    const [name, file] = await place(dc);
    assert.deepStrictEqual([name, file], ['factorial', t.source('mathx.c')]);
    assert.strictEqual((await dc.evaluateRequest({ expression: 'n', frameId: 1 })).body.result, '5');
    await dc.setFunctionBreakpointsRequest({ breakpoints: [] });
  });

  it('stops at an instruction breakpoint', async () => {
    const average = (await dc.evaluateRequest({ expression: '&average', frameId: 1 })).body.result.match(/0x[0-9a-f]+/i)[0];
    const set = await dc.customRequest('setInstructionBreakpoints', { breakpoints: [{ instructionReference: average }] });
    assert.strictEqual(set.body.breakpoints[0].verified, true);
    const stop = await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    assert.deepStrictEqual([stop.reason, stop.hitBreakpointIds], ['instruction breakpoint', [set.body.breakpoints[0].id]]);
    const frame = await t.topFrame(dc);
    assert.strictEqual(parseInt(frame.instructionPointerReference, 16), parseInt(average, 16));
    assert.strictEqual(frame.name, 'average');
    await dc.customRequest('setInstructionBreakpoints', { breakpoints: [] });
  });

  it('stops when the target writes a watched variable', async () => {
    const info = await dc.dataBreakpointInfoRequest({ name: 'fact_result' });
    assert.deepStrictEqual(info.body.accessTypes, ['read', 'write', 'readWrite']);
    const set = await dc.setDataBreakpointsRequest({ breakpoints: [{ dataId: info.body.dataId, accessType: 'write' }] });
    assert.strictEqual(set.body.breakpoints[0].verified, true);
    const stop = await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    assert.strictEqual(stop.reason, 'data breakpoint');
    assert.deepStrictEqual(stop.hitBreakpointIds, [set.body.breakpoints[0].id]);
    // factorial(5) has just been stored.
    assert.strictEqual((await dc.evaluateRequest({ expression: 'fact_result', frameId: 1 })).body.result, '120');
    const [name, , line] = await place(dc);
    assert.deepStrictEqual([name, line], ['main', 30]);
    await dc.setDataBreakpointsRequest({ breakpoints: [] });
  });

  it('goes on past data breaks whose condition does not hold', async () => {
    const set = await dc.setDataBreakpointsRequest({
      breakpoints: [{ dataId: 'main.c:count', accessType: 'write', condition: 'main.c:count == 6' }],
    });
    const stop = await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    assert.deepStrictEqual([stop.reason, stop.hitBreakpointIds], ['data breakpoint', [set.body.breakpoints[0].id]]);
    assert.strictEqual((await dc.evaluateRequest({ expression: 'main.c:count', frameId: 1 })).body.result, '6');
    await dc.setDataBreakpointsRequest({ breakpoints: [] });
  });

  it('refuses a data breakpoint on a variable on the stack', async () => {
    await dc.setFunctionBreakpointsRequest({ breakpoints: [{ name: 'factorial' }] });
    await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    const info = await dc.dataBreakpointInfoRequest({ name: 'n', frameId: 1 });
    assert.strictEqual(info.body.dataId, null);
    assert.match(info.body.description, /statically allocated/);
    await dc.setFunctionBreakpointsRequest({ breakpoints: [] });
  });
});

describe('free runs', () => {
  let dc;
  before(async () => { dc = await t.startClient(); });
  after(() => t.stopClient(dc));

  it('passes the program console output on and pauses the run', async () => {
    let stdout = '';
    dc.on('output', (e) => { if (e.body.category === 'stdout') stdout += e.body.output; });
    await t.launchStopped(dc);
    // Perimeters (0+5)*3 + (10+25)*4 + (20+45)*5 = 480, and 5! = 120, after "demo " and version 3.
    const seen = new Promise((resolve) => {
      const check = () => { if (stdout.includes('480 120\n480 120\n')) { resolve(); } else { setTimeout(check, 20); } };
      check();
    });
    await dc.continueRequest({ threadId: 1 });
    await seen;
    assert.ok(stdout.startsWith('demo 3\n480 120\n'), stdout.slice(0, 40));
    const stop = await t.stopAfter(dc, () => dc.pauseRequest({ threadId: 1 }));
    assert.strictEqual(stop.reason, 'pause');
    const trace = await dc.stackTraceRequest({ threadId: 1 });
    assert.ok(trace.body.stackFrames.length >= 1);
  });

  it('restarts at the entry point and runs the program afresh', async () => {
    const stop = await t.stopAfter(dc, () => dc.restartRequest({}));
    assert.strictEqual(stop.reason, 'entry');
    assert.strictEqual((await t.topFrame(dc)).source, undefined);
    const stdout = t.programOutput(dc);
    await dc.continueRequest({ threadId: 1 });
    await stdout.until('480 120\n');
    assert.ok(stdout.text.startsWith('demo 3\n'), stdout.text.slice(0, 40));
    await t.stopAfter(dc, () => dc.pauseRequest({ threadId: 1 }));
  });
});
