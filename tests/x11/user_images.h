#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <optional>

// Pixel for pixel, colours only (alpha aside): the same size and every pixel alike.
::testing::AssertionResult samePicture(const QImage& actual, const QImage& expected);

// Whether every pixel of `area` has one colour.
bool uniform(const QImage& picture, QRect area);

int countColour(const QImage& picture, QRect area, QRgb colour);

// The dark pixels of `area` (text and the like), cut to their bounding box, as a mask: two
// areas with the same text in the same font give the same ink.
QImage inkOf(const QImage& picture, QRect area);

// Where `needle` occurs in `haystack`, pixel for pixel; the first from the top left.
std::optional<QPoint> find(const QImage& haystack, const QImage& needle);
