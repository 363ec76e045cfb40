// Breakpoints with what editors add to them, each case on a fresh adapter: hit conditions after a
// condition, breakpoints the break hardware cannot take with the others, and breakpoints made by
// a command typed in the debug console. Expected stops follow from the demo's C code: each round
// of main's loop calls shapes_perimeter for shapes[0..2] (3, 4 and 5 sides) from shapes_walk,
// then stores factorial(5) in fact_result, then prints the perimeter from main.c:32.
'use strict';
const { describe, it } = require('node:test');
const assert = require('node:assert');
const t = require('./support');

// Where a stop is: the number of sides of the shape shapes_perimeter has, or the name of the
// function it stopped in.
async function stopPlace(dc) {
  const frame = await t.topFrame(dc);
  if (frame.name !== 'shapes_perimeter') return frame.name;
  return Number((await dc.evaluateRequest({ expression: 's->sides', frameId: 1 })).body.result);
}

describe('hit conditions, applied after the condition', () => {
  // Passages of shapes.c:27 by sides: 3, 4, 5 | 3, 4, 5 | ..., main.c:32 after each round.
  const cases = [
    [{ hitCondition: '3' }, [5, 'main', 'main', 'main', 'main']],
    [{ hitCondition: '== 3' }, [5, 'main', 'main', 'main', 'main']],
    [{ hitCondition: '%3' }, [5, 'main', 5, 'main', 5]],
    [{ hitCondition: '>= 3' }, [5, 'main', 3, 4, 5]],
    [{ hitCondition: '> 3' }, ['main', 3, 4, 5, 'main']],
    // Only the passages with 3 or 5 sides count: the 2nd of them is the first round's third call.
    [{ hitCondition: '>= 2', condition: 's->sides != 4' }, [5, 'main', 3, 5, 'main']],
    [{ hitCondition: '%2', condition: 's->sides != 4' }, [5, 'main', 5, 'main', 5]],
  ];
  for (const [settings, expected] of cases) {
    it(`stops as ${JSON.stringify(settings)} asks`, () => t.withSession({}, async (dc) => {
      const set = await dc.setBreakpointsRequest({ source: { path: t.source('shapes.c') }, breakpoints: [{ line: 27, ...settings }] });
      assert.strictEqual(set.body.breakpoints[0].verified, true);
      await dc.setBreakpointsRequest({ source: { path: t.source('main.c') }, breakpoints: [{ line: 32 }] });
      const seen = [];
      for (let n = 0; n < expected.length; ++n) {
        const stop = await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
        assert.strictEqual(stop.reason, 'breakpoint');
        seen.push(await stopPlace(dc));
      }
      assert.deepStrictEqual(seen, expected);
    }));
  }

  it('refuses a hit condition it cannot read, and keeps the others', () => t.withSession({}, async (dc) => {
    const set = await dc.setBreakpointsRequest({
      source: { path: t.source('shapes.c') }, breakpoints: [{ line: 27, hitCondition: 'every other' }, { line: 28, hitCondition: '2' }],
    });
    const [bad, good] = set.body.breakpoints;
    assert.deepStrictEqual([bad.verified, good.verified], [false, true]);
    assert.match(bad.message, /every other/);
    // Line 28 runs once per call: its second passage is in the call for shapes[1].
    const stop = await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    assert.deepStrictEqual(stop.hitBreakpointIds, [good.id]);
    assert.strictEqual(await stopPlace(dc), 4);
  }));
});

