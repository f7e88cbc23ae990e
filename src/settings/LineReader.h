#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Reads a text file one line at a time, holding no more of it than a block
// and the line being read, however large the file is. Lines end with CR LF,
// LF or a CR alone; the last line may have no ending. Each line is decoded
// on its own: UTF-8, or Windows-1252 where its bytes are not valid UTF-8.
// A line longer than the limit is not kept: it is passed over to its end
// and reported as too long, so the caller can count it as damaged and read
// on.
class LineReader {
public:
    enum class Read {
        // `line` holds the next line, without its ending.
        Line,
        // The next line was longer than the limit and has been passed over.
        TooLong,
        // Nothing is left (or the device failed: see failed()).
        End,
    };

    static constexpr qsizetype kBlockBytes = 64 * 1024;

    // Reads from `device`, open for reading, from where it stands, a block
    // of `blockBytes` at a time. Lines of more than `maxLineBytes` bytes,
    // without their ending, are too long.
    LineReader(QIODevice& device, qsizetype maxLineBytes, qsizetype blockBytes = kBlockBytes);

    Read next(QString& line);

    // Whether reading stopped because the device reported an error rather
    // than because the file ended; its reason is the device's errorString().
    bool failed() const { return failed_; }

private:
    // Fills the block when it is used up; false at the end of the file.
    bool fill();

    QIODevice& device_;
    const qsizetype maxLineBytes_;
    const qsizetype blockBytes_;
    QByteArray block_;
    qsizetype at_ = 0;
    qsizetype filled_ = 0;
    QByteArray pending_;
    // The last line ended with a CR: a LF right after it belongs to that
    // ending, even when it comes at the start of the next block.
    bool afterCr_ = false;
    bool ended_ = false;
    bool failed_ = false;
};
