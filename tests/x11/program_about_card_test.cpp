// The about card: a click on the view shows it cut to an ellipse; a click on the view outside
// the ellipse hides it again.
#include <cstdlib>

#include "program_fixture.h"
#include "user_images.h"
#include "wait_until.h"

namespace {

const QRgb kCardColour = qRgb(255, 255, 128);
// The card is 4212 × 2892 twips, in the middle of the view; the ellipse lies 10 px inside it.
const QSize kCardSize(281, 193);
constexpr int kEllipseInset = 10;
constexpr int kSlack = 2;  // for rounding of the card's place

class AboutCard : public ProgramTest {
 protected:
  QRect cardPlace() const {
    const QRect view = program_->layout().view;
    return {view.topLeft() + QPoint((view.width() - kCardSize.width()) / 2,
                                    (view.height() - kCardSize.height()) / 2),
            kCardSize};
  }

  void clickAndMoveAway(QPoint point) const {
    clickAt(point);
    parkPointer();
    waitUntilProgramHandledInput();
  }

  // Where the card colour shows in the view: the box around its pixels, in screen coordinates.
  QRect cardColourBox() const {
    const QImage view = grabView();
    QRect box;
    for (int y = 0; y < view.height(); ++y) {
      for (int x = 0; x < view.width(); ++x) {
        if ((view.pixel(x, y) & 0xFFFFFFU) == (kCardColour & 0xFFFFFFU)) box |= QRect(x, y, 1, 1);
      }
    }
    return box.translated(program_->layout().view.topLeft());
  }

  bool viewIsBlank() const {
    const QImage view = grabView();
    return uniform(view, view.rect());
  }
};

bool near(int actual, int expected) { return std::abs(actual - expected) <= kSlack; }

TEST_F(AboutCard, ClickOnTheViewShowsItCutToAnEllipse) {
  ASSERT_TRUE(viewIsBlank());
  clickAndMoveAway(program_->layout().view.center());
  QRect box;
  ASSERT_TRUE(waitUntil([&] { return !(box = cardColourBox()).isEmpty(); })) << "no card";

  const QRect ellipse =
      cardPlace().adjusted(kEllipseInset, kEllipseInset, -kEllipseInset, -kEllipseInset);
  EXPECT_TRUE(near(box.left(), ellipse.left()) && near(box.right(), ellipse.right()) &&
              near(box.top(), ellipse.top()) && near(box.bottom(), ellipse.bottom()))
      << "card colour over " << box.x() << ", " << box.y() << " " << box.width() << "x"
      << box.height();
  const QImage view = grabView();
  const QPoint origin = program_->layout().view.topLeft();
  for (const QPoint corner : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
    EXPECT_NE(view.pixel(corner - origin) & 0xFFFFFFU, kCardColour & 0xFFFFFFU)
        << "the card's corner at " << corner.x() << ", " << corner.y() << " is not cut off";
  }
}

TEST_F(AboutCard, ClickOutsideTheEllipseHidesIt) {
  clickAndMoveAway(program_->layout().view.center());
  ASSERT_TRUE(waitUntil([&] { return !cardColourBox().isEmpty(); })) << "no card";
  // Inside the card's rectangle, but in the corner the ellipse cuts away.
  clickAndMoveAway(cardPlace().topLeft() + QPoint(kEllipseInset + 2, kEllipseInset + 2));
  EXPECT_TRUE(waitUntil([&] { return viewIsBlank(); })) << "the card is still up";
}

TEST_F(AboutCard, ClickOnTheViewsCornerHidesIt) {
  clickAndMoveAway(program_->layout().view.center());
  ASSERT_TRUE(waitUntil([&] { return !cardColourBox().isEmpty(); })) << "no card";
  clickAndMoveAway(program_->layout().view.topLeft() + QPoint(3, 3));
  EXPECT_TRUE(waitUntil([&] { return viewIsBlank(); })) << "the card is still up";
}

}  // namespace
