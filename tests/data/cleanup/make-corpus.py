#!/usr/bin/env python3
"""Writes the cleaning corpus next to this script (run it again after changing it):

ads.txt / ads.removed        advertisements, page markers and a repeated stamp among story
                             sentences that mention sites, addresses and 首发 in passing, with
                             the exact `removed` rows `--list --clean` prints
ads-traditional.txt / .removed  the same in traditional characters (it fits in Big5 too)
wrapped.txt / unwrapped.txt  a book hard-wrapped at 30 characters (dialogue, short lines,
                             a Latin phrase) and the same book before it was wrapped
wrapped-at-stops.txt /       the same with indented paragraphs whose wrap falls right after a
unwrapped-at-stops.txt       sentence, and lines that name a chapter (第三章) inside the story
wrapped-headings.txt /       indented paragraphs wrapped at 30 characters, where a heading
unwrapped-headings.txt       that is no split point (its chapter is too short) follows a full
                             line that ends no sentence, and a title no condition matches
                             follows a full line that does: both stay lines of their own
plain.txt                    a book written a paragraph a line: cleaning and unwrapping
verse.txt                    verse: lines of like widths that end no sentence
                             leave it as it is
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
NUMERALS = "一二三四五六七八九十"

STORY = [
    "　　夜色渐深，客栈里只剩下几盏灯火，{n}个客人围着火炉。",
    "　　他在网吧里打开了一个网址，却发现那个网站早已关闭了{n}天。",
    "　　这本书在起点首发的时候，他还只是个学生，每天都追着更新看第{n}回。",
    "　　“你知道那个网址吗？”她低声问了{n}遍。",
    "　　他输入了www.baidu.com，页面却一片空白，只有{n}行小字。",
    "　　师父说，江湖上的消息最快更新的地方，是城南第{n}家茶馆。",
    "　　他打开手机版的地图，找到了第{n}家客栈。",
    "　　“首发？”",
    "　　风雪里，{n}天的路程显得格外漫长。",
    "　　第二天清晨，他在长街上看见了那个背影，隔着{n}丈远。",
    "　　雨水顺着屋檐落下，打湿了{n}级青石台阶。",
    "　　众人沉默片刻，终于有第{n}个人开口。",
]

ADS = [
    ("更多精彩请访问 www.qingdeng.com", "ad"),
    ("手机用户请浏览 m.qingdeng.com 阅读，更优质的阅读体验。", "ad"),
    ("（ｗｗｗ．ｑｉｎｇｄｅｎｇ．ｃｏｍ）", "ad"),
    ("天才一秒记住本站地址：笔趣阁", "ad"),
    ("最快更新，无弹窗阅读！", "ad"),
    ("请记住本书首发域名：qingdeng.cc。笔趣阁手机版阅读网址：m.qingdeng.cc", "ad"),
    ("-- 12 --", "page_marker"),
    ("第 37 页", "page_marker"),
    ("页面 4", "page_marker"),
    ("— 105 —", "page_marker"),
    ("第12页 共300页", "page_marker"),
]


def write(name, lines):
    (HERE / name).write_text("\r\n".join(lines) + "\r\n", encoding="utf-8")


# The same kinds in traditional characters, as Taiwan's and Hong Kong's sites stamp them.
STORY_TRADITIONAL = [
    "　　夜色漸深，客棧裡只剩下幾盞燈火，{n}個客人圍著火爐。",
    "　　他在網吧裡打開了一個網址，卻發現那個網站早已關閉了{n}天。",
    "　　這本書在起點首發的時候，他還只是個學生，每天都追著更新看第{n}回。",
    "　　「你知道那個網址嗎？」她低聲問了{n}遍。",
    "　　他輸入了www.baidu.com，頁面卻一片空白，只有{n}行小字。",
    "　　師父說，江湖上的消息最快更新的地方，是城南第{n}家茶館。",
    "　　他打開手機版的地圖，找到了第{n}家客棧。",
    "　　「首發？」",
    "　　風雪裡，{n}天的路程顯得格外漫長。",
    "　　第二天清晨，他在長街上看見了那個背影，隔著{n}丈遠。",
    "　　他說這部小說網上有全文閱讀，可他一直沒去看第{n}章。",
    "　　眾人沉默片刻，終於有第{n}個人開口。",
]

ADS_TRADITIONAL = [
    ("本站首發，最新章節請到筆趣閣閱讀", "ad"),
    ("手機用戶請瀏覽 m.qingdeng.tw 閱讀，更優質的閱讀體驗。", "ad"),
    ("天才一秒記住本站地址：筆趣閣", "ad"),
    ("最快更新，無彈窗閱讀！", "ad"),
    ("請記住本書首發域名，手機版閱讀網址同步更新", "ad"),
    ("小說閱讀網首發，免費閱讀全文", "ad"),
    ("第 37 頁", "page_marker"),
    ("頁碼：18", "page_marker"),
    ("-- 12 --", "page_marker"),
]


REFRAIN = "　　夜深了。"


def ads_book(name, front, story, ads, heading, stamp):
    """A book of six chapters: `story` with one of `ads` after every fourth sentence, `stamp`
    after each heading and （本章完） at each chapter's end; `front` first, its third line an ad.
    A refrain of the story stands before each chapter's end and in its middle too: it stays."""
    lines = list(front)
    removed = [(3, "ad", front[2])]
    for chapter in range(1, 7):
        lines.append(heading % NUMERALS[chapter - 1])
        lines.append(stamp)  # a site's stamp that is no advertisement by itself
        removed.append((len(lines), "repeated", lines[-1]))
        for i, sentence in enumerate(story):
            lines.append(sentence.format(n=chapter * 10 + i))
            if i % 4 == 1:
                ad, reason = ads[(chapter * 3 + i) % len(ads)]
                lines.append(ad)
                removed.append((len(lines), reason, ad))
            if i == 5:
                lines.append(REFRAIN)
        lines.append(REFRAIN)
        lines.append("（本章完）")
        removed.append((len(lines), "repeated", lines[-1]))
        lines.append("")
    write(name + ".txt", lines)
    rows = ["removed\t%d\t%s\t%s" % row for row in removed]
    (HERE / (name + ".removed")).write_text("\n".join(rows) + "\n", encoding="utf-8")


