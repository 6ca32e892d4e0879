#include "WindowTestSupport.h"

namespace lumarin::app::test {

void WriteGbkLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += ToGbk(line) + "\r\n";
    lumarin::test::WriteBytes(file, bytes);
}

} // namespace lumarin::app::test
