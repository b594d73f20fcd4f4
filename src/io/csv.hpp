#pragma once
// Streaming CSV (RFC 4180): quoted fields with embedded commas, quotes and line breaks, CRLF or
// LF line ends, a UTF-8 byte-order mark skipped. One record is held at a time, so memory stays
// the same however long the entry list is.
//
// Reading is forgiving where the meaning is plain: a quote inside an unquoted field is kept as
// text, characters after a closing quote are added to the field, and a carriage return not
// followed by a line feed is text. An empty line is a record of one empty field. A quoted field
// that never closes is an error, reported at the line where it opened.

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace et::io {

// One record's fields, unquoted.
class CsvRecord {
public:
    std::size_t size() const { return ends_.size(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(text_).substr(begin, ends_[i] - begin);
    }
    void clear() {
        text_.clear();
        ends_.clear();
    }

private:
    friend class CsvReader;
    std::string text_;              // every field's text, one after another
    std::vector<std::size_t> ends_; // where each field ends in text_
};

// Fills up to size bytes at data; returns the count, 0 at the end of the input, -1 on a read
// error.
using ReadBytes = std::function<std::ptrdiff_t(char* data, std::size_t size)>;
ReadBytes ReadFromFile(std::FILE* file);
ReadBytes ReadFromText(std::string_view text); // the text must outlive the reader

class CsvReader {
public:
    enum class Status { Record, End, Error };

    // A record longer than this (most likely a quote that never closes) is an error.
    static constexpr std::size_t kMaxRecordBytes = std::size_t{1} << 20;

    explicit CsvReader(ReadBytes read, std::size_t bufferSize = std::size_t{1} << 18);

    Status Next(CsvRecord& record);

    // The physical line (from 1) on which the last record began, or where the error lies.
    std::size_t line() const { return recordLine_; }
    const std::string& error() const { return error_; }

private:
    bool Fill();
    bool Ensure(std::size_t count); // at least count unread bytes, unless the input ends first
    Status Fail(std::size_t line, std::string message);
    // Most records: a whole line already in the buffer with no quote in it, and no carriage
    // return but one just before its line feed. Read at once, split at its commas; false for any
    // other, which Next reads a field at a time.
    bool SplitPlainLine(CsvRecord& record);

    ReadBytes read_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    bool started_ = false;
    bool readFailed_ = false;
    bool failed_ = false;
    std::size_t line_ = 1;
    std::size_t recordLine_ = 1;
    std::string error_;
};

// Writes records, quoting a field only when it holds a comma, a quote or a line break. Lines end
// in LF. Output is gathered in a large buffer and handed to the sink in big pieces.
using WriteBytes = std::function<bool(std::string_view bytes)>;
WriteBytes WriteToFile(std::FILE* file);

class CsvWriter {
public:
    explicit CsvWriter(WriteBytes write, std::size_t bufferSize = std::size_t{1} << 18);
    ~CsvWriter();
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    void Field(std::string_view text);
    // A field known to hold no comma, quote or line break (a time or points text): no check.
    void PlainField(std::string_view text) {
        char* o = Room(text.size() + 1);
        if (!atRecordStart_) {
            *o++ = ',';
            ++size_;
        }
        atRecordStart_ = false;
        atFileStart_ = false;
        text.copy(o, text.size());
        size_ += text.size();
    }
    void EndRecord();
    // Hands everything written so far to the sink; false once any write has failed.
    bool Flush();
    bool ok() const { return ok_; }

private:
    // Space for count more bytes, flushing first when the buffer cannot take them.
    char* Room(std::size_t count) {
        if (size_ + count > buffer_.size()) {
            MakeRoom(count);
        }
        return buffer_.data() + size_;
    }
    void MakeRoom(std::size_t count);

    WriteBytes write_;
    std::vector<char> buffer_;
    std::size_t size_ = 0;
    bool atRecordStart_ = true;
    bool atFileStart_ = true;
    bool ok_ = true;
};

} // namespace et::io
