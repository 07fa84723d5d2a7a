#pragma once

namespace qtplatform {

// Makes SIGTERM, SIGINT and SIGHUP (kill, Ctrl+C in a terminal, the terminal or the session
// going) end the program as closing its windows does, so that it leaves as a close leaves:
// the clipboard handed over, exit status 0. The handler only notes the signal; the event loop
// closes the windows when it comes round to it. A signal that was ignored when the program
// started (nohup) stays ignored. Needs the QApplication.
void closeWindowsOnTerminationSignals();

}  // namespace qtplatform
