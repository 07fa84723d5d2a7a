// Hands the picture to the desktop's paint program.
#include "app/form1.h"
#include "modes/mode_captions.h"
#include "platform/forms/not_ready.h"

namespace {

constexpr const char* kHandOffUnderWay = "ペイントプログラムへの受け渡しの途中です";

}  // namespace

void Form1::Command4_Click() {
  platform::PaintProgram& paint = desktop_.paintProgram();
  // Before the clipboard changes: the paint program of the hand-off under way may be about to
  // paste from it.
  if (paint.handingOver()) throw forms::NotReady(kHandOffUnderWay);
  // The live picture goes to the clipboard first; a still capture is already there.
  if (Command1.Caption() == mode_captions::kRunning) copyViewToClipboard();
  paint.handOver(Picture1.Image(), runtime());
}
