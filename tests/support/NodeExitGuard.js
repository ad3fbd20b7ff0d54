// SPDX-License-Identifier: GPL-3.0-or-later
// A test program suspended on a promise that nothing will ever settle leaves node with nothing to
// do, and node then ends with status 0: a hang would pass. Ending that way is a failure here; a
// program that finishes goes through exit(), which this does not see.
if (typeof process === 'object' && typeof process.on === 'function') {
  process.on('beforeExit', () => {
    console.error('The test program stopped, waiting for something that never came.');
    process.exit(1);
  });
}
