// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <exception>
#include <filesystem>
#include <functional>
#include <list>
#include <string>

struct zip;

namespace lumarin::engine {

// The ZIP container of a book, written with libzip. Entries are only listed
// until commit(): libzip then writes them in the order they were added into a
// temporary file beside the target and renames it over the target, so a
// failed or abandoned book leaves nothing behind and a link at the target is
// replaced, never written through. A streamed entry is asked for its bytes
// during commit(), so no entry's content has to be held whole; a series of
// streamed entries costs libzip's bookkeeping per entry and nothing more.
class EpubArchive {
public:
    enum class Compression { Store, Deflate };

    // Appends the next bytes of an entry to `out`; returns false once the
    // entry is complete. May throw: commit() rethrows it.
    using Producer = std::function<bool(std::string& out)>;

    // Throws EngineError "无法写入: ..." when libzip cannot start the archive.
    explicit EpubArchive(const std::filesystem::path& target);
    ~EpubArchive();
    EpubArchive(const EpubArchive&) = delete;
    EpubArchive& operator=(const EpubArchive&) = delete;

    // Appends the next bytes of entry `index` of a series, as Producer does.
    using SeriesProducer = std::function<bool(std::size_t index, std::string& out)>;
    using SeriesName = std::function<std::string(std::size_t index)>;

    void add(const std::string& name, std::string bytes, Compression compression);
    void addStreamed(const std::string& name, Producer producer, Compression compression);
    // `count` entries, named name(0) ... name(count - 1), whose bytes are
    // asked for in that order.
    void addSeries(std::size_t count, const SeriesName& name, SeriesProducer producer,
                   Compression compression);

    // Writes everything. Throws what a producer threw, or EngineError "无法写入: ...".
    void commit();

private:
    struct Series;
    void addSource(const std::string& name, void* source, Compression compression);
    [[noreturn]] void fail(const char* reason) const;

    std::filesystem::path m_target;
    zip* m_archive = nullptr;
    std::list<std::string> m_buffers; // the bytes of the entries added whole
    std::list<Series> m_series;
    std::exception_ptr m_failure; // the first exception a producer threw
};

} // namespace lumarin::engine
