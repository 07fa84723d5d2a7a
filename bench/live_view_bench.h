#pragma once

namespace bench {

class ProgramOnScreen;

// The first tick at each zoom, the live-view tick at three view sizes and three zooms, its
// parts, and the bare screen read that it cannot beat.
void registerLiveViewBenchmarks(ProgramOnScreen& program);

}  // namespace bench
