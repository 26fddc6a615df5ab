// The page's band table under Node: the module's bands() for both
// networks, plain and with the coils fixed and Cmin, each repeated and its
// median and fastest times printed.  A measurement, not a test:
//   node web/bench/band_table_bench.js build/web/site/merid.js
'use strict';
const path = require('path');
const {performance} = require('perf_hooks');

const createMerid = require(path.resolve(process.argv[2]));
const kRuns = 9;
const kInputs = [12, 200, 2000, 50, 100];
const kRequests = [
  ['pi', '', false], ['pi', '30', true],
  ['pi-l', '', false], ['pi-l', '30', true],
];

createMerid().then((merid) => {
  for (const [network, cmin, fixedCoil] of kRequests) {
    const times = [];
    for (let i = 0; i < kRuns; ++i) {
      const start = performance.now();
      merid.bands(network, ...kInputs, NaN, cmin, fixedCoil);
      times.push(performance.now() - start);
    }
    times.sort((a, b) => a - b);
    const label = `${network}${fixedCoil ? ' --fixed-coil' : ''}` +
                  `${cmin ? ' --cmin ' + cmin : ''}`;
    console.log(`${label.padEnd(28)} median ${times[kRuns >> 1].toFixed(1)} ms,` +
                ` fastest ${times[0].toFixed(1)} ms`);
  }
});
