// SPDX-License-Identifier: MIT
// The output pass: one sequential read of the source from its start, one
// planned file after another. Lines are streamed through a bounded buffer; no
// chapter is ever held whole. The source must give exactly the lines the
// analysis counted: a read that ends early or runs on means it changed.
#include "engine/output/OutputWriter.h"

#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/cleanup/CleanupCursor.h"
#include "engine/output/ChapterFile.h"
#include "engine/output/ExistingFileProbe.h"
#include "engine/output/LineTransform.h"
#include "engine/output/OutputDirectory.h"
#include "engine/source/BlockReader.h"
#include "engine/source/LineReader.h"

namespace lumarin::engine {
namespace {

// Lines copied between two calls of the yield callback.
constexpr LineNumber kLinesPerYield = 1024;

// Refuses, before anything is written, what the mode does not allow.
void CheckExistingFiles(const OutputPlan& plan) {
    const std::vector<ExistingFile> existing = FindExistingFiles(plan);
    for (const ExistingFile& file : existing) {
        const auto path = [&] {
            return PathOf(plan, PlannedFileAt(plan, file.fileNumber)).string();
        };
        if (plan.options.existing == ExistingFiles::Refuse) throw EngineError::outputExists(path());
        if (plan.options.existing != ExistingFiles::Append) continue;
        // Adding to a link would change what it points at, or the file's other name.
        if (file.kind == ExistingFile::Kind::SymbolicLink) throw EngineError::symbolicLink(path());
        if (file.kind == ExistingFile::Kind::HardLink) throw EngineError::hardLink(path());
    }
}

OpenMode OpenModeFor(const OutputPlan& plan, const PlannedFile& file) {
    if (!file.firstOpen) return OpenMode::Append;
    switch (plan.options.existing) {
    case ExistingFiles::Refuse:
        return OpenMode::New;
    case ExistingFiles::Overwrite:
        return OpenMode::StartOver;
    case ExistingFiles::Append:
        break;
    }
    return OpenMode::Append;
}

class OutputRun {
public:
    OutputRun(const OutputPlan& plan, SourceFile& source, const OutputCallbacks& callbacks)
        : m_plan(plan), m_callbacks(callbacks), m_source(source), m_folders(plan),
          m_transform(plan.encoding, plan.options), m_cleanup(plan.cleanup, plan.encoding),
          m_blocks(source, plan.encoding), m_lines(m_blocks) {}

    const ReplacedCharacters& replaced() const noexcept { return m_transform.replaced(); }

    void run() {
        for (std::int32_t f = 0; f < m_plan.fileCount; ++f)
            write(PlannedFileAt(m_plan, f));
        Line extra;
        if (m_lines.next(extra)) throw EngineError::sourceChanged();
        // An edit in place that keeps the length shows only in the file's times.
        if (m_source.stamp() != m_plan.stamp) throw EngineError::sourceChanged();
    }

private:
    void write(const PlannedFile& file) {
        const std::filesystem::path path = PathOf(m_plan, file);
        ChapterFile out(m_folders.folderFor(file), file.name, path,
                        ByteOrderMark(m_transform.outputEncoding()), OpenModeFor(m_plan, file),
                        &m_plan.stamp);
        try {
            if (m_callbacks.onFileStarted)
                m_callbacks.onFileStarted(FileProgress{file.fileNumber, file.percent, path});
            yield();
            Line line;
            m_cleanup.breakParagraph();
            while (m_lines.linesRead() < file.endLine - 1) {
                if (!m_lines.next(line)) throw EngineError::sourceChanged();
                if (line.number % kLinesPerYield == 0) yield();
                if (m_cleanup.drops(line.number)) continue;
                m_transform.add(line.raw, m_cleanup.continues(line.number, line.raw), out.buffer());
                out.commit();
            }
        } catch (const OutputCancelled&) {
            out.abandon(); // half a chapter is no chapter file
            throw;
        }
        m_transform.finish(out.buffer());
        out.close();
    }

    void yield() {
        if (m_callbacks.yield) m_callbacks.yield();
    }

    const OutputPlan& m_plan;
    const OutputCallbacks& m_callbacks;
    SourceFile& m_source;
    OutputDirectory m_folders;
    LineTransform m_transform;
    CleanupCursor m_cleanup;
    BlockReader m_blocks;
    LineReader m_lines;
};

} // namespace

OutputResult WriteOutput(const OutputPlan& plan, const OutputCallbacks& callbacks) {
    SourceFile source(plan.source);
    if (source.stamp() != plan.stamp) throw EngineError::sourceChanged();
    CheckExistingFiles(plan);
    OutputRun run(plan, source, callbacks);
    run.run();
    OutputResult result;
    // A path planned twice is one file: it is counted once.
    result.fileCount = plan.fileCount - static_cast<std::int32_t>(plan.repeatedPaths.size());
    result.outputFolder = plan.outputFolder;
    result.replaced = run.replaced();
    result.removedLines = static_cast<std::int64_t>(plan.cleanup.removed.size());
    return result;
}

std::u16string OutputDoneMessage(const OutputResult& result) {
    return u"处理完毕！共" + ToU16Decimal(result.fileCount) + u"个文件！" +
           ReplacementNote(result.replaced);
}

std::optional<OutputResult> WriteOutput(const AnalysisResult& analysis,
                                        const std::vector<bool>& checked,
                                        const OutputOptions& options,
                                        const OutputCallbacks& callbacks) {
    const std::optional<OutputPlan> plan = PlanOutput(analysis, checked, options);
    if (!plan) return std::nullopt;
    return WriteOutput(*plan, callbacks);
}

} // namespace lumarin::engine
