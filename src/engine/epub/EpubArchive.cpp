// SPDX-License-Identifier: MIT
#include "engine/epub/EpubArchive.h"

#include "engine/base/EngineError.h"

#include <algorithm>
#include <cstring>
#include <zip.h>

namespace lumarin::engine {

// The entries of a series as libzip sees them: one readable source of unknown
// size, added once per entry. libzip opens it for each entry in turn while it
// writes them in order, so each opening moves on to the next entry, whose
// bytes the producer hands out in pieces.
struct EpubArchive::Series {
    SeriesProducer producer;
    std::size_t count = 0;
    std::exception_ptr* failure = nullptr;
    std::size_t opened = 0; // entries opened so far
    std::size_t index = 0;  // the entry being read
    std::string pending;
    std::size_t offset = 0;
    bool more = true;
    zip_error_t error{};

    Series() { zip_error_init(&error); }
    ~Series() { zip_error_fini(&error); }
    Series(const Series&) = delete;
    Series& operator=(const Series&) = delete;

    zip_int64_t open() {
        if (opened == count) {
            zip_error_set(&error, ZIP_ER_INTERNAL, 0);
            return -1;
        }
        index = opened++;
        more = true;
        return 0;
    }

    zip_int64_t read(char* data, zip_uint64_t size) {
        try {
            while (pending.size() - offset < size && more) {
                pending.erase(0, offset);
                offset = 0;
                more = producer(index, pending);
            }
        } catch (...) {
            if (!*failure) *failure = std::current_exception();
            zip_error_set(&error, ZIP_ER_INTERNAL, 0);
            return -1;
        }
        const std::size_t bytes = std::min<std::size_t>(size, pending.size() - offset);
        std::memcpy(data, pending.data() + offset, bytes);
        offset += bytes;
        return static_cast<zip_int64_t>(bytes);
    }

    static zip_int64_t callback(void* state, void* data, zip_uint64_t length,
                                zip_source_cmd_t command) {
        auto* self = static_cast<Series*>(state);
        switch (command) {
        case ZIP_SOURCE_OPEN:
            return self->open();
        case ZIP_SOURCE_READ:
            return self->read(static_cast<char*>(data), length);
        case ZIP_SOURCE_CLOSE:
            std::string().swap(self->pending); // a finished entry keeps nothing
            self->offset = 0;
            return 0;
        case ZIP_SOURCE_STAT: {
            auto* stat = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &self->error);
            if (stat == nullptr) return -1;
            zip_stat_init(stat);
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&self->error, data, length);
        case ZIP_SOURCE_FREE:
            return 0;
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ,
                                                  ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                  ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default:
            zip_error_set(&self->error, ZIP_ER_OPNOTSUPP, 0);
            return -1;
        }
    }
};

EpubArchive::EpubArchive(const std::filesystem::path& target) : m_target(target) {
    int error = 0;
    m_archive = zip_open(target.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (m_archive == nullptr) {
        zip_error_t details;
        zip_error_init_with_code(&details, error);
        const std::string reason = zip_error_strerror(&details);
        zip_error_fini(&details);
        throw EngineError::writeFailed(target.string(), reason);
    }
}

EpubArchive::~EpubArchive() {
    if (m_archive != nullptr) zip_discard(m_archive);
}

void EpubArchive::add(const std::string& name, std::string bytes, Compression compression) {
    const std::string& kept = m_buffers.emplace_back(std::move(bytes));
    zip_source_t* source = zip_source_buffer(m_archive, kept.data(), kept.size(), 0);
    if (source == nullptr) fail(zip_strerror(m_archive));
    addSource(name, source, compression);
}

void EpubArchive::addStreamed(const std::string& name, Producer producer, Compression compression) {
    addSeries(
        1, [&name](std::size_t) { return name; },
        [producer = std::move(producer)](std::size_t, std::string& out) { return producer(out); },
        compression);
}

void EpubArchive::addSeries(std::size_t count, const SeriesName& name, SeriesProducer producer,
                            Compression compression) {
    if (count == 0) return;
    Series& series = m_series.emplace_back();
    series.producer = std::move(producer);
    series.count = count;
    series.failure = &m_failure;
    zip_source_t* source = zip_source_function(m_archive, &Series::callback, &series);
    if (source == nullptr) fail(zip_strerror(m_archive));
    for (std::size_t i = 0; i < count; ++i) {
        // Each entry holds a reference; libzip frees the source with the last.
        if (i > 0) zip_source_keep(source);
        addSource(name(i), source, compression);
    }
}

void EpubArchive::addSource(const std::string& name, void* source, Compression compression) {
    auto* zipSource = static_cast<zip_source_t*>(source);
    const zip_int64_t index = zip_file_add(m_archive, name.c_str(), zipSource, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(zipSource);
        fail(zip_strerror(m_archive));
    }
    const zip_int32_t method = compression == Compression::Store ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
    if (zip_set_file_compression(m_archive, static_cast<zip_uint64_t>(index), method, 0) != 0)
        fail(zip_strerror(m_archive));
}

void EpubArchive::commit() {
    if (zip_close(m_archive) == 0) {
        m_archive = nullptr;
        return;
    }
    if (m_failure) std::rethrow_exception(m_failure);
    const zip_error_t* error = zip_get_error(m_archive);
    const int system = zip_error_code_system(error);
    fail(system != 0 && zip_error_system_type(error) == ZIP_ET_SYS
             ? std::strerror(system)
             : zip_error_strerror(zip_get_error(m_archive)));
}

void EpubArchive::fail(const char* reason) const {
    throw EngineError::writeFailed(m_target.string(), reason);
}

} // namespace lumarin::engine
