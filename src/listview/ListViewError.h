// SPDX-License-Identifier: MIT
#pragma once
// The one error type of the list control and its model: a number and a
// description, as the owner of the control expects to see them.

#include <cstdint>
#include <exception>
#include <string>

namespace lumarin::listview {

inline constexpr std::int32_t ERR_OVERFLOW = 6;
inline constexpr std::int32_t ERR_SUBSCRIPT = 9;
inline constexpr std::int32_t ERR_NO_COLUMNS = 31;
inline constexpr std::int32_t ERR_HAS_ITEMS = 33;
inline constexpr std::int32_t ERR_NO_OBJECT = 91;
inline constexpr std::int32_t ERR_DUPLICATE_KEY = 300;

class ListViewError : public std::exception {
public:
    ListViewError(std::int32_t number, std::u16string description);

    std::int32_t Number() const noexcept { return m_lngNumber; }
    const std::u16string& Description() const noexcept { return m_strDescription; }
    const char* what() const noexcept override { return m_strWhat.c_str(); }

private:
    std::int32_t m_lngNumber;
    std::u16string m_strDescription;
    std::string m_strWhat; // "Error <n>: <description>" in UTF-8
};

// Throws the error with its standard description.
[[noreturn]] void RaiseError(std::int32_t number);

// The standard description of a number ("Subscript out of range" for 9 ...).
std::u16string ErrorDescription(std::int32_t number);

} // namespace lumarin::listview
