// SPDX-License-Identifier: MIT
#pragma once
// Names the windows show.

namespace lumarin::app {

inline constexpr const char16_t* kProductCaption = u"Lumarin v2.0 Beta0618(Orvane)";
inline constexpr const char16_t* kAppTitle = u"Tessel"; // title of the warning boxes

} // namespace lumarin::app
