// Debian's Chromium, headless, driven by playwright-core (from the npm registry; `npx playwright install` is not
// used), and the page served from a folder on a free port of this machine, for the page's tests and the footprint
// benchmark.
'use strict';
const {chromium} = require('playwright-core');
const {spawn} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

// Serves `folder` with Python's static server, as the README tells players to; resolves to its address.
function serve(folder) {
  return new Promise((resolve, reject) => {
    const server = spawn('python3', ['-u', '-m', 'http.server', '--bind', '127.0.0.1', '0'], {cwd: folder});
    process.on('exit', () => server.kill());  // also when a test or the benchmark stops on a failure
    server.stdout.on('data', text => {
      const port = String(text).match(/port (\d+)/);
      if (port) resolve({url: `http://127.0.0.1:${port[1]}/`, stop: () => server.kill()});
    });
    server.stderr.resume();
    server.on('exit', code => reject(new Error(`the web server stopped (${code})`)));
  });
}

// A fresh browser profile in its own temporary folder, removed on close.
async function openBrowser(viewport = {width: 1280, height: 1000}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'shardfall-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    viewport,
    // The machine's closed network refuses Chromium's own connections: they are switched off.
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--autoplay-policy=user-gesture-required'],
  });
  const close = async () => {
    await context.close();
    fs.rmSync(profile, {recursive: true, force: true});
  };
  return {context, close};
}

// Every console error and uncaught exception of the page, as lines.
function collectErrors(page) {
  const errors = [];
  page.on('console', message => { if (message.type() === 'error') errors.push(`console: ${message.text()}`); });
  page.on('pageerror', error => errors.push(`exception: ${error.message}`));
  return errors;
}

module.exports = {serve, openBrowser, collectErrors};
