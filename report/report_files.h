#pragma once

#include "report_content.h"
#include "report_form.h"
#include "result.h"
#include "subnet_rows.h"

#include <QString>
#include <string>

namespace tessnivar {

// The name the CSV file is written under: fileName with ".csv" appended unless its last four
// characters are exactly ".csv" (case counts; a shorter name always gets it).
[[nodiscard]] QString CsvFileName(const QString& fileName);

// Writes the report in form to fd, a descriptor open for writing, from where it stands (an
// append-mode descriptor appends); lines end in CR LF and fd stays open.
[[nodiscard]] Status WriteReport(int fd, ReportForm form, const ReportFields& fields,
                                 const ReportFigures& figures, const SubnetRows& rows);

// Writes the report in form to the file named path, bytes as the system takes them, as
// WriteFileSafely writes: the file changes only when the whole report is written.
[[nodiscard]] Status WriteReportFile(const std::string& path, ReportForm form,
                                     const ReportFields& fields, const ReportFigures& figures,
                                     const SubnetRows& rows);

// The same for the file fileName names, encoded as QFile::encodeName does.
[[nodiscard]] Status WriteReportFile(const QString& fileName, ReportForm form,
                                     const ReportFields& fields, const ReportFigures& figures,
                                     const SubnetRows& rows);

} // namespace tessnivar
