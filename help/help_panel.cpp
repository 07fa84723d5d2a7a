// The help button shows the usage text over the view, and hides it again.
#include "app/form1.h"
#include "help/help_captions.h"
#include "help/usage_text.h"

void Form1::Command3_Click() {
  Picture3.setVisible(false);
  Picture2.setVisible(false);
  if (!Text1.Visible()) {
    Text1.setVisible(true);
    Command3.setCaption(help::kCloseHelpCaption);
    Text1.setText(help::usageText());
  } else {
    Text1.setVisible(false);
    Command3.setCaption(help::kHelpCaption);
  }
}

// Whenever the help text changes, the focus leaves the text box, so nobody types into it.
void Form1::Text1_Change() { Command1.SetFocus(); }
