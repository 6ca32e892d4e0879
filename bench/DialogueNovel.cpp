// SPDX-License-Identifier: MIT
// A made-up novel of another make than the first: mostly dialogue, lines of
// every length from "嗯。" to long narration, paragraphs sometimes separated
// by blank lines and sometimes not, LF line ends, chapters numbered in digits
// ("第12章 标题") under an occasional volume line ("第二卷 风起"). Its prose
// uses 部, 卷, 集 and 篇 as ordinary words (全部, 部分, 一集, 篇幅) in a few
// percent of its lines, and 第 (第二天, 第一次) in some more, as real prose does.
#include "NovelText.h"

#include <string>
#include <vector>

namespace lumarin::bench {
namespace {

const std::vector<std::string> kNames{"林远", "苏晴", "老周", "陈默",   "小雨", "王叔", "赵队",
                                      "许安", "阿杰", "沈姐", "宋老师", "他",   "她",   "对方"};
const std::vector<std::string> kSaying{"说",     "问",     "笑道",   "低声道", "喊道",
                                       "摇头道", "皱眉道", "接着说", "小声说", "冷冷地说"};
const std::vector<std::string> kWords{
    "今天", "明天", "刚才", "现在",   "一直", "已经",   "还是", "可是", "所以", "因为", "如果",
    "其实", "真的", "好像", "应该",   "可能", "必须",   "不会", "不要", "知道", "觉得", "看见",
    "听见", "回来", "出去", "进来",   "过去", "电话",   "手机", "消息", "房间", "门口", "楼下",
    "车里", "公司", "学校", "医院",   "路口", "窗户",   "灯光", "雨",   "风",   "咖啡", "文件",
    "钥匙", "时间", "地方", "事情",   "问题", "办法",   "结果", "原因", "东西", "朋友", "家里",
    "晚上", "早上", "中午", "一会儿", "一下", "一点",   "这么", "那么", "怎么", "什么", "为什么",
    "谁",   "哪里", "我",   "你",     "他",   "她",     "我们", "你们", "他们", "自己", "大家",
    "的",   "了",   "着",   "过",     "在",   "和",     "跟",   "把",   "被",   "给",   "从",
    "向",   "也",   "都",   "又",     "就",   "才",     "还",   "很",   "太",   "最",   "不",
    "没",   "没有", "走",   "跑",     "看",   "想",     "说",   "笑",   "等",   "找",   "拿",
    "放",   "打开", "关上", "停下",   "坐下", "站起来", "转身", "点头", "摇头", "叹气", "沉默",
    "皱眉", "抬头", "低头", "安静",   "奇怪", "清楚",   "麻烦", "危险", "简单", "小心", "认真",
    "突然", "慢慢", "终于", "果然",   "居然", "几乎"};
// Ordinary words that hold a volume character.
const std::vector<std::string> kVolumeCharacterWords{
    "全部",     "部分", "一部分",   "内部",     "外部",   "部下", "部落",   "干部", "部门",
    "总部",     "头部", "一部手机", "这部电影", "俱乐部", "一集", "下一集", "集市", "集合",
    "聚集",     "收集", "集中",     "集团",     "文集",   "篇幅", "一篇",   "长篇", "诗篇",
    "这篇文章", "卷起", "书卷",     "卷轴",     "画卷",   "试卷", "卷子",   "席卷", "卷入"};
// Ordinary words with 第 in them.
const std::vector<std::string> kOrdinalWords{"第一次", "第二天",   "第三个", "第一眼",
                                             "第二次", "第一时间", "第几回", "第十名"};
// Lines that begin with such a word, as prose sometimes does.
const std::vector<std::string> kWordFirstLines{
    "全部给我出去！",           "部分人已经走了。",         "集合！",
    "卷起袖子，他开始干活。",   "第二天一早，雨停了。",     "第一次见面的时候，她还很小。",
    "篇幅不长，却写得很用心。", "第二部电影比第一部好看。", "部门里没有人说话。"};
const std::vector<std::string> kShortReplies{"嗯。",   "好。",     "什么？",  "……",
                                             "走吧。", "为什么？", "不行。",  "你说呢？",
                                             "是我。", "等等！",   "然后呢？"};
const std::vector<std::string> kEnds{"。", "。", "。", "！", "？", "……"};

class DialogueNovel {
public:
    DialogueNovel(std::FILE* out, std::uint64_t target) : m_sink(out, "\n"), m_target(target) {}

