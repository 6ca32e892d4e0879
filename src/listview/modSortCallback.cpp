// SPDX-License-Identifier: MIT
#include "listview/modSortCallback.h"

#include "listview/ListItem.h"

#include <cstring>
#include <memory>
#include <unicode/coll.h>
#include <unicode/locid.h>

namespace lumarin::listview {

namespace {

std::int32_t g_lngSortColumn = 0;
std::int32_t g_lngSortOrder = 0;

// The user's locale without regard to letter case (secondary strength keeps
// accents apart). ICU reads the C/POSIX locale as en_US_POSIX, whose collation
// puts every capital before every small letter, so that one falls back to the
// root collation.
std::unique_ptr<icu::Collator> MakeCollator() {
    icu::Locale locale = icu::Locale::getDefault();
    if (std::strcmp(locale.getVariant(), "POSIX") == 0 || std::strlen(locale.getLanguage()) == 0) {
        locale = icu::Locale::getRoot();
    }
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(locale, status));
    if (U_FAILURE(status) || !collator) {
        status = U_ZERO_ERROR;
        collator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
    }
    if (collator) collator->setStrength(icu::Collator::SECONDARY);
    return collator;
}

icu::Collator* SortCollator() {
    static const std::unique_ptr<icu::Collator> collator = MakeCollator();
    return collator.get();
}

const std::u16string& CellText(const void* slot) {
    static const std::u16string empty;
    const ListItem* row = nullptr;
    std::memcpy(&row, slot, sizeof row);
    // A row made before the columns grew has no text there: it sorts as empty
    // rather than aborting a sort half-way through its slots.
    if (!row || g_lngSortColumn < 0 || g_lngSortColumn >= row->SubItemCount()) return empty;
    return row->Text(g_lngSortColumn);
}

} // namespace

void SetSortColumn(std::int32_t column) {
    g_lngSortColumn = column;
}
void SetSortOrder(std::int32_t order) {
    g_lngSortOrder = order;
}

int CompareText(const std::u16string& a, const std::u16string& b) {
    icu::Collator* collator = SortCollator();
    if (!collator) return a < b ? -1 : (b < a ? 1 : 0);
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result = collator->compare(
        a.data(), static_cast<int32_t>(a.size()), b.data(), static_cast<int32_t>(b.size()), status);
    if (U_FAILURE(status)) return a < b ? -1 : (b < a ? 1 : 0);
    return result == UCOL_LESS ? -1 : (result == UCOL_GREATER ? 1 : 0);
}

int CompareListItems(const void* first, const void* second) {
    const int result = CompareText(CellText(first), CellText(second));
    return g_lngSortOrder == 1 ? -result : result;
}

} // namespace lumarin::listview
