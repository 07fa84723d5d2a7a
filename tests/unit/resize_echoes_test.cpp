#include "platform/forms/resize_echoes.h"

#include <gtest/gtest.h>

namespace {

using Answer = forms::ResizeEchoes::Answer;

TEST(ResizeEchoes, AnAnswerSettlesItsRequestAndAllOlderOnes) {
  forms::ResizeEchoes echoes;
  EXPECT_EQ(echoes.answer({10, 10}), Answer::Foreign);
  echoes.requested({10, 10});
  echoes.requested({20, 10});
  echoes.requested({20, 20});
  echoes.requested({10, 10});
  EXPECT_EQ(echoes.answer({20, 10}), Answer::Stale);  // the first request merged into it
  EXPECT_EQ(echoes.answer({30, 30}), Answer::Foreign);
  EXPECT_EQ(echoes.answer({20, 20}), Answer::Stale);
  EXPECT_EQ(echoes.answer({10, 10}), Answer::Latest);
  EXPECT_FALSE(echoes.pending());
  EXPECT_EQ(echoes.answer({10, 10}), Answer::Foreign);
}

TEST(ResizeEchoes, KeepsEveryRequestOfALongBurst) {
  forms::ResizeEchoes echoes;
  for (int i = 0; i < 100; ++i) echoes.requested({100 + i, 100});
  EXPECT_EQ(echoes.answer({100, 100}), Answer::Stale);
  EXPECT_EQ(echoes.answer({150, 100}), Answer::Stale);
  EXPECT_EQ(echoes.answer({199, 100}), Answer::Latest);
}

}  // namespace
