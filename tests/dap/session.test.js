// A debugging session on the demo program as an editor runs it: launch, breakpoints, stack,
// variables, stepping, data breakpoints, changing values, memory, disassembly and pause.
// Expected values come from the demo's own C code (shapes.c, main.c, mathx.c).
'use strict';
const { describe, it, before, after } = require('node:test');
const assert = require('node:assert');
const t = require('./support');

describe('launch and line breakpoints', () => {
  let dc;
  before(async () => { dc = await t.startClient(); });
  after(() => t.stopClient(dc));

  it('stops on entry in the start-up code, outside the C source', async () => {
    const stopped = await t.launchStopped(dc);
    assert.strictEqual(stopped.body.reason, 'entry');
    const frame = await t.topFrame(dc);
    assert.strictEqual(frame.source, undefined);
    assert.match(frame.instructionPointerReference, /^0x[0-9A-F]+$/);
  });

  it('verifies a breakpoint in another file and moves one from a line without code', async () => {
    const shapes = await dc.setBreakpointsRequest({ source: { path: t.source('shapes.c') }, breakpoints: [{ line: 27 }] });
    assert.deepStrictEqual(shapes.body.breakpoints.map((b) => [b.verified, b.line]), [[true, 27]]);
    // main.c:20 declares a local: the first statement after it is line 21.
    const main = await dc.setBreakpointsRequest({ source: { path: t.source('main.c') }, breakpoints: [{ line: 20 }, { line: 900 }] });
    assert.deepStrictEqual(main.body.breakpoints.map((b) => [b.verified, b.line]), [[true, 21], [false, 900]]);
    assert.ok(main.body.breakpoints[1].message);
    // Without those in main.c the run goes on to shapes.c.
    await dc.setBreakpointsRequest({ source: { path: t.source('main.c') }, breakpoints: [] });
  });

  it('hits the breakpoint with its id, in the right function, file and line', async () => {
    // Line 27 twice: one event serves both, and the stop names both (not the one of line 28).
    const shapes = await dc.setBreakpointsRequest({
      source: { path: t.source('shapes.c') }, breakpoints: [{ line: 27 }, { line: 28 }, { line: 27 }],
    });
    const stop = await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    assert.strictEqual(stop.reason, 'breakpoint');
    const [first, , again] = shapes.body.breakpoints.map((b) => b.id);
    assert.deepStrictEqual(stop.hitBreakpointIds, [first, again]);
    await dc.setBreakpointsRequest({ source: { path: t.source('shapes.c') }, breakpoints: [{ line: 27 }] });
    const trace = await dc.stackTraceRequest({ threadId: 1 });
    // shapes_walk calls it from line 37, main calls shapes_walk from line 29.
    assert.deepStrictEqual(trace.body.stackFrames.map((f) => [f.name, f.source.path, f.line]), [
      ['shapes_perimeter', t.source('shapes.c'), 27],
      ['shapes_walk', t.source('shapes.c'), 37],
      ['main', t.source('main.c'), 29],
    ]);
  });

  it('shows the locals of a caller', async () => {
    const walk = await t.variablesByName(dc, (await t.scopesByName(dc, 2)).Locals);
    assert.deepStrictEqual(Object.keys(walk), ['s', 'total']);
    assert.strictEqual(walk.total.value, '0');  // nothing added before the first call returns
    // The compiler keeps `s` in a register, which now holds shapes_perimeter's values.
    assert.match(walk.s.value, /not known in this frame/);
    // Watch and hover in that frame see its own locals.
    assert.strictEqual((await dc.evaluateRequest({ expression: 'total', frameId: 2, context: 'hover' })).body.result, '0');
    assert.match(await t.failure(dc.evaluateRequest({ expression: 's', frameId: 2, context: 'hover' })), /not known in this frame/);
  });

  it('shows the locals, and the struct a pointer reaches, with their values', async () => {
    const scopes = await t.scopesByName(dc, 1);
    assert.deepStrictEqual(Object.keys(scopes), ['Locals', 'Globals', 'Registers']);
    const locals = await t.variablesByName(dc, scopes.Locals);
    assert.deepStrictEqual(Object.keys(locals), ['s', 'side']);
    // The first call walks shapes[0]: RED, corner (0, 5), 3 sides.
    const shape = await t.variablesByName(dc, locals.s.variablesReference);
    assert.strictEqual(shape.color.value, 'RED');
    assert.strictEqual(shape.sides.value, '3');
    const corner = await t.variablesByName(dc, shape.corner.variablesReference);
    assert.deepStrictEqual([corner.x.value, corner.y.value], ['0', '5']);
    const hex = await t.variablesByName(dc, locals.s.variablesReference, { hex: true });
    assert.match(hex.sides.value, /^0x0*3$/i);
    const registers = await t.variablesByName(dc, scopes.Registers);
    const frame = await t.topFrame(dc);
    assert.strictEqual(parseInt(registers.pc.value, 16), parseInt(frame.instructionPointerReference, 16));
  });

  it('steps out of the callee into the line that called it', async () => {
    const stop = await t.stopAfter(dc, () => dc.stepOutRequest({ threadId: 1 }));
    assert.strictEqual(stop.reason, 'step');
    const frame = await t.topFrame(dc);
    assert.deepStrictEqual([frame.name, frame.line], ['shapes_walk', 37]);
  });

  it('stops where a condition holds, and at the passage a hit count names', async () => {
    await dc.setBreakpointsRequest({
      source: { path: t.source('shapes.c') }, breakpoints: [{ line: 27, condition: 's->sides == 5' }],
    });
    let stop = await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    assert.strictEqual(stop.reason, 'breakpoint');
    assert.strictEqual((await dc.evaluateRequest({ expression: 's->corner.x', frameId: 1 })).body.result, '20');
    await dc.setBreakpointsRequest({ source: { path: t.source('shapes.c') }, breakpoints: [{ line: 27, hitCondition: '2' }] });
    stop = await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    assert.strictEqual(stop.reason, 'breakpoint');
    // Only the second passage from here on: shapes[0] of the next round, then shapes[1].
    assert.strictEqual((await dc.evaluateRequest({ expression: 's->sides', frameId: 1 })).body.result, '4');
  });
});

