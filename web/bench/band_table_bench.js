// The page's band table under Node: the module's bands() for both
// networks, plain and with the coils fixed and Cmin, each repeated and its
// median and fastest times printed.  A measurement, not a test:
//   node web/bench/band_table_bench.js build/web/site/merid.js
'use strict';
const path = require('path');
const {performance} = require('perf_hooks');

const createMerid = require(path.resolve(process.argv[2]));
const kRuns = 9;
const kInputs = {qn: '12', q0: '200', rin: '2000', rout: '50', pin: '100'};
const kRequests = [
  ['pi', '', false], ['pi', '30', true],
  ['pi-l', '', false], ['pi-l', '30', true],
];

// The page's request for the band table of `network`.
function request(network, cmin, fixedCoil) {
  const values = {...kInputs, network, cmin, 'fixed-coil': fixedCoil ? '1' : ''};
  return JSON.stringify({lang: 'ru', values});
}

createMerid().then((merid) => {
  for (const [network, cmin, fixedCoil] of kRequests) {
    const times = [];
    for (let i = 0; i < kRuns; ++i) {
      const start = performance.now();
      merid.bands(request(network, cmin, fixedCoil));
      times.push(performance.now() - start);
    }
    times.sort((a, b) => a - b);
    const label = `${network}${fixedCoil ? ' --fixed-coil' : ''}` +
                  `${cmin ? ' --cmin ' + cmin : ''}`;
    console.log(`${label.padEnd(28)} median ${times[kRuns >> 1].toFixed(1)} ms,` +
                ` fastest ${times[0].toFixed(1)} ms`);
  }
});