    void Write() {
        m_sink.Line("夜雨长街");
        m_sink.Line("");
        m_sink.Line("目录");
        for (int chapter = 1; chapter <= 120; ++chapter)
            m_sink.Line(Heading(chapter));
        m_sink.Line("");
        for (int chapter = 1; m_sink.stored() < m_target; ++chapter) {
            if (chapter % 150 == 1) {
                m_sink.Line("第" + ChineseNumeral(chapter / 150 + 1) + "卷 " + Title(chapter * 31));
                m_sink.Line("");
            }
            Chapter(chapter);
        }
        m_sink.Flush();
    }

private:
    std::string Title(int seed) {
        Random r(static_cast<std::uint64_t>(seed) * 7919);
        std::string title;
        for (int i = r.Between(1, 4); i > 0; --i)
            title += r.Pick(kWords);
        return title;
    }
    std::string Heading(int chapter) {
        return "第" + std::to_string(chapter) + "章 " + Title(chapter);
    }

    // Words, now and then one that holds a volume character (about one line
    // in twenty-five gets one) or 第 (one in fifty).
    std::string Sentence(int words) {
        std::string text;
        for (int w = words; w > 0; --w) {
            const int roll = m_random.Between(0, 999);
            text += roll < 2   ? m_random.Pick(kVolumeCharacterWords)
                    : roll < 3 ? m_random.Pick(kOrdinalWords)
                               : m_random.Pick(kWords);
            if (w > 1 && m_random.Percent(12)) text += "，";
        }
        return text + m_random.Pick(kEnds);
    }
    std::string Speech() {
        if (m_random.Percent(20)) return "“" + m_random.Pick(kShortReplies) + "”";
        std::string said;
        for (int s = m_random.Between(1, 3); s > 0; --s)
            said += Sentence(m_random.Between(2, 10));
        switch (m_random.Between(0, 3)) {
        case 0:
            return m_random.Pick(kNames) + m_random.Pick(kSaying) + "：“" + said + "”";
        case 1:
            return "“" + said + "”" + m_random.Pick(kNames) + m_random.Pick(kSaying) + "。";
        default:
            return "“" + said + "”";
        }
    }
    std::string Narration(int sentences) {
        std::string text;
        for (int s = sentences; s > 0; --s)
            text += Sentence(m_random.Between(3, 14));
        return text;
    }
    std::string Paragraph() {
        const int roll = m_random.Between(0, 99);
        if (roll < 2) return m_random.Pick(kWordFirstLines);
        if (roll < 55) return Speech();
        if (roll < 85) return Narration(m_random.Between(1, 2));
        return Narration(m_random.Between(3, 7));
    }

    void Chapter(int chapter) {
        m_sink.Line(Heading(chapter));
        const bool spaced = m_random.Percent(40);
        if (spaced) m_sink.Line("");
        for (int paragraph = m_random.Between(40, 160); paragraph > 0; --paragraph) {
            m_sink.Line((m_random.Percent(85) ? "　　" : "") + Paragraph());
            if (spaced) m_sink.Line("");
        }
    }

    LineSink m_sink;
    std::uint64_t m_target;
    Random m_random{20261208};
};

} // namespace

void WriteDialogueNovel(std::FILE* out, std::uint64_t target) {
    DialogueNovel(out, target).Write();
}

} // namespace lumarin::bench
