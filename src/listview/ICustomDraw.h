// SPDX-License-Identifier: MIT
#pragma once
// Per-cell colouring callback: an owner may change the OLE colours of one cell
// before it is drawn. Returning true means "use the colours I returned".

#include <cstdint>

namespace lumarin::listview {

class ICustomDraw {
public:
    virtual ~ICustomDraw() = default;
    virtual bool CustomDraw(std::int32_t ItemIndex, std::int32_t ColumnIndex,
                            std::int32_t& BackColor, std::int32_t& ForeColor) = 0;
};

} // namespace lumarin::listview
