// The page's band table under Node: the module's bands() for both
// networks, plain, with the coils fixed and Cmin, and with every option the
// band table takes (the emission limit's search with a margin and the
// strays besides), each repeated and its median and fastest times printed.
// A measurement, not a test:
//   node web/bench/band_table_bench.js build/web/site/merid.js
'use strict';
const path = require('path');
const {performance} = require('perf_hooks');

const createMerid = require(path.resolve(process.argv[2]));
const kRuns = 9;
const kInputs = {qn: '12', q0: '200', rin: '2000', rout: '50', pin: '100'};
const kEverything = {
  limit: 'us', margin: '3', 'coil-c': '2', 'c1-lead': '0.02', 'c2-lead': '0.02',
  rp: '20000',
};
const kRequests = [
  ['pi', '', false, false], ['pi', '30', true, false], ['pi', '30', true, true],
  ['pi-l', '', false, false], ['pi-l', '30', true, false],
  ['pi-l', '30', true, true],
];

// The page's request for the band table of `network`.
function request(network, cmin, fixedCoil, everything) {
  const values = {
    ...kInputs, network, cmin, 'fixed-coil': fixedCoil ? '1' : '',
    ...(everything ? kEverything : {}),
  };
  return JSON.stringify({lang: 'ru', values});
}

createMerid().then((merid) => {
  for (const [network, cmin, fixedCoil, everything] of kRequests) {
    const times = [];
    const text = request(network, cmin, fixedCoil, everything);
    if (JSON.parse(merid.bands(text)).refused) throw new Error(text);
    for (let i = 0; i < kRuns; ++i) {
      const start = performance.now();
      merid.bands(text);
      times.push(performance.now() - start);
    }
    times.sort((a, b) => a - b);
    const label = `${network}${fixedCoil ? ' --fixed-coil' : ''}` +
                  `${cmin ? ' --cmin ' + cmin : ''}` +
                  `${everything ? ' --limit us --margin 3 ...' : ''}`;
    console.log(`${label.padEnd(28)} median ${times[kRuns >> 1].toFixed(1)} ms,` +
                ` fastest ${times[0].toFixed(1)} ms`);
  }
});
