// SPDX-License-Identifier: MIT
#include "engine/convert/ConversionPlan.h"

#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"

#include <map>
#include <opencc/Config.hpp>
#include <opencc/Conversion.hpp>
#include <opencc/ConversionChain.hpp>
#include <opencc/Converter.hpp>
#include <opencc/DictEntry.hpp>
#include <opencc/DictGroup.hpp>
#include <opencc/Exception.hpp>
#include <opencc/Lexicon.hpp>
#include <opencc/MaxMatchSegmentation.hpp>

namespace lumarin::engine {
namespace {

// Turns OpenCC's dictionaries into ours, each one once however often the
// configuration names it.
class PlanBuilder {
public:
    explicit PlanBuilder(ConversionPlan& plan) : m_plan(plan) {}

    // A group of groups asks its members in the same order as one flat group.
    DictGroup group(const opencc::DictPtr& dict) {
        std::vector<const ConversionDict*> members;
        addMembers(dict, members);
        return DictGroup(std::move(members));
    }

private:
    void addMembers(const opencc::DictPtr& dict, std::vector<const ConversionDict*>& members) {
        if (const auto nested = std::dynamic_pointer_cast<opencc::DictGroup>(dict)) {
            for (const opencc::DictPtr& member : nested->GetDicts())
                addMembers(member, members);
            return;
        }
        members.push_back(own(*dict));
    }

    const ConversionDict* own(const opencc::Dict& dict) {
        const auto known = m_known.find(&dict);
        if (known != m_known.end()) return known->second;
        ConversionDict::Entries entries;
        for (const auto& entry : *dict.GetLexicon())
            entries.emplace_back(FromUtf8(entry->Key()), FromUtf8(entry->GetDefault()));
        m_plan.dicts.push_back(std::make_unique<ConversionDict>(std::move(entries)));
        m_known.emplace(&dict, m_plan.dicts.back().get());
        return m_plan.dicts.back().get();
    }

    ConversionPlan& m_plan;
    std::map<const opencc::Dict*, const ConversionDict*> m_known;
};

} // namespace

ConversionPlan LoadConversionPlan(const std::string& config) {
    opencc::ConverterPtr converter;
    try {
        opencc::Config reader;
        converter = reader.NewFromFile(config);
    } catch (const opencc::Exception& e) {
        throw EngineError::readFailed(config, e.what());
    } catch (const std::exception& e) { // the JSON and trie readers' own errors
        throw EngineError::readFailed(config, e.what());
    }
    const auto segmentation =
        std::dynamic_pointer_cast<opencc::MaxMatchSegmentation>(converter->GetSegmentation());
    if (!segmentation) throw EngineError::readFailed(config, "unsupported segmentation");

    ConversionPlan plan;
    PlanBuilder builder(plan);
    plan.segmentation = builder.group(segmentation->GetDict());
    for (const opencc::ConversionPtr& step : converter->GetConversionChain()->GetConversions())
        plan.steps.push_back(builder.group(step->GetDict()));
    return plan;
}

} // namespace lumarin::engine