PARAGRAPHS = [
    "　　山门外的古道上，落满了松针，少年背着长剑缓缓前行，身后的钟声一下一下传来，像是在催他回头，又像是在送他远行，他没有停下脚步。",
    "　　“师父，”他转身问道，“我们还要走多久？”",
    "　　“不远了。”",
    "　　老人摇头，目光越过远方的云层，落在天边那一点模糊的灯火上，似乎想起了许多年前的旧事，那时他也是这样一个少年，背着剑，走在同一条路上，心中满是说不出的热闹与寒冷。",
    "　　夜里下起了雨。",
    "　　客栈的掌柜是个胖子，笑容很温暖，他把茶杯放在桌上，说今晚的房间只剩下最后一间，窗外就是渡口，可以听见小船碰着石桥的声音，一夜都不会停。",
    "　　少年点头，拿起茶杯，在窗前坐了很久，看雨水顺着屋檐落下，看对面的灯火一盏一盏熄灭，直到天边升起第一道光，他才明白师父说的那句话：路在脚下，不在眼前。",
    "　　他们在第三天的清晨离开，马车走过长街，城门在身后关上，He said: the road is long and the night is dark, but we go on together.",
]
WRAP = 30


def wrapped_book(name, title, heading, paragraphs, chapter_end):
    """Writes `name`.txt hard-wrapped at WRAP characters and un`name`.txt as it was."""
    original = [title, "作者：松林", ""]
    wrapped = list(original)
    for chapter in range(1, 5):
        original.append(heading % NUMERALS[chapter - 1])
        wrapped.append(heading % NUMERALS[chapter - 1])
        for paragraph in paragraphs:
            original.append(paragraph)
            wrapped.extend(paragraph[i:i + WRAP] for i in range(0, len(paragraph), WRAP))
        original.extend(chapter_end)
        wrapped.extend(chapter_end)
    write("un%s.txt" % name, original)
    write("%s.txt" % name, wrapped)


