#pragma once

#include "report_content.h"

#include <QString>
#include <optional>

namespace tessnivar {

class SubnetRowStore;

// Why a report file could not be written: the file's name and the system's reason.
struct ReportFileError {
    QString fileName;
    QString reason;
};

// The name the CSV file is written under: fileName with ".csv" appended unless its last four
// characters are exactly ".csv" (case counts; a shorter name always gets it).
[[nodiscard]] QString CsvFileName(const QString& fileName);

// Writes the report with the table in column form to fileName, replacing any file there; lines
// end in CR LF. The file changes only when the whole report was written: on failure an existing
// file keeps its contents and no partial file is left. nullopt when written.
[[nodiscard]] std::optional<ReportFileError> WriteTextReport(const QString& fileName,
                                                             const ReportFields& fields,
                                                             const ReportFigures& figures,
                                                             const SubnetRowStore& rows);

// As WriteTextReport, with the table as CSV records. fileName is used as given (see
// CsvFileName).
[[nodiscard]] std::optional<ReportFileError> WriteCsvReport(const QString& fileName,
                                                            const ReportFields& fields,
                                                            const ReportFigures& figures,
                                                            const SubnetRowStore& rows);

} // namespace tessnivar
