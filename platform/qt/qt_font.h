#pragma once

#include <QFont>

#include "platform/forms/peers.h"

namespace qtplatform {

QFont toQFont(const forms::FontSpec& spec);

}  // namespace qtplatform