describe('breakpoints the break hardware cannot all take', () => {
  it('leaves the one that does not fit unverified, and the others stop the run', () => t.withSession({}, async (dc) => {
    const changed = t.collect(dc, 'breakpoint');
    const shapes = await dc.setBreakpointsRequest({ source: { path: t.source('shapes.c') }, breakpoints: [{ line: 27 }] });
    const mathx = await dc.setBreakpointsRequest({ source: { path: t.source('mathx.c') }, breakpoints: [{ line: 6 }] });
    assert.deepStrictEqual([shapes.body.breakpoints[0].verified, mathx.body.breakpoints[0].verified], [true, true]);
    // Two code breakpoints and a data breakpoint: more than the comparators hold together.
    const info = await dc.dataBreakpointInfoRequest({ name: 'fact_result' });
    const data = await dc.setDataBreakpointsRequest({ breakpoints: [{ dataId: info.body.dataId, accessType: 'write' }] });
    const watch = data.body.breakpoints[0];
    assert.strictEqual(watch.verified, false);
    assert.ok(watch.message, 'says why');
    // The line breakpoints work: shapes_walk runs before factorial.
    let stop = await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    assert.deepStrictEqual([stop.reason, stop.hitBreakpointIds], ['breakpoint', [shapes.body.breakpoints[0].id]]);
    assert.strictEqual(await stopPlace(dc), 3);
    stop = await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    assert.strictEqual(await stopPlace(dc), 4);
    // With one code breakpoint gone the data breakpoint fits, and says so.
    await dc.setBreakpointsRequest({ source: { path: t.source('mathx.c') }, breakpoints: [] });
    assert.deepStrictEqual(changed.filter((e) => e.breakpoint.id === watch.id).map((e) => [e.reason, e.breakpoint.verified]),
      [['changed', true]]);
    await dc.setBreakpointsRequest({ source: { path: t.source('shapes.c') }, breakpoints: [] });
    stop = await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    assert.deepStrictEqual([stop.reason, stop.hitBreakpointIds], ['data breakpoint', [watch.id]]);
    assert.strictEqual((await dc.evaluateRequest({ expression: 'fact_result', frameId: 1 })).body.result, '120');
  }));
});

describe('breakpoints typed in the debug console', () => {
  it('reach the editor as new breakpoints, and stop the run with their ids', () => t.withSession({}, async (dc) => {
    const announced = t.collect(dc, 'breakpoint');
    await dc.evaluateRequest({ expression: '>b shapes.c:29', frameId: 1, context: 'repl' });
    assert.strictEqual(announced.length, 1);
    const [made] = announced;
    assert.strictEqual(made.reason, 'new');
    assert.deepStrictEqual([made.breakpoint.verified, made.breakpoint.line, made.breakpoint.source.path],
      [true, 29, t.source('shapes.c')]);
    const stop = await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    assert.deepStrictEqual([stop.reason, stop.hitBreakpointIds], ['breakpoint', [made.breakpoint.id]]);
    // side = x + y of shapes[0]: 0 + 5.
    assert.strictEqual((await dc.evaluateRequest({ expression: 'side', frameId: 1 })).body.result, '5');
    // Removed there, it leaves the editor too.
    await dc.evaluateRequest({ expression: '>del *', frameId: 1, context: 'repl' });
    assert.deepStrictEqual(announced.slice(1).map((e) => [e.reason, e.breakpoint.id]), [['removed', made.breakpoint.id]]);
  }));

  it('evaluates a variable named like a command word instead of running the command', () => t.withSession({}, async (dc) => {
    await dc.setBreakpointsRequest({ source: { path: t.source('shapes.c') }, breakpoints: [{ line: 27 }] });
    await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    const before = await t.topFrame(dc);
    let ran = false;
    dc.on('continued', () => { ran = true; });
    dc.on('stopped', () => { ran = true; });
    // `s` steps, but here it is shapes_perimeter's argument: the first shape.
    const s = await dc.evaluateRequest({ expression: 's', frameId: 1, context: 'repl' });
    const first = await dc.evaluateRequest({ expression: '&shapes[0]', frameId: 1, context: 'watch' });
    assert.strictEqual(s.body.result, first.body.result);
    assert.ok(s.body.variablesReference > 0, 'a pointer to a struct opens');
    const after = await t.topFrame(dc);
    assert.strictEqual(after.instructionPointerReference, before.instructionPointerReference);
    assert.strictEqual(ran, false);
  }));
});
