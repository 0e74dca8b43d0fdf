#pragma once

#include "report_content.h"
#include "report_form.h"
#include "subnet_rows.h"

#include <QString>
#include <optional>
#include <string>

class QIODevice;

namespace tessnivar {

// Why a report file could not be written: the file's name and the system's reason.
struct ReportFileError {
    QString fileName;
    QString reason;
};

// The name the CSV file is written under: fileName with ".csv" appended unless its last four
// characters are exactly ".csv" (case counts; a shorter name always gets it).
[[nodiscard]] QString CsvFileName(const QString& fileName);

// Writes the report in form to device, which is open for writing; lines end in CR LF. false when
// the device refused a write (its errorString says why).
[[nodiscard]] bool WriteReport(QIODevice& device, ReportForm form, const ReportFields& fields,
                               const ReportFigures& figures, const SubnetRows& rows);

// Writes the report in form to fd, a descriptor open for writing, from where it stands (an
// append-mode descriptor appends); fd stays open. nullopt when written, else the system's reason.
[[nodiscard]] std::optional<QString> WriteReportToDescriptor(int fd, ReportForm form,
                                                             const ReportFields& fields,
                                                             const ReportFigures& figures,
                                                             const SubnetRows& rows);

// Writes the report in form to the file named path, bytes as the system takes them, replacing
// any file there. The file changes only when the whole report was written: on failure, or on
// SIGHUP, SIGINT or SIGTERM, an existing file keeps its contents and no partial file is left. A
// symbolic link is followed and stays; the replaced file's mode, and for root its owner and
// group, are kept. A read-only file is refused, also for a user who could override its mode. A
// device or a pipe is written directly. nullopt when written, else the reason.
[[nodiscard]] std::optional<QString> WriteReportFile(const std::string& path, ReportForm form,
                                                     const ReportFields& fields,
                                                     const ReportFigures& figures,
                                                     const SubnetRows& rows);

// WriteReportFile in text form with the rows of a calculated plan, to the file fileName names
// (encoded as QFile::encodeName does).
[[nodiscard]] std::optional<ReportFileError> WriteTextReport(const QString& fileName,
                                                             const ReportFields& fields,
                                                             const ReportFigures& figures,
                                                             const SubnetRows& rows);

// WriteReportFile in CSV form with the rows of a calculated plan, to the file fileName names
// (encoded as QFile::encodeName does; no ".csv" is added, see CsvFileName).
[[nodiscard]] std::optional<ReportFileError> WriteCsvReport(const QString& fileName,
                                                            const ReportFields& fields,
                                                            const ReportFigures& figures,
                                                            const SubnetRows& rows);

} // namespace tessnivar
