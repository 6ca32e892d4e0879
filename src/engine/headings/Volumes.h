// SPDX-License-Identifier: MIT
#pragma once
// Volumes: the level above the chapters (第二卷 风起, 上卷, 第一部分, Book 2).
// They are recognised after the chapter rule is known, from the lines the scan
// set aside as looking like volume lines: a line is a volume when the chapter
// numbers start again after it, or when it continues the book's own sequence
// of volumes and stands just before a split point. A volume line is never a
// split point of its own; its text opens its first chapter's file.

#include "engine/headings/ChapterTable.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// Lines that may be volume lines: anchored at the line start like the
// built-in rules, a volume word (第N卷/部/篇/部分/集, 卷N, 上卷/中卷/下卷,
// 上部/下部, Volume N, Book N) and a short title. Groups: the word, its
// number, the title.
extern const std::u16string_view kVolumeCondition;

// Every character kVolumeCondition lets stand before a volume word that has
// no 第 (卷一, 上卷, 下部, Book 2): spaces, decorations, 上, 中 and 下.
const std::u16string& VolumeLeadCharacters();

// A line the scan found matching kVolumeCondition.
struct VolumeLine {
    LineNumber line = 0;
    std::u16string text;
};

struct Volume {
    LineNumber line = 0;        // the volume line (the chapter's own when they share it)
    std::u16string title;       // the line trimmed, or its volume half
    std::int32_t number = 0;    // as read; 0 for 上卷, 下卷 and the like
    std::int32_t firstRow = -1; // the first row (0-based) after the line
    bool sharesLine = false;    // "第一卷 第一章 标题"
};

struct VolumeMap {
    std::vector<Volume> volumes;
    // Per row: the index of its volume, or -1 (before the first volume, or an
    // unnumbered part such as 番外 after the last volume's chapters).
    std::vector<std::int32_t> rowVolume;
};

// The volumes among `candidates` (in line order) for this chapter table and
// these check marks (row r is entry r + 1). `chaptersAreVolumes`: the chapter
// rule is itself a volume rule, so nothing stands above it.
VolumeMap FindVolumes(const ChapterTable& table, const std::vector<bool>& checked,
                      const std::vector<VolumeLine>& candidates, bool chaptersAreVolumes);

// Per row (0-based): whether it is the first numbered row of a volume, where
// the audit lets the chapter numbers start again.
std::vector<bool> VolumeOpeningRows(const ChapterTable& table, const std::vector<Volume>& volumes);

} // namespace lumarin::engine
