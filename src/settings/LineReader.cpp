#include "settings/LineReader.h"

#include "rules/WholeFile.h"

#include <QIODevice>

#include <algorithm>

namespace {

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

} // namespace

LineReader::LineReader(QIODevice& device, qsizetype maxLineBytes, qsizetype blockBytes)
    : device_(device), maxLineBytes_(maxLineBytes), blockBytes_(std::max<qsizetype>(1, blockBytes))
{
}

bool LineReader::fill()
{
    if (at_ < filled_)
        return true;
    if (ended_)
        return false;
    block_.resize(blockBytes_);
    const qint64 got = device_.read(block_.data(), blockBytes_);
    if (got <= 0) {
        ended_ = true;
        failed_ = got < 0;
        return false;
    }
    at_ = 0;
    filled_ = static_cast<qsizetype>(got);
    return true;
}

LineReader::Read LineReader::next(QString& line)
{
    line.clear();
    pending_.clear();
    bool begun = false;
    bool tooLong = false;
    bool ended = false;
    while (!ended && fill()) {
        if (afterCr_) {
            afterCr_ = false;
            if (block_[at_] == '\n') {
                ++at_;
                continue;
            }
        }
        begun = true;
        const char* begin = block_.constData() + at_;
        const char* end = block_.constData() + filled_;
        const char* stop = std::find_if(begin, end, isLineEnd);
        const qsizetype length = stop - begin;
        // Past the limit the rest of the line is only looked through for
        // its end, never kept.
        if (!tooLong && pending_.size() + length > maxLineBytes_) {
            tooLong = true;
            pending_.clear();
        }
        if (!tooLong)
            pending_.append(begin, length);
        at_ += length;
        if (stop != end) {
            afterCr_ = *stop == '\r';
            ++at_;
            ended = true;
        }
    }
    if (failed_ || !begun)
        return Read::End;
    if (tooLong)
        return Read::TooLong;
    line = DecodeFileText(pending_);
    return Read::Line;
}
