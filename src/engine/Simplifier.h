#pragma once

#include <string>
#include <string_view>

namespace lumarin::engine {

// Traditional to simplified Chinese (the t2s conversion of OpenCC), one line
// at a time. Carried invalid bytes pass through untouched. The result may
// differ in length from the input.
class Simplifier {
public:
    // Throws EngineError (read failure) when the conversion data cannot be loaded.
    Simplifier();
    ~Simplifier();
    Simplifier(const Simplifier&) = delete;
    Simplifier& operator=(const Simplifier&) = delete;

    std::u16string convert(std::u16string_view line);

private:
    void convertSegment(std::u16string_view segment, std::u16string& out);

    void* m_handle;
    std::string m_utf8;
};

// One line through a shared Simplifier.
std::u16string ToSimplified(std::u16string_view line);

} // namespace lumarin::engine
