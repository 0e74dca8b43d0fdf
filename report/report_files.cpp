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

constexpr char kLineEnd[] = "\r\n";

// How much is written before the disk is asked to start on it.
constexpr qint64 kWritebackBytes = qint64{1} << 23;

// Writes all size bytes, going on after a short write (a device may take only part, as near a
// size limit) until the device takes the rest or reports why not.
bool WriteAll(QIODevice& device, const char* data, qint64 size) {
    while (size > 0) {
        const qint64 written = device.write(data, size);
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

// Gathers the report into one fixed buffer and hands it to the device a chunk at a time, so
// memory stays flat however many rows there are.
class ChunkWriter {
public:
    explicit ChunkWriter(QIODevice& device)
        : device_(device), buffer_(std::make_unique_for_overwrite<char[]>(kChunkBytes)),
          end_(buffer_.get()) {
        if (const auto* file = qobject_cast<QFileDevice*>(&device))
            fd_ = file->handle();
    }

    // Makes room for bytes more at cursor(); false once the device has refused a write.
    [[nodiscard]] bool reserve(std::size_t bytes) {
        if (static_cast<std::size_t>(buffer_.get() + kChunkBytes - end_) >= bytes)
            return true;
        return flush();
    }

    [[nodiscard]] char* cursor() const noexcept { return end_; }
    void advance(char* end) noexcept { end_ = end; }

    // Appends text and CR LF; a text longer than the buffer goes to the device directly.
    [[nodiscard]] bool writeLine(const QByteArray& text) {
        const auto size = static_cast<std::size_t>(text.size());
        if (size + 2 > kChunkBytes) {
            return flush() && WriteAll(device_, text.constData(), text.size()) &&
                   WriteAll(device_, kLineEnd, 2);
        }
        if (!reserve(size + 2))
            return false;
        std::memcpy(end_, text.constData(), size);
        std::memcpy(end_ + size, kLineEnd, 2);
        end_ += size + 2;
        return true;
    }

    // Hands what is gathered to the device; false when it refuses. The disk starts writing a
    // file while the rest is formatted, so the sync at the end has little left to wait for.
    [[nodiscard]] bool flush() {
        const qint64 size = end_ - buffer_.get();
        end_ = buffer_.get();
        if (!WriteAll(device_, buffer_.get(), size))
            return false;
        unstarted_ += size;
        if (fd_ >= 0 && unstarted_ >= kWritebackBytes) {
            // Not every descriptor can (a pipe cannot); the writes stand either way.
            sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
            unstarted_ = 0;
        }
        return true;
    }

private:
    QIODevice& device_;
    std::unique_ptr<char[]> buffer_;
    char* end_;
    int fd_ = -1;
    qint64 unstarted_ = 0;
};

// Writes the opening lines, header and rows; WriteRow formats one row with kRowRoom of room.
template <auto WriteRow, int kRowRoom>
bool WriteReportBody(ChunkWriter& out, const ReportFields& fields, const ReportFigures& figures,
                     std::string_view header, const SubnetRows& rows) {
    for (const std::string& line : OpeningLines(fields, figures)) {
        if (!out.writeLine(QString::fromUtf8(line).toLocal8Bit()))
            return false;
    }
    if (!out.writeLine(QByteArray(header.data(), static_cast<qsizetype>(header.size()))))
        return false;
    const std::size_t n = rows.size();
    std::size_t i = 0;
    bool written = true;
    rows.forEach([&](const SubnetRow& row) {
        // Once the device has refused, the remaining rows are passed over.
        written = written && out.reserve(kRowRoom + 2);
        if (!written)
            return;
        char* end = WriteRow(out.cursor(), row, IsMarkedRow(i++, n));
        *end++ = '\r';
        *end++ = '\n';
        out.advance(end);
    });
    return written && out.flush();
}

// WriteReportFile with the rows of a calculated plan, to the file fileName names.
std::optional<ReportFileError> WriteNamedReport(const QString& fileName, ReportForm form,
                                                const ReportFields& fields,
                                                const ReportFigures& figures,
                                                const SubnetRows& rows) {
    if (auto reason =
            WriteReportFile(QFile::encodeName(fileName).toStdString(), form, fields, figures, rows))
        return ReportFileError{fileName, *reason};
    return std::nullopt;
}

} // namespace

bool WriteReport(QIODevice& device, ReportForm form, const ReportFields& fields,
                 const ReportFigures& figures, const SubnetRows& rows) {
    ChunkWriter out(device);
    if (form == ReportForm::Csv)
        return WriteReportBody<WriteCsvRow, kMaxCsvRowChars>(out, fields, figures, CsvHeader(),
                                                             rows);
    return WriteReportBody<WriteColumnRow, kMaxColumnRowChars>(out, fields, figures, ColumnHeader(),
                                                               rows);
}

std::optional<QString> WriteReportToDescriptor(int fd, ReportForm form, const ReportFields& fields,
                                               const ReportFigures& figures,
                                               const SubnetRows& rows) {
    QFile file;
    if (file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle) &&
        WriteReport(file, form, fields, figures, rows))
        return std::nullopt;
    return file.errorString();
}

std::optional<QString> WriteReportFile(const std::string& path, ReportForm form,
                                       const ReportFields& fields, const ReportFigures& figures,
                                       const SubnetRows& rows) {
    const auto failure = WriteFileSafely(path, [&](int fd) -> std::optional<std::string> {
        if (auto reason = WriteReportToDescriptor(fd, form, fields, figures, rows))
            return reason->toStdString();
        return std::nullopt;
    });
    if (failure)
        return QString::fromStdString(*failure);
    return std::nullopt;
}

QString CsvFileName(const QString& fileName) {
    if (fileName.endsWith(QLatin1String(".csv"), Qt::CaseSensitive))
        return fileName;
    return fileName + QLatin1String(".csv");
}

std::optional<ReportFileError> WriteTextReport(const QString& fileName, const ReportFields& fields,
                                               const ReportFigures& figures,
                                               const SubnetRows& rows) {
    return WriteNamedReport(fileName, ReportForm::Text, fields, figures, rows);
}

std::optional<ReportFileError> WriteCsvReport(const QString& fileName, const ReportFields& fields,
                                              const ReportFigures& figures,
                                              const SubnetRows& rows) {
    return WriteNamedReport(fileName, ReportForm::Csv, fields, figures, rows);
}

} // namespace tessnivar
