// Values, memory and code of the stopped program: evaluate, setVariable and setExpression read
// back through memory, readMemory/writeMemory, disassemble, and debugger commands typed in the
// debug console.
'use strict';
const { describe, it, before, after } = require('node:test');
const assert = require('node:assert');
const t = require('./support');

const bytesAt = async (dc, reference, count) => {
  const r = await dc.customRequest('readMemory', { memoryReference: reference, count });
  return [...Buffer.from(r.body.data, 'base64')];
};

describe('values and memory', () => {
  let dc;
  before(async () => {
    dc = await t.startClient();
    await t.launchStopped(dc, {}, () => dc.setBreakpointsRequest({ source: { path: t.source('main.c') }, breakpoints: [{ line: 32 }] }));
    await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
  });
  after(() => t.stopClient(dc));

  it('evaluates expressions in the stopped frame', async () => {
    const cases = [
      ['perimeter', '480'],  // (0+5)*3 + (10+25)*4 + (20+45)*5
      ['fact_result', '120'],
      ['shapes[2].corner.y', '45'],  // 2 * 20 + 5
      ['table[1] - table[0]', '3'],  // fill_table steps by 3
      ['packed.bytes[0]', '18'],  // 0x1234 big-endian: 0x12 first
    ];
    for (const [expression, expected] of cases) {
      const r = await dc.evaluateRequest({ expression, frameId: 1, context: 'watch' });
      assert.strictEqual(r.body.result, expected, expression);
    }
    const shape = await dc.evaluateRequest({ expression: 'shapes[1]', frameId: 1, context: 'hover' });
    assert.ok(shape.body.variablesReference > 0);
    const members = await t.variablesByName(dc, shape.body.variablesReference);
    assert.deepStrictEqual(Object.keys(members), ['color', 'corner', 'sides', 'next']);
    assert.strictEqual(members.color.value, 'GREEN');
    // shapes[1].next reaches shapes[2]; the last shape's next is null and leads nowhere.
    const next = await t.variablesByName(dc, members.next.variablesReference);
    assert.strictEqual(next.sides.value, '5');
    assert.strictEqual((await dc.evaluateRequest({ expression: 'shapes[2].next', frameId: 1 })).body.variablesReference, 0);
  });

  it('sets a global through the Globals scope; memory holds it big-endian', async () => {
    const globals = await t.variablesByName(dc, (await t.scopesByName(dc, 1)).Globals);
    // Two files define a `count`: each is named with its file.
    const count = globals['count (main.c)'];
    assert.ok(count && globals['count (console.c)']);
    const set = await dc.setVariableRequest({ variablesReference: (await t.scopesByName(dc, 1)).Globals, name: 'count (main.c)', value: '1234' });
    assert.strictEqual(set.body.value, '1234');
    assert.deepStrictEqual(await bytesAt(dc, count.memoryReference, 2), [0x04, 0xd2]);
  });

  it('sets a struct member by expression and a local through its scope', async () => {
    const set = await dc.customRequest('setExpression', { expression: 'shapes[1].sides', value: '9', frameId: 1 });
    assert.strictEqual(set.body.value, '9');
    const sides = await dc.evaluateRequest({ expression: 'shapes[1].sides', frameId: 1 });
    assert.deepStrictEqual(await bytesAt(dc, sides.body.memoryReference, 1), [9]);
    const locals = (await t.scopesByName(dc, 1)).Locals;
    await dc.setVariableRequest({ variablesReference: locals, name: 'perimeter', value: '-2' });
    // The compiler keeps this one in a register: read back through the evaluator.
    assert.strictEqual((await t.variablesByName(dc, locals)).perimeter.value, '-2');
    assert.strictEqual((await dc.evaluateRequest({ expression: 'perimeter + 2', frameId: 1 })).body.result, '0');
  });

  it('writes memory the program then reads', async () => {
    const table = await dc.evaluateRequest({ expression: '&table[2]', frameId: 1 });
    const address = table.body.result.match(/0x[0-9a-f]+/i)[0];
    const written = await dc.customRequest('writeMemory', { memoryReference: address, data: Buffer.from([0xab, 0x07]).toString('base64') });
    assert.strictEqual(written.body.bytesWritten, 2);
    assert.strictEqual((await dc.evaluateRequest({ expression: 'table[2]', frameId: 1 })).body.result, '171');
    assert.strictEqual((await dc.evaluateRequest({ expression: 'table[3]', frameId: 1 })).body.result, '7');
  });

  it('reports a write that flash does not take, and leaves it as it was', async () => {
    // main's code sits in the QE128's flash, which a plain write of the target does not program.
    const main = (await dc.evaluateRequest({ expression: '&main', frameId: 1 })).body.result.match(/0x[0-9a-f]+/i)[0];
    const before = await bytesAt(dc, main, 2);
    const changed = before.map((b) => b ^ 0xff);
    const message = await t.failure(dc.customRequest('writeMemory', { memoryReference: main, data: Buffer.from(changed).toString('base64') }));
    assert.match(message, /did not take the write|refused/);
    assert.deepStrictEqual(await bytesAt(dc, main, 2), before);
  });

  it('disassembles around the program counter with symbols and source lines', async () => {
    const frame = await t.topFrame(dc);
    const pc = frame.instructionPointerReference;
    const r = await dc.customRequest('disassemble', { memoryReference: pc, instructionOffset: -2, instructionCount: 5 });
    const list = r.body.instructions;
    assert.strictEqual(list.length, 5);
    assert.strictEqual(parseInt(list[2].address, 16), parseInt(pc, 16));
    assert.strictEqual(list[2].line, 32);
    for (let i = 0; i + 1 < list.length; ++i) {
      const size = list[i].instructionBytes.split(' ').length;
      assert.strictEqual(parseInt(list[i + 1].address, 16), parseInt(list[i].address, 16) + size, 'instructions follow each other');
      assert.deepStrictEqual(await bytesAt(dc, list[i].address, size), list[i].instructionBytes.split(' ').map((b) => parseInt(b, 16)));
    }
    const main = await dc.evaluateRequest({ expression: '&main', frameId: 1 });
    const start = main.body.result.match(/0x[0-9a-f]+/i)[0];
    const entry = await dc.customRequest('disassemble', { memoryReference: start, instructionCount: 1 });
    assert.strictEqual(entry.body.instructions[0].symbol, 'main');
    assert.strictEqual(entry.body.instructions[0].location.path, t.source('main.c'));
  });

  it('runs debugger commands typed in the debug console', async () => {
    for (const line of ['>x fact_result', '> x fact_result', '-exec x fact_result']) {
      const r = await dc.evaluateRequest({ expression: line, frameId: 1, context: 'repl' });
      assert.match(r.body.result, /fact_result = 120/, line);
    }
    // A command's error fails the request with the error's text.
    assert.match(await t.failure(dc.evaluateRequest({ expression: '>b nosuch.c:3', frameId: 1, context: 'repl' })), /file not found/i);
    assert.match(await t.failure(dc.evaluateRequest({ expression: '>frobnicate', frameId: 1, context: 'repl' })), /./);
    // Unmarked, a command line is an expression: it does not evaluate, and nothing runs.
    assert.match(await t.failure(dc.evaluateRequest({ expression: 'x fact_result', frameId: 1, context: 'repl' })), />/);
    // A step typed there reports its stop like the editor's own.
    const continued = dc.waitForEvent('continued');
    let stdout = '';
    dc.on('output', (e) => { if (e.body.category === 'stdout') stdout += e.body.output; });
    let result;
    const stop = await t.stopAfter(dc, async () => {
      result = await dc.evaluateRequest({ expression: '>so', frameId: 1, context: 'repl' });
    });
    await continued;
    assert.strictEqual(stop.reason, 'step');
    assert.strictEqual((await t.topFrame(dc)).line, 33);
    // Line 32 prints perimeter, set to -2 above: as unsigned int, 65534. That is the program's
    // output, not the command's result.
    assert.strictEqual(stdout, '65534');
    assert.doesNotMatch(result.body.result, /65534/);
  });
});
