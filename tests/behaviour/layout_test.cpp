#include "tests/behaviour/program_fixture.h"

namespace {

struct Place {
  float left;
  float top;
  float width;
};

void expectPlace(const forms::Control& control, Place place) {
  EXPECT_FLOAT_EQ(control.Left(), place.left) << control.name();
  EXPECT_FLOAT_EQ(control.Top(), place.top) << control.name();
  EXPECT_FLOAT_EQ(control.Width(), place.width) << control.name();
}

class Layout : public ProgramTest {
 protected:
  void SetUp() override { start(12); }
};

TEST_F(Layout, LaysOutTheDesignWindowAt12TwipsPerPixel) {
  ASSERT_FLOAT_EQ(window().ScaleWidth(), 351);
  ASSERT_FLOAT_EQ(window().ScaleHeight(), 305);

  expectPlace(window().Picture1, {0, 0, 351});
  EXPECT_FLOAT_EQ(window().Picture1.Height(), 240);
  expectPlace(window().Picture2, {0, -0.5F, 351});
  EXPECT_FLOAT_EQ(window().Picture2.Height(), 241);
  expectPlace(window().Picture3, {158.5F, 153, 34});
  expectPlace(window().Text1, {0, 0, 351});
  EXPECT_FLOAT_EQ(window().Text1.Height(), 240);
  expectPlace(window().Command4, {35.1F, 245, 70.2F});
  expectPlace(window().Command1, {105.3F, 245, 70.2F});
  expectPlace(window().Command2, {175.5F, 245, 70.2F});
  expectPlace(window().Command3, {245.7F, 245, 70.2F});
  expectPlace(window().Label1, {3.51F, 245, 70.2F});
  expectPlace(window().HScroll1, {3.51F, 282, 343.98F});
  EXPECT_FLOAT_EQ(window().Command1.Height(), 31) << "button heights keep their design value";
  EXPECT_FLOAT_EQ(window().HScroll1.Height(), 21);
  EXPECT_EQ(window().PicWidth, 351);
  EXPECT_EQ(window().PicHeight, 240);

  // The native widgets sit at whole pixels.
  EXPECT_EQ(toolkit.widget(window().Command1).geometry(), (graphics::Rect{105, 245, 70, 31}));
  EXPECT_EQ(toolkit.widget(window().HScroll1).geometry(), (graphics::Rect{4, 282, 344, 21}));
  EXPECT_TRUE(toolkit.widget(window().HScroll1).visible());
}

TEST_F(Layout, NeedsMoreThan65PixelsOfInnerHeight) {
  resizeClient(300, 65);
  EXPECT_FLOAT_EQ(window().Picture1.Height(), 240) << "65 pixels change nothing";
  EXPECT_FLOAT_EQ(window().Command1.Top(), 245);
  EXPECT_EQ(window().PicWidth, 351);

  resizeClient(300, 66);
  EXPECT_FLOAT_EQ(window().Picture1.Height(), 1);
  EXPECT_FLOAT_EQ(window().Picture1.Width(), 300);
  for (forms::Control* control : buttons()) EXPECT_FLOAT_EQ(control->Top(), 6) << control->name();
  EXPECT_FLOAT_EQ(window().Label1.Top(), 6);
  EXPECT_FLOAT_EQ(window().HScroll1.Top(), 43);
  EXPECT_EQ(window().PicWidth, 300);
  EXPECT_EQ(window().PicHeight, 1);
}

TEST_F(Layout, AMinimisedWindowChangesNothing) {
  window().PicWidth = 7;
  toolkit.window(window()).minimize();
  resizeClient(500, 400);
  EXPECT_EQ(window().PicWidth, 7);
  EXPECT_FLOAT_EQ(window().Picture1.Width(), 351);
  toolkit.window(window()).restore();
  EXPECT_EQ(window().PicWidth, 500) << "restoring lays the window out at its new size";
}

TEST_F(Layout, CentresTheCardOnAViewNarrowerThanIt) {
  resizeClient(200, 305);
  EXPECT_FLOAT_EQ(window().Picture2.Left(), -75.5F);
  EXPECT_FLOAT_EQ(window().Picture3.Left(), 83);
  // The icon box's centre stays 50 pixels below the view's centre.
  EXPECT_FLOAT_EQ(window().Picture3.Top() + window().Picture3.Height() / 2,
                  window().Picture1.Height() / 2 + 50);
}

TEST_F(Layout, DependsOnlyOnTheSize) {
  resizeClient(640, 480);
  const float commandLeft = window().Command3.Left();
  const float barWidth = window().HScroll1.Width();
  window().Form_Resize();
  resizeClient(200, 100);
  resizeClient(640, 480);
  EXPECT_FLOAT_EQ(window().Command3.Left(), commandLeft);
  EXPECT_FLOAT_EQ(window().HScroll1.Width(), barWidth);
  EXPECT_FLOAT_EQ(commandLeft, 448);
  EXPECT_EQ(window().PicHeight, 415);
}

}  // namespace
