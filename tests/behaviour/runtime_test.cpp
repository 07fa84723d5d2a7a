#include "platform/forms/runtime_error.h"
#include "tests/behaviour/program_fixture.h"

namespace {

class Runtime : public ProgramTest {
 protected:
  void SetUp() override { start(12); }
};

TEST_F(Runtime, ASizeWriteLaysTheWindowOutBeforeItReturns) {
  window().setWidth(6000);
  EXPECT_EQ(window().PicWidth, 6000 / 12 - 8);
  window().PicWidth = 7;
  window().setWidth(6000);
  EXPECT_EQ(window().PicWidth, 7) << "no Resize when the size stays";
}

TEST_F(Runtime, ATextWriteRaisesChangeOnlyWhenTheTextChanges) {
  window().Text1.setText("a");
  EXPECT_TRUE(window().Command1.hasFocus());
  toolkit.widget(window().Command3).takeFocus();
  window().Text1.setText("a");
  EXPECT_TRUE(window().Command3.hasFocus());
}

TEST_F(Runtime, PropertiesRefuseValuesOutOfRange) {
  EXPECT_THROW(window().HScroll1.setValue(41), forms::RuntimeError);
  EXPECT_THROW(window().HScroll1.setValue(0), forms::RuntimeError);
  EXPECT_EQ(window().HScroll1.Value(), 10);
  EXPECT_THROW(window().Timer1.setInterval(-1), forms::RuntimeError);
  EXPECT_THROW(window().Command1.setWidth(-1), forms::RuntimeError);
  EXPECT_THROW(window().setScaleMode(2), forms::RuntimeError);
}

TEST_F(Runtime, AnErrorEndsOneHandlerAndTheProgramGoesOn) {
  click(window().Command1);
  desktop.setClipboardFails(true);
  const int clears = desktop.clipboardClears();
  releaseKey('3');
  ASSERT_EQ(errorsReported(), 1);
  EXPECT_EQ(toolkit.errors()[0].number(), 521);
  EXPECT_EQ(desktop.clipboardClears(), clears + 1) << "what the handler did before stays done";
  EXPECT_EQ(desktop.beeps(), 0) << "nothing after the failing step ran";

  desktop.setClipboardFails(false);
  releaseKey('3');
  EXPECT_EQ(desktop.beeps(), 1);
  click(window().Command1);
  EXPECT_EQ(mode(), kIdle);
  EXPECT_EQ(errorsReported(), 1);
}

TEST_F(Runtime, AnErrorInsideAnEventRaisedByAWriteEndsOnlyThatEvent) {
  window().Command1.setVisible(false);  // the help text's change handler cannot focus it now
  click(window().Command3);
  ASSERT_EQ(errorsReported(), 1);
  EXPECT_EQ(toolkit.errors()[0].number(), 5);
  EXPECT_TRUE(window().Text1.Visible());
  EXPECT_EQ(window().Command3.Caption(), "ＯＫ");
  EXPECT_FALSE(window().Text1.Text().empty());
}

}  // namespace