describe('the client library\'s own launch sequence', () => {
  let dc;
  before(async () => { dc = await t.startClient(); });
  after(() => t.stopClient(dc));

  it('runs without stopOnEntry to a breakpoint set after the initialized event', async () => {
    await dc.hitBreakpoint({ program: t.program }, { path: t.source('mathx.c'), line: 6 });
    assert.strictEqual((await dc.evaluateRequest({ expression: 'n', frameId: 1 })).body.result, '5');
  });
});

describe('log points and instruction steps', () => {
  let dc;
  before(async () => { dc = await t.startClient(); });
  after(() => t.stopClient(dc));

  it('prints a log point\'s message with its values and goes on', async () => {
    const logged = [];
    dc.on('output', (e) => { if (e.body.category === 'console') logged.push(e.body.output); });
    await t.launchStopped(dc, {}, async () => {
      await dc.setBreakpointsRequest({
        source: { path: t.source('shapes.c') }, breakpoints: [{ line: 29, logMessage: 'side {side} times {s->sides}' }],
      });
      await dc.setBreakpointsRequest({ source: { path: t.source('main.c') }, breakpoints: [{ line: 32 }] });
    });
    const stop = await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    assert.strictEqual(stop.reason, 'breakpoint');
    assert.deepStrictEqual((await t.topFrame(dc)).line, 32);
    // side = x + y of each shape: 0+5, 10+25, 20+45; sides 3, 4, 5.
    assert.deepStrictEqual(logged.filter((l) => l.startsWith('side')), [
      'side 5 times 3\n', 'side 35 times 4\n', 'side 65 times 5\n',
    ]);
    // The passages of the log point are no stops: only the breakpoint that stopped is reported.
    assert.deepStrictEqual(logged.filter((l) => l.includes('breakpoint')), ['***** breakpoint main.c:32\n']);
  });

  it('steps by instructions, over a call as one', async () => {
    const pcOf = async () => parseInt((await t.topFrame(dc)).instructionPointerReference, 16);
    for (let n = 0; n < 12; ++n) {
      const pc = await pcOf();
      const r = await dc.customRequest('disassemble', { memoryReference: `0x${pc.toString(16)}`, instructionCount: 1 });
      const insn = r.body.instructions[0];
      const length = insn.instructionBytes.split(' ').length;
      const stop = await t.stopAfter(dc, () => dc.nextRequest({ threadId: 1, granularity: 'instruction' }));
      assert.strictEqual(stop.reason, 'step');
      // Line 32 holds no jump but the call: each step lands on the next instruction.
      assert.strictEqual(await pcOf(), pc + length, insn.instruction);
      if (/^jsr|^bsr/.test(insn.instruction)) {
        assert.strictEqual((await t.topFrame(dc)).name, 'main');
        return;
      }
    }
    assert.fail('no call on line 32');
  });
});
