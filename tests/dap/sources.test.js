// Source files and the launch's paths: a source is matched by its full path, the editor is shown
// the workspace file it mapped, and a relative program is found from the launch's cwd.
'use strict';
const { describe, it } = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const t = require('./support');

describe('sources by full path', () => {
  it('keeps apart a file of the same name in another folder', () => t.withSession({}, async (dc) => {
    const elsewhere = fs.mkdtempSync(path.join(os.tmpdir(), 'yav-other-'));
    try {
      const copy = path.join(elsewhere, 'shapes.c');
      fs.copyFileSync(t.source('shapes.c'), copy);
      const other = await dc.setBreakpointsRequest({ source: { path: copy }, breakpoints: [{ line: 27 }] });
      assert.strictEqual(other.body.breakpoints[0].verified, false);
      assert.match(other.body.breakpoints[0].message, /shapes\.c/);
      const own = await dc.setBreakpointsRequest({ source: { path: t.source('shapes.c') }, breakpoints: [{ line: 27 }] });
      assert.strictEqual(own.body.breakpoints[0].verified, true);
      // Only the program's own file stops the run.
      const stop = await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
      assert.deepStrictEqual(stop.hitBreakpointIds, [own.body.breakpoints[0].id]);
    } finally {
      fs.rmSync(elsewhere, { recursive: true, force: true });
    }
  }));

  it('shows the workspace files the source path maps, not the build copies', () => t.withSession({ sourcePath: [t.workspaceDemo] }, async (dc) => {
    const inWorkspace = (name) => path.join(t.workspaceDemo, name);
    const set = await dc.setBreakpointsRequest({ source: { path: inWorkspace('shapes.c') }, breakpoints: [{ line: 27 }] });
    assert.strictEqual(set.body.breakpoints[0].verified, true);
    await t.stopAfter(dc, () => dc.continueRequest({ threadId: 1 }));
    const trace = (await dc.stackTraceRequest({ threadId: 1 })).body.stackFrames;
    assert.deepStrictEqual(trace.map((f) => f.source.path), [inWorkspace('shapes.c'), inWorkspace('shapes.c'), inWorkspace('main.c')]);
    const disassembly = await dc.customRequest('disassemble', { memoryReference: trace[0].instructionPointerReference, instructionCount: 1 });
    assert.strictEqual(disassembly.body.instructions[0].location.path, inWorkspace('shapes.c'));
  }));
});

describe('a relative program', () => {
  it('is found from the launch\'s cwd', async () => {
    const dc = await t.startClient();  // the adapter itself runs in the build folder
    try {
      await dc.initializeRequest({ adapterID: 'yav' });
      const elsewhere = await t.failure(dc.launchRequest({ program: 'demo.s08', cwd: os.tmpdir(), stopOnEntry: true }));
      assert.match(elsewhere, new RegExp(path.join(os.tmpdir(), 'demo.s08').replace(/[.]/g, '\\.')));
      const stopped = dc.waitForEvent('stopped');
      await dc.launchRequest({ program: 'demo.s08', cwd: t.demoDir, stopOnEntry: true });
      await dc.configurationDoneRequest();
      assert.strictEqual((await stopped).body.reason, 'entry');
      const set = await dc.setFunctionBreakpointsRequest({ breakpoints: [{ name: 'factorial' }] });
      assert.strictEqual(set.body.breakpoints[0].verified, true);
    } finally {
      await t.stopClient(dc);
    }
  });
});
