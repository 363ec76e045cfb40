// The VS Code extension's side: its adapter script starts yav --dap, and its first launch
// configuration, pointed at the demo, is one the adapter takes.
'use strict';
const { describe, it } = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { DebugClient } = require('@vscode/debugadapter-testsupport');
const t = require('./support');

const extension = path.join(__dirname, '..', '..', 'editors', 'vscode');

describe('the VS Code extension', () => {
  it('starts the adapter through its script and launches its own configuration', async () => {
    const manifest = JSON.parse(fs.readFileSync(path.join(extension, 'package.json'), 'utf8'));
    const debuggerEntry = manifest.contributes.debuggers.find((d) => d.type === 'yav');
    const home = fs.mkdtempSync(path.join(os.tmpdir(), 'yav-dap-'));
    const dc = new DebugClient('/bin/sh', path.join(extension, debuggerEntry.program), 'yav', {
      env: { ...process.env, YAV_PROGRAM: t.yav, YAV_INI: path.join(home, 'YAVKT55R.INI') },
    });
    dc.defaultTimeout = 15000;
    await dc.start();
    try {
      const config = { ...debuggerEntry.initialConfigurations[0], program: t.program };
      // Every attribute the configuration uses is one the extension declares.
      const declared = Object.keys(debuggerEntry.configurationAttributes.launch.properties);
      for (const key of Object.keys(config)) assert.ok(['type', 'request', 'name', ...declared].includes(key), key);
      await dc.initializeRequest({ adapterID: 'yav' });
      const stopped = dc.waitForEvent('stopped');
      await dc.launchRequest(config);
      await dc.configurationDoneRequest();
      assert.strictEqual(config.stopOnEntry, true);
      assert.strictEqual((await stopped).body.reason, 'entry');
      const threads = await dc.threadsRequest();
      assert.match(threads.body.threads[0].name, new RegExp(config.chip));
    } finally {
      await dc.stop();
      fs.rmSync(home, { recursive: true, force: true });
    }
  });
});
