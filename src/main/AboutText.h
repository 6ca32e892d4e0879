// SPDX-License-Identifier: MIT
#pragma once
// The text of the about window's memo: usage notes and the change log.

#include <string>

namespace lumarin::app {

// Every line ends with CR LF, the last one included.
std::u16string AboutMemoText();

} // namespace lumarin::app
