// SPDX-License-Identifier: MIT
// Writes a deterministic made-up novel in UTF-8 for the benchmarks: a table of contents, then
// chapters "第N章 title" (Chinese numerals up to 999, digits after) of 30 to 90 paragraphs, lines
// ending in CR LF, paragraphs separated by blank lines. The same seed gives the same text in
// simplified or traditional characters, word for word. "dialogue" writes a
// novel of another make (DialogueNovel.cpp), in simplified characters.
//   lumarin-gen-novel SIZE simplified|traditional|dialogue OUTPUT
// SIZE counts bytes as GBK or Big5 will store the text (two per Chinese character).
#include "NovelText.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using lumarin::bench::ChineseNumeral;
using lumarin::bench::LineSink;
using lumarin::bench::Random;

// Word lists of the same length and meaning, index for index.
const std::vector<const char*> kSimplified{
    "江湖", "少年", "剑客", "山门", "长老", "弟子", "师父", "月光", "夜色", "风雪", "城门", "客栈",
    "酒楼", "掌柜", "马车", "古道", "青石", "长街", "灯火", "书信", "秘籍", "丹药", "宗门", "大殿",
    "钟声", "远方", "故乡", "旧事", "心中", "眼前", "忽然", "缓缓", "轻轻", "终于", "默默", "似乎",
    "仿佛", "已经", "还是", "不过", "于是", "然而", "只见", "听说", "原来", "竟然", "他们", "她",
    "他",   "我们", "众人", "对面", "身后", "天边", "云层", "雨水", "河流", "小船", "渡口", "山谷",
    "松林", "石桥", "院子", "窗外", "门前", "桌上", "茶杯", "长剑", "刀光", "拳头", "脚步", "声音",
    "笑容", "眉头", "目光", "双手", "衣袖", "背影", "走",   "看",   "说",   "想",   "笑",   "问",
    "答",   "站",   "坐",   "停下", "抬头", "低头", "转身", "点头", "摇头", "握紧", "放下", "拿起",
    "推开", "关上", "等待", "离开", "回来", "出发", "前行", "追赶", "躲开", "挡住", "冲向", "飞过",
    "落下", "升起", "沉默", "叹息", "明白", "记得", "忘记", "相信", "怀疑", "害怕", "高兴", "难过",
    "平静", "紧张", "安静", "热闹", "寒冷", "温暖", "漫长", "短暂", "遥远", "清楚", "模糊", "明亮",
    "黑暗", "一个", "这个", "那个", "许多", "几分", "片刻", "一夜", "三天", "多年", "从前", "今日",
    "明天", "此刻", "的",   "了",   "着",   "在",   "和",   "与",   "把",   "被",   "向",   "从",
    "也",   "都",   "又",   "就",   "才",   "却",   "很",   "更",   "最",   "不",   "没有"};
const std::vector<const char*> kTraditional{
    "江湖", "少年", "劍客", "山門", "長老", "弟子", "師父", "月光", "夜色", "風雪", "城門", "客棧",
    "酒樓", "掌櫃", "馬車", "古道", "青石", "長街", "燈火", "書信", "秘籍", "丹藥", "宗門", "大殿",
    "鐘聲", "遠方", "故鄉", "舊事", "心中", "眼前", "忽然", "緩緩", "輕輕", "終於", "默默", "似乎",
    "彷彿", "已經", "還是", "不過", "於是", "然而", "只見", "聽說", "原來", "竟然", "他們", "她",
    "他",   "我們", "眾人", "對面", "身後", "天邊", "雲層", "雨水", "河流", "小船", "渡口", "山谷",
    "松林", "石橋", "院子", "窗外", "門前", "桌上", "茶杯", "長劍", "刀光", "拳頭", "腳步", "聲音",
    "笑容", "眉頭", "目光", "雙手", "衣袖", "背影", "走",   "看",   "說",   "想",   "笑",   "問",
    "答",   "站",   "坐",   "停下", "抬頭", "低頭", "轉身", "點頭", "搖頭", "握緊", "放下", "拿起",
    "推開", "關上", "等待", "離開", "回來", "出發", "前行", "追趕", "躲開", "擋住", "衝向", "飛過",
    "落下", "升起", "沉默", "嘆息", "明白", "記得", "忘記", "相信", "懷疑", "害怕", "高興", "難過",
    "平靜", "緊張", "安靜", "熱鬧", "寒冷", "溫暖", "漫長", "短暫", "遙遠", "清楚", "模糊", "明亮",
    "黑暗", "一個", "這個", "那個", "許多", "幾分", "片刻", "一夜", "三天", "多年", "從前", "今日",
    "明天", "此刻", "的",   "了",   "著",   "在",   "和",   "與",   "把",   "被",   "向",   "從",
    "也",   "都",   "又",   "就",   "才",   "卻",   "很",   "更",   "最",   "不",   "沒有"};

