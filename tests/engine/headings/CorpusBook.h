// SPDX-License-Identifier: MIT
// Books written line by line for the corpus tests: prose of several kinds,
// headings whose split lines and titles are known, and the check that the
// automatic choice finds exactly those.
#pragma once

#include "TestFiles.h"
#include "TestText.h"
#include "engine/headings/Analyzer.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace lumarin::engine::corpus {

// Paragraphs of prose, with the short lines of dialogue and the numbered
// sentences that stand between real paragraphs.
inline const std::u16string kParagraphs[] = {
    u"山风吹过，林间的落叶沙沙作响，他站在路口，很久没有说话。",
    u"“好。”",
    u"那年冬天来得特别早，镇上的人还没来得及把柴火备足，雪就落下来了。",
    u"他翻到第三章，发现书页早已泛黄，边角卷起，像是被许多人读过。",
    u"“你真的要走？”她问。",
    u"第二天一早，他们就出发了。路很长，谁也不知道尽头在哪里。",
    u"1. 他推开门走了出去，外面的风很大。",
    u"母亲在灯下缝补衣服，针脚细密，一针一线都是她说不出口的话。",
    u"“嗯。”",
    u"后来他常常想起那个下午，阳光斜斜地照进窗子，屋里很安静。",
    u"2. 他又回来了，手里多了一把伞。",
    u"我们总以为来日方长，其实很多事情一转身就再也回不去了。",
    u"远处传来钟声，一下，又一下，像是在数着什么。",
    u"他在比赛里拿了第2名，心里并不满意，一个人走回了家。",
    u"写作的人大概都有过这样的夜晚：灯亮着，纸是空的，心里却满满的。",
    u"“等等我！”",
};

// Long paragraphs of a story, with its dialogue, as most lines of a real book.
inline const std::u16string kStory[] = {
    u"天还没亮，镇子东头的铁匠铺就响起了打铁声。老周把烧红的铁块夹到砧子上，一锤一锤地敲，火星溅到他的围裙上，留下一个个焦黑的小洞。他打了三十年的铁，手上的老茧比铁还硬，可这几天他总觉得心里不踏实，像是有什么事要发生。",
    u"“爹，你又起这么早。”阿秀端着一碗热粥从后屋出来，把碗放在门边的木墩上，“先吃口东西吧，铁又跑不了。”老周没有回头，只是嗯了一声，手里的锤子却慢了下来。",
    u"那年秋天，县里来了一队骑马的人，说是奉了上头的命令，要在镇上征粮。他们挨家挨户地敲门，把粮仓里的谷子一袋一袋地搬上车。镇上的人站在路边看着，谁也不敢出声，只有几个孩子追着马车跑了很远。",
    u"阿秀记得很清楚，那天傍晚下起了小雨，父亲一个人坐在铺子门口，望着通往县城的那条土路，一直坐到天黑。她几次想过去叫他进屋，可走到门口又停住了，她知道父亲在等一个人，一个已经走了很多年的人。",
    u"后来的很多年里，她常常想起那个雨夜。想起父亲佝偻的背影，想起铺子里那盏昏黄的油灯，想起灯下摊开的那封没有写完的信。信上只有短短几行字，字迹歪歪扭扭，像是写信的人手在发抖。",
    u"“你们要找的人不在这儿。”老周把锤子往砧子上一放，直起腰来，“我打了一辈子铁，没见过什么刀客，也没藏过什么人。你们要搜就搜，搜完了赶紧走，别耽误我干活。”",
    u"为首的那人冷笑了一声，翻身下马，在铺子里转了一圈，用刀鞘拨了拨墙角的铁器，又抬头看了看房梁。他的目光在阿秀身上停了一会儿，最后落在那只上了锁的木箱子上。",
    u"河水在夜里涨了起来，漫过了渡口的石阶。摆渡的老人把船拴在柳树上，坐在船头抽着旱烟，火光一明一暗。他说这条河每隔几年就要发一次大水，冲走几户人家，可河边的人从来没有想过要搬走，因为他们的祖坟都在这里。",
    u"她沿着河岸往上游走，鞋子早就湿透了，裙角沾满了泥。远处的山影黑沉沉的，只有半山腰的庙里还亮着一点灯火。她记得母亲说过，那座庙里住着一个会看病的老和尚，谁家有人病了，只要走上山去，他都不收钱。",
    u"庙门虚掩着，推开时发出吱呀一声。院子里的银杏树落了一地金黄的叶子，踩上去沙沙作响。正殿里没有人，只有一盏长明灯在佛像前静静地燃着，香炉里的香已经烧到了尽头。",
    u"“施主深夜来访，可是家中有事？”一个苍老的声音从身后传来。她转过身，看见一个瘦小的老和尚站在廊下，手里捻着一串念珠，眼睛在灯光下显得格外明亮。",
    u"日子就这样一天天过去了。春天来的时候，河边的柳树发了新芽，田里的麦子绿油油的一片。镇上的人渐渐忘了那年秋天的事，只有老周还时常站在铺子门口，朝县城的方向张望，好像那个人随时都会回来。",
    u"他终于还是走了。走的那天早上，阿秀给他收拾了一个小包袱，里面有两件换洗的衣裳、几个馒头和一把他亲手打的短刀。他站在门口，回头看了一眼铺子，什么也没说，转身就上了路。",
    u"城里的街道比镇上宽得多，两边都是三层的木楼，楼上挂着各色的幌子，酒旗在风里哗啦啦地响。街上的人来来往往，卖糖葫芦的、耍把式的、算命的，吆喝声此起彼伏，他一时竟不知道该往哪里走。",
    u"掌柜的是个精瘦的中年人，戴着一副铜框眼镜，说话慢条斯理的。他把老周上下打量了一番，又看了看他手上的老茧，点点头说：“留下吧，后院有张床，工钱一个月三百文，管吃不管穿。”",
    u"夜深了，客栈里的人都睡了，只有他还坐在窗前。月光照在院子里的井台上，白得像一层霜。他从怀里摸出那封信，借着月光又看了一遍，然后小心地折好，重新放回贴身的口袋里。",
};

