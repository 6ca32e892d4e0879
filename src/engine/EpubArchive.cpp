#include "engine/EpubArchive.h"

#include "engine/EngineError.h"

#include <cstring>
#include <zip.h>

namespace lumarin::engine {

// One streamed entry as libzip sees it: a readable source of unknown size
// whose bytes come from the producer in pieces.
struct EpubArchive::Stream {
    Producer producer;
    std::exception_ptr* failure;
    std::string pending;
    std::size_t offset = 0;
    bool more = true;
    zip_error_t error{};

    Stream() { zip_error_init(&error); }
    ~Stream() { zip_error_fini(&error); }
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    zip_int64_t read(char* data, zip_uint64_t size) {
        try {
            while (pending.size() - offset < size && more) {
                pending.erase(0, offset);
                offset = 0;
                more = producer(pending);
            }
        } catch (...) {
            if (!*failure) *failure = std::current_exception();
            zip_error_set(&error, ZIP_ER_INTERNAL, 0);
            return -1;
        }
        const std::size_t count = std::min<std::size_t>(size, pending.size() - offset);
        std::memcpy(data, pending.data() + offset, count);
        offset += count;
        return static_cast<zip_int64_t>(count);
    }

    static zip_int64_t callback(void* state, void* data, zip_uint64_t length,
                                zip_source_cmd_t command) {
        auto* self = static_cast<Stream*>(state);
        switch (command) {
        case ZIP_SOURCE_OPEN:
            return 0;
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
    Stream& stream = m_streams.emplace_back();
    stream.producer = std::move(producer);
    stream.failure = &m_failure;
    zip_source_t* source = zip_source_function(m_archive, &Stream::callback, &stream);
    if (source == nullptr) fail(zip_strerror(m_archive));
    addSource(name, source, compression);
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
