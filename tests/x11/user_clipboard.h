#pragma once

#include <QImage>

// The picture on the clipboard as another program gets it: image/png read by xclip. A null
// image when the clipboard holds no picture (or its owner does not answer in time).
QImage clipboardPicture();
