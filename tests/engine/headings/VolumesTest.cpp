#include "engine/headings/Volumes.h"

#include "engine/headings/HeadingCondition.h"

#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

TEST(Volumes, ConditionTakesEveryWrittenFormAndNoSentence) {
    const struct {
        std::u16string_view line;
        bool volume;
    } cases[] = {
        {u"第一卷 风起", true},
        {u"第12卷", true},
        {u"  第三部 归来", true},
        {u"第二篇：远行", true},
        {u"第一部分 开端", true},
        {u"第五集", true},
        {u"卷一 江湖", true},
        {u"卷三", true},
        {u"上卷", true},
        {u"下卷 归途", true},
        {u"中卷", true},
        {u"上部", true},
        {u"Book 2 The Road", true},
        {u"VOLUME 3", true},
        {u"【第二卷 云涌】", true},
        {u"第一卷 第一章 同行", true},
        {u"第一部队开进了城。", false},
        {u"第一集团军", false},
        {u"上部的人都走了，下部的人还在。", false},
        {u"卷起袖子干活", false},
        {u"Books are on the shelf", false},
        {u"他翻开第三卷，看了很久。", false},
        {u"第一章 风起", false},
    };
    HeadingCondition condition(kVolumeCondition);
    for (const auto& c : cases) {
        HeadingFields fields;
        EXPECT_EQ(condition.match(c.line, fields) == MatchStatus::Matched, c.volume)
            << std::string(c.line.begin(), c.line.end()).size();
    }
}

} // namespace
} // namespace lumarin::engine
