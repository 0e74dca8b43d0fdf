#include "common_dialog.h"

#include "services.h"

#include <QStringList>

namespace tessnivar {

QString QtNameFilter(const QString& filterText) {
    const QStringList parts = filterText.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        // Qt reads the patterns from the last parentheses; a description that already shows them
        // is used as it is.
        const QString shown = QLatin1Char('(') + pattern + QLatin1Char(')');
        filters << (description.endsWith(shown) ? description
                                                : description + QLatin1Char(' ') + shown);
    }
    return filters.join(QStringLiteral(";;"));
}

bool CommonDialog::showSave() {
    const auto chosen = services_.askSaveFileName(QtNameFilter(filter_), fileName_);
    if (!chosen)
        return !cancelError_;
    fileName_ = *chosen;
    return true;
}

} // namespace tessnivar
