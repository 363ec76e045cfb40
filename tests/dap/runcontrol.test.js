// Run control as the editor drives it, each case on a fresh adapter: a step out or a step over
// ended by a breakpoint in a call, and restart and terminate while the target runs. Expected
// values follow from the demo's C code: factorial(5) calls factorial(4) from mathx.c:8;
// shapes_walk calls shapes_perimeter from shapes.c:37, main calls shapes_walk from main.c:29.
'use strict';
const { describe, it } = require('node:test');
const assert = require('node:assert');
const t = require('./support');

const names = async (dc) => (await dc.stackTraceRequest({ threadId: 1 })).body.stackFrames.map((f) => [f.name, f.line]);

describe('steps ended by a breakpoint', () => {
  it('reports a step out that ends on a breakpoint as a breakpoint stop', () => t.withSession({}, async (dc) => {
    const set = await dc.setBreakpointsRequest({ source: { path: t.source('mathx.c') }, breakpoints: [{ line: 6 }] });
    await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    assert.strictEqual((await dc.evaluateRequest({ expression: 'n', frameId: 1 })).body.result, '5');
    // Before factorial(5) returns it calls factorial(4), which passes the breakpoint.
    const stop = await t.stopAfter(dc, () => dc.stepOutRequest({ threadId: 1 }));
    assert.deepStrictEqual([stop.reason, stop.hitBreakpointIds], ['breakpoint', [set.body.breakpoints[0].id]]);
    assert.strictEqual((await dc.evaluateRequest({ expression: 'n', frameId: 1 })).body.result, '4');
    assert.deepStrictEqual(await names(dc), [['factorial', 6], ['factorial', 8], ['main', 30]]);
  }));

  it('lists every caller after a step over stopped in a nested call', () => t.withSession({}, async (dc) => {
    await dc.setBreakpointsRequest({ source: { path: t.source('main.c') }, breakpoints: [{ line: 29 }] });
    await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    const set = await dc.setBreakpointsRequest({ source: { path: t.source('shapes.c') }, breakpoints: [{ line: 27 }] });
    const stop = await t.stopAfter(dc, () => dc.nextRequest({ threadId: 1 }));
    assert.deepStrictEqual([stop.reason, stop.hitBreakpointIds], ['breakpoint', [set.body.breakpoints[0].id]]);
    assert.deepStrictEqual(await names(dc), [['shapes_perimeter', 27], ['shapes_walk', 37], ['main', 29]]);
  }));

  it('lists every caller after a free run', () => t.withSession({}, async (dc) => {
    // The third call of the first round: shapes[2], from the loop in shapes_walk.
    await dc.setBreakpointsRequest({ source: { path: t.source('shapes.c') }, breakpoints: [{ line: 27, hitCondition: '3' }] });
    await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    assert.deepStrictEqual(await names(dc), [['shapes_perimeter', 27], ['shapes_walk', 37], ['main', 29]]);
    const trace = (await dc.stackTraceRequest({ threadId: 1 })).body.stackFrames;
    assert.ok(trace.every((f) => f.source && f.source.path), 'each frame has its source');
    // The caller's frame evaluates in its own scope: total holds the first two perimeters,
    // (0+5)*3 + (10+25)*4.
    assert.strictEqual((await dc.evaluateRequest({ expression: 'total', frameId: 2 })).body.result, '155');
    // Set there, the caller goes on with it: 1000 + (20+45)*5 is the perimeter main prints.
    const walkLocals = (await t.scopesByName(dc, 2)).Locals;
    const set = await dc.setVariableRequest({ variablesReference: walkLocals, name: 'total', value: '1000' });
    assert.strictEqual(set.body.value, '1000');
    await dc.setBreakpointsRequest({ source: { path: t.source('shapes.c') }, breakpoints: [] });
    const stdout = t.programOutput(dc);
    await dc.continueRequest({ threadId: 1 });
    await stdout.until('\n');
    assert.strictEqual(stdout.text.split('\n')[0], '1325 120');
    await t.stopAfter(dc, () => dc.pauseRequest({ threadId: 1 }));
  }));
});

describe('requests that end a run', () => {
  // Continues without a breakpoint in the way and waits until the program has printed.
  async function running(dc) {
    const stdout = t.programOutput(dc);
    await dc.continueRequest({ threadId: 1 });
    await stdout.until('\n');
  }

  it('terminates a running target', () => t.withSession({}, async (dc) => {
    const stops = t.collect(dc, 'stopped');
    await running(dc);
    const terminated = dc.waitForEvent('terminated');
    await dc.terminateRequest({});
    await terminated;
    assert.deepStrictEqual(stops, [], 'no stop shown for a run the editor ended');
  }));

  it('restarts a running target at its entry point', () => t.withSession({ stopOnEntry: true }, async (dc) => {
    const entry = await t.topFrame(dc);
    const stops = t.collect(dc, 'stopped');
    await running(dc);
    const stopped = dc.waitForEvent('stopped');
    await dc.restartRequest({});
    assert.strictEqual((await stopped).body.reason, 'entry');
    assert.deepStrictEqual(stops.map((s) => s.reason), ['entry']);
    const frame = await t.topFrame(dc);
    assert.strictEqual(frame.instructionPointerReference, entry.instructionPointerReference);
    // And the program runs afresh from there: its first output again.
    const stdout = t.programOutput(dc);
    await dc.continueRequest({ threadId: 1 });
    await stdout.until('\n');
    assert.ok(stdout.text.startsWith('demo 3\n'), stdout.text.slice(0, 20));
    await t.stopAfter(dc, () => dc.pauseRequest({ threadId: 1 }));
  }));
});