struct Book {
    std::vector<std::u16string> lines;
    std::vector<std::size_t> splits; // 1-based
    std::vector<std::u16string> titles;
    std::u16string indent = u"　　";
    bool blankBetween = false;
    std::size_t next = 0;

    Book& line(const std::u16string& text) {
        lines.push_back(text);
        return *this;
    }
    Book& blank() { return line(u""); }
    // A line that must be a split point, with the title it must read.
    Book& split(const std::u16string& text, const std::u16string& title) {
        line(text);
        splits.push_back(lines.size());
        titles.push_back(title);
        return *this;
    }
    Book& prose(std::size_t count) { return from(kParagraphs, std::size(kParagraphs), count); }
    // Long paragraphs of a story, as most of a real book is.
    Book& story(std::size_t count) { return from(kStory, std::size(kStory), count); }
    Book& from(const std::u16string* pool, std::size_t size, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            line(indent + pool[next++ % size]);
            if (blankBetween) blank();
        }
        return *this;
    }
    std::u16string text() const {
        std::u16string joined;
        for (const auto& l : lines)
            joined += l + u"\r\n";
        return joined;
    }
};

struct BookCase {
    const char* kind;
    std::u16string rule; // empty: no rule explains the text
    Book book;
    const char* charset = "GB18030";
};

inline std::u16string Chinese(int n) {
    static const std::u16string digits[] = {u"",   u"一", u"二", u"三", u"四",
                                            u"五", u"六", u"七", u"八", u"九"};
    if (n < 10) return digits[n];
    if (n < 20) return u"十" + digits[n % 10];
    return digits[n / 10] + u"十" + digits[n % 10];
}

inline std::u16string Digits(int n, int width = 1) {
    std::u16string text;
    for (const char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    while (static_cast<int>(text.size()) < width)
        text.insert(text.begin(), u'0');
    return text;
}

std::string Encoded(const std::u16string& text, const char* charset);

// Books, each in the encodings it is tried in.
class Shelf {
public:
    void add(const char* kind, const std::u16string& rule, const Book& book,
             std::initializer_list<const char*> charsets) {
        for (const char* charset : charsets)
            m_cases.push_back({kind, rule, book, charset});
    }
    // The automatic choice splits each exactly (see ExpectSplitExactly).
    void expectEverySplitExactly() const;

private:
    std::vector<BookCase> m_cases;
};

// The automatic choice finds exactly the book's split lines, titles and rule.
void ExpectSplitExactly(const BookCase& c, const test::TempDir& dir);

} // namespace lumarin::engine::corpus
