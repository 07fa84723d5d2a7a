#pragma once

namespace bench {

class ProgramOnScreen;

// The still capture of a 1280×720 rectangle, from the key release to the clipboard.
void registerStillCaptureBenchmark(ProgramOnScreen& program);

}  // namespace bench