class Writer {
public:
    Writer(std::FILE* out, const std::vector<const char*>& words)
        : m_sink(out, "\r\n"), m_words(words) {}

    void Line(const std::string& text) { m_sink.Line(text); }
    void Flush() { m_sink.Flush(); }
    std::uint64_t stored() const { return m_sink.stored(); }

    std::string Title(int chapter) {
        Random r(static_cast<std::uint64_t>(chapter) * 7919);
        std::string title;
        for (int i = r.Between(1, 3); i > 0; --i) {
            title += m_words[static_cast<std::size_t>(r.Between(0, 45))];
        }
        return title;
    }
    std::string Heading(int chapter) {
        const std::string number =
            chapter < 1000 ? ChineseNumeral(chapter) : std::to_string(chapter);
        return "第" + number + "章 " + Title(chapter);
    }
    std::string Paragraph(Random& r) {
        std::string text = "　　";
        for (int sentence = r.Between(1, 4); sentence > 0; --sentence) {
            const bool spoken = r.Between(0, 5) == 0;
            if (spoken) {
                text += "“";
            }
            for (int word = r.Between(4, 14); word > 0; --word) {
                text += m_words[static_cast<std::size_t>(
                    r.Between(0, static_cast<int>(m_words.size()) - 1))];
                if (word > 1 && r.Between(0, 6) == 0) {
                    text += "，";
                }
            }
            static const std::array<const char*, 4> kEnds{"。", "。", "！", "？"};
            text += kEnds[static_cast<std::size_t>(r.Between(0, 3))];
            if (spoken) {
                text += "”";
            }
        }
        return text;
    }

private:
    LineSink m_sink;
    const std::vector<const char*>& m_words;
};

void WriteNovel(std::FILE* out, std::uint64_t target, bool traditional) {
    Writer writer(out, traditional ? kTraditional : kSimplified);
    writer.Line(traditional ? "燈下舊事" : "灯下旧事");
    writer.Line("");
    writer.Line(traditional ? "目錄" : "目录");
    for (int chapter = 1; chapter <= 200; ++chapter) {
        writer.Line(writer.Heading(chapter));
    }
    writer.Line("");
    Random random(20261207);
    for (int chapter = 1; writer.stored() < target; ++chapter) {
        writer.Line(writer.Heading(chapter));
        writer.Line("");
        for (int paragraph = random.Between(30, 90); paragraph > 0; --paragraph) {
            writer.Line(writer.Paragraph(random));
            writer.Line("");
        }
    }
    writer.Flush();
}

} // namespace

int main(int argc, char** argv) {
    const bool dialogue = argc == 4 && std::strcmp(argv[2], "dialogue") == 0;
    if (argc != 4 || (std::strcmp(argv[2], "simplified") != 0 &&
                      std::strcmp(argv[2], "traditional") != 0 && !dialogue)) {
        std::fprintf(stderr,
                     "usage: lumarin-gen-novel SIZE simplified|traditional|dialogue OUTPUT\n");
        return 2;
    }
    const auto target = std::strtoull(argv[1], nullptr, 10);
    const bool traditional = std::strcmp(argv[2], "traditional") == 0;
    std::FILE* out = std::fopen(argv[3], "wb");
    if (out == nullptr) {
        std::perror(argv[3]);
        return 1;
    }
    if (dialogue) {
        lumarin::bench::WriteDialogueNovel(out, target);
    } else {
        WriteNovel(out, target, traditional);
    }
    if (std::fclose(out) != 0) {
        std::perror(argv[3]);
        return 1;
    }
    return 0;
}
