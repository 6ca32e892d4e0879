// SPDX-License-Identifier: MIT
#include "cli/RuleListPrinter.h"

#include "cli/JsonWriter.h"
#include "engine/base/TextUtil.h"
#include "engine/headings/HeadingRules.h"

namespace lumarin::cli {

using engine::ToUtf8;

void PrintRules(std::ostream& out, bool json) {
    const auto& rules = engine::BuiltInRules();
    if (!json) {
        for (const auto& rule : rules) {
            out << ToUtf8(rule.name) << '\t' << ToUtf8(rule.example) << '\t'
                << ToUtf8(rule.condition) << '\n';
        }
        return;
    }
    JsonWriter writer(out);
    writer.BeginObject();
    writer.Key("rules");
    writer.BeginArray();
    for (const auto& rule : rules) {
        writer.BeginObject();
        writer.Key("name");
        writer.String(ToUtf8(rule.name));
        writer.Key("condition");
        writer.String(ToUtf8(rule.condition));
        writer.Key("example");
        writer.String(ToUtf8(rule.example));
        writer.EndObject();
    }
    writer.EndArray();
    writer.EndObject();
    out << '\n';
}

} // namespace lumarin::cli
