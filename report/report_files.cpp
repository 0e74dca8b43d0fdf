#include "report_files.h"

#include "safe_write.h"

#include <QFile>
#include <cstring>
#include <fcntl.h>
#include <memory>

namespace tessnivar {

namespace {

// Large enough that the system call per chunk costs nothing next to the formatting, small
// enough to stay in the cache.
constexpr std::size_t kChunkBytes = std::size_t{1} << 19;

constexpr std::string_view kLineEnd = "\r\n";

// How much is written before the disk is asked to start on it.
constexpr std::size_t kWritebackBytes = std::size_t{1} << 23;

// Gathers the report into one fixed buffer and hands it to the descriptor a chunk at a time, so
// memory stays flat however many rows there are. After the first failed write it writes nothing
// more and keeps why.
class ChunkWriter {
public:
    explicit ChunkWriter(int fd)
        : fd_(fd), buffer_(std::make_unique_for_overwrite<char[]>(kChunkBytes)),
          end_(buffer_.get()) {}

    // Makes room for bytes more at cursor(); false once a write has failed.
    [[nodiscard]] bool reserve(std::size_t bytes) {
        if (static_cast<std::size_t>(buffer_.get() + kChunkBytes - end_) >= bytes)
            return status_.ok();
        return flush();
    }

    [[nodiscard]] char* cursor() const noexcept { return end_; }
    void advance(char* end) noexcept { end_ = end; }

    // Appends text and CR LF; a text longer than the buffer goes to the descriptor directly.
    [[nodiscard]] bool writeLine(std::string_view text) {
        if (text.size() + kLineEnd.size() > kChunkBytes)
            return flush() && write(text) && write(kLineEnd);
        if (!reserve(text.size() + kLineEnd.size()))
            return false;
        std::memcpy(end_, text.data(), text.size());
        std::memcpy(end_ + text.size(), kLineEnd.data(), kLineEnd.size());
        end_ += text.size() + kLineEnd.size();
        return true;
    }

    // Hands what is gathered to the descriptor; false when a write fails. The disk starts
    // writing a file while the rest is formatted, so the sync at the end has little left to
    // wait for.
    [[nodiscard]] bool flush() {
        const auto size = static_cast<std::size_t>(end_ - buffer_.get());
        end_ = buffer_.get();
        if (!write({buffer_.get(), size}))
            return false;
        unstarted_ += size;
        if (unstarted_ >= kWritebackBytes) {
            // Not every descriptor can (a pipe cannot); the writes stand either way.
            sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
            unstarted_ = 0;
        }
        return true;
    }

    [[nodiscard]] const Status& status() const noexcept { return status_; }

private:
    bool write(std::string_view bytes) {
        if (status_.ok())
            status_ = WriteAll(fd_, bytes);
        return status_.ok();
    }

    int fd_;
    std::unique_ptr<char[]> buffer_;
    char* end_;
    std::size_t unstarted_ = 0;
    Status status_ = Done{};
};

// Writes the opening lines, header and rows; WriteRow formats one row with kRowRoom of room.
template <auto WriteRow, int kRowRoom>
Status WriteReportBody(ChunkWriter& out, const ReportFields& fields, const ReportFigures& figures,
                       std::string_view header, const SubnetRows& rows) {
    // The summary holds what was typed, in the user's encoding like every text file of theirs.
    for (const std::string& line : OpeningLines(fields, figures)) {
        if (!out.writeLine(QString::fromUtf8(line).toLocal8Bit().toStdString()))
            return out.status();
    }
    if (!out.writeLine(header))
        return out.status();
    const std::size_t n = rows.size();
    std::size_t i = 0;
    bool written = true;
    rows.forEach([&](const SubnetRow& row) {
        // Once a write has failed, the remaining rows are passed over.
        written = written && out.reserve(kRowRoom + kLineEnd.size());
        if (!written)
            return;
        char* end = WriteRow(out.cursor(), row, IsMarkedRow(i++, n));
        *end++ = '\r';
        *end++ = '\n';
        out.advance(end);
    });
    if (written)
        (void)out.flush();
    return out.status();
}

} // namespace

Status WriteReport(int fd, ReportForm form, const ReportFields& fields,
                   const ReportFigures& figures, const SubnetRows& rows) {
    ChunkWriter out(fd);
    if (form == ReportForm::Csv)
        return WriteReportBody<WriteCsvRow, kMaxCsvRowChars>(out, fields, figures, CsvHeader(),
                                                             rows);
    return WriteReportBody<WriteColumnRow, kMaxColumnRowChars>(out, fields, figures, ColumnHeader(),
                                                               rows);
}

Status WriteReportFile(const std::string& path, ReportForm form, const ReportFields& fields,
                       const ReportFigures& figures, const SubnetRows& rows) {
    return WriteFileSafely(path,
                           [&](int fd) { return WriteReport(fd, form, fields, figures, rows); });
}

Status WriteReportFile(const QString& fileName, ReportForm form, const ReportFields& fields,
                       const ReportFigures& figures, const SubnetRows& rows) {
    return WriteReportFile(QFile::encodeName(fileName).toStdString(), form, fields, figures, rows);
}

QString CsvFileName(const QString& fileName) {
    if (fileName.endsWith(QLatin1String(".csv"), Qt::CaseSensitive))
        return fileName;
    return fileName + QLatin1String(".csv");
}

} // namespace tessnivar