# Indented paragraphs that break at 30 characters right after a sentence's end; the text after
# it is still the paragraph's.
AT_STOPS = [
    "　　那年冬天来得特别早，镇上的人还没来得及备足过冬用的柴火。雪就落下来了，一夜之间，山路全白了。",
    "　　他翻到第三章，发现书页早已泛黄，边角都已经高高卷起来了。“像是被许多人读过。”他说，又往后翻了几页。",
    "　　母亲在灯下缝补衣服，针脚细密，一针一线都是她想要说的话！她没有说出口，只是把灯芯挑亮了一些。",
    "　　“你真的要走吗？明天一早就要走吗？你真的都想好了没有？”她问。他没有回答，那天的故事就这样结束了。",
]
for stop in AT_STOPS:
    assert stop[WRAP - 1] in "。！？”", stop


# A paragraph that fills two lines exactly and ends no sentence, and one that fills two lines
# and ends one.
OPEN_AT_WRAP = "　　渡口的灯火在风里摇晃，船夫解开缆绳，他回头望了一眼山门，终于踏上了那条通往南方的旧路，身后的钟声越来越远，只剩下江水"
STOP_AT_WRAP = "　　船到江心时天已经黑了，他坐在船头一言不发，看着两岸的灯火一盏一盏地向后退去，直到远处的山影和夜色连成一片再也看不见。"
assert len(OPEN_AT_WRAP) == 2 * WRAP and len(STOP_AT_WRAP) == 2 * WRAP


def headings_book():
    """Writes wrapped-headings.txt and unwrapped-headings.txt."""
    chapters = [
        ("第一章 山门", AT_STOPS + [OPEN_AT_WRAP]),
        ("第二章 渡口", [STOP_AT_WRAP, "夜话", "　　“到了。”"]),  # too short: its row is checked
        ("第三章 南方", PARAGRAPHS),
        ("第四章 归舟", AT_STOPS + PARAGRAPHS),
    ]
    original = ["《归舟》", "作者：松林", ""]
    wrapped = list(original)
    for heading, paragraphs in chapters:
        original.append(heading)
        wrapped.append(heading)
        for paragraph in paragraphs:
            original.append(paragraph)
            wrapped.extend(paragraph[i:i + WRAP] for i in range(0, len(paragraph), WRAP))
    write("unwrapped-headings.txt", original)
    write("wrapped-headings.txt", wrapped)


VERSE = [
    "我们站在高高的山冈上眺望远方",
    "风从北方吹来带着雪的气息",
    "河流在山谷里慢慢地转过身去",
    "那些走远的人不再回头看我",
    "灯火一盏一盏地亮在城墙上面",
    "我把名字写在一块青色的石头上",
]


def verse_book():
    lines = ["《山冈》", "作者：松林", ""]
    for chapter in range(1, 5):
        lines.append("第%s章 山冈" % NUMERALS[chapter - 1])
        for stanza in range(3):
            lines.extend(VERSE[(stanza + chapter + k) % len(VERSE)] for k in range(4))
            lines.append("")
    write("verse.txt", lines)


def plain_book():
    lines = ["《长街》", "作者：明月", ""]
    for chapter in range(1, 5):
        lines.append("第%s章 长街" % NUMERALS[chapter - 1])
        lines.extend(paragraph for paragraph in PARAGRAPHS)
        lines.extend(sentence.format(n=chapter) for sentence in STORY[::2])
        lines.append("")
    write("plain.txt", lines)


if __name__ == "__main__":
    ads_book("ads", ["《青灯夜雨》", "作者：云中鹤", "本书由某某小说网首发", "", "内容简介：一个少年的江湖。", ""],
             STORY, ADS, "第%s章 风起", "看书认准青灯堂")
    ads_book("ads-traditional",
             ["《青燈夜雨》", "作者：雲中鶴", "本書由某某小說網首發", "", "內容簡介：一個少年的江湖。", ""],
             STORY_TRADITIONAL, ADS_TRADITIONAL, "第%s章 風起", "看書認準青燈堂")
    wrapped_book("wrapped", "《雨夜归人》", "第%s章 归途", PARAGRAPHS, [""])
    wrapped_book("wrapped-at-stops", "《灯下》", "第%s章 灯下", AT_STOPS + PARAGRAPHS, [])
    plain_book()
    headings_book()
    verse_book()
