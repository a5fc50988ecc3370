// Counters held as decimal text in captions.
#pragma once

#include "ui/control.h"

namespace shell {

// Raises a counter shown in a caption: the caption's numeric value (0 for an
// empty or non-numeric text) plus one, written back as decimal text.
inline void raiseCounter(ui::Control& label) {
  label.setText(core::decimal(static_cast<int64_t>(core::leadingNumber(label.text())) + 1));
}

}  // namespace shell
