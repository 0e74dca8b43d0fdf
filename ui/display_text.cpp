#include "display_text.h"

#include "numeric.h"

#include <QStringList>

namespace tessnivar {

QString DisplayText(const std::string& text) {
    return QString::fromStdString(text);
}

QString DisplayText(std::int64_t number) {
    return DisplayText(DecimalText(number));
}

QString DisplayText(const std::vector<std::string>& lines) {
    QStringList texts;
    for (const std::string& line : lines)
        texts << DisplayText(line);
    return texts.join(QStringLiteral("\r\n"));
}

} // namespace tessnivar
