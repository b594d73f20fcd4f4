#include "io/csv.hpp"

#include <algorithm>
#include <array>
#include <cstring>

namespace et::io {
namespace {

constexpr std::array<bool, 256> ByteTable(std::string_view bytes) {
    std::array<bool, 256> table{};
    for (const char c : bytes) {
        table[static_cast<unsigned char>(c)] = true;
    }
    return table;
}

// The bytes that make a field need quotes: comma, quote, carriage return, line feed.
constexpr std::array<bool, 256> kNeedsQuotes = ByteTable(",\"\r\n");
// The bytes that end an unquoted field: comma, carriage return, line feed.
constexpr std::array<bool, 256> kEndsField = ByteTable(",\r\n");

} // namespace

ReadBytes ReadFromFile(std::FILE* file) {
    return [file](char* data, std::size_t size) -> std::ptrdiff_t {
        const std::size_t got = std::fread(data, 1, size, file);
        if (got == 0 && std::ferror(file) != 0) {
            return -1;
        }
        return static_cast<std::ptrdiff_t>(got);
    };
}

ReadBytes ReadFromText(std::string_view text) {
    return [text](char* data, std::size_t size) mutable -> std::ptrdiff_t {
        const std::size_t n = std::min(size, text.size());
        std::memcpy(data, text.data(), n);
        text.remove_prefix(n);
        return static_cast<std::ptrdiff_t>(n);
    };
}

CsvReader::CsvReader(ReadBytes read, std::size_t bufferSize)
    : read_(std::move(read)), buffer_(std::max<std::size_t>(bufferSize, 16)) {}

bool CsvReader::Fill() {
    // Keep what is still unread at the front, then read behind it.
    if (pos_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
    }
    if (!eof_ && end_ < buffer_.size()) {
        const std::ptrdiff_t got = read_(buffer_.data() + end_, buffer_.size() - end_);
        if (got <= 0) {
            readFailed_ = got < 0;
            eof_ = true;
        } else {
            end_ += static_cast<std::size_t>(got);
        }
    }
    return end_ > pos_;
}

bool CsvReader::Ensure(std::size_t count) {
    while (end_ - pos_ < count) {
        if (eof_) {
            return false;
        }
        Fill();
    }
    return true;
}

CsvReader::Status CsvReader::Fail(std::size_t line, std::string message) {
    recordLine_ = line;
    error_ = std::move(message);
    failed_ = true;
    return Status::Error;
}

bool CsvReader::SplitPlainLine(CsvRecord& record) {
    const char* const p = buffer_.data() + pos_;
    const char* const lineEnd = static_cast<const char*>(std::memchr(p, '\n', end_ - pos_));
    if (lineEnd == nullptr) {
        return false;
    }
    const auto length = static_cast<std::size_t>(lineEnd - p);
    if (length >= kMaxRecordBytes || std::memchr(p, '"', length) != nullptr) {
        return false;
    }
    const auto* cr = static_cast<const char*>(std::memchr(p, '\r', length));
    if (cr != nullptr && cr != lineEnd - 1) {
        return false;
    }
    const char* const stop = cr != nullptr ? cr : lineEnd;
    std::string& text = record.text_;
    text.resize(static_cast<std::size_t>(stop - p));
    char* const begin = text.data();
    char* o = begin;
    for (const char* q = p;;) {
        const auto* comma =
            static_cast<const char*>(std::memchr(q, ',', static_cast<std::size_t>(stop - q)));
        const char* const fieldEnd = comma != nullptr ? comma : stop;
        std::memcpy(o, q, static_cast<std::size_t>(fieldEnd - q));
        o += fieldEnd - q;
        record.ends_.push_back(static_cast<std::size_t>(o - begin));
        if (comma == nullptr) {
            break;
        }
        q = comma + 1;
    }
    text.resize(static_cast<std::size_t>(o - begin));
    pos_ += length + 1;
    ++line_;
    return true;
}

CsvReader::Status CsvReader::Next(CsvRecord& record) {
    record.clear();
    if (failed_) {
        return Status::Error;
    }
    if (!started_) {
        started_ = true;
        // A byte-order mark is no part of the first field.
        if (Ensure(3) && std::memcmp(buffer_.data() + pos_, "\xEF\xBB\xBF", 3) == 0) {
            pos_ += 3;
        }
    }
    if (!Ensure(1)) {
        return readFailed_ ? Fail(line_, "cannot read the input") : Status::End;
    }

    recordLine_ = line_;
    std::string& text = record.text_;
    std::vector<std::size_t>& ends = record.ends_;
    if (SplitPlainLine(record)) {
        return Status::Record;
    }

    enum class State { FieldStart, Unquoted, Quoted };
    State state = State::FieldStart;
    std::size_t quoteLine = line_;

    for (;;) {
        if (text.size() + ends.size() > kMaxRecordBytes) {
            return Fail(recordLine_, "record longer than 1 MiB");
        }
        if (!Ensure(1)) {
            if (readFailed_) {
                return Fail(line_, "cannot read the input");
            }
            if (state == State::Quoted) {
                return Fail(quoteLine, "quoted field is never closed");
            }
            ends.push_back(text.size());
            return Status::Record;
        }
        const char* const data = buffer_.data();
        const char* p = data + pos_;
        const char* const e = data + end_;

        if (state == State::Quoted) {
            const void* found = std::memchr(p, '"', static_cast<std::size_t>(e - p));
            const char* q = found != nullptr ? static_cast<const char*>(found) : e;
            line_ += static_cast<std::size_t>(std::count(p, q, '\n'));
            text.append(p, q);
            pos_ = static_cast<std::size_t>(q - data);
            if (q == e) {
                continue;
            }
            // A doubled quote is a quote; a single one closes the field.
            if (Ensure(2) && buffer_[pos_ + 1] == '"') {
                text.push_back('"');
                pos_ += 2;
            } else {
                pos_ += 1;
                state = State::Unquoted;
            }
            continue;
        }

        if (state == State::FieldStart && *p == '"') {
            state = State::Quoted;
            quoteLine = line_;
            ++pos_;
            continue;
        }
        state = State::Unquoted;
        const char* q = p;
        while (q < e && !kEndsField[static_cast<unsigned char>(*q)]) {
            ++q;
        }
        text.append(p, q);
        pos_ = static_cast<std::size_t>(q - data);
        if (q == e) {
            continue;
        }
        if (*q == ',') {
            ends.push_back(text.size());
            ++pos_;
            state = State::FieldStart;
            continue;
        }
        if (*q == '\n') {
            ends.push_back(text.size());
            ++pos_;
            ++line_;
            return Status::Record;
        }
        // A carriage return ends the line only before a line feed or at the very end.
        const bool more = Ensure(2);
        if (readFailed_) {
            return Fail(line_, "cannot read the input");
        }
        if (!more || buffer_[pos_ + 1] == '\n') {
            ends.push_back(text.size());
            pos_ += more ? 2 : 1;
            ++line_;
            return Status::Record;
        }
        text.push_back('\r');
        ++pos_;
    }
}

WriteBytes WriteToFile(std::FILE* file) {
    return [file](std::string_view bytes) {
        return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    };
}

CsvWriter::CsvWriter(WriteBytes write, std::size_t bufferSize)
    : write_(std::move(write)), buffer_(std::max<std::size_t>(bufferSize, 64)) {}

CsvWriter::~CsvWriter() {
    Flush();
}

void CsvWriter::MakeRoom(std::size_t count) {
    Flush();
    if (count > buffer_.size()) {
        buffer_.resize(count);
    }
}

void CsvWriter::Field(std::string_view text) {
    // At worst a separator, two quotes and every byte doubled.
    char* const start = Room(2 * text.size() + 3);
    char* o = start;
    if (!atRecordStart_) {
        *o++ = ',';
    }
    atRecordStart_ = false;
    // Most fields are short plain texts, copied as they are checked, a table look-up a byte.
    char* const body = o;
    bool plain = true;
    for (const char c : text) {
        if (kNeedsQuotes[static_cast<unsigned char>(c)]) {
            plain = false;
            break;
        }
        *o++ = c;
    }
    // The very first field must not start with what a reader takes for a byte-order mark.
    if (atFileStart_) {
        plain = plain && !text.starts_with("\xEF\xBB\xBF");
        atFileStart_ = false;
    }
    if (!plain) {
        o = body;
        *o++ = '"';
        for (const char c : text) {
            if (c == '"') {
                *o++ = '"';
            }
            *o++ = c;
        }
        *o++ = '"';
    }
    size_ += static_cast<std::size_t>(o - start);
}

void CsvWriter::EndRecord() {
    *Room(1) = '\n';
    ++size_;
    atRecordStart_ = true;
}

bool CsvWriter::Flush() {
    if (ok_ && size_ > 0) {
        ok_ = write_(std::string_view(buffer_.data(), size_));
    }
    size_ = 0;
    return ok_;
}

} // namespace et::io
