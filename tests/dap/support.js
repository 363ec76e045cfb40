// Starting `yav --dap` on the demo program for the client library, from the build folder (where
// the simulator libraries and the demo are built).
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { DebugClient } = require('@vscode/debugadapter-testsupport');

const yav = process.env.YAV_PROGRAM;
if (!yav) throw new Error('YAV_PROGRAM must name the built yav program');
const buildDir = path.dirname(path.resolve(yav));
const demoDir = path.join(buildDir, 'examples', 'demo');
const program = path.join(demoDir, 'demo.s08');

// The demo's source files, by name.
const source = (name) => path.join(demoDir, name);

// The demo's sources in the repository: the workspace an editor has open, apart from the build's
// copies beside the program.
const workspaceDemo = path.join(__dirname, '..', '..', 'examples', 'demo');

// A client on a fresh adapter with a settings file of its own.
async function startClient() {
  const home = fs.mkdtempSync(path.join(os.tmpdir(), 'yav-dap-'));
  const client = new DebugClient(yav, '--dap', 'yav', {
    cwd: buildDir,
    env: { ...process.env, YAV_INI: path.join(home, 'YAVKT55R.INI') },
  });
  client.defaultTimeout = 15000;
  await client.start();
  client.home = home;
  return client;
}

async function stopClient(client) {
  await client.stop();
  fs.rmSync(client.home, { recursive: true, force: true });
}

// Initializes, launches and finishes the configuration; resolves with the first stop.
async function launchStopped(client, extra = {}, configure = async () => {}) {
  await client.initializeRequest({ adapterID: 'yav', linesStartAt1: true, columnsStartAt1: true });
  const stopped = client.waitForEvent('stopped');
  const initialized = client.waitForEvent('initialized');
  await client.launchRequest({ program, stopOnEntry: true, ...extra });
  await initialized;
  await configure();
  await client.configurationDoneRequest();
  return stopped;
}

// Sends a request that must fail; resolves with the error message.
async function failure(promise) {
  try {
    await promise;
  } catch (e) {
    return e.message;
  }
  throw new Error('the request succeeded');
}

// Runs `request` and waits for the stop it causes.
async function stopAfter(client, request) {
  const stopped = client.waitForEvent('stopped');
  await request();
  return (await stopped).body;
}

// Runs `body` with a client on a fresh adapter, stopped at the entry of the demo (launched with
// `extra`), and stops the adapter afterwards.
async function withSession(extra, body) {
  const client = await startClient();
  try {
    await launchStopped(client, extra);
    await body(client);
  } finally {
    await stopClient(client);
  }
}

// Collects the events of one kind as they come.
function collect(client, event) {
  const seen = [];
  client.on(event, (e) => seen.push(e.body));
  return seen;
}

// The program's output as it arrives; `until(text)` resolves once it holds `text`.
function programOutput(client) {
  const out = { text: '' };
  client.on('output', (e) => { if (e.body.category === 'stdout') out.text += e.body.output; });
  out.until = async (text) => {
    while (!out.text.includes(text)) await new Promise((resolve) => setTimeout(resolve, 10));
  };
  return out;
}

async function topFrame(client) {
  const trace = await client.stackTraceRequest({ threadId: 1 });
  return trace.body.stackFrames[0];
}

// The variables of a container as a name -> variable map.
async function variablesByName(client, reference, format) {
  const r = await client.variablesRequest({ variablesReference: reference, format });
  return Object.fromEntries(r.body.variables.map((v) => [v.name, v]));
}

async function scopesByName(client, frameId) {
  const r = await client.scopesRequest({ frameId });
  return Object.fromEntries(r.body.scopes.map((s) => [s.name, s.variablesReference]));
}

module.exports = {
  yav, buildDir, demoDir, workspaceDemo, program, source, startClient, stopClient, launchStopped, withSession,
  collect, programOutput, failure, stopAfter, topFrame, variablesByName, scopesByName,
};
