// The output pass: one sequential read of the source from its start, one
// selection entry (kept chapter) after another, each opening a new file when
// the chapters-per-file rule says so. Lines are streamed through a bounded
// buffer; no chapter is ever held whole.
#include "engine/OutputWriter.h"

#include "engine/BlockReader.h"
#include "engine/ChapterFile.h"
#include "engine/EngineError.h"
#include "engine/FileNaming.h"
#include "engine/LineReader.h"
#include "engine/LineTransform.h"
#include "engine/OutputSelection.h"
#include "engine/TextUtil.h"

#include <cstring>
#include <optional>
#include <stdexcept>
#include <system_error>

namespace lumarin::engine {
namespace {

// Lines copied between two calls of the yield callback.
constexpr LineNumber kLinesPerYield = 1024;

void EnsureDirectory(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (std::filesystem::is_directory(folder)) return;
    if (!error) error = std::make_error_code(std::errc::file_exists);
    throw EngineError::writeFailed(folder.string(), std::strerror(error.value()));
}

class OutputRun {
public:
    OutputRun(SourceFile& source, Encoding encoding, const OutputSelection& selection,
              const std::filesystem::path& folder, const OutputOptions& options,
              const OutputCallbacks& callbacks)
        : m_selection(selection), m_options(options), m_callbacks(callbacks),
          m_outputFolder(folder), m_transform(encoding, options), m_blocks(source, encoding),
          m_lines(m_blocks),
          m_chaptersPerFile(options.chaptersPerFile < 1 ? 1 : options.chaptersPerFile),
          m_filesPerFolder(options.filesPerFolder < 0 ? 0 : options.filesPerFolder) {}

    std::int32_t run() {
        const std::int32_t selected = m_selection.m_lngSelected;
        for (std::int32_t i = 0; i <= selected; ++i) {
            if (i == 0 || i % m_chaptersPerFile == 1 || m_chaptersPerFile == 1) startFile(i);
            copyChapter(i);
            if (i % m_chaptersPerFile == 0 || i == selected) {
                m_file->close();
                m_file.reset();
            }
        }
        return m_fileNumber + 1;
    }

private:
    void startFile(std::int32_t i) {
        if (i > 0) ++m_fileNumber;
        const std::u16string name =
            ExpandNamePattern(m_options.namePattern, m_fileNumber, m_selection.m_intSelNo[i],
                              m_selection.m_strSelTitle[i]);
        if (m_currentFolder.empty()) m_currentFolder = m_outputFolder;
        if (i > 0 && m_filesPerFolder > 0) enterGroupFolder(i);
        EnsureDirectory(m_currentFolder);
        const std::filesystem::path path = m_currentFolder / FileNameOnDisk(CleanFileName(name));
        m_file.emplace(path, ByteOrderMark(m_transform.outputEncoding()));
        const LineNumber end =
            m_selection.m_lngSelStart[static_cast<std::size_t>(m_selection.m_lngSelected) + 1];
        const LineNumber percent = m_selection.m_lngSelStart[i] * 100 / end;
        if (m_callbacks.onFileStarted)
            m_callbacks.onFileStarted(FileProgress{m_fileNumber, static_cast<int>(percent), path});
        yield();
    }

    void enterGroupFolder(std::int32_t i) {
        const std::int32_t group = (m_fileNumber - 1) / m_filesPerFolder;
        if (group == m_group) return;
        m_group = group;
        const std::int32_t upper =
            GroupUpperNumber(group, m_filesPerFolder, m_selection.m_lngSelected, m_chaptersPerFile);
        m_currentFolder = m_outputFolder / ToUtf8(GroupFolderName(group, m_filesPerFolder, upper,
                                                                  m_selection.m_intSelNo[i]));
    }

    void copyChapter(std::int32_t i) {
        const LineNumber last = m_selection.m_lngSelStart[i + 1] - 1;
        Line line;
        while (m_lines.linesRead() < last && m_lines.next(line)) {
            if (line.number % kLinesPerYield == 0) yield();
            m_transform.add(line.raw, m_file->buffer());
            m_file->commit();
        }
    }

    void yield() {
        if (m_callbacks.yield) m_callbacks.yield();
    }

    const OutputSelection& m_selection;
    const OutputOptions& m_options;
    const OutputCallbacks& m_callbacks;
    std::filesystem::path m_outputFolder;
    LineTransform m_transform;
    BlockReader m_blocks;
    LineReader m_lines;
    std::int32_t m_chaptersPerFile;
    std::int32_t m_filesPerFolder;
    std::int32_t m_fileNumber = 0;
    std::int32_t m_group = -1;
    std::filesystem::path m_currentFolder;
    std::optional<ChapterFile> m_file;
};

} // namespace

std::vector<std::u16string> SplitFilterText(std::u16string_view text) {
    std::vector<std::u16string> filters;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find(u"\r\n", pos);
        if (end == std::u16string_view::npos) end = text.size();
        if (end > pos) filters.emplace_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return filters;
}

std::optional<OutputResult> WriteOutput(const AnalysisResult& analysis,
                                        const std::vector<bool>& checked,
                                        const OutputOptions& options,
                                        const OutputCallbacks& callbacks) {
    if (checked.size() != static_cast<std::size_t>(analysis.m_lngCount))
        throw std::invalid_argument("WriteOutput: one check mark per heading row expected");
    if (analysis.m_strSource.empty()) return std::nullopt;
    SourceFile source(analysis.m_strSource);
    if (source.stamp() != analysis.stamp) throw EngineError::sourceChanged();
    const std::u16string_view folderText = TrimSpaces(options.folderText);
    if (folderText.empty()) return std::nullopt;
    const std::filesystem::path folder = OutputFolderFor(analysis.m_strSource, folderText);

    const OutputSelection selection = BuildSelection(analysis.table, checked);
    // Refused before the folder is made, so that a refusal leaves nothing behind.
    if (selection.m_lngSelected == 0) throw EngineError::allRowsChecked();
    EnsureDirectory(folder);
    OutputRun run(source, analysis.encoding, selection, folder, options, callbacks);
    return OutputResult{run.run(), folder};
}

} // namespace lumarin::engine
